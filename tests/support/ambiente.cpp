#include "ambiente.h"

#include <QFile>
#include <QRegularExpression>

namespace talvoro::teste {

QString Ambiente::logTexto() const
{
    QFile f(pasta.caminho(QStringLiteral("LogBrimeta.txt")));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

QStringList Ambiente::linhasLogTexto() const
{
    static const QRegularExpression prefixo(
        QStringLiteral(R"(^\d{2}/\d{2}/\d{4} \d{2}:\d{2}:\d{2} - )"));
    QStringList out;
    for (const QString& linha : logTexto().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        QString l = linha;
        out << l.remove(prefixo);
    }
    return out;
}

QString arquivoDeDados(const QString& nome)
{
    return QStringLiteral(TALVORO_DADOS_TESTE "/") + nome;
}

QByteArray lerDados(const QString& nome)
{
    QFile f(arquivoDeDados(nome));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace talvoro::teste
