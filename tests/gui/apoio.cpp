#include "apoio.h"

#include "base/datahora.h"
#include "ui/mensagens.h"
#include "ui/statusloja.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace talvoro::teste {

Dialogos::Dialogos(Responder responder)
    : m_responder(std::move(responder))
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] { verifica(); });
    m_timer.start(5);
}

Dialogos::~Dialogos()
{
    m_timer.stop();
}

int Dialogos::contar(const QString& texto) const
{
    int n = 0;
    for (const Visto& v : vistos)
        n += v.texto == texto ? 1 : 0;
    return n;
}

void Dialogos::verifica()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || m_respondidos.contains(modal))
        return;
    // Held weakly: a later dialog may be built at the same address.
    m_respondidos.removeAll(nullptr);
    m_respondidos.append(modal);
    Visto visto{QString::fromLatin1(modal->metaObject()->className()), modal->windowTitle(), {}};
    if (auto* caixa = qobject_cast<QMessageBox*>(modal))
        visto.texto = caixa->text();
    else if (auto* mensagem = qobject_cast<T_frmFormMensagensPadrao*>(modal))
        visto.texto = mensagem->_lblMensagem->text();
    vistos.append(visto);
    if (aoAbrir)
        aoAbrir(modal);
    m_responder(modal);
}

void Dialogos::fecharConfirmando(QWidget* dialogo)
{
    if (auto* caixa = qobject_cast<QMessageBox*>(dialogo)) {
        clicar(caixa->button(QMessageBox::Ok));
    } else if (auto* mensagem = qobject_cast<T_frmFormMensagensPadrao*>(dialogo)) {
        for (QPushButton* b : {mensagem->_btnOK, mensagem->_btnSim, mensagem->_btnNao}) {
            if (b->isVisible()) {
                clicar(b);
                return;
            }
        }
        mensagem->reject();
    } else if (auto* status = qobject_cast<T_frmStatusLoja*>(dialogo)) {
        clicar(status->_btnFechar);
    } else if (!qobject_cast<T_frmGravacaoOK*>(dialogo)) {
        dialogo->close();
    }
}

void clicar(QWidget* alvo)
{
    const QPoint ponto =
        qobject_cast<QCheckBox*>(alvo) ? QPoint(6, alvo->height() / 2) : alvo->rect().center();
    QTest::mouseClick(alvo, Qt::LeftButton, Qt::NoModifier, ponto);
}

JanelaDeTeste::JanelaDeTeste()
    : janela(std::make_unique<T_frmMain>(ambiente.dm))
{
    QSignalSpy ativada(janela.get(), &T_frmMain::Ativada);
    janela->show();
    if (!ativada.wait())
        ADD_FAILURE() << "the window was not activated at its first display";
}

JanelaDeTeste::~JanelaDeTeste()
{
    janela.reset();
}

bool JanelaDeTeste::esperaAtivacao()
{
    QSignalSpy ativada(janela.get(), &T_frmMain::Ativada);
    return ativada.wait();
}

bool JanelaDeTeste::abreEFechaDialogo()
{
    Dialogos dialogos;
    QSignalSpy ativada(janela.get(), &T_frmMain::Ativada);
    T_frmFormMensagensPadrao::Mensagem(QStringLiteral("Teste"), u'I', {mbOk});
    return ativada.wait();
}

QString JanelaDeTeste::arquivoIni() const
{
    return ambiente.pasta.caminho(QStringLiteral("IFOODConfig.ini"));
}

QString JanelaDeTeste::lerIni() const
{
    QFile f(arquivoIni());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

void JanelaDeTeste::gravarIni(const QByteArray& conteudo) const
{
    QFile f(arquivoIni());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        ADD_FAILURE() << "cannot write " << arquivoIni().toStdString();
    f.write(conteudo);
}

bool JanelaDeTeste::lojaAutorizadaNoSimulador(sim::IFoodSim& servidor)
{
    const QString token = QString::fromStdString(servidor.emitirToken());
    ambiente.dm.InsertTokenBD(0, agora().addSecs(3600), QStringLiteral("cod"),
                              QStringLiteral("verif"), QStringLiteral("refresh"), token);
    gravarIni(QByteArray("[CONFIG_IFOOD]\r\nCLIENT_ID=cliente\r\nCLIENT_SECRET=segredo\r\n"
                         "MERCHANIDLOJA=") +
              sim::IFoodSim::kMerchantPadrao + "\r\n");
    return abreEFechaDialogo();
}

} // namespace talvoro::teste
