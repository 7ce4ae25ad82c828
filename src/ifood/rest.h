#pragma once

#include <QString>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace talvoro {
class TDM;
}

namespace talvoro::ifood {

using Json = nlohmann::ordered_json;

inline constexpr std::chrono::milliseconds kTempoConexao{10'000};
inline constexpr std::chrono::milliseconds kTempoTotal{30'000};

// The service roots below the iFood merchant API host.
QString raizAutenticacao(); // <host>/authentication/v1.0
QString raizPedidos();      // <host>/order/v1.0
QString raizMerchant();     // <host>/merchant/v1.0

inline const QString kJson = QStringLiteral("application/json");
inline const QString kFormulario = QStringLiteral("application/x-www-form-urlencoded");
// What the client asks for when a call does not set its own accept type.
inline const QString kAcceptPadrao =
    QStringLiteral("application/json, text/plain; q=0.9, text/html;q=0.8,");

enum class Metodo
{
    GET,
    POST,
    DELETE
};

struct RestClient
{
    QString BaseURL;
    QString ContentType;
};

struct RestRequest
{
    Metodo Method = Metodo::GET;
    QString Accept = kAcceptPadrao;
    QString Resource;
    std::vector<std::pair<QString, QString>> Headers;    // sent as they are, unencoded
    std::vector<std::pair<QString, QString>> FormFields; // form body, in the order added
    QString Body;                                        // compact JSON text
    bool TemCorpoJson = false;

    void AddHeader(const QString& nome, const QString& valor) { Headers.emplace_back(nome, valor); }
    void AddFormField(const QString& nome, const QString& valor)
    {
        FormFields.emplace_back(nome, valor);
    }
    void SetJsonBody(const Json& corpo);
};

struct RestResponse
{
    int StatusCode = 0;
    QString Content; // body as received
    // The body parsed as JSON; raises std::runtime_error when it is not JSON.
    Json JSONValue() const;
};

// Raised when no reply was obtained at all (no connection, unknown host, TLS failure,
// time-out, plain http to a non-loopback host): "REST request failed: " + the transport's text.
class FalhaRest : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The HTTP objects of one iFood call: created by CriaRest, released by LiberaRest (the
// owner's unique_ptr going out of scope), also when the call raised.
class Rest
{
public:
    RestClient FRestClient;
    RestRequest FRestRequest;
    RestResponse FRestResponse;

    // Address called: base URL, one "/", and the resource without a leading "/"; the base
    // URL alone when there is no resource.
    QString Url() const;
    // Sends the request and waits for the reply. Every reply that carries a status code
    // returns normally; only the absence of a reply raises FalhaRest.
    void Execute();

    // A call of the order or merchant service: base URL, JSON content type and accept, the
    // method, the resource and the bearer token (sent as it is). What an earlier call on
    // these objects left in the request (headers, body, form fields) is cleared.
    void PreparaChamadaJson(const QString& base, Metodo metodo, const QString& recurso,
                            const QString& token);

    // The request log text: lines joined by CR, no CR after the last.
    QString TextoEnvio() const;
    // The response log text for the status text the call assigns to the code.
    QString TextoRetorno(const QString& textoStatus) const;
};

inline std::unique_ptr<Rest> CriaRest()
{
    return std::make_unique<Rest>();
}
inline void LiberaRest(std::unique_ptr<Rest>& rest)
{
    rest.reset();
}

// Makes the HTTP objects of a call into the owner's slot and releases them when the scope
// ends, also when the call raised.
class ChamadaRest
{
public:
    explicit ChamadaRest(std::unique_ptr<Rest>& slot)
        : m_slot(slot)
    {
        m_slot = CriaRest();
    }
    ~ChamadaRest() { LiberaRest(m_slot); }
    ChamadaRest(const ChamadaRest&) = delete;
    ChamadaRest& operator=(const ChamadaRest&) = delete;
    Rest& operator*() const { return *m_slot; }
    Rest* operator->() const { return m_slot.get(); }

private:
    std::unique_ptr<Rest>& m_slot;
};

QString nomeMetodo(Metodo metodo);

// An id placed into a resource path as one segment: a "/" or "?" in it cannot change the
// address. Ordinary ids (UUIDs) come out unchanged.
QString segmentoCaminho(const QString& id);

// The status codes one call handles, with the text its reply row carries, and the code that
// means success (plus any other code whose row is also marked "S", as polling's 204).
struct TabelaStatus
{
    int sucesso;
    std::map<int, QString> textos;
    std::vector<int> outrosComStatusS = {};
    const QString* texto(int codigo) const
    {
        const auto it = textos.find(codigo);
        return it == textos.end() ? nullptr : &it->second;
    }
    bool statusS(int codigo) const
    {
        return codigo == sucesso || std::find(outrosComStatusS.begin(), outrosComStatusS.end(),
                                              codigo) != outrosComStatusS.end();
    }
};

namespace tabelas {
const TabelaStatus& polling();
const TabelaStatus& acknowledgment();
const TabelaStatus& acaoPedido(); // confirm, dispatch, readyToPickup, requestCancellation
const TabelaStatus& criarInterrupcao();
const TabelaStatus& excluirInterrupcao();
const TabelaStatus& listarMerchants();
const TabelaStatus& tokenPorCodigo();
} // namespace tabelas

// The two log rows of an exchange (order number 0, origin 2, service "IFOOD - " + operação).
void registrarEnvio(TDM& dm, const QString& operacao, const Rest& rest);
// prefixo is "Retorno" or "Resposta"; status "S" for the codes the table marks so.
// Returns false, writing nothing, when the call does not handle the code.
bool registrarRetorno(TDM& dm, const QString& prefixo, const QString& operacao, const Rest& rest,
                      const TabelaStatus& tabela);

} // namespace talvoro::ifood
