#include "frmmain.h"

#include "base/datahora.h"
#include "config/configuracao.h"
#include "ui/avisos.h"
#include "ui/clicaveis.h"
#include "ui/construcao.h"
#include "ui/desenhos.h"
#include "ui/fontes.h"
#include "ui/paginapedidos.h"
#include "ui/splitview.h"
#include "ui/toggleswitch.h"
#include "versao.h"
#include "worker/worker.h"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace talvoro {

using ui::criaPainel;
using ui::criaRotulo;

QString T_frmMain::TextoVersao()
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(TALVORO_VERSAO_MAJOR)
        .arg(TALVORO_VERSAO_MINOR)
        .arg(TALVORO_VERSAO_RELEASE)
        .arg(TALVORO_VERSAO_BUILD);
}

// FormCreate: the regions, the version text, the pages with their tabs hidden, _tabMain
// shown.
T_frmMain::T_frmMain(TDM& dm, QWidget* parent)
    : QWidget(parent)
    , FDM(dm)
{
    setObjectName(QStringLiteral("_frmMain"));
    setWindowTitle(QStringLiteral("Talvoro"));
    setFont(ui::segoeUI(12));

    MontaToolbar();
    MontaMenuLateral();

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setDocumentMode(true);
    PageControl1->tabBar()->hide();
    const std::pair<QWidget**, const char*> paginas[] = {
        {&_tabMain, "_tabMain"},         {&_tabConfig, "_tabConfig"},
        {&_tabDetalhar, "_tabDetalhar"}, {&_tabRepositorio, "_tabRepositorio"},
        {&_tabLogGeral, "_tabLogGeral"},
    };
    for (const auto& [pagina, nome] : paginas) {
        *pagina = new QWidget;
        (*pagina)->setObjectName(QString::fromLatin1(nome));
        PageControl1->addTab(*pagina, QString::fromLatin1(nome));
    }

    MontaPaginaPrincipal();
    MontaPaginaConfig();
    MontaRepositorio();
    MontaPaginaPedidos();
    MontaRodape();
    ConectaMenu();
    ConectaAcoesPedido();

    auto* meio = new QHBoxLayout;
    meio->setContentsMargins(0, 0, 0, 0);
    meio->setSpacing(0);
    meio->addWidget(SV);
    meio->addWidget(PageControl1, 1);

    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(0, 0, 0, 0);
    janela->setSpacing(0);
    janela->addWidget(pnlToolbar);
    janela->addLayout(meio, 1);
    janela->addWidget(Panel1);

    _imgStatusLoja->setPixmap(_imgLojaOFF->pixmap());
    _lblVersaoSistema->setText(TextoVersao());
    PageControl1->setCurrentWidget(_tabMain);

    // Design size, centred on the screen while not maximised.
    QSize tamanho(1924, 964);
    if (const QScreen* tela = QGuiApplication::primaryScreen()) {
        const QRect area = tela->availableGeometry();
        tamanho = tamanho.boundedTo(area.size());
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, tamanho, area));
    } else {
        resize(tamanho);
    }

    qApp->installEventFilter(this);
}

T_frmMain::~T_frmMain()
{
    qApp->removeEventFilter(this);
    TThreadNFe_NFCe::Liberar(std::exchange(vTThreadIFOOD, nullptr));
    // The worker is gone: nobody reopens the list any more while the page goes.
    FDM.DefineVisaoListaPedidos(nullptr);
}

void T_frmMain::MontaPaginaPrincipal()
{
    _panControles = criaPainel(_tabMain, "_panControles", QColor(0xC0, 0xC0, 0xC0));
    _panControles->setFixedHeight(45);

    swVendeOffLine = new ui::TToggleSwitch(_panControles);
    swVendeOffLine->setObjectName(QStringLiteral("swVendeOffLine"));
    swVendeOffLine->setStateCaptionOn(QStringLiteral("Loja On"));
    swVendeOffLine->setStateCaptionOff(QStringLiteral("Loja Off"));
    swVendeOffLine->setAccessibleName(QStringLiteral("Integração com o iFood"));
    swVendeOffLine->setFixedSize(98, 37);

    swAceiteAut = new ui::TToggleSwitch(_panControles);
    swAceiteAut->setObjectName(QStringLiteral("swAceiteAut"));
    swAceiteAut->setStateCaptionOn(QStringLiteral("Aceite aut. On"));
    swAceiteAut->setStateCaptionOff(QStringLiteral("Aceite aut. Off"));
    swAceiteAut->setAccessibleName(QStringLiteral("Aceite automático de pedidos"));
    swAceiteAut->setFixedSize(132, 37);

    for (ui::TToggleSwitch* chave : {swVendeOffLine, swAceiteAut})
        chave->setThumbColor(kVermelho);

    auto* controles = new QHBoxLayout(_panControles);
    controles->setContentsMargins(8, 4, 8, 4);
    controles->setSpacing(12);
    controles->addWidget(swVendeOffLine);
    controles->addWidget(swAceiteAut);
    controles->addStretch(1);

    // The order part of the page (search bar, board, order data, summary) goes in here.
    _panPedidos = new QWidget(_tabMain);
    _panPedidos->setObjectName(QStringLiteral("_panPedidos"));
    auto* pedidos = new QVBoxLayout(_panPedidos);
    pedidos->setContentsMargins(0, 0, 0, 0);
    pedidos->setSpacing(0);

    auto* pagina = new QVBoxLayout(_tabMain);
    pagina->setContentsMargins(0, 0, 0, 0);
    pagina->setSpacing(0);
    pagina->addWidget(_panControles);
    pagina->addWidget(_panPedidos, 1);

    connect(swVendeOffLine, &QAbstractButton::toggled, this,
            [this] { ui::protegido([this] { swVendeOffLineClick(); }); });
    connect(swAceiteAut, &QAbstractButton::toggled, this,
            [this] { ui::protegido([this] { swAceiteAutClick(); }); });
}

void T_frmMain::MontaRepositorio()
{
    using namespace ui::desenho;
    const QSize status(20, 20);
    const QSize cartao(57, 54);
    const struct
    {
        QLabel** rotulo;
        const char* nome;
        QPixmap figura;
    } figuras[] = {
        {&_imgLojaON, "_imgLojaON", lojaAberta(status)},
        {&_imgLojaOFF, "_imgLojaOFF", lojaFechada(status)},
        {&_imgiFood, "_imgiFood", iFood(cartao)},
        {&_imgOutraOrigem, "_imgOutraOrigem", outraOrigem(cartao)},
        {&_imgDelivery, "_imgDelivery", delivery(cartao)},
        {&_imgRetirada, "_imgRetirada", retirada(cartao)},
        {&_imgNaMesa, "_imgNaMesa", naMesa(cartao)},
        {&_imgAgendado, "_imgAgendado", agendado(cartao)},
        {&_imgRecusado, "_imgRecusado", recusado(cartao)},
        {&_imgVazio, "_imgVazio", vazio(cartao)},
        {&_imgTablet, "_imgTablet", tablet(cartao)},
        {&_imgAtendente, "_imgAtendente", atendente(cartao)},
        {&_imgWWW, "_imgWWW", www(cartao)},
    };
    int x = 8;
    for (const auto& f : figuras) {
        *f.rotulo = new QLabel(_tabRepositorio);
        (*f.rotulo)->setObjectName(QString::fromLatin1(f.nome));
        (*f.rotulo)->setPixmap(f.figura);
        (*f.rotulo)->setGeometry(x, 8, f.figura.width(), f.figura.height());
        x += f.figura.width() + 8;
    }
    Memo1 = new QPlainTextEdit(_tabRepositorio);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(8, 80, 600, 300);
    Memo2 = new QPlainTextEdit(_tabRepositorio);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setGeometry(616, 80, 600, 300);
}

// ---- Order board ----------------------------------------------------------------------------

void T_frmMain::MontaPaginaPedidos()
{
    ui::FigurasPedido figuras;
    figuras.iFood = _imgiFood->pixmap();
    figuras.outraOrigem = _imgOutraOrigem->pixmap();
    figuras.delivery = _imgDelivery->pixmap();
    figuras.retirada = _imgRetirada->pixmap();
    figuras.naMesa = _imgNaMesa->pixmap();
    figuras.agendado = _imgAgendado->pixmap();
    figuras.recusado = _imgRecusado->pixmap();
    figuras.vazio = _imgVazio->pixmap();
    FPaginaPedidos = new ui::TPaginaPedidos(FDM, figuras, _panPedidos);
    _panPedidos->layout()->addWidget(FPaginaPedidos);
    DefinePaginaPrincipal(FPaginaPedidos);
    FDM.DefineVisaoListaPedidos(FPaginaPedidos);
}

const TPedidoSelecionado& T_frmMain::PedidoSelecionado() const
{
    return FPaginaPedidos->PedidoSelecionado();
}

void T_frmMain::RecarregaListaPedidos()
{
    FPaginaPedidos->RecarregaListaPedidos();
}

void T_frmMain::MontaRodape()
{
    Panel1 = criaPainel(this, "Panel1", QColor(0x51, 0x7C, 0xBD));
    Panel1->setFixedHeight(44);
    const QFont negrito = ui::tahoma(13, true);
    const QFont normal = ui::tahoma(13);
    const QColor branco(Qt::white);

    auto* linha = new QHBoxLayout(Panel1);
    linha->setContentsMargins(12, 0, 16, 0);
    linha->setSpacing(6);
    auto par = [&](const char* nomeLegenda, const QString& legenda, QLabel** valor,
                   const char* nomeValor, const QString& texto) {
        linha->addWidget(criaRotulo(Panel1, nomeLegenda, legenda, negrito, branco));
        *valor = criaRotulo(Panel1, nomeValor, texto, normal, branco);
        linha->addWidget(*valor);
        linha->addSpacing(24);
    };
    par("lblAtendenteC", QStringLiteral("Atendente:"), &_lblAtendente, "_lblAtendente",
        QStringLiteral("Usuario"));
    par("lblNomeLojaC", QStringLiteral("Loja:"), &_lblNomeLoja, "_lblNomeLoja",
        QStringLiteral("Talvoro"));
    par("lblVersaoSistemaC", QStringLiteral("Versão:"), &_lblVersaoSistema, "_lblVersaoSistema",
        QStringLiteral("0.0.0.0"));
    linha->addStretch(1);
    linha->addWidget(criaRotulo(Panel1, "lblUltAtualizacaoC",
                                QStringLiteral("Última Atualização(iFood):"), negrito, branco));
    _lblUltAtualizacao = criaRotulo(Panel1, "_lblUltAtualizacao", kSemAtualizacao, normal, branco);
    _lblUltAtualizacao->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    linha->addWidget(_lblUltAtualizacao);
}

// ---- Activation ---------------------------------------------------------------------------

void T_frmMain::showEvent(QShowEvent* evento)
{
    QWidget::showEvent(evento);
    if (!FJaExibida) {
        FJaExibida = true;
        SolicitaAtivacao();
    }
}

bool T_frmMain::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == this) {
        if (evento->type() == QEvent::WindowActivate && FAtivacaoPendente)
            QTimer::singleShot(0, this, &T_frmMain::VerificaAtivacao);
        return false;
    }
    // Another window of the program closed: the focus comes back to this one. Coming back
    // from another application does not count, so only these closings arm the sequence.
    if (evento->type() == QEvent::Hide && !evento->spontaneous() && objeto->isWidgetType()) {
        auto* janela = static_cast<QWidget*>(objeto);
        if (janela->isWindow()) {
            switch (janela->windowType()) {
            case Qt::Window:
            case Qt::Dialog:
            case Qt::Sheet:
            case Qt::Tool:
                SolicitaAtivacao();
                break;
            default:
                break;
            }
        }
    }
    return false;
}

void T_frmMain::SolicitaAtivacao()
{
    FAtivacaoPendente = true;
    QTimer::singleShot(0, this, &T_frmMain::VerificaAtivacao);
}

void T_frmMain::VerificaAtivacao()
{
    if (!FAtivacaoPendente || FEmAtivacao || !isVisible())
        return;
    if (QApplication::activeModalWidget())
        return; // a dialog is still open; its closing asks again
    QWidget* ativa = QApplication::activeWindow();
    if (ativa == this) {
        FAtivacaoPendente = false;
        ExecutaAtivacao();
    } else if (!ativa) {
        // Without a window manager nobody hands the focus back.
        activateWindow();
    }
}

void T_frmMain::ExecutaAtivacao()
{
    FEmAtivacao = true;
    const bool ok = ui::protegido([this] { FormActivate(); });
    FEmAtivacao = false;
    if (!ok) {
        // Closing the error dialog of a failed activation would start the sequence again,
        // fail again and show the dialog again without end: it does not count.
        FAtivacaoPendente = false;
    } else if (FAtivacaoPendente) {
        // A dialog shown by the sequence itself closed while it ran.
        QTimer::singleShot(0, this, &T_frmMain::VerificaAtivacao);
    }
    Q_EMIT Ativada();
}

void T_frmMain::FormActivate()
{
    // 1. The stores list (first database access: opens the connection).
    FDadosLoja = FDM.Query("_qryDadosLoja").abrir();
    // 2.
    CarregaConfiguracao();
    // 3.
    _lblUltAtualizacao->setText(kSemAtualizacao);
    // 4. The connection and the polling table.
    FDM.FDConnection1().abrir();
    FDM.Query("Tb_POLLING.Localiza").preparar();
    // 5. and 6.
    ListaPedidosDoDia();
    // 7. Starts the worker when the integration was off.
    swVendeOffLine->setChecked(true);
    // 8. A store closing in force.
    const fb::Resultado fechamento = FDM.Query("_qrySelectIDFechamento").abrir();
    if (!fechamento.vazio() && !fechamento.primeira()[u"idfechamentoloja"].toString().isEmpty())
        actPower->setText(QStringLiteral("Abrir Loja"));
    // 9. The order-number generator's current value.
    const fb::Resultado gerador =
        FDM.Query("_qryAtualizaNrGenerator")
            .param("poperacao", QStringLiteral("S"))
            .param("nomegenerator", QStringLiteral("GEN_IFOOD_PEDIDOSL_ID"))
            .param("pnumero", 0)
            .abrir();
    if (!gerador.vazio())
        FProximoNrPedido = gerador.primeira()[u"PVALOR"].toString();
    // 10.
    if (FPaginaPrincipal)
        FPaginaPrincipal->AjustaLayout();
}

void T_frmMain::ListaPedidosDoDia()
{
    const QDateTime momento = agora();
    FiltroPedidos filtro;
    filtro.data = momento;
    if (FPaginaPrincipal) {
        FPaginaPrincipal->DefineDataPesquisa(momento);
        filtro = FPaginaPrincipal->Filtro();
    }
    FDM.ListaPedidos(filtro.data, filtro.data, filtro.status, filtro.nrPedido, filtro.seqDelivery,
                     filtro.nomeTel);
}

void T_frmMain::PesquisaPedidos()
{
    if (FPaginaPrincipal) {
        FPaginaPrincipal->Pesquisar();
        return;
    }
    const QDateTime momento = agora();
    FDM.ListaPedidos(momento, momento, 0, 0, 0, QString());
}

void T_frmMain::keyPressEvent(QKeyEvent* evento)
{
    // Only keys no control took: a control with the focus keeps its own Enter.
    const bool enter = evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter;
    QWidget* foco = QApplication::focusWidget();
    if (enter && (!foco || foco == this)) {
        evento->accept();
        ui::protegido([this] { PesquisaPedidos(); });
        return;
    }
    QWidget::keyPressEvent(evento);
}

void T_frmMain::resizeEvent(QResizeEvent* evento)
{
    QWidget::resizeEvent(evento);
    if (FPaginaPrincipal)
        FPaginaPrincipal->AjustaLayout();
}

// ---- The two switches ---------------------------------------------------------------------

void T_frmMain::swVendeOffLineClick()
{
    if (!swVendeOffLine->isChecked()) {
        swVendeOffLine->setThumbColor(kVermelho);
        TThreadNFe_NFCe::Liberar(std::exchange(vTThreadIFOOD, nullptr));
        _lblUltAtualizacao->setText(kIntegracaoDesligada);
        _imgStatusLoja->setPixmap(_imgLojaOFF->pixmap());
        _imgStatusLoja->setAccessibleDescription(QStringLiteral("Loja fechada"));
        return;
    }
    if (accessToken->text().isEmpty()) {
        ui::ExibeMensagemSimples(QStringLiteral("Loja nao configurada! Faça a Configuração!"));
        return;
    }
    swVendeOffLine->setThumbColor(kVerde);
    swVendeOffLine->setStateCaptionOn(QStringLiteral("Loja On"));
    if (vTThreadIFOOD)
        return; // only one worker at a time
    vTThreadIFOOD = new TThreadNFe_NFCe(FDM, *this, authorizationCode->text(),
                                        authorizationCodeVerifier->text(), refreshToken->text(),
                                        _edtMerchanIDLoja->text());
}

void T_frmMain::swAceiteAutClick()
{
    const bool ligado = swAceiteAut->isChecked();
    swAceiteAut->setThumbColor(ligado ? kVerde : kVermelho);
    _checkAceitaPedido->setChecked(ligado);
    gravarChaveConfiguracao(chaves::aceitaPedidoAuto, textoSimNao(ligado));
}

// ---- What the worker shows ----------------------------------------------------------------

void T_frmMain::MostraUltimaAtualizacao(const QString& texto)
{
    _lblUltAtualizacao->setText(texto);
}

void T_frmMain::MostraDiagnostico(const QString& texto)
{
    Memo1->setPlainText(texto);
}

void T_frmMain::MostraPedido(const QString& texto)
{
    Memo2->setPlainText(texto);
}

void T_frmMain::MostraToken(const QString& token)
{
    edtToken->setText(token);
}

void T_frmMain::MostraStatusLoja(const QString& legenda, const StatusLojaResumo& resumo,
                                 bool aberta)
{
    _lblStatusLoja->setText(legenda);
    _lblStatusLoja->setAccessibleDescription(legenda);
    FStatusLoja = resumo;
    _imgStatusLoja->setPixmap(aberta ? _imgLojaON->pixmap() : _imgLojaOFF->pixmap());
    _imgStatusLoja->setAccessibleDescription(aberta ? QStringLiteral("Loja aberta")
                                                    : QStringLiteral("Loja fechada"));
}

void T_frmMain::ExibeAlerta(int quantidade, const QString& titulo)
{
    if (FAlertaPendentes)
        FAlertaPendentes(quantidade, titulo);
}

} // namespace talvoro
