// The frame around the pages: toolbar, side menu and its display settings, navigation.
#include "frmmain.h"

#include "ui/avisos.h"
#include "ui/clicaveis.h"
#include "ui/desenhos.h"
#include "ui/fontes.h"
#include "ui/splitview.h"
#include "ui/statusloja.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

namespace talvoro {

namespace {

void pinta(QWidget* w, const QColor& cor)
{
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, cor);
    w->setPalette(pal);
}

const QColor kAzulEscuro(0x1E, 0x2F, 0x57);
const QColor kAzulMenu(0x51, 0x7C, 0xBD);

} // namespace

void T_frmMain::MontaToolbar()
{
    pnlToolbar = new QFrame(this);
    pnlToolbar->setObjectName(QStringLiteral("pnlToolbar"));
    pnlToolbar->setFixedHeight(62);
    pinta(pnlToolbar, Qt::black);

    RelativePanel6 = new QFrame(pnlToolbar);
    RelativePanel6->setObjectName(QStringLiteral("RelativePanel6"));
    RelativePanel6->setFixedSize(62, 62);
    pinta(RelativePanel6, kAzulEscuro);
    imgMenu = new ui::TImagemClicavel(RelativePanel6);
    imgMenu->setObjectName(QStringLiteral("imgMenu"));
    imgMenu->setPixmap(ui::desenho::menu(32));
    imgMenu->setGeometry(15, 15, 32, 32);
    imgMenu->setAccessibleName(QStringLiteral("Menu"));
    imgMenu->setToolTip(QStringLiteral("Menu"));

    RelativePanel7 = new QFrame(pnlToolbar);
    RelativePanel7->setObjectName(QStringLiteral("RelativePanel7"));
    pinta(RelativePanel7, kAzulEscuro);
    _imgStatusLoja = new QLabel(RelativePanel7);
    _imgStatusLoja->setObjectName(QStringLiteral("_imgStatusLoja"));
    _imgStatusLoja->setFixedSize(20, 20);
    _imgStatusLoja->setToolTip(QStringLiteral("Reabrir a Loja"));
    _imgStatusLoja->setCursor(Qt::PointingHandCursor);
    _imgStatusLoja->setAccessibleName(QStringLiteral("Situação da loja no iFood"));
    _imgStatusLoja->setAccessibleDescription(QStringLiteral("Loja fechada"));
    _lblStatusLoja = new ui::TLabelClicavel(RelativePanel7);
    _lblStatusLoja->setObjectName(QStringLiteral("_lblStatusLoja"));
    _lblStatusLoja->setText(QStringLiteral("Status Loja: Fechada"));
    _lblStatusLoja->setFont(ui::tahoma(16, true));
    _lblStatusLoja->setCor(Qt::white);
    _lblStatusLoja->setAccessibleName(QStringLiteral("Status da loja no iFood"));
    _lblStatusLoja->setAccessibleDescription(_lblStatusLoja->text());

    auto* status = new QHBoxLayout(RelativePanel7);
    status->setContentsMargins(10, 0, 10, 0);
    status->setSpacing(8);
    status->addWidget(_imgStatusLoja, 0, Qt::AlignVCenter);
    status->addWidget(_lblStatusLoja, 1, Qt::AlignVCenter);

    auto* barra = new QHBoxLayout(pnlToolbar);
    barra->setContentsMargins(0, 0, 0, 0);
    barra->setSpacing(1);
    barra->addWidget(RelativePanel6);
    barra->addWidget(RelativePanel7, 1);
}

void T_frmMain::MontaMenuLateral()
{
    SV = new ui::TSplitView(this);
    SV->setObjectName(QStringLiteral("SV"));
    pinta(SV, kAzulMenu);

    Image1 = new QLabel(SV);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(200, 68);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(ui::desenho::logo(QSize(200, 68)));
    Image1->setAccessibleName(QStringLiteral("Talvoro"));

    Panel5 = new QFrame(SV);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setFixedSize(200, 44);

    auto acao = [this](const char* nome, const QString& legenda, const QPixmap& icone) {
        auto* a = new QAction(QIcon(icone), legenda, this);
        a->setObjectName(QString::fromLatin1(nome));
        return a;
    };
    actHome = acao("actHome", QStringLiteral("Principal"), ui::desenho::inicio(32));
    actLayout = acao("actLayout", QStringLiteral("Configurações"), ui::desenho::configuracoes(32));
    actPower = acao("actPower", QStringLiteral("Fechar Loja"), ui::desenho::energia(32));
    actLogGeral = acao("actLogGeral", QStringLiteral("Log Geral"), ui::desenho::registro(32));
    // Their pages are not built yet: the entries say so instead of doing nothing.
    actPower->setEnabled(false);
    actLogGeral->setEnabled(false);

    catMenuItems = new QWidget(SV);
    catMenuItems->setObjectName(QStringLiteral("catMenuItems"));
    catMenuItems->setAccessibleName(QStringLiteral("Menu"));
    catMenuItems->setFixedWidth(SV->OpenedWidth());
    auto* lista = new QVBoxLayout(catMenuItems);
    lista->setContentsMargins(0, 0, 0, 0);
    lista->setSpacing(0);
    for (QAction* a : {actHome, actLayout, actPower, actLogGeral}) {
        auto* botao = new ui::TBotaoCategoria(a, catMenuItems);
        botao->setObjectName(QStringLiteral("btn") + a->objectName());
        botao->setFixedHeight(40);
        botao->setFont(ui::segoeUI(12));
        lista->addWidget(botao);
    }
    lista->addStretch(1);

    auto* coluna = new QVBoxLayout(SV);
    coluna->setContentsMargins(0, 0, 0, 0);
    coluna->setSpacing(0);
    coluna->addWidget(Image1, 0, Qt::AlignLeft);
    coluna->addWidget(Panel5, 0, Qt::AlignLeft);
    coluna->addWidget(catMenuItems, 1, Qt::AlignLeft);
}

// The display settings of the side menu on the configuration page.
void T_frmMain::MontaMenuConfig()
{
    grpMenu = new QGroupBox(QStringLiteral("     Menu     "), _tabConfig);
    grpMenu->setObjectName(QStringLiteral("grpMenu"));
    grpMenu->setGeometry(880, 3, 300, 501);

    chkUseAnimation = new QCheckBox(QStringLiteral("Use Animation"), grpMenu);
    chkUseAnimation->setObjectName(QStringLiteral("chkUseAnimation"));
    chkUseAnimation->setGeometry(12, 28, 270, 20);
    chkUseAnimation->setChecked(true);

    lblAnimationDelay = new QLabel(QStringLiteral("Animation Delay (15)"), grpMenu);
    lblAnimationDelay->setObjectName(QStringLiteral("lblAnimationDelay"));
    lblAnimationDelay->setGeometry(12, 56, 270, 18);
    trkAnimationDelay = new QSlider(Qt::Horizontal, grpMenu);
    trkAnimationDelay->setObjectName(QStringLiteral("trkAnimationDelay"));
    trkAnimationDelay->setGeometry(12, 76, 270, 24);
    trkAnimationDelay->setRange(1, 15);
    trkAnimationDelay->setValue(3);
    trkAnimationDelay->setAccessibleName(QStringLiteral("Animation Delay"));
    lblAnimationDelay->setBuddy(trkAnimationDelay);

    lblAnimationStep = new QLabel(QStringLiteral("Animation Step (20)"), grpMenu);
    lblAnimationStep->setObjectName(QStringLiteral("lblAnimationStep"));
    lblAnimationStep->setGeometry(12, 108, 270, 18);
    trkAnimationStep = new QSlider(Qt::Horizontal, grpMenu);
    trkAnimationStep->setObjectName(QStringLiteral("trkAnimationStep"));
    trkAnimationStep->setGeometry(12, 128, 270, 24);
    trkAnimationStep->setRange(1, 15);
    trkAnimationStep->setValue(4);
    trkAnimationStep->setAccessibleName(QStringLiteral("Animation Step"));
    lblAnimationStep->setBuddy(trkAnimationStep);

    grpCloseStyle = new QGroupBox(QStringLiteral("Close Style"), grpMenu);
    grpCloseStyle->setObjectName(QStringLiteral("grpCloseStyle"));
    grpCloseStyle->setGeometry(12, 162, 270, 56);
    rbCollapse = new QRadioButton(QStringLiteral("Collapse"), grpCloseStyle);
    rbCollapse->setObjectName(QStringLiteral("rbCollapse"));
    rbCompact = new QRadioButton(QStringLiteral("Compact"), grpCloseStyle);
    rbCompact->setObjectName(QStringLiteral("rbCompact"));
    rbCollapse->setChecked(true);
    auto* colunas = new QGridLayout(grpCloseStyle);
    colunas->addWidget(rbCollapse, 0, 0);
    colunas->addWidget(rbCompact, 0, 1);

    chkCloseOnMenuClick = new QCheckBox(QStringLiteral("Close on Menu Click"), grpMenu);
    chkCloseOnMenuClick->setObjectName(QStringLiteral("chkCloseOnMenuClick"));
    chkCloseOnMenuClick->setGeometry(12, 228, 270, 20);

    lstLog = new QListWidget(grpMenu);
    lstLog->setObjectName(QStringLiteral("lstLog"));
    lstLog->setGeometry(12, 258, 276, 230);
    lstLog->setAccessibleName(QStringLiteral("Atividade do menu"));
}

void T_frmMain::ConectaMenu()
{
    auto guardado = [this](auto handler) {
        return [this, handler] { ui::protegido([this, handler] { (this->*handler)(); }); };
    };
    connect(imgMenu, &QAbstractButton::clicked, this, guardado(&T_frmMain::imgMenuClick));
    connect(_lblStatusLoja, &QAbstractButton::clicked, this,
            guardado(&T_frmMain::_lblStatusLojaClick));
    connect(actHome, &QAction::triggered, this, guardado(&T_frmMain::actHomeExecute));
    connect(actLayout, &QAction::triggered, this, guardado(&T_frmMain::actLayoutExecute));
    connect(SV, &ui::TSplitView::opening, this, guardado(&T_frmMain::SVOpening));
    connect(SV, &ui::TSplitView::opened, this, guardado(&T_frmMain::SVOpened));
    connect(SV, &ui::TSplitView::closed, this, guardado(&T_frmMain::SVClosed));
    connect(chkUseAnimation, &QCheckBox::toggled, this, guardado(&T_frmMain::chkUseAnimationClick));
    connect(trkAnimationDelay, &QSlider::valueChanged, this,
            guardado(&T_frmMain::trkAnimationDelayChange));
    connect(trkAnimationStep, &QSlider::valueChanged, this,
            guardado(&T_frmMain::trkAnimationStepChange));
    connect(rbCollapse, &QRadioButton::toggled, this, guardado(&T_frmMain::grpCloseStyleClick));
    connect(rbCompact, &QRadioButton::toggled, this, guardado(&T_frmMain::grpCloseStyleClick));

    SV->setAnimationDelay(trkAnimationDelay->value() * 5);
    SV->setAnimationStep(trkAnimationStep->value() * 5);
}

void T_frmMain::MostraPagina(QWidget* pagina)
{
    PageControl1->setCurrentWidget(pagina);
}

void T_frmMain::imgMenuClick()
{
    if (SV->isOpen())
        SV->Close();
    else
        SV->Open();
}

void T_frmMain::SVOpening()
{
    for (auto* botao : catMenuItems->findChildren<ui::TBotaoCategoria*>())
        botao->setMostraLegenda(true);
    catMenuItems->setFixedWidth(SV->OpenedWidth());
}

void T_frmMain::SVOpened()
{
    SVOpening();
}

void T_frmMain::SVClosed()
{
    for (auto* botao : catMenuItems->findChildren<ui::TBotaoCategoria*>())
        botao->setMostraLegenda(false);
    if (SV->closeStyle() == ui::TSplitView::CloseStyle::Compact)
        catMenuItems->setFixedWidth(SV->CompactWidth());
}

namespace {

void registraClique(QListWidget* lista, const QString& legenda)
{
    lista->addItem(legenda + QStringLiteral(" Clicked"));
    lista->scrollToBottom();
}

} // namespace

void T_frmMain::actHomeExecute()
{
    registraClique(lstLog, actHome->text());
    if (SV->isOpen() && chkCloseOnMenuClick->isChecked())
        SV->Close();
    MostraPagina(_tabMain);
}

void T_frmMain::actLayoutExecute()
{
    registraClique(lstLog, actLayout->text());
    if (SV->isOpen() && chkCloseOnMenuClick->isChecked())
        SV->Close();
    MostraPagina(_tabConfig);
}

void T_frmMain::chkUseAnimationClick()
{
    const bool usa = chkUseAnimation->isChecked();
    SV->setUseAnimation(usa);
    for (QWidget* w : std::initializer_list<QWidget*>{trkAnimationDelay, lblAnimationDelay,
                                                      trkAnimationStep, lblAnimationStep})
        w->setEnabled(usa);
}

void T_frmMain::trkAnimationDelayChange()
{
    const int atraso = trkAnimationDelay->value() * 5;
    SV->setAnimationDelay(atraso);
    lblAnimationDelay->setText(QStringLiteral("Animation Delay (%1)").arg(atraso));
}

void T_frmMain::trkAnimationStepChange()
{
    const int passo = trkAnimationStep->value() * 5;
    SV->setAnimationStep(passo);
    lblAnimationStep->setText(QStringLiteral("Animation Step (%1)").arg(passo));
}

void T_frmMain::grpCloseStyleClick()
{
    SV->setCloseStyle(rbCompact->isChecked() ? ui::TSplitView::CloseStyle::Compact
                                             : ui::TSplitView::CloseStyle::Collapse);
}

void T_frmMain::_lblStatusLojaClick()
{
    if (!FStatusLoja)
        return;
    ExibeStatusLoja(*FStatusLoja, this);
}

} // namespace talvoro
