#pragma once

#include "app/paginaprincipal.h"
#include "data/dm.h"
#include "ui/pedidoselecionado.h"
#include "worker/janela.h"

#include <QDateTime>
#include <QWidget>

#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace talvoro {

class TThreadNFe_NFCe;

namespace ui {
class TBotaoCategoria;
class TPaginaPedidos;
class TImagemClicavel;
class TLabelClicavel;
class TSplitView;
class TToggleSwitch;
} // namespace ui

// The program's only top-level window: toolbar, side menu, the pages and the status bar. It
// owns the integration worker while the integration is on and shows what the worker
// reports.
class T_frmMain : public QWidget, public IJanelaIntegracao
{
    Q_OBJECT

public:
    explicit T_frmMain(TDM& dm, QWidget* parent = nullptr);
    ~T_frmMain() override; // FormDestroy

    // The running worker; none while the integration is off.
    TThreadNFe_NFCe* vTThreadIFOOD = nullptr;
    // Expiry of the first authorization step.
    QDateTime DataExpiraFirsToken;

    // Handlers. Errors escape them: the connections run them guarded.
    void FormActivate();
    void swVendeOffLineClick();
    void swAceiteAutClick();
    void CarregaConfiguracao();
    void GravaConfiguracao(bool exibeAviso);
    void _btnGravarConfigClick();
    void _lblStatusLojaClick();
    void imgMenuClick();
    void actHomeExecute();
    void actLayoutExecute();
    void chkUseAnimationClick();
    void trkAnimationDelayChange();
    void trkAnimationStepChange();
    void grpCloseStyleClick();
    void SVOpening();
    void SVOpened();
    void SVClosed();

    // Shows one of the pages.
    void MostraPagina(QWidget* pagina);
    // Lists the day's orders with the search values (activation steps 5 and 6).
    void ListaPedidosDoDia();
    // The order search (Enter on the window).
    void PesquisaPedidos();

    // The order part of the main page hooks in here (see IPaginaPrincipal); its widgets go
    // into _panPedidos.
    void DefinePaginaPrincipal(IPaginaPrincipal* pagina) { FPaginaPrincipal = pagina; }
    IPaginaPrincipal* PaginaPrincipal() const { return FPaginaPrincipal; }

    // The pending-orders alert window plugs in here; until it does, nothing is shown.
    void DefineAlertaPendentes(std::function<void(int, const QString&)> alerta)
    {
        FAlertaPendentes = std::move(alerta);
    }

    // What the last successful store status check said; none before the first one.
    const std::optional<StatusLojaResumo>& StatusLoja() const { return FStatusLoja; }
    // The stores list of the configuration page, as step 1 of the activation last read it.
    const fb::Resultado& DadosLoja() const { return FDadosLoja; }
    // The order-number generator's value as step 9 of the activation last read it.
    const QString& ProximoNrPedido() const { return FProximoNrPedido; }
    TDM& DM() { return FDM; }

    // ---- Order actions (ui/acoespedido.cpp) ----
    // The handlers of "Aceitar", the hand-over button and "Recusar". Each copies the selected
    // order at the click and acts on that copy to the end: a worker cycle or the activation
    // sequence may reload the board while the question or the picker is open.
    void _bntAceitarPedidoClick();
    void _bntSairEntregaClick();
    void _bntRecusarPedidoClick();
    void AceitarPedidoSelecionado(const TPedidoSelecionado& pedido);
    void SairEntregaPedidoSelecionado(const TPedidoSelecionado& pedido);
    void RecusarPedidoSelecionado(const TPedidoSelecionado& pedido);
    // One iFood request each, for the iFood order id; errors pass to the caller.
    void ConfirmaPedido(const QString& orderId);
    void EntregaPedido(const QString& orderId);
    void RetirarPedido(const QString& orderId);
    void RecusarPedido(const QString& orderId, const QString& code, const QString& reason);
    // Connects the action strip's buttons (found by name; each once) and plugs in the
    // pending-orders alert.
    void ConectaAcoesPedido();

    // IJanelaIntegracao
    void MostraUltimaAtualizacao(const QString& texto) override;
    void MostraDiagnostico(const QString& texto) override;
    void MostraPedido(const QString& texto) override;
    void MostraToken(const QString& token) override;
    void MostraStatusLoja(const QString& legenda, const StatusLojaResumo& resumo,
                          bool aberta) override;
    void ExibeAlerta(int quantidade, const QString& titulo) override;

    static QString TextoVersao();

    // ---- Order board ----
    // The order of the selected card on the board.
    const TPedidoSelecionado& PedidoSelecionado() const;
    // Lists the orders again with the search bar's values, as the search does, leaving the
    // "Pendentes:" counter as it is.
    void RecarregaListaPedidos();
    // The order part of the main page (search bar, board, order data, action strip, summary).
    ui::TPaginaPedidos& PaginaPedidos() const { return *FPaginaPedidos; }
    // ---- end of order board ----

    // Toolbar.
    QFrame* pnlToolbar;
    QFrame* RelativePanel6;
    QFrame* RelativePanel7;
    ui::TImagemClicavel* imgMenu;
    QLabel* _imgStatusLoja;
    ui::TLabelClicavel* _lblStatusLoja;

    // Side menu.
    ui::TSplitView* SV;
    QLabel* Image1;
    QFrame* Panel5;
    QWidget* catMenuItems;
    QAction* actHome;
    QAction* actLayout;
    QAction* actPower;
    QAction* actLogGeral;

    // Pages.
    QTabWidget* PageControl1;
    QWidget* _tabMain;
    QWidget* _tabConfig;
    QWidget* _tabDetalhar;
    QWidget* _tabLogGeral;
    QWidget* _tabRepositorio;

    // Main page.
    QFrame* _panControles;
    ui::TToggleSwitch* swVendeOffLine;
    ui::TToggleSwitch* swAceiteAut;
    QWidget* _panPedidos;

    // Configuration page.
    QGroupBox* GroupBox9;
    QGroupBox* GroupBox15;
    QGroupBox* GroupBox16;
    QLineEdit* edtClientID;
    QLineEdit* edtClientSecret;
    QLineEdit* edtUsername;
    QLineEdit* edtPassword;
    QLabel* _lblToken;
    QLineEdit* edtToken;
    QLineEdit* accessToken;
    QLineEdit* refreshToken;
    QLineEdit* authorizationCode;
    QLineEdit* authorizationCodeVerifier;
    QLineEdit* _edtMerchanIDLoja;
    QCheckBox* _checkAceitaPedido;
    QCheckBox* _checkAdcComoProd;
    QCheckBox* _checkImprimeViaEntregador;
    QCheckBox* _checkUtilizaIFood;
    QPushButton* _btnGravarConfig;
    QGroupBox* grpMenu;
    QCheckBox* chkUseAnimation;
    QSlider* trkAnimationDelay;
    QLabel* lblAnimationDelay;
    QSlider* trkAnimationStep;
    QLabel* lblAnimationStep;
    QGroupBox* grpCloseStyle;
    QRadioButton* rbCollapse;
    QRadioButton* rbCompact;
    QCheckBox* chkCloseOnMenuClick;
    QListWidget* lstLog;

    // Picture holders and the worker's diagnostic boxes (never shown).
    QLabel* _imgLojaON;
    QLabel* _imgLojaOFF;
    QLabel* _imgiFood;
    QLabel* _imgOutraOrigem; // orders of origin 1 (not from iFood)
    QLabel* _imgDelivery;
    QLabel* _imgRetirada;
    QLabel* _imgNaMesa;
    QLabel* _imgAgendado;
    QLabel* _imgRecusado;
    QLabel* _imgVazio;
    QLabel* _imgTablet;
    QLabel* _imgAtendente;
    QLabel* _imgWWW;
    QPlainTextEdit* Memo1;
    QPlainTextEdit* Memo2;

    // Status bar.
    QFrame* Panel1;
    QLabel* _lblAtendente;
    QLabel* _lblNomeLoja;
    QLabel* _lblVersaoSistema;
    QLabel* _lblUltAtualizacao;

    static inline const QColor kVerde{0x00, 0x80, 0x00};
    static inline const QColor kVermelho{0xFF, 0x00, 0x00};
    static inline const QString kSemAtualizacao = QStringLiteral("00/00/0000 00:00:00");
    static inline const QString kIntegracaoDesligada = QStringLiteral("00/00/2000 00:00:00");

Q_SIGNALS:
    // The activation sequence has run (also when it failed).
    void Ativada();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    void MontaToolbar();
    void MontaMenuLateral();
    void MontaPaginaPrincipal();
    void MontaPaginaConfig();
    void MontaMenuConfig();
    void MontaRepositorio();
    void MontaPaginaPedidos();
    void MontaRodape();
    void ConectaMenu();

    // The activation sequence once the window is active again after one of the program's
    // windows closed (or at the first display).
    void SolicitaAtivacao();
    void VerificaAtivacao();
    void ExecutaAtivacao();

    TDM& FDM;
    IPaginaPrincipal* FPaginaPrincipal = nullptr;
    ui::TPaginaPedidos* FPaginaPedidos = nullptr;
    std::function<void(int, const QString&)> FAlertaPendentes;
    std::optional<StatusLojaResumo> FStatusLoja;
    fb::Resultado FDadosLoja;
    QString FProximoNrPedido;
    bool FAtivacaoPendente = false;
    bool FEmAtivacao = false;
    bool FJaExibida = false;
};

} // namespace talvoro
