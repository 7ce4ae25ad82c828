#include "worker.h"

#include "base/datahora.h"

#include <QStringList>

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace talvoro {

namespace {

using ifood::Json;

// iFood takes at most this many ids in one acknowledgment.
constexpr size_t kMaximoIdsAck = 2000;
// Places of _qryUpdatepollingEnviadoIds.
constexpr size_t kIdsPorMarcacao = 50;

QString formatado(const Json& json)
{
    return QString::fromStdString(json.dump(4, ' ', false, Json::error_handler_t::replace));
}

// One received event, its members as texts (absent or null members give a null text).
struct Evento
{
    QString id, code, orderId, createdAt;
};

QString membroTexto(const Json& elemento, const char* nome)
{
    const auto it = elemento.find(nome);
    if (it == elemento.end() || it->is_null())
        return {};
    if (it->is_string())
        return QString::fromStdString(it->get<std::string>());
    return QString::fromStdString(it->dump(-1, ' ', false, Json::error_handler_t::replace));
}

std::vector<Evento> carregarEventos(const Json& lista)
{
    if (!lista.is_array())
        throw std::runtime_error("A resposta do polling não é uma lista de eventos");
    std::vector<Evento> eventos;
    eventos.reserve(lista.size());
    for (const Json& elemento : lista) {
        if (!elemento.is_object())
            throw std::runtime_error("Evento do polling não é um objeto: " +
                                     elemento.dump(-1, ' ', false, Json::error_handler_t::replace));
        eventos.push_back({membroTexto(elemento, "id"), membroTexto(elemento, "code"),
                           membroTexto(elemento, "orderId"), membroTexto(elemento, "createdAt")});
    }
    return eventos;
}

} // namespace

void TThreadNFe_NFCe::Polling()
{
    const QString operacao = QStringLiteral("Polling");
    ifood::ChamadaRest rest(FRest);
    rest->PreparaChamadaJson(ifood::raizPedidos(), ifood::Metodo::GET,
                             QStringLiteral("events:polling"), FToken);
    ifood::registrarEnvio(FDM, operacao, *rest);
    rest->Execute();

    const QString& corpo = rest->FRestResponse.Content;
    if (rest->FRestResponse.StatusCode != 200) {
        ifood::registrarRetorno(FDM, QStringLiteral("Retorno"), operacao, *rest,
                                ifood::tabelas::polling());
        return;
    }

    std::optional<QString> texto;
    try {
        const Json json = rest->FRestResponse.JSONValue();
        texto = formatado(json);
        ifood::registrarRetorno(FDM, QStringLiteral("Retorno"), operacao, *rest,
                                ifood::tabelas::polling());
        const std::vector<Evento> eventos = carregarEventos(json);

        // The first event that cannot be stored ends the loop quietly; it and the ones after
        // it are not acknowledged, so iFood offers them again.
        try {
            for (const Evento& e : eventos) {
                if (e.id.isEmpty())
                    throw std::runtime_error("Evento sem id");
                if (FDM.PollingExiste(e.id))
                    continue;
                const std::optional<QDateTime> dtHrSis = isoParaUtc(e.createdAt);
                if (!dtHrSis)
                    throw std::runtime_error("createdAt inválido: " + e.createdAt.toStdString());
                FDM.PollingInsere(e.id, e.code, e.orderId, e.createdAt, *dtHrSis);
            }
        } catch (const std::exception&) {
        }
    } catch (const std::exception& e) {
        GravaLogArquivo(QStringLiteral("Falha ao fazer polling... ") + QString::fromUtf8(e.what()) +
                        corpo);
    }

    // A body that is not JSON raises here, for the cycle to log.
    if (!texto)
        texto = formatado(rest->FRestResponse.JSONValue());
    FJanela.MostraDiagnostico(*texto);
}

void TThreadNFe_NFCe::Acknowledgment()
{
    const fb::Resultado pendentes = FDM.Query("_qryPolling").abrir();
    if (pendentes.vazio())
        return;

    // In requests iFood accepts; each answered 202 marks exactly its own events. A failure
    // answer does not hold back the requests after it: the first one is raised at the end.
    const QString operacao = QStringLiteral("Acknowledgment");
    std::optional<std::runtime_error> primeiraFalha;
    for (size_t inicio = 0; inicio < pendentes.tamanho(); inicio += kMaximoIdsAck) {
        const size_t fim = std::min(pendentes.tamanho(), inicio + kMaximoIdsAck);
        std::vector<QString> ids;
        ids.reserve(fim - inicio);
        Json corpo = Json::array();
        for (size_t i = inicio; i < fim; ++i) {
            ids.push_back(pendentes.linhas[i][u"id"].toString());
            corpo.push_back(Json{{"id", ids.back().toStdString()}});
        }

        ifood::ChamadaRest rest(FRest);
        rest->PreparaChamadaJson(ifood::raizPedidos(), ifood::Metodo::POST,
                                 QStringLiteral("/events/acknowledgment"), FToken);
        rest->FRestRequest.SetJsonBody(corpo);
        ifood::registrarEnvio(FDM, operacao, *rest);
        rest->Execute();

        const auto& tabela = ifood::tabelas::acknowledgment();
        if (!ifood::registrarRetorno(FDM, QStringLiteral("Resposta"), operacao, *rest, tabela))
            continue;
        if (rest->FRestResponse.StatusCode == tabela.sucesso)
            MarcaEventosReconhecidos(ids);
        else if (!primeiraFalha)
            primeiraFalha.emplace(rest->FRestResponse.Content.toStdString());
    }
    if (primeiraFalha)
        throw *primeiraFalha;
}

void TThreadNFe_NFCe::MarcaEventosReconhecidos(const std::vector<QString>& ids)
{
    static const std::vector<std::string> nomes = [] {
        std::vector<std::string> n;
        for (size_t i = 1; i <= kIdsPorMarcacao; ++i)
            n.push_back((i < 10 ? "id0" : "id") + std::to_string(i));
        return n;
    }();
    auto& q = FDM.Query("_qryUpdatepollingEnviadoIds");
    for (size_t inicio = 0; inicio < ids.size(); inicio += kIdsPorMarcacao) {
        for (size_t i = 0; i < kIdsPorMarcacao; ++i) {
            const size_t k = inicio + i;
            q.param(nomes[i], k < ids.size() ? fb::Valor(ids[k]) : fb::Valor());
        }
        q.executar();
    }
}

} // namespace talvoro
