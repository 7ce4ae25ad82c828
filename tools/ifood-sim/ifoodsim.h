#pragma once

// Fake iFood merchant API for tests, benchmarks and hands-on trials: a plain-HTTP server on
// 127.0.0.1 that answers the authentication, order and merchant calls the program makes, with
// an in-process control interface (and /sim/... HTTP endpoints) to feed it and bend it.

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace talvoro::sim {

struct RequisicaoGravada
{
    std::string metodo;
    std::string caminho; // as sent, before any percent-decoding, without the query
    std::string query;   // text after "?", empty when none
    std::string corpo;
    std::vector<std::pair<std::string, std::string>> cabecalhos;
    int status = 0; // status answered; 0 while the request is still being handled

    // Value of the first header with that name (case-insensitive), empty when absent.
    std::string cabecalho(std::string_view nome) const;
    bool temCabecalho(std::string_view nome) const;
};

class IFoodSim
{
public:
    // Merchant present after construction and after limpar().
    static constexpr const char* kMerchantPadrao = "7c9e2b14-5d3a-4f61-9b8e-2a4c6d8e0f13";
    static constexpr const char* kNomeMerchantPadrao = "Cantina Bela Serra";
    static constexpr int kSempre = -1; // "vezes" of an override that never runs out

    IFoodSim();
    ~IFoodSim(); // stops the server
    IFoodSim(const IFoodSim&) = delete;
    IFoodSim& operator=(const IFoodSim&) = delete;

    // Serves on 127.0.0.1:porta (0 = any free port); returns the port. Throws
    // std::runtime_error when the port cannot be bound. The state survives parar()/iniciar().
    int iniciar(int porta = 0);
    // Stops serving; requests held by pendurar() or a delay are released first.
    void parar();
    bool rodando() const;
    int porta() const;
    std::string urlBase() const; // "http://127.0.0.1:PORT"

    // Orders and events. An order is served back byte for byte as stored; adicionarPedido keeps
    // the member order of the JSON, adicionarPedidoTexto keeps the text itself (number
    // spelling included). Both need an object with a string "id", throw std::invalid_argument
    // otherwise, replace an order with the same id and queue a PLC event for it.
    std::string adicionarPedido(const nlohmann::ordered_json& pedido);
    std::string adicionarPedidoTexto(const std::string& json);
    std::optional<std::string> pedido(const std::string& orderId) const;
    // Queues an event; empty id = a fresh UUID, empty createdAt = now (UTC, "Z"). The same id
    // may be queued twice, as iFood may deliver one event again. Returns the event id.
    std::string adicionarEvento(std::string code, std::string orderId, std::string id = {},
                                std::string createdAt = {});
    std::string concluirPedido(const std::string& orderId); // queues CON
    std::vector<nlohmann::ordered_json> eventosPendentes() const;
    std::vector<std::string> idsReconhecidos() const; // acknowledged ids, in order

    // Merchants. status: null = generated (open, or closed while an interruption is in force);
    // an object or an array = served as given (an object is wrapped in an array) except while
    // an interruption is in force.
    void definirMerchant(const std::string& id, const std::string& nome,
                         nlohmann::ordered_json status = nullptr,
                         const std::string& razaoSocial = {});
    void removerMerchant(const std::string& id);
    void removerMerchants();
    std::vector<nlohmann::ordered_json> interrupcoes(const std::string& merchantId) const;

    // Tokens. Lenient by default: any non-empty bearer token passes. Strict: only access
    // tokens issued here and not expired pass, and refresh tokens and authorization codes must
    // be ones issued here.
    void definirTokensEstritos(bool estrito);
    void definirValidadeToken(std::chrono::seconds validade); // expiresIn and real lifetime
    void expirarTokens();                                     // every token issued so far
    std::string emitirToken();                                // a valid access token
    // Credentials the token call must carry; empty = any non-empty pair.
    void definirCredenciais(std::string clientId, std::string clientSecret);
    void definirStatusRecusaToken(int status); // answer to a refused grant (401)
    // Authorization code the store owner would read on the portal for a user code.
    std::string codigoAutorizacao(const std::string& userCode) const;

    void definirLimiteAck(std::size_t limite); // ids per acknowledgment (2,000)

    // Overrides, tried in the order given; the first that matches the method ("" or "*" =
    // any) and the path (exact, or a pattern where "*" stands for any text, e.g.
    // "/order/v1.0/orders/*/confirm") is used and counted; after "vezes" uses (kSempre =
    // never) it is dropped and normal handling resumes.
    void forcarResposta(std::string metodo, std::string caminho, int status, std::string corpo = {},
                        int vezes = 1, std::chrono::milliseconds atraso = {});
    // Normal handling, after a delay.
    void atrasarResposta(std::string metodo, std::string caminho, std::chrono::milliseconds atraso,
                         int vezes = 1);
    // Holds matching requests until liberarPendurados(), limpar() or parar(); then normal
    // handling (or nothing, when the server is stopping).
    void pendurar(std::string metodo, std::string caminho, int vezes = 1);
    void liberarPendurados();
    void limparForcamentos();

    // Record of every API request (not of /sim/... control calls), in arrival order.
    std::vector<RequisicaoGravada> requisicoes() const;
    void limparRequisicoes();
    // Waits until at least n requests are recorded (since the last limparRequisicoes).
    bool aguardarRequisicoes(std::size_t n, std::chrono::milliseconds limite) const;

    // Back to the initial state: the default merchant, no orders, events, tokens,
    // interruptions, overrides or records, default settings. Held requests are released.
    void limpar();

    struct Impl;

private:
    std::unique_ptr<Impl> d;
};

// A loopback port where nothing listens (taken from the system, then released), for a
// client that must find no server.
int portaFechada();

} // namespace talvoro::sim
