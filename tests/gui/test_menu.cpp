#include "apoio.h"

#include "ui/clicaveis.h"
#include "ui/splitview.h"
#include "ui/toggleswitch.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace talvoro;
using namespace talvoro::teste;

namespace {

QList<ui::TBotaoCategoria*> entradas(T_frmMain& j)
{
    return j.catMenuItems->findChildren<ui::TBotaoCategoria*>();
}

ui::TBotaoCategoria* entrada(T_frmMain& j, QAction* acao)
{
    for (ui::TBotaoCategoria* b : entradas(j))
        if (b->acao() == acao)
            return b;
    return nullptr;
}

bool legendasVisiveis(T_frmMain& j)
{
    bool todas = true;
    for (ui::TBotaoCategoria* b : entradas(j))
        todas = todas && b->mostraLegenda();
    return todas;
}

} // namespace

TEST(MenuLateral, AbreFechaEOEstiloCompacto)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    j.MostraPagina(j._tabConfig);
    clicar(j.chkUseAnimation);
    ASSERT_FALSE(j.chkUseAnimation->isChecked());
    ASSERT_EQ(j.SV->width(), 200);

    clicar(j.imgMenu);
    EXPECT_FALSE(j.SV->isOpen());
    EXPECT_EQ(j.SV->width(), 0);
    EXPECT_FALSE(legendasVisiveis(j));
    clicar(j.imgMenu);
    EXPECT_TRUE(j.SV->isOpen());
    EXPECT_EQ(j.SV->width(), 200);
    EXPECT_EQ(j.catMenuItems->width(), 200);
    EXPECT_TRUE(legendasVisiveis(j));

    clicar(j.rbCompact);
    ASSERT_TRUE(j.rbCompact->isChecked());
    clicar(j.imgMenu);
    EXPECT_EQ(j.SV->width(), j.SV->CompactWidth());
    EXPECT_EQ(j.catMenuItems->width(), j.SV->CompactWidth());
    EXPECT_GE(j.SV->CompactWidth(), 32);
    EXPECT_FALSE(legendasVisiveis(j));
    clicar(j.imgMenu);
    EXPECT_EQ(j.SV->width(), 200);
    EXPECT_EQ(j.catMenuItems->width(), 200);
    EXPECT_TRUE(legendasVisiveis(j));
}

TEST(MenuLateral, AnimacaoChegaAoFim)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    ASSERT_TRUE(j.SV->UseAnimation());
    QSignalSpy fechado(j.SV, &ui::TSplitView::closed);
    clicar(j.imgMenu);
    EXPECT_TRUE(j.SV->Animando());
    ASSERT_TRUE(fechado.wait());
    EXPECT_EQ(j.SV->width(), 0);
    QSignalSpy aberto(j.SV, &ui::TSplitView::opened);
    clicar(j.imgMenu);
    ASSERT_TRUE(aberto.wait());
    EXPECT_EQ(j.SV->width(), 200);
}

TEST(MenuLateral, AjustesDeAnimacao)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    j.MostraPagina(j._tabConfig);
    EXPECT_EQ(j.lblAnimationDelay->text(), u"Animation Delay (15)");
    EXPECT_EQ(j.lblAnimationStep->text(), u"Animation Step (20)");
    EXPECT_EQ(j.SV->AnimationDelay(), 15);
    EXPECT_EQ(j.SV->AnimationStep(), 20);

    QTest::keyClick(j.trkAnimationDelay, Qt::Key_End);
    EXPECT_EQ(j.lblAnimationDelay->text(), u"Animation Delay (75)");
    EXPECT_EQ(j.SV->AnimationDelay(), 75);
    QTest::keyClick(j.trkAnimationStep, Qt::Key_Home);
    EXPECT_EQ(j.lblAnimationStep->text(), u"Animation Step (5)");
    EXPECT_EQ(j.SV->AnimationStep(), 5);

    const QList<QWidget*> dependentes{j.trkAnimationDelay, j.lblAnimationDelay, j.trkAnimationStep,
                                      j.lblAnimationStep};
    clicar(j.chkUseAnimation);
    for (QWidget* w : dependentes)
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_FALSE(j.SV->UseAnimation());
    clicar(j.chkUseAnimation);
    for (QWidget* w : dependentes)
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
}

TEST(MenuLateral, EntradasMudamDePaginaERegistram)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    clicar(entrada(j, j.actLayout));
    EXPECT_EQ(j.PageControl1->currentWidget(), j._tabConfig);
    EXPECT_TRUE(j.SV->isOpen());
    clicar(j.chkUseAnimation);
    clicar(j.chkCloseOnMenuClick);
    clicar(entrada(j, j.actHome));
    EXPECT_EQ(j.PageControl1->currentWidget(), j._tabMain);
    EXPECT_FALSE(j.SV->isOpen());
    ASSERT_EQ(j.lstLog->count(), 2);
    EXPECT_EQ(j.lstLog->item(0)->text(), u"Configurações Clicked");
    EXPECT_EQ(j.lstLog->item(1)->text(), u"Principal Clicked");

    // The entries whose pages are not built yet are there, but disabled.
    EXPECT_EQ(j.actPower->text(), u"Fechar Loja");
    EXPECT_FALSE(entrada(j, j.actPower)->isEnabled());
    EXPECT_EQ(j.actLogGeral->text(), u"Log Geral");
    EXPECT_FALSE(entrada(j, j.actLogGeral)->isEnabled());
    EXPECT_EQ(entradas(j).size(), 4);
}

TEST(Acessibilidade, NossosControlesTemNomePapelEEstado)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    const struct
    {
        QWidget* controle;
        QAccessible::Role papel;
        const char* nome;
        bool marcado;
        bool habilitado;
    } casos[] = {
        {j.swVendeOffLine, QAccessible::CheckBox, "Integração com o iFood", true, true},
        {j.swAceiteAut, QAccessible::CheckBox, "Aceite automático de pedidos", false, true},
        {entrada(j, j.actHome), QAccessible::Button, "Principal", false, true},
        {entrada(j, j.actPower), QAccessible::Button, "Fechar Loja", false, false},
        {j._lblStatusLoja, QAccessible::Button, "Status da loja no iFood", false, true},
        {j.imgMenu, QAccessible::Button, "Menu", false, true},
        {j._imgStatusLoja, QAccessible::Graphic, "Situação da loja no iFood", false, true},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        QAccessibleInterface* ai = QAccessible::queryAccessibleInterface(caso.controle);
        ASSERT_NE(ai, nullptr);
        EXPECT_EQ(ai->role(), caso.papel);
        EXPECT_EQ(ai->text(QAccessible::Name), QString::fromUtf8(caso.nome));
        EXPECT_EQ(bool(ai->state().checked), caso.marcado);
        EXPECT_EQ(bool(ai->state().disabled), !caso.habilitado);
    }
    // The switch's state follows it.
    clicar(j.swAceiteAut);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(j.swAceiteAut)->state().checked);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(j.swAceiteAut)->state().checkable);
}
