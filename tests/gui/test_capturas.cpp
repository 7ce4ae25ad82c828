#include "apoio.h"

#include "ui/avisos.h"
#include "ui/mensagens.h"
#include "ui/statusloja.h"
#include "ui/toggleswitch.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace talvoro;
using namespace talvoro::teste;

// Pictures of the main window and of every dialog, for people to look at:
// <build>/screenshots/*.png.
TEST(Capturas, JanelaEDialogos)
{
    const QDir pasta(QStringLiteral(TALVORO_PASTA_BUILD "/screenshots"));
    ASSERT_TRUE(pasta.mkpath(QStringLiteral(".")));
    QStringList salvas;
    auto salvar = [&](QWidget* w, const QString& nome) {
        const QString arquivo = pasta.filePath(nome + QStringLiteral(".png"));
        QCoreApplication::sendPostedEvents(); // pending layouts
        const QPixmap figura = w->grab();
        EXPECT_FALSE(figura.isNull()) << nome.toStdString();
        EXPECT_TRUE(figura.save(arquivo)) << arquivo.toStdString();
        salvas << nome;
    };

    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    j.resize(1924, 964);
    StatusLojaResumo resumo;
    resumo.available = QStringLiteral("true");
    resumo.state = QStringLiteral("OK");
    resumo.title = QStringLiteral("Loja aberta");
    resumo.subtitle = QStringLiteral("Dentro do horário | turno da noite");
    resumo.description = QStringLiteral("A loja está recebendo pedidos");
    resumo.mtitle = QStringLiteral("Loja online");
    resumo.msubtitle = QStringLiteral("Tudo certo");
    resumo.mdescription = QStringLiteral("Nenhuma pendência encontrada");
    j.MostraStatusLoja(QStringLiteral("Loja online: (Loja aberta)"), resumo, true);
    j.MostraUltimaAtualizacao(QStringLiteral("15/03/2025 19:42:10"));
    salvar(&j, QStringLiteral("01-principal"));

    j.MostraPagina(j._tabConfig);
    j.edtClientID->setText(QStringLiteral("0f1e2d3c-aaaa-bbbb-cccc-123456789abc"));
    j.edtClientSecret->setText(QStringLiteral("segredo"));
    j._edtMerchanIDLoja->setText(QStringLiteral("6b487a27-c4fc-4f26-b05e-3967c2331882"));
    salvar(&j, QStringLiteral("02-configuracoes"));

    j.rbCompact->setChecked(true);
    j.chkUseAnimation->setChecked(false);
    j.imgMenuClick();
    j.MostraPagina(j._tabMain);
    j.swVendeOffLine->setChecked(false);
    salvar(&j, QStringLiteral("03-menu-compacto-integracao-desligada"));
    j.imgMenuClick();

    Dialogos dialogos;
    dialogos.aoAbrir = [&](QWidget* d) {
        salvar(d, QStringLiteral("%1-%2")
                      .arg(10 + dialogos.vistos.size())
                      .arg(QString::fromLatin1(d->metaObject()->className())
                               .remove(QStringLiteral("talvoro::"))));
    };
    T_frmFormMensagensPadrao::Mensagem(QStringLiteral("Pedido confirmado com sucesso!"), u'I',
                                       {mbOk});
    T_frmFormMensagensPadrao::Mensagem(
        QStringLiteral("Deseja realmente recusar o pedido 1234? Esta ação não pode ser desfeita."),
        u'Q', {mbSim, mbNao});
    T_frmFormMensagensPadrao::Mensagem(QStringLiteral("Falha ao aceitar o pedido"), u'E', {mbOk});
    ExibeGravacaoOK();
    ExibeStatusLoja(resumo, &j);
    ui::ExibeErroPadrao(QStringLiteral("unavailable database"));
    j.accessToken->clear();
    j.swVendeOffLine->setChecked(true);
    EXPECT_EQ(salvas.size(), 3 + 7);
}
