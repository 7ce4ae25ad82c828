#include "worker.h"

#include "base/datahora.h"

namespace talvoro {

namespace {

struct GrupoStatus
{
    const char* select;
    const char* update;
    const char16_t* status;
    int operacao; // flag of the event set by sp_status_pedido_polling
    const char16_t* servico;
};

// Concluded after picked up, so both events of one cycle leave the order concluded.
constexpr GrupoStatus kGrupos[] = {
    {"_qryGetPedidosAceitos", "_qryUpdateStatusPedidoAceito", u"PEA", 1,
     u"IFOOD - Pedidos Aceitos pelo iFood"},
    {"_qryGetPedidosCanc", "_qryUpdateStatusPedidoCancelar", u"PCC", 2,
     u"IFOOD - Pedidos Cancelados pelo iFood"},
    {"_qryGetPedidosRetirados", "_qryUpdateStatusPedidoRetirado", u"PDR", 4,
     u"IFOOD - Pedidos Retirados pelo iFood"},
    {"_qryGetPedidosConfirmados", "_qryUpdateStatusPedidoConfirmado", u"PDF", 3,
     u"IFOOD - Pedidos Finalizados pelo iFood"},
};

} // namespace

void TThreadNFe_NFCe::GetPedidos_Aceitos_Cancelados_Confirmados()
{
    bool algumEvento = false;
    for (const GrupoStatus& g : kGrupos) {
        const QString status = QString::fromUtf16(g.status);
        const fb::Resultado eventos = ConsultaWorker(g.select).abrir();
        for (const fb::Linha& evento : eventos.linhas) {
            const int cdPedido = int(evento[u"cdpedido"].toInt());
            fb::Instrucao& update = FDM.Query(g.update);
            // iFood's times are kept in UTC; the acceptance time is the operator's clock, as
            // when the order is accepted here.
            if (g.operacao == 1)
                update.param("dataaceite", utcParaLocal(evento[u"dt_hr_sis"].toDateTime()));
            update.param("statuspedido", status).param("cdpedido", cdPedido).executar();
            FDM.Query("_qryUpdateIntegrado")
                .param("poperacao", g.operacao)
                .param("pcodigo", evento[u"codigo"])
                .executar();

            QString enviado = QString::fromStdString(update.sql()) + QStringLiteral("\r\n");
            enviado.replace(QStringLiteral(":statuspedido"), u'\'' + status + u'\'');
            enviado.replace(QStringLiteral(":cdpedido"), u'\'' + QString::number(cdPedido) + u'\'');
            FDM.InsertLogs(cdPedido, 2, QStringLiteral("Envio - SQL"), enviado,
                           QString::fromUtf16(g.servico), QStringLiteral("S"), QString());
        }
        algumEvento = algumEvento || !eventos.vazio();
    }
    if (algumEvento)
        FDM.ReabreListaPedido();
}

void TThreadNFe_NFCe::ConfirmaPedidoAuto(int cdPedido, const QString& orderId)
{
    // The import's HTTP objects; a call outside an import gets objects of its own.
    std::unique_ptr<ifood::Rest> proprio;
    ifood::Rest* rest = FRest.get();
    if (!rest) {
        proprio = ifood::CriaRest();
        rest = proprio.get();
    }
    rest->PreparaChamadaJson(ifood::raizPedidos(), ifood::Metodo::POST,
                             QStringLiteral("/orders/") + ifood::segmentoCaminho(orderId) +
                                 QStringLiteral("/confirm"),
                             FToken);

    const QString operacao = QStringLiteral("ConfirmaPedido");
    ifood::registrarEnvio(FDM, operacao, *rest);
    rest->Execute();
    ifood::registrarRetorno(FDM, QStringLiteral("Resposta"), operacao, *rest,
                            ifood::tabelas::acaoPedido());
    if (rest->FRestResponse.StatusCode == 202)
        FDM.Query("_qryUpdateStatusPedidoAceiteAut").param("cdpedido", cdPedido).executar();
}

} // namespace talvoro
