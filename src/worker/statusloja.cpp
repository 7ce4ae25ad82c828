#include "importacao_passos.h"
#include "worker.h"

#include <stdexcept>

namespace talvoro {

using ifood::Json;

void TThreadNFe_NFCe::StatusMerchants()
{
    std::unique_ptr<ifood::Rest> rest = ifood::CriaRest();
    rest->PreparaChamadaJson(ifood::raizMerchant(), ifood::Metodo::GET,
                             QStringLiteral("/merchants/") + ifood::segmentoCaminho(FMerchantID) +
                                 QStringLiteral("/status"),
                             FToken);
    const QString operacao = QStringLiteral("StatusMerchants");
    ifood::registrarEnvio(FDM, operacao, *rest);
    rest->Execute();
    if (rest->FRestResponse.StatusCode != 200)
        return;

    const QString& corpo = rest->FRestResponse.Content;
    FJanela.MostraDiagnostico(corpo);
    FDM.InsertLogs(0, 2, QStringLiteral("Resposta - ") + operacao, QString(),
                   QStringLiteral("IFOOD - ") + operacao, QStringLiteral("S"), corpo);

    const Json operacoes = rest->FRestResponse.JSONValue();
    if (!operacoes.is_array())
        throw std::runtime_error("A resposta de status da loja não é uma lista JSON");

    StatusLojaResumo r;
    for (const Json& op : operacoes) {
        const Json& mensagem = json::objeto(op, "message");
        const Json& validacoes = json::lista(op, "validations");
        r.available = json::texto(op, "available");
        r.state = json::texto(op, "state");
        r.mtitle = json::texto(mensagem, "title");
        r.msubtitle = json::texto(mensagem, "subtitle");
        r.mdescription = json::texto(mensagem, "description");
        if (!validacoes.empty()) {
            const Json& primeira = validacoes.front();
            const Json vazio = Json::object();
            const Json& m = json::ehObjeto(primeira, "message") ? primeira["message"] : vazio;
            r.title = json::texto(m, "title");
            r.subtitle = json::texto(m, "subtitle");
            r.description = json::texto(m, "description");
        }
    }

    const bool aberta = r.available == u"true";
    const QString legenda = aberta ? r.mtitle + QStringLiteral(": (") + r.title + u')'
                                   : r.mtitle + QStringLiteral(" (") + r.title + u' ' + r.subtitle +
                                         QStringLiteral(") Detalhes: ") + r.description;
    FJanela.MostraStatusLoja(legenda, r, aberta);
}

} // namespace talvoro
