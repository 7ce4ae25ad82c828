#include "apoio.h"

#include "base/datahora.h"
#include "support/simulador.h"
#include "ui/alertapendentes.h"
#include "ui/clicaveis.h"
#include "ui/toggleswitch.h"
#include "worker/worker.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

#include <vector>

using namespace talvoro;
using namespace talvoro::teste;

namespace {

// Records the tones instead of sounding them, while it lives.
struct TonsGravados
{
    TonsGravados()
    {
        TFAlertaMsg::DefineGeradorTom([this](int hz, int ms) {
            frequencias.push_back(hz);
            duracoes.push_back(ms);
        });
    }
    ~TonsGravados() { TFAlertaMsg::DefineGeradorTom({}); }
    std::vector<int> frequencias, duracoes;
};

void inserirPedido(TDM& dm, const QString& status, const QDateTime& quando)
{
    static int n = 0;
    fb::Instrucao(dm.FDConnection1(),
                  "insert into ifood_pedidos (datapedido, statuspedido, reference) values "
                  "(:quando, :status, :reference)")
        .param("quando", quando)
        .param("status", status)
        .param("reference", QStringLiteral("alerta-%1").arg(++n))
        .executar();
}

} // namespace

TEST(AlertaPendentes, ContaSoOsPendentesDeHoje)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    ASSERT_NE(j.vTThreadIFOOD, nullptr);
    TonsGravados tons;
    TDM& dm = t.ambiente.dm;
    const QDateTime ontem = hojeMeiaNoite().addSecs(-60);
    inserirPedido(dm, QStringLiteral("PNA"), ontem);
    inserirPedido(dm, QStringLiteral("PIN"), agora());
    inserirPedido(dm, QStringLiteral("PEA"), agora());

    j.vTThreadIFOOD->VerificaPendentes();
    EXPECT_EQ(TFAlertaMsg::Atual(), nullptr);

    inserirPedido(dm, QStringLiteral("PNA"), hojeMeiaNoite());
    inserirPedido(dm, QStringLiteral("PNA"), agora());
    j.vTThreadIFOOD->VerificaPendentes();
    TFAlertaMsg* alerta = TFAlertaMsg::Atual();
    ASSERT_NE(alerta, nullptr);
    EXPECT_EQ(alerta->objectName(), u"FAlertaMsg");
    EXPECT_TRUE(alerta->isVisible());
    EXPECT_EQ(alerta->Tag, 2);
    EXPECT_EQ(alerta->_lblLoja->text(), u"Talvoro");
    EXPECT_EQ(alerta->_lblAviso1->text(), u"2");
    EXPECT_EQ(alerta->_lblAviso1->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(alerta->Label2->text(), u"pedido(s) pendente(s).");
    EXPECT_EQ(alerta->windowTitle(), u"Atenção! Pedidos pendentes...");
    EXPECT_TRUE(alerta->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(alerta->Button1->isVisible());

    // A click on the picture closes it.
    clicar(alerta->Image1);
    EXPECT_TRUE(esperarAte([] { return TFAlertaMsg::Atual() == nullptr; }));
}

// The alert slides, sounds and closes on its own timers: the program answers the operator the
// whole time, a second request only refreshes the count, and switching the integration off
// while it shows neither waits for it nor leaves it pointing at the freed worker.
TEST(AlertaPendentes, DeslizaSoaEFechaSemPrenderOPrograma)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    TonsGravados tons;
    inserirPedido(t.ambiente.dm, QStringLiteral("PNA"), agora());
    ASSERT_NE(j.vTThreadIFOOD, nullptr);
    j.vTThreadIFOOD->VerificaPendentes();
    TFAlertaMsg* alerta = TFAlertaMsg::Atual();
    ASSERT_NE(alerta, nullptr);

    const QScreen* tela = QGuiApplication::primaryScreen();
    const QPoint repouso = TFAlertaMsg::PosicaoRepouso(tela->geometry(), tela->availableGeometry(),
                                                       TFAlertaMsg::kTamanho);
    EXPECT_EQ(alerta->FaseAtual(), TFAlertaMsg::Fase::Deslizando);
    EXPECT_GT(alerta->y(), repouso.y());

    const bool aceiteAntes = j.swAceiteAut->isChecked();
    clicar(j.swAceiteAut);
    EXPECT_NE(j.swAceiteAut->isChecked(), aceiteAntes);
    EXPECT_EQ(TFAlertaMsg::Atual(), alerta);

    j.ExibeAlerta(3, QStringLiteral("Talvoro"));
    EXPECT_EQ(TFAlertaMsg::Atual(), alerta);
    EXPECT_EQ(alerta->_lblAviso1->text(), u"3");
    EXPECT_EQ(alerta->Tag, 3);

    clicar(j.swVendeOffLine);
    EXPECT_EQ(j.vTThreadIFOOD, nullptr);
    EXPECT_EQ(TFAlertaMsg::Atual(), alerta);

    ASSERT_TRUE(esperarAte([&] { return alerta->FaseAtual() != TFAlertaMsg::Fase::Deslizando; }));
    EXPECT_EQ(alerta->pos(), repouso);
    ASSERT_TRUE(esperarAte([] { return TFAlertaMsg::Atual() == nullptr; }));
    EXPECT_EQ(tons.frequencias, std::vector<int>({5000, 1000, 3000, 5000, 7000}));
    EXPECT_EQ(tons.duracoes, std::vector<int>(5, 200));
}

TEST(AlertaPendentes, RepousaAcimaDaBarraDeTarefas)
{
    const QSize tamanho = TFAlertaMsg::kTamanho;
    const struct
    {
        const char* nome;
        QRect tela, disponivel;
        QPoint repouso;
        int inicioY;
    } casos[] = {
        {"barra de 40 px embaixo", {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, {1576, 875}, 1284},
        {"sem barra", {0, 0, 1366, 768}, {0, 0, 1366, 768}, {1022, 603}, 932},
        {"barra no topo", {0, 0, 1366, 768}, {0, 30, 1366, 738}, {1022, 603}, 932},
        {"segunda origem", {1920, 0, 1280, 1024}, {1920, 0, 1280, 984}, {2856, 819}, 1228},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(TFAlertaMsg::PosicaoRepouso(c.tela, c.disponivel, tamanho), c.repouso);
        EXPECT_EQ(TFAlertaMsg::PosicaoInicial(c.tela, c.disponivel, tamanho),
                  QPoint(c.repouso.x(), c.inicioY));
    }
}
