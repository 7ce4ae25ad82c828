#include "apoio.h"

#include "base/datahora.h"
#include "support/simulador.h"

#include "ui/clicaveis.h"
#include "ui/mensagens.h"
#include "ui/statusloja.h"
#include "ui/toggleswitch.h"
#include "worker/worker.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace talvoro;
using namespace talvoro::teste;

namespace {

const QString kNaoConfigurada = QStringLiteral("Loja nao configurada! Faça a Configuração!");

bool mesmaFigura(const QLabel* a, const QLabel* b)
{
    return a->pixmap().toImage() == b->pixmap().toImage();
}

} // namespace

TEST(JanelaPrincipal, PrimeiraExibicaoSemConfiguracaoLigaAIntegracao)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;

    EXPECT_EQ(j.objectName(), u"_frmMain");
    EXPECT_EQ(j.windowTitle(), u"Talvoro");
    EXPECT_EQ(j._lblVersaoSistema->text(), QStringLiteral(TALVORO_VERSAO_PROJETO));
    EXPECT_EQ(j.PageControl1->currentWidget(), j._tabMain);
    EXPECT_FALSE(j.PageControl1->tabBar()->isVisible());

    // No IFOODConfig.ini: an empty page, auto-accept off, and the file is not created.
    EXPECT_TRUE(j.edtClientID->text().isEmpty());
    EXPECT_TRUE(j._edtMerchanIDLoja->text().isEmpty());
    EXPECT_FALSE(j._checkAceitaPedido->isChecked());
    EXPECT_FALSE(j.swAceiteAut->isChecked());
    EXPECT_EQ(j.swAceiteAut->ThumbColor(), T_frmMain::kVermelho);
    EXPECT_FALSE(QFile::exists(t.arquivoIni()));

    // The placeholder token lets the integration start on its own.
    EXPECT_TRUE(j.swVendeOffLine->isChecked());
    EXPECT_EQ(j.swVendeOffLine->ThumbColor(), T_frmMain::kVerde);
    EXPECT_EQ(j.swVendeOffLine->text(), u"Loja On");
    EXPECT_NE(j.vTThreadIFOOD, nullptr);
    EXPECT_EQ(j._lblUltAtualizacao->text(), u"00/00/0000 00:00:00");
    EXPECT_EQ(j._lblStatusLoja->text(), u"Status Loja: Fechada");
    EXPECT_TRUE(mesmaFigura(j._imgStatusLoja, j._imgLojaOFF));
    // The board's list was filled with today's orders.
    EXPECT_EQ(t.ambiente.dm.PegaDataInicial, hojeMeiaNoite());
}

TEST(JanelaPrincipal, SwitchDaIntegracaoCriaELiberaOWorker)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    j.authorizationCode->setText(QStringLiteral("codigo"));
    j.authorizationCodeVerifier->setText(QStringLiteral("verificador"));
    j.refreshToken->setText(QStringLiteral("renovacao"));
    j._edtMerchanIDLoja->setText(QStringLiteral("loja-1"));
    j.MostraStatusLoja(QStringLiteral("Loja aberta: ()"), {}, true);

    clicar(j.swVendeOffLine);
    EXPECT_FALSE(j.swVendeOffLine->isChecked());
    EXPECT_EQ(j.vTThreadIFOOD, nullptr);
    EXPECT_EQ(j.swVendeOffLine->ThumbColor(), T_frmMain::kVermelho);
    EXPECT_EQ(j.swVendeOffLine->text(), u"Loja Off");
    EXPECT_EQ(j._lblUltAtualizacao->text(), u"00/00/2000 00:00:00");
    EXPECT_TRUE(mesmaFigura(j._imgStatusLoja, j._imgLojaOFF));

    clicar(j.swVendeOffLine);
    ASSERT_NE(j.vTThreadIFOOD, nullptr);
    EXPECT_EQ(j.swVendeOffLine->ThumbColor(), T_frmMain::kVerde);
    EXPECT_EQ(j.vTThreadIFOOD->FAuthorizationCode, u"codigo");
    EXPECT_EQ(j.vTThreadIFOOD->FAuthorizationCodeVerifier, u"verificador");
    EXPECT_EQ(j.vTThreadIFOOD->FRefreshToken, u"renovacao");
    EXPECT_EQ(j.vTThreadIFOOD->FMerchantID, u"loja-1");

    // Setting the state it already has reports nothing: the same worker stays.
    TThreadNFe_NFCe* worker = j.vTThreadIFOOD;
    j.swVendeOffLine->setChecked(true);
    EXPECT_EQ(j.vTThreadIFOOD, worker);

    // Off again, then any dialog of the program closes: the activation turns it back on.
    clicar(j.swVendeOffLine);
    ASSERT_EQ(j.vTThreadIFOOD, nullptr);
    ASSERT_TRUE(t.abreEFechaDialogo());
    EXPECT_TRUE(j.swVendeOffLine->isChecked());
    EXPECT_NE(j.vTThreadIFOOD, nullptr);
    EXPECT_EQ(j._lblUltAtualizacao->text(), u"00/00/0000 00:00:00");
}

TEST(JanelaPrincipal, AccessTokenVazioAvisaUmaVezSo)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    clicar(j.swVendeOffLine);
    j.accessToken->clear();

    Dialogos dialogos;
    QSignalSpy ativada(j.window(), SIGNAL(Ativada()));
    clicar(j.swVendeOffLine);
    EXPECT_EQ(dialogos.contar(kNaoConfigurada), 1);
    ASSERT_EQ(dialogos.vistos.size(), 1);
    EXPECT_EQ(dialogos.vistos[0].titulo, u"Talvoro");
    // The switch stays on with its thumb unchanged, and no worker runs.
    EXPECT_TRUE(j.swVendeOffLine->isChecked());
    EXPECT_EQ(j.swVendeOffLine->ThumbColor(), T_frmMain::kVermelho);
    EXPECT_EQ(j.vTThreadIFOOD, nullptr);

    // Closing the notice re-activates the window; the switch is already on: no new notice,
    // neither then nor after later dialogs.
    if (ativada.isEmpty()) {
        ASSERT_TRUE(ativada.wait());
    }
    ASSERT_TRUE(t.abreEFechaDialogo());
    EXPECT_EQ(dialogos.contar(kNaoConfigurada), 1);
    EXPECT_EQ(j.vTThreadIFOOD, nullptr);
}

TEST(JanelaPrincipal, AceiteAutomaticoGravaAChave)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;

    clicar(j.swAceiteAut);
    EXPECT_TRUE(j._checkAceitaPedido->isChecked());
    EXPECT_EQ(j.swAceiteAut->ThumbColor(), T_frmMain::kVerde);
    EXPECT_EQ(t.lerIni(), u"[CONFIG_IFOOD]\r\nACEITAPEDIDOAUTO=True\r\n");

    clicar(j.swAceiteAut);
    EXPECT_FALSE(j._checkAceitaPedido->isChecked());
    EXPECT_EQ(j.swAceiteAut->ThumbColor(), T_frmMain::kVermelho);
    EXPECT_EQ(t.lerIni(), u"[CONFIG_IFOOD]\r\nACEITAPEDIDOAUTO=False\r\n");
}

TEST(JanelaPrincipal, AtivacaoCarregaOArquivoDeConfiguracao)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    // The switch writes the key back only when its state changes.
    const struct
    {
        const char* valor;
        bool ligado;
        const char* depois;
    } casos[] = {
        {"True", true, "True"}, {"true", false, "False"}, {"TRUE", false, "TRUE"}, {"", false, ""}};
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.valor);
        t.gravarIni(QByteArray("[CONFIG_IFOOD]\r\nCLIENT_ID=cliente\r\nACEITAPEDIDOAUTO=") +
                    caso.valor + "\r\nADCCOMOPROD=True\r\n");
        ASSERT_TRUE(t.abreEFechaDialogo());
        EXPECT_EQ(j.edtClientID->text(), u"cliente");
        EXPECT_TRUE(j._checkAdcComoProd->isChecked());
        EXPECT_EQ(j._checkAceitaPedido->isChecked(), caso.ligado);
        EXPECT_EQ(j.swAceiteAut->isChecked(), caso.ligado);
        EXPECT_EQ(j.swAceiteAut->ThumbColor(),
                  caso.ligado ? T_frmMain::kVerde : T_frmMain::kVermelho);
        EXPECT_TRUE(t.lerIni().contains(
            QStringLiteral("ACEITAPEDIDOAUTO=%1\r\n").arg(QLatin1String(caso.depois))));
        // A file without MERCHANIDLOJA empties the box.
        EXPECT_TRUE(j._edtMerchanIDLoja->text().isEmpty());
    }
}

TEST(JanelaPrincipal, GravarEscreveAsNoveChavesEmOrdem)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    j.MostraPagina(j._tabConfig);
    QTest::keyClicks(j.edtClientID, QStringLiteral("id-do-cliente"));
    QTest::keyClicks(j.edtClientSecret, QStringLiteral("segredo"));
    QTest::keyClicks(j._edtMerchanIDLoja, QStringLiteral("loja-9"));
    j.edtUsername->setText(QStringLiteral("usuario"));
    j.edtPassword->setText(QStringLiteral("senha"));
    clicar(j._checkAdcComoProd);
    clicar(j._checkImprimeViaEntregador);

    Dialogos dialogos;
    clicar(j._btnGravarConfig);
    // The notice was shown and had closed by itself when the click returned.
    ASSERT_EQ(dialogos.vistos.size(), 1);
    EXPECT_EQ(dialogos.vistos[0].classe, u"talvoro::T_frmGravacaoOK");
    EXPECT_TRUE(qApp->findChildren<T_frmGravacaoOK*>().isEmpty());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<T_frmGravacaoOK*>(w), nullptr);
    EXPECT_EQ(j.PageControl1->currentWidget(), j._tabMain);

    EXPECT_EQ(t.lerIni(), QStringLiteral("[CONFIG_IFOOD]\r\n"
                                         "CLIENT_ID=id-do-cliente\r\n"
                                         "CLIENT_SECRET=segredo\r\n"
                                         "CLIENT_USERNAME=usuario\r\n"
                                         "CLIENT_PASSWORD=senha\r\n"
                                         "MERCHANIDLOJA=loja-9\r\n"
                                         "ACEITAPEDIDOAUTO=False\r\n"
                                         "UTILIZAIFOOD=False\r\n"
                                         "ADCCOMOPROD=True\r\n"
                                         "IMPRIMEVIAENTREGADORAUT=True\r\n"));
}

TEST(JanelaPrincipal, FalhaAoGravarVaiParaODialogoDeErro)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    ASSERT_TRUE(QDir().mkpath(t.arquivoIni())); // a folder where the file should be
    j.MostraPagina(j._tabConfig);

    Dialogos dialogos;
    clicar(j._btnGravarConfig);
    ASSERT_EQ(dialogos.vistos.size(), 1);
    EXPECT_EQ(dialogos.vistos[0].classe, u"QMessageBox");
    EXPECT_EQ(dialogos.vistos[0].titulo, u"Talvoro");
    EXPECT_TRUE(dialogos.vistos[0].texto.contains(t.arquivoIni()));
    // The rest of the handler was skipped: no notice, the page did not change.
    EXPECT_EQ(j.PageControl1->currentWidget(), j._tabConfig);
}

TEST(JanelaPrincipal, VoltarDeOutraAplicacaoNaoRepeteAAtivacao)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    j.MostraUltimaAtualizacao(QStringLiteral("01/02/2024 10:00:00"));

    // Another application takes the focus and gives it back.
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(&j);
    ASSERT_EQ(QApplication::activeWindow(), &j);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(j._lblUltAtualizacao->text(), u"01/02/2024 10:00:00");

    // A window of the program closing does count.
    ASSERT_TRUE(t.abreEFechaDialogo());
    EXPECT_EQ(j._lblUltAtualizacao->text(), u"00/00/0000 00:00:00");
}

TEST(JanelaPrincipal, ErroNaAtivacaoApareceUmaVezSo)
{
    PastaTemporaria pasta;
    TDM dm(false); // no DataModuleCreate: no database file, every access fails
    T_frmMain janela(dm);
    Dialogos dialogos;
    QSignalSpy ativada(&janela, &T_frmMain::Ativada);
    janela.show();
    ASSERT_TRUE(ativada.wait());
    ASSERT_EQ(dialogos.vistos.size(), 1);
    EXPECT_EQ(dialogos.vistos[0].titulo, u"Talvoro");
    EXPECT_FALSE(dialogos.vistos[0].texto.isEmpty());
    // Closing that error dialog does not start the sequence again (nor its error).
    EXPECT_FALSE(ativada.wait(300));
    EXPECT_EQ(dialogos.vistos.size(), 1);
    EXPECT_EQ(ativada.size(), 1);
}

TEST(JanelaPrincipal, DialogoDeStatusMostraCadaTextoNaSuaLinha)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;

    // Before the first successful check a click shows nothing.
    {
        Dialogos dialogos;
        clicar(j._lblStatusLoja);
        QCoreApplication::processEvents();
        EXPECT_TRUE(dialogos.vistos.isEmpty());
    }

    StatusLojaResumo resumo;
    resumo.available = QStringLiteral("false");
    resumo.state = QStringLiteral("CLOSED");
    resumo.title = QStringLiteral("Fora do horário | fechado");
    resumo.subtitle = QStringLiteral("|");
    resumo.description = QStringLiteral("Abre às 18h|");
    resumo.mtitle = QStringLiteral("Loja fechada");
    resumo.msubtitle = QString();
    resumo.mdescription = QStringLiteral("a|b|c");
    j.MostraStatusLoja(QStringLiteral("Loja fechada (Fora do horário)"), resumo, false);
    EXPECT_EQ(j._lblStatusLoja->text(), u"Loja fechada (Fora do horário)");
    EXPECT_TRUE(mesmaFigura(j._imgStatusLoja, j._imgLojaOFF));

    QStringList mostrados;
    Dialogos dialogos([&](QWidget* d) {
        auto* status = qobject_cast<T_frmStatusLoja*>(d);
        ASSERT_NE(status, nullptr);
        for (QLabel* l : {status->_lblavailable, status->_lblstate, status->_lbltitle,
                          status->_lblsubtitle, status->_lbldescription, status->_lblmtitle,
                          status->_lblmsubtitle, status->_lblmdescription})
            mostrados << l->text();
        clicar(status->_btnFechar);
    });
    clicar(j._lblStatusLoja);
    ASSERT_EQ(dialogos.vistos.size(), 1);
    EXPECT_EQ(dialogos.vistos[0].titulo, u"Status Loja no Ifood");
    EXPECT_EQ(mostrados, (QStringList{resumo.available, resumo.state, resumo.title, resumo.subtitle,
                                      resumo.description, resumo.mtitle, resumo.msubtitle,
                                      resumo.mdescription}));

    j.MostraStatusLoja(QStringLiteral("Loja aberta: ()"), {}, true);
    EXPECT_TRUE(mesmaFigura(j._imgStatusLoja, j._imgLojaON));
}

TEST(JanelaPrincipal, EnterNaJanelaPesquisaMasNaoDentroDeUmaCaixa)
{
    struct Pagina : IPaginaPrincipal
    {
        void DefineDataPesquisa(const QDateTime& d) override { data = d; }
        // The search bar shows another day than the one set by step 5.
        FiltroPedidos Filtro() const override
        {
            FiltroPedidos f;
            f.data = dataHora(QDate(2024, 5, 1), QTime(10, 0));
            return f;
        }
        void AjustaLayout() override { ++ajustes; }
        void Pesquisar() override { ++pesquisas; }
        QDateTime data;
        int ajustes = 0;
        int pesquisas = 0;
    } pagina;

    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    j.DefinePaginaPrincipal(&pagina);
    ASSERT_TRUE(t.abreEFechaDialogo());
    // Steps 5, 6 and 10 reached the page; the day listed is the search bar's.
    EXPECT_TRUE(pagina.data.isValid());
    EXPECT_GE(pagina.ajustes, 1);
    EXPECT_EQ(t.ambiente.dm.PegaDataInicial, dataHora(QDate(2024, 5, 1), QTime(0, 0)));

    j.MostraPagina(j._tabConfig);
    j.edtClientID->setFocus();
    QTest::keyClick(j.edtClientID, Qt::Key_Return);
    EXPECT_EQ(pagina.pesquisas, 0);

    j.edtClientID->clearFocus();
    j.setFocus();
    QTest::keyClick(&j, Qt::Key_Return);
    EXPECT_EQ(pagina.pesquisas, 1);
    j.DefinePaginaPrincipal(nullptr);
}

TEST(JanelaPrincipal, IntegracaoComOServidorFalsoMostraCicloEStatusDaLoja)
{
    SimuladorIFood s;
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    ASSERT_TRUE(t.lojaAutorizadaNoSimulador(s.sim));
    ASSERT_EQ(j._edtMerchanIDLoja->text(), QLatin1String(sim::IFoodSim::kMerchantPadrao));

    // A new worker takes the merchant id; its cycles run against the fake server.
    clicar(j.swVendeOffLine);
    clicar(j.swVendeOffLine);
    ASSERT_NE(j.vTThreadIFOOD, nullptr);
    ASSERT_TRUE(esperarAte([&] { return j.StatusLoja().has_value(); }));
    EXPECT_TRUE(lerDataHora(j._lblUltAtualizacao->text()).has_value())
        << j._lblUltAtualizacao->text().toStdString();
    EXPECT_EQ(j.edtToken->text(), t.ambiente.dm.GetTokenBD(false).split(u'|').at(4));
    EXPECT_NE(j._lblStatusLoja->text(), u"Status Loja: Fechada");
    EXPECT_EQ(j.StatusLoja()->available, u"true");
    EXPECT_TRUE(mesmaFigura(j._imgStatusLoja, j._imgLojaON));

    QString disponivel;
    Dialogos dialogos([&](QWidget* d) {
        auto* status = qobject_cast<T_frmStatusLoja*>(d);
        ASSERT_NE(status, nullptr);
        disponivel = status->_lblavailable->text();
        clicar(status->_btnFechar);
    });
    clicar(j._lblStatusLoja);
    EXPECT_EQ(disponivel, u"true");
}
