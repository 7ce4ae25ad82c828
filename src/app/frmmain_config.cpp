// The configuration page: IFOODConfig.ini loaded into it and saved from it.
#include "frmmain.h"

#include "config/configuracao.h"
#include "ui/avisos.h"
#include "ui/botaoestilizado.h"
#include "ui/desenhos.h"
#include "ui/mensagens.h"
#include "ui/toggleswitch.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace talvoro {

namespace {

// A text box with its caption above it.
QLineEdit* criaCaixa(QWidget* pai, const char* nome, const QString& legenda, int x, int y,
                     int largura)
{
    auto* rotulo = new QLabel(legenda, pai);
    rotulo->setObjectName(QStringLiteral("lbl") + QString::fromLatin1(nome));
    rotulo->setGeometry(x, y - 17, largura, 16);
    auto* caixa = new QLineEdit(pai);
    caixa->setObjectName(QString::fromLatin1(nome));
    caixa->setGeometry(x, y, largura, 23);
    caixa->setAccessibleName(legenda);
    rotulo->setBuddy(caixa);
    return caixa;
}

// Working storage of the window: kept on the page, never shown.
QLineEdit* criaCaixaOculta(QWidget* pai, const char* nome, const QString& legenda, int y)
{
    QLineEdit* caixa = criaCaixa(pai, nome, legenda, 10, y, 385);
    caixa->hide();
    if (auto* rotulo = pai->findChild<QLabel*>(QStringLiteral("lbl") + QString::fromLatin1(nome)))
        rotulo->hide();
    return caixa;
}

QCheckBox* criaMarca(QWidget* pai, const char* nome, const QString& legenda, int y)
{
    auto* marca = new QCheckBox(legenda, pai);
    marca->setObjectName(QString::fromLatin1(nome));
    marca->setGeometry(436, y, 400, 20);
    return marca;
}

} // namespace

void T_frmMain::MontaPaginaConfig()
{
    GroupBox9 = new QGroupBox(QStringLiteral("     Dados iFood     "), _tabConfig);
    GroupBox9->setObjectName(QStringLiteral("GroupBox9"));
    GroupBox9->setGeometry(16, 3, 411, 501);

    edtClientID = criaCaixa(GroupBox9, "edtClientID", QStringLiteral("Client ID"), 9, 36, 225);
    edtClientSecret =
        criaCaixa(GroupBox9, "edtClientSecret", QStringLiteral("Client Secret"), 240, 36, 155);
    edtClientSecret->setEchoMode(QLineEdit::Password);

    // The two authorization steps; their buttons and boxes arrive with the authorization.
    GroupBox15 = new QGroupBox(QStringLiteral("      Passo 1      "), GroupBox9);
    GroupBox15->setObjectName(QStringLiteral("GroupBox15"));
    GroupBox15->setGeometry(9, 70, 193, 149);
    GroupBox16 = new QGroupBox(QStringLiteral("      Passo 2      "), GroupBox9);
    GroupBox16->setObjectName(QStringLiteral("GroupBox16"));
    GroupBox16->setGeometry(210, 70, 185, 149);
    authorizationCode = criaCaixa(GroupBox16, "authorizationCode",
                                  QStringLiteral("Código de Autorização"), 8, 42, 169);

    _edtMerchanIDLoja =
        criaCaixa(GroupBox9, "_edtMerchanIDLoja", QStringLiteral("Merchan ID Loja"), 10, 236, 385);

    edtUsername = criaCaixaOculta(GroupBox9, "edtUsername", QStringLiteral("Username"), 290);
    edtPassword = criaCaixaOculta(GroupBox9, "edtPassword", QStringLiteral("Password"), 330);
    edtPassword->setEchoMode(QLineEdit::Password);
    edtToken = criaCaixaOculta(GroupBox9, "edtToken", QStringLiteral("Token:"), 370);
    _lblToken = GroupBox9->findChild<QLabel*>(QStringLiteral("lbledtToken"));
    _lblToken->setObjectName(QStringLiteral("_lblToken"));
    authorizationCodeVerifier = criaCaixaOculta(GroupBox9, "authorizationCodeVerifier",
                                                QStringLiteral("authorizationCodeVerifier"), 410);
    accessToken = criaCaixaOculta(GroupBox9, "accessToken", QStringLiteral("accessToken"), 450);
    refreshToken = criaCaixaOculta(GroupBox9, "refreshToken", QStringLiteral("refreshToken"), 490);
    // Carries no valid token: it only lets the integration start at the first activation.
    // A new authorization empties it and fills it again when it completes.
    accessToken->setText(QStringLiteral("accessToken"));

    _checkAceitaPedido = criaMarca(_tabConfig, "_checkAceitaPedido",
                                   QStringLiteral("Aceita Pedido Automaticamente?"), 266);
    _checkAdcComoProd =
        criaMarca(_tabConfig, "_checkAdcComoProd", QStringLiteral("Adicional como Produto?"), 289);
    _checkImprimeViaEntregador =
        criaMarca(_tabConfig, "_checkImprimeViaEntregador",
                  QStringLiteral("Imprime via do entregador Automaticamente?"), 312);
    _checkUtilizaIFood =
        criaMarca(_tabConfig, "_checkUtilizaIFood", QStringLiteral("Utiliza iFood?"), 335);
    _checkUtilizaIFood->hide();

    _btnGravarConfig = new QPushButton(QStringLiteral("Gravar"), _tabConfig);
    _btnGravarConfig->setObjectName(QStringLiteral("_btnGravarConfig"));
    _btnGravarConfig->setGeometry(16, 510, 110, 50);
    _btnGravarConfig->setIcon(ui::desenho::gravar(20));
    _btnGravarConfig->setIconSize(QSize(20, 20));
    ui::estilizaBotao(_btnGravarConfig, ui::EstiloBotao::gravar());
    connect(_btnGravarConfig, &QPushButton::clicked, this,
            [this] { ui::protegido([this] { _btnGravarConfigClick(); }); });

    MontaMenuConfig();
}

void T_frmMain::CarregaConfiguracao()
{
    const ConfiguracaoIFood c = lerConfiguracao();
    edtClientID->setText(c.clientId);
    edtClientSecret->setText(c.clientSecret);
    edtUsername->setText(c.clientUsername);
    edtPassword->setText(c.clientPassword);
    _edtMerchanIDLoja->setText(c.merchantIdLoja);
    _checkAceitaPedido->setChecked(c.aceitaPedidoAuto);
    _checkUtilizaIFood->setChecked(c.utilizaIFood);
    _checkImprimeViaEntregador->setChecked(c.imprimeViaEntregadorAut);
    _checkAdcComoProd->setChecked(c.adcComoProd);
    // A change of state runs the switch's handler, which writes the same value back.
    swAceiteAut->setChecked(_checkAceitaPedido->isChecked());
}

void T_frmMain::GravaConfiguracao(bool exibeAviso)
{
    ConfiguracaoIFood c;
    c.clientId = edtClientID->text();
    c.clientSecret = edtClientSecret->text();
    c.clientUsername = edtUsername->text();
    c.clientPassword = edtPassword->text();
    c.merchantIdLoja = _edtMerchanIDLoja->text();
    c.aceitaPedidoAuto = _checkAceitaPedido->isChecked();
    c.utilizaIFood = _checkUtilizaIFood->isChecked();
    c.adcComoProd = _checkAdcComoProd->isChecked();
    c.imprimeViaEntregadorAut = _checkImprimeViaEntregador->isChecked();
    gravarConfiguracao(c);
    if (exibeAviso)
        ExibeGravacaoOK();
}

void T_frmMain::_btnGravarConfigClick()
{
    GravaConfiguracao(true);
    MostraPagina(_tabMain);
}

} // namespace talvoro
