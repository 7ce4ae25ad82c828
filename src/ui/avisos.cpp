#include "avisos.h"

#include <QMessageBox>

#include <new>

namespace talvoro::ui {

namespace {

void exibeCaixa(QMessageBox::Icon icone, const QString& texto, const char* nome)
{
    QMessageBox caixa(icone, QStringLiteral("Talvoro"), texto, QMessageBox::Ok);
    caixa.setObjectName(QString::fromLatin1(nome));
    caixa.setTextFormat(Qt::PlainText);
    caixa.exec();
}

} // namespace

void ExibeErroPadrao(const QString& mensagem)
{
    exibeCaixa(QMessageBox::Critical, mensagem, "ErroPadrao");
}

void ExibeMensagemSimples(const QString& texto)
{
    exibeCaixa(QMessageBox::NoIcon, texto, "MensagemSimples");
}

QString mensagemDoErro(std::exception_ptr erro)
{
    try {
        std::rethrow_exception(std::move(erro));
    } catch (const std::bad_alloc&) {
        return QStringLiteral("Memória insuficiente.");
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Erro desconhecido.");
    }
}

TAplicacao::TAplicacao(int& argc, char** argv)
    : QApplication(argc, argv)
{}

bool TAplicacao::notify(QObject* receptor, QEvent* evento)
{
    try {
        return QApplication::notify(receptor, evento);
    } catch (...) {
        ExibeErroPadrao(mensagemDoErro(std::current_exception()));
        return false;
    }
}

} // namespace talvoro::ui
