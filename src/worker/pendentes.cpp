#include "worker.h"

#include "base/datahora.h"

namespace talvoro {

void TThreadNFe_NFCe::VerificaPendentes()
{
    try {
        // Today runs to its last instant, so an order taken at 23:59:30 still counts.
        const QDateTime inicio = hojeMeiaNoite();
        const QDateTime fim = inicio.addDays(1).addMSecs(-1);
        const fb::Resultado pendentes = FDM.Query("_qryPedidosNaoAceito")
                                            .param("pdatainicial", inicio)
                                            .param("pdatafinal", fim)
                                            .abrir();
        if (!pendentes.vazio())
            FJanela.ExibeAlerta(int(pendentes.tamanho()), QStringLiteral("Talvoro"));
    } catch (const std::exception& e) {
        FDM.GravaLog(QStringLiteral("Falha ao consultar pedidos aceitos detalhes do erro: ") +
                     QString::fromUtf8(e.what()));
    }
}

} // namespace talvoro
