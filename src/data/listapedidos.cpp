#include "dm.h"

#include "base/datahora.h"

namespace talvoro {

namespace {

struct FiltroStatus
{
    const char16_t* operacao;
    const char16_t* status; // null: no status
};

// Index of the board's status box: Todas, Em preparo, Saiu para Entrega, Finalizado,
// Cancelado, Não Aceito.
constexpr FiltroStatus kFiltros[] = {
    {u"T", nullptr}, {u"S", u"PEA"}, {u"S", u"PDE"}, {u"S", u"PDF"}, {u"X", u"PCC"}, {u"N", u"PNA"},
};

fb::Valor textoOuNulo(const char16_t* texto)
{
    return texto ? fb::Valor(QString::fromUtf16(texto)) : fb::Valor();
}

ContadoresStatus contar(const fb::Resultado& lista)
{
    ContadoresStatus c;
    for (const fb::Linha& linha : lista.linhas) {
        const QString status = linha[u"statuspedido"].toString();
        if (status == u"PNA")
            ++c.novos;
        else if (status == u"PEA")
            ++c.producao;
        else if (status == u"PDE")
            ++c.entrega;
        else if (status == u"PDF")
            ++c.finalizados;
        else if (status == u"PCC")
            ++c.cancelados;
    }
    return c;
}

} // namespace

bool TDM::ListaPedidos(const QDateTime& vPegaDataInicial, const QDateTime& vPegaDataFinal,
                       int vIndex, int vCodigoiFood, int vSeqDelivery, const QString& vNome)
{
    try {
        // The day runs to its last instant: an order taken at 23:59:30 belongs to it.
        PegaDataInicial = dataHora(vPegaDataInicial.date(), QTime(0, 0));
        PegaDataFinal = dataHora(vPegaDataFinal.date(), QTime(23, 59, 59, 999));

        auto& q = Query("_qryListaPedido");
        q.param("pdatainicial", PegaDataInicial);
        q.param("pdatafinal", PegaDataFinal);
        q.param("pnome", vNome);
        if (vSeqDelivery != 0) {
            q.param("poperacao", QStringLiteral("Q"));
            q.param("pstatus", fb::Valor());
            q.param("pshortreference", fb::Valor());
            q.param("pseqdelivery", vSeqDelivery);
        } else if (vCodigoiFood != 0) {
            q.param("poperacao", QStringLiteral("C"));
            q.param("pstatus", fb::Valor());
            q.param("pshortreference", QString::number(vCodigoiFood));
            q.param("pseqdelivery", fb::Valor());
        } else {
            const FiltroStatus& f =
                kFiltros[vIndex >= 0 && vIndex < int(std::size(kFiltros)) ? vIndex : 0];
            q.param("poperacao", textoOuNulo(f.operacao));
            q.param("pstatus", textoOuNulo(f.status));
            q.param("pshortreference", fb::Valor());
            q.param("pseqdelivery", fb::Valor());
        }
        FListaPedido = {};
        FListaPedido = q.abrir();
    } catch (const std::exception& e) {
        GravaLog(QStringLiteral("Listar dados do pedido... ") + QString::fromUtf8(e.what()));
    }
    FContadores = contar(FListaPedido);
    NotificaLista(true);
    return FListaPedido.vazio();
}

void TDM::ReabreListaPedido()
{
    if (!PegaDataInicial.isValid())
        return; // never listed: there are no parameters to list with
    FListaPedido = {};
    try {
        FListaPedido = Query("_qryListaPedido").abrir();
    } catch (...) {
        NotificaLista(false);
        throw;
    }
    NotificaLista(false);
}

void TDM::NotificaLista(bool contadores)
{
    if (FVisaoLista)
        FVisaoLista->ListaPedidosAberta(contadores);
}

} // namespace talvoro
