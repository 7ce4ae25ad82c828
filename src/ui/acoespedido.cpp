// The operator's actions on the selected order: accept, hand over (dispatch or ready for
// pick-up) and refuse with a reason; and the pending-orders alert plugged into the window.

#include "app/frmmain.h"

#include "base/datahora.h"
#include "ifood/rest.h"
#include "ui/alertapendentes.h"
#include "ui/avisos.h"
#include "ui/mensagens.h"
#include "ui/motivocancelamento.h"
#include "ui/pedidoselecionado.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QUrl>

#include <optional>

namespace talvoro {

namespace {

struct AcaoPedido
{
    const char16_t* sufixo;
    const char16_t* operacao;
    const char16_t* prefixoRetorno; // "Resposta" or "Retorno"
    const char16_t* falha;          // message of a 400, 404 or 500 answer
};

constexpr AcaoPedido kConfirma{u"/confirm", u"ConfirmaPedido", u"Resposta",
                               u"Falha ao confirmar o pedido!"};
constexpr AcaoPedido kEntrega{u"/dispatch", u"EntregaPedido", u"Retorno",
                              u"Falha ao confirmar entrega do pedido!"};
constexpr AcaoPedido kRetira{u"/readyToPickup", u"RetirarPedido", u"Retorno",
                             u"Falha ao confirmar retirada do pedido!"};
constexpr AcaoPedido kRecusa{u"/requestCancellation", u"RecusarPedido", u"Resposta",
                             u"Falha ao cancelar o pedido!"};

enum class Cabecalhos
{
    AcceptDaRequisicao, // accept type of the request, Authorization as a header
    Explicitos          // Accept, Content-Type and Authorization as headers
};

// One POST of the order service for the order, logged before sending and, for the codes the
// call handles, after. Returns the status code; raises when no reply came.
int enviaAcao(TDM& dm, const QString& token, const QString& orderId, const AcaoPedido& acao,
              Cabecalhos cabecalhos, const std::optional<ifood::Json>& corpo = std::nullopt)
{
    const std::unique_ptr<ifood::Rest> rest = ifood::CriaRest();
    rest->PreparaChamadaJson(ifood::raizPedidos(), ifood::Metodo::POST,
                             QStringLiteral("/orders/") + ifood::segmentoCaminho(orderId) +
                                 QString::fromUtf16(acao.sufixo),
                             token);
    ifood::RestRequest& req = rest->FRestRequest;
    if (cabecalhos == Cabecalhos::Explicitos) {
        // The request's own accept stays the client's default; the three travel as headers.
        req.Accept = ifood::kAcceptPadrao;
        req.Headers.clear();
        req.AddHeader(QStringLiteral("Accept"), ifood::kJson);
        req.AddHeader(QStringLiteral("Content-Type"), ifood::kJson);
        req.AddHeader(QStringLiteral("Authorization"), QStringLiteral("Bearer ") + token);
    }
    if (corpo)
        req.SetJsonBody(*corpo);

    const QString operacao = QString::fromUtf16(acao.operacao);
    ifood::registrarEnvio(dm, operacao, *rest);
    rest->Execute();
    ifood::registrarRetorno(dm, QString::fromUtf16(acao.prefixoRetorno), operacao, *rest,
                            ifood::tabelas::acaoPedido());
    return rest->FRestResponse.StatusCode;
}

bool ehFalhaTratada(int status)
{
    return status == 400 || status == 404 || status == 500;
}

void mostraFalha(const AcaoPedido& acao)
{
    T_frmFormMensagensPadrao::Mensagem(QString::fromUtf16(acao.falha), u'E', {mbOk});
}

} // namespace

// ---- The three buttons --------------------------------------------------------------------

// Each handler works on a copy of the selected order: the board's state may change under the
// dialogs that follow.
void T_frmMain::_bntAceitarPedidoClick()
{
    const TPedidoSelecionado pedido = PedidoSelecionado();
    AceitarPedidoSelecionado(pedido);
}

void T_frmMain::_bntSairEntregaClick()
{
    const TPedidoSelecionado pedido = PedidoSelecionado();
    SairEntregaPedidoSelecionado(pedido);
}

void T_frmMain::_bntRecusarPedidoClick()
{
    const TPedidoSelecionado pedido = PedidoSelecionado();
    RecusarPedidoSelecionado(pedido);
}

void T_frmMain::AceitarPedidoSelecionado(const TPedidoSelecionado& pedido)
{
    if (pedido.GetStatusAceite) {
        ui::ExibeMensagemSimples(QStringLiteral("Pedido já aceito!"));
        return;
    }
    if (pedido.cdintegracao == 0) {
        try {
            ConfirmaPedido(pedido.GetCorrelationId);
        } catch (...) {
            FDM.GravaLog(QStringLiteral("Falha ao Confirma pedido no IFOOD... detalhes do erro: ") +
                         ui::mensagemDoErro(std::current_exception()));
        }
    }
    RecarregaListaPedidos();
}

void T_frmMain::SairEntregaPedidoSelecionado(const TPedidoSelecionado& pedido)
{
    if (pedido.GetStatusEntrega) {
        ui::ExibeMensagemSimples(QStringLiteral("Pedido já marcado para Entrega / Retirada!"));
        return;
    }
    void (T_frmMain::*chamada)(const QString&) = nullptr;
    if (pedido.cdintegracao == 0) {
        switch (pedido.tipoentrega) {
        case 1:
            chamada = &T_frmMain::EntregaPedido;
            break;
        case 2:
        case 3:
            chamada = &T_frmMain::RetirarPedido;
            break;
        default:
            break;
        }
    }
    if (chamada) {
        bool confirmada = true;
        if (pedido.IsAgendado && agora() <= pedido.GetDataAgendamentoStart) {
            confirmada = T_frmFormMensagensPadrao::Mensagem(
                QStringLiteral("A data de agendamento da entrega esta prevista para: ") +
                    formatDataHora(QStringLiteral("dd/mm/yyyy hh:nn"),
                                   pedido.GetDataAgendamentoStart) +
                    QStringLiteral(" Deseja confirmar a entrega?"),
                u'Q', {mbSim, mbNao});
        }
        if (confirmada) {
            try {
                (this->*chamada)(pedido.GetCorrelationId);
            } catch (...) {
                FDM.GravaLog(QStringLiteral("Falha ao Entregar pedido... detalhes do erro: ") +
                             ui::mensagemDoErro(std::current_exception()));
            }
        }
    }
    RecarregaListaPedidos();
}

void T_frmMain::RecusarPedidoSelecionado(const TPedidoSelecionado& pedido)
{
    if (pedido.GetStatusCancelar || pedido.GetStatusEntrega) {
        ui::ExibeMensagemSimples(QStringLiteral("Pedido já recusado ou em rota de entrega!"));
        return;
    }
    const QString escolha = ExibeMotivoCancelamento(FDM, pedido.PedidoAceito, this);
    if (escolha.isEmpty()) {
        ui::ExibeMensagemSimples(QStringLiteral("Cancelamento não processado!"));
        return;
    }
    // The code never holds "|"; the reason text may.
    const qsizetype barra = escolha.indexOf(u'|');
    const QString code = barra < 0 ? escolha : escolha.left(barra);
    const QString reason = barra < 0 ? QString() : escolha.mid(barra + 1);
    try {
        RecusarPedido(pedido.GetCorrelationId, code, reason);
    } catch (...) {
        FDM.GravaLog(QStringLiteral("Falha ao Recusar o pedido... detalhes do erro: ") +
                     ui::mensagemDoErro(std::current_exception()));
    }
    RecarregaListaPedidos();
}

// ---- The iFood requests -------------------------------------------------------------------

void T_frmMain::ConfirmaPedido(const QString& orderId)
{
    const int status =
        enviaAcao(FDM, edtToken->text(), orderId, kConfirma, Cabecalhos::AcceptDaRequisicao);
    if (status == 202) {
        FDM.Query("_qryUpdateStatusPedido")
            .param("statuspedido", QStringLiteral("PEA"))
            .param("reference", orderId)
            .executar();
        RecarregaListaPedidos();
    } else if (ehFalhaTratada(status)) {
        mostraFalha(kConfirma);
    }
}

void T_frmMain::EntregaPedido(const QString& orderId)
{
    const int status =
        enviaAcao(FDM, edtToken->text(), orderId, kEntrega, Cabecalhos::AcceptDaRequisicao);
    if (status == 202) {
        FDM.Query("_qryUpdateStatusPedidoEntrega")
            .param("statuspedido", QStringLiteral("PDE"))
            .param("reference", orderId)
            .executar();
        RecarregaListaPedidos();
    } else if (ehFalhaTratada(status)) {
        mostraFalha(kEntrega);
    }
}

void T_frmMain::RetirarPedido(const QString& orderId)
{
    const int status = enviaAcao(FDM, edtToken->text(), orderId, kRetira, Cabecalhos::Explicitos);
    if (status == 202) {
        FDM.Query("_qryUpdateStatusPedidoEntrega")
            .param("statuspedido", QStringLiteral("PDR"))
            .param("reference", orderId)
            .executar();
        RecarregaListaPedidos();
    } else if (ehFalhaTratada(status)) {
        mostraFalha(kRetira);
    }
}

void T_frmMain::RecusarPedido(const QString& orderId, const QString& code, const QString& reason)
{
    ifood::Json corpo = ifood::Json::object();
    corpo["cancellationCode"] = code.toStdString();
    corpo["reason"] = reason.toStdString();
    const int status =
        enviaAcao(FDM, edtToken->text(), orderId, kRecusa, Cabecalhos::AcceptDaRequisicao, corpo);
    // A 202 changes nothing here: the cancellation arrives with iFood's events.
    if (ehFalhaTratada(status))
        mostraFalha(kRecusa);
}

// ---- Wiring -------------------------------------------------------------------------------

void T_frmMain::ConectaAcoesPedido()
{
    const std::pair<const char16_t*, void (T_frmMain::*)()> botoes[] = {
        {u"_bntAceitarPedido", &T_frmMain::_bntAceitarPedidoClick},
        {u"_bntSairEntrega", &T_frmMain::_bntSairEntregaClick},
        {u"_bntRecusarPedido", &T_frmMain::_bntRecusarPedidoClick},
    };
    for (const auto& [nome, handler] : botoes) {
        auto* botao = findChild<QAbstractButton*>(QString::fromUtf16(nome));
        if (!botao || botao->property("talvoroAcaoConectada").toBool())
            continue;
        botao->setProperty("talvoroAcaoConectada", true);
        connect(botao, &QAbstractButton::clicked, this,
                [this, handler] { ui::protegido([this, handler] { (this->*handler)(); }); });
    }
    DefineAlertaPendentes([this](int quantidade, const QString& titulo) {
        TFAlertaMsg::ExibeAlerta(quantidade, titulo, this);
    });
}

} // namespace talvoro
