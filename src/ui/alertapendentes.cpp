#include "alertapendentes.h"

#include "clicaveis.h"
#include "desenhos.h"
#include "fontes.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace talvoro {

namespace {

// A step of the slide every few milliseconds: about half a second from below the screen to
// the resting place.
constexpr int kIntervaloDeslizeMs = 10;
constexpr int kPixelsPorPasso = 6;

QPointer<TFAlertaMsg> g_atual;

TFAlertaMsg::GeradorTom& gerador()
{
    static TFAlertaMsg::GeradorTom g = [](int, int) { QApplication::beep(); };
    return g;
}

QLabel* criaRotulo(QWidget* pai, const char* nome, const QString& texto, int x, int y, int pixels,
                   const QColor& cor)
{
    auto* rotulo = new QLabel(texto, pai);
    rotulo->setObjectName(QString::fromLatin1(nome));
    rotulo->setFont(ui::fonte(QStringLiteral("Verdana"), pixels, true));
    QPalette pal = rotulo->palette();
    pal.setColor(QPalette::WindowText, cor);
    rotulo->setPalette(pal);
    rotulo->move(x, y);
    rotulo->adjustSize();
    return rotulo;
}

} // namespace

TFAlertaMsg::TFAlertaMsg(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FAlertaMsg"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The operator keeps typing where he was: the alert never takes the focus.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(ui::tahoma(11));
    resize(kTamanho);
    setAutoFillBackground(true);
    QPalette fundo = palette();
    fundo.setColor(QPalette::Window, QColor(0x24, 0x4E, 0x77));
    setPalette(fundo);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, kTamanho.width(), kTamanho.height());
    Panel1->setAutoFillBackground(true);
    Panel1->setPalette(fundo);

    Image1 = new ui::TImagemClicavel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 333, 201);
    Image1->setAccessibleName(QStringLiteral("Fechar aviso"));
    Image1->setFocusPolicy(Qt::NoFocus);
    connect(Image1, &QAbstractButton::clicked, this, [this] { Image1Click(); });

    _lblLoja = criaRotulo(Panel1, "_lblLoja", QStringLiteral("Loja:"), 11, 24, 19, Qt::white);
    _lblAviso1 = criaRotulo(Panel1, "_lblAviso1", QStringLiteral("@"), 15, 56, 29, Qt::red);
    Label2 = criaRotulo(Panel1, "Label2", QStringLiteral("pedido(s) pendente(s)."), 49, 64, 21,
                        Qt::yellow);

    Image2 = new QLabel(Panel1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(259, 112, 52, 52);
    Image2->setAlignment(Qt::AlignCenter);
    Image2->setPixmap(ui::desenho::cuidado(QSize(52, 52)));

    // Hidden below the client area, as designed.
    Button1 = new QPushButton(QStringLiteral("Fechar"), Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(117, 209, 75, 25);
    Button1->setFont(ui::fonte(QStringLiteral("Arial"), 13));
    Button1->hide();
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    FTimerDeslize.setInterval(kIntervaloDeslizeMs);
    connect(&FTimerDeslize, &QTimer::timeout, this, &TFAlertaMsg::PassoDeslize);
    FTimerTons.setInterval(kDuracaoTomMs);
    connect(&FTimerTons, &QTimer::timeout, this, &TFAlertaMsg::ProximoTom);
    FTimerFecha.setSingleShot(true);
    FTimerFecha.setInterval(kPermanenciaMs);
    connect(&FTimerFecha, &QTimer::timeout, this, &QWidget::close);
}

TFAlertaMsg::~TFAlertaMsg() = default;

void TFAlertaMsg::FormActivate()
{
    _lblLoja->setText(windowTitle());
    _lblLoja->adjustSize();
    QString aviso = _lblAviso1->text();
    const qsizetype arroba = aviso.indexOf(u'@', 0, Qt::CaseInsensitive);
    if (arroba >= 0)
        aviso.replace(arroba, 1, QString::number(Tag));
    _lblAviso1->setText(aviso);
    _lblAviso1->adjustSize();
    // A count of several digits pushes the text right instead of running into it.
    Label2->move(std::max(49, _lblAviso1->geometry().right() + 4), Label2->y());
    setWindowTitle(QStringLiteral("Atenção! Pedidos pendentes..."));
}

void TFAlertaMsg::Image1Click()
{
    close();
}

void TFAlertaMsg::Button1Click()
{
    close();
}

int TFAlertaMsg::AlturaBarraTarefas(const QRect& tela, const QRect& disponivel)
{
    return std::max(0, (tela.y() + tela.height()) - (disponivel.y() + disponivel.height()));
}

QPoint TFAlertaMsg::PosicaoRepouso(const QRect& tela, const QRect& disponivel, QSize tamanho)
{
    const int barra = AlturaBarraTarefas(tela, disponivel);
    return {tela.x() + tela.width() - tamanho.width() - 10,
            tela.y() + tela.height() - tamanho.height() - barra - 1};
}

QPoint TFAlertaMsg::PosicaoInicial(const QRect& tela, const QRect& disponivel, QSize tamanho)
{
    const int barra = AlturaBarraTarefas(tela, disponivel);
    return {tela.x() + tela.width() - tamanho.width() - 10,
            tela.y() + tela.height() + barra + tamanho.height()};
}

void TFAlertaMsg::DefineGeradorTom(GeradorTom novo)
{
    gerador() = novo ? std::move(novo) : [](int, int) { QApplication::beep(); };
}

TFAlertaMsg* TFAlertaMsg::Atual()
{
    // A closed alert waits for its deletion hidden: it no longer counts.
    TFAlertaMsg* alerta = g_atual.data();
    return alerta && alerta->isVisible() ? alerta : nullptr;
}

TFAlertaMsg* TFAlertaMsg::ExibeAlerta(int quantidade, const QString& titulo, QWidget* principal)
{
    if (TFAlertaMsg* atual = Atual()) {
        atual->Tag = quantidade;
        atual->_lblAviso1->setText(QStringLiteral("@"));
        atual->setWindowTitle(titulo);
        atual->FormActivate();
        return atual;
    }
    // No parent: a window tied to the main one would vanish with it when the operator
    // minimises it. It goes when the main window goes, or when it has closed.
    auto* alerta = new TFAlertaMsg();
    if (principal)
        connect(principal, &QObject::destroyed, alerta, [alerta] { delete alerta; });
    g_atual = alerta;
    alerta->Tag = quantidade;
    alerta->setWindowTitle(titulo);
    QRect tela(QPoint(0, 0), QSize(1024, 768));
    QRect disponivel = tela;
    if (const QScreen* primaria = QGuiApplication::primaryScreen()) {
        tela = primaria->geometry();
        disponivel = primaria->availableGeometry();
    }
    alerta->Inicia(tela, disponivel);
    return alerta;
}

void TFAlertaMsg::Inicia(const QRect& tela, const QRect& disponivel)
{
    move(PosicaoInicial(tela, disponivel, kTamanho));
    FTopoRepouso = PosicaoRepouso(tela, disponivel, kTamanho).y();
    FormActivate();
    FFase = Fase::Deslizando;
    show();
    FTimerDeslize.start();
}

void TFAlertaMsg::PassoDeslize()
{
    const int topo = std::max(FTopoRepouso, y() - kPixelsPorPasso);
    move(x(), topo);
    if (topo > FTopoRepouso)
        return;
    FTimerDeslize.stop();
    EmiteBips();
}

void TFAlertaMsg::EmiteBips()
{
    FFase = Fase::Soando;
    FTom = 0;
    ProximoTom();
    FTimerTons.start();
}

void TFAlertaMsg::ProximoTom()
{
    if (FTom < int(kTons.size())) {
        gerador()(kTons[size_t(FTom)], kDuracaoTomMs);
        ++FTom;
        return;
    }
    // The last tone has had its 200 ms.
    FTimerTons.stop();
    FFase = Fase::Aguardando;
    FTimerFecha.start();
}

} // namespace talvoro
