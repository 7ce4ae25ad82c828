#include "ifoodsim.h"

#include "util.h"

#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <random>
#include <stdexcept>
#include <thread>
#include <unordered_set>

namespace talvoro::sim {

using json = nlohmann::ordered_json;
using util::Instante;

namespace {

constexpr std::string_view kMaiusculas = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789";
constexpr std::string_view kBase64Url =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

struct Resposta
{
    int status = 200;
    std::string corpo;
    std::string tipo = "application/json";
};

Resposta respostaJson(int status, const json& j)
{
    return {status, j.dump(), "application/json"};
}

Resposta vazia(int status)
{
    return {status, {}, {}};
}

Resposta erro(int status, const std::string& codigo, const std::string& mensagem)
{
    json e = json::object();
    e["code"] = codigo;
    e["message"] = mensagem;
    json j = json::object();
    j["error"] = std::move(e);
    return respostaJson(status, j);
}

Resposta naoEncontrado()
{
    return erro(404, "NotFound", "Resource not found");
}

struct Pedido
{
    std::string texto;
    std::string merchantId;
};

struct Evento
{
    std::string id;
    std::string merchantId;
    json dados;
    bool reconhecido = false;
};

struct Merchant
{
    std::string id, nome, razaoSocial;
    json status; // null = generated
};

struct Interrupcao
{
    std::string id, descricao, inicio, fim;
    Instante de, ate;
};

struct Forcamento
{
    std::string metodo, caminho;
    int status = 0; // 0 = normal handling once the wait is over
    std::string corpo;
    int vezes = 1;
    std::chrono::milliseconds atraso{};
    bool pendurar = false;
};

struct CodigoUsuario
{
    std::string userCode, verificador, codigo;
};

struct Config
{
    std::size_t limiteAck = 2000;
    bool estrito = false;
    std::chrono::seconds validade{21600};
    std::string clientId, clientSecret;
    int statusRecusa = 401;
};

const std::pair<const char*, const char*> kMotivosCancelamento[] = {
    {"501", "PROBLEMAS DE SISTEMA"},
    {"502", "PEDIDO EM DUPLICIDADE"},
    {"503", "ITEM INDISPONÍVEL"},
    {"504", "RESTAURANTE SEM MOTOBOY"},
    {"505", "CARDÁPIO DESATUALIZADO"},
    {"506", "PEDIDO FORA DA ÁREA DE ENTREGA"},
    {"507", "CLIENTE GOLPISTA / TROTE"},
    {"508", "FORA DO HORÁRIO DO DELIVERY"},
    {"509", "DIFICULDADES INTERNAS DO RESTAURANTE"},
    {"511", "ÁREA DE RISCO"},
    {"512", "RESTAURANTE ABRIRÁ MAIS TARDE"},
    {"513", "RESTAURANTE FECHOU MAIS CEDO"},
};

bool codigoCancelamentoValido(const std::string& codigo)
{
    // Every code of the 501..513 range is taken, also one the list above does not show.
    return codigo.size() == 3 && codigo >= "501" && codigo <= "513";
}

std::string nomeCompleto(const std::string& code)
{
    static const std::map<std::string, std::string> nomes = {
        {"PLC", "PLACED"},
        {"CFM", "CONFIRMED"},
        {"SPS", "SEPARATION_STARTED"},
        {"SPE", "SEPARATION_ENDED"},
        {"RDA", "READY_TO_DELIVER"},
        {"DSP", "DISPATCHED"},
        {"RTP", "READY_TO_PICKUP"},
        {"CON", "CONCLUDED"},
        {"CAN", "CANCELLED"},
        {"CAR", "CANCELLATION_REQUESTED"},
        {"CCR", "CONSUMER_CANCELLATION_REQUESTED"},
        {"ADR", "ASSIGN_DRIVER"},
    };
    const auto it = nomes.find(code);
    return it == nomes.end() ? code : it->second;
}

json mensagem(const char* titulo, const std::string& subtitulo, const std::string& descricao)
{
    json m = json::object();
    m["title"] = titulo;
    m["subtitle"] = subtitulo;
    m["description"] = descricao;
    return m;
}

json statusAberto()
{
    json validacao = json::object();
    validacao["id"] = "is-connected";
    validacao["code"] = "is.connected";
    validacao["state"] = "OK";
    validacao["message"] = mensagem("Conectado", "Loja conectada ao iFood",
                                    "A loja está recebendo pedidos normalmente.");
    json reabrir = json::object();
    reabrir["identifier"] = nullptr;
    reabrir["type"] = nullptr;
    reabrir["reopenable"] = false;
    json op = json::object();
    op["operation"] = "DELIVERY";
    op["salesChannel"] = "IFOOD";
    op["available"] = true;
    op["state"] = "OK";
    op["reopenable"] = std::move(reabrir);
    op["validations"] = json::array({std::move(validacao)});
    op["message"] = mensagem("Loja aberta", "Dentro do horário de funcionamento",
                             "A loja está disponível para receber pedidos.");
    return json::array({std::move(op)});
}

json statusFechado(const Interrupcao& i)
{
    json validacao = json::object();
    validacao["id"] = "unavailabilities";
    validacao["code"] = "is.available";
    validacao["state"] = "CLOSED";
    validacao["message"] =
        mensagem("Loja fechada temporariamente", "Pausa programada até " + i.fim, i.descricao);
    json reabrir = json::object();
    reabrir["identifier"] = i.id;
    reabrir["type"] = "UNAVAILABILITY";
    reabrir["reopenable"] = true;
    json op = json::object();
    op["operation"] = "DELIVERY";
    op["salesChannel"] = "IFOOD";
    op["available"] = false;
    op["state"] = "CLOSED";
    op["reopenable"] = std::move(reabrir);
    op["validations"] = json::array({std::move(validacao)});
    op["message"] = mensagem("Loja fechada", "Fechada por uma pausa programada",
                             "A loja volta a receber pedidos quando a pausa terminar.");
    return json::array({std::move(op)});
}

std::vector<std::string> segmentos(const std::string& caminho)
{
    std::vector<std::string> r;
    if (caminho.empty() || caminho[0] != '/')
        return r;
    std::size_t inicio = 1;
    while (true) {
        const auto fim = caminho.find('/', inicio);
        r.push_back(caminho.substr(inicio, fim == std::string::npos ? fim : fim - inicio));
        if (fim == std::string::npos)
            break;
        inicio = fim + 1;
    }
    return r;
}

bool corpoJson(const httplib::Request& req)
{
    return util::contemSemCaixa(req.get_header_value("Content-Type"), "application/json");
}

std::string textoJson(const json& j, const char* nome)
{
    const auto it = j.find(nome);
    return it != j.end() && it->is_string() ? it->get<std::string>() : std::string{};
}

bool temTexto(const json& j, const char* nome)
{
    const auto it = j.find(nome);
    return it != j.end() && it->is_string();
}

} // namespace

std::string RequisicaoGravada::cabecalho(std::string_view nome) const
{
    for (const auto& [n, v] : cabecalhos)
        if (util::iguaisSemCaixa(n, nome))
            return v;
    return {};
}

bool RequisicaoGravada::temCabecalho(std::string_view nome) const
{
    for (const auto& c : cabecalhos)
        if (util::iguaisSemCaixa(c.first, nome))
            return true;
    return false;
}

struct IFoodSim::Impl
{
    explicit Impl(IFoodSim& dono)
        : dono(dono)
        , rng(std::random_device{}())
    {
        reiniciarEstado();
    }

    IFoodSim& dono;

    std::mutex mtxServidor; // iniciar/parar
    std::unique_ptr<httplib::Server> servidor;
    std::thread linha;

    mutable std::mutex mtx; // everything below
    mutable std::condition_variable cv;
    int porta = 0;
    bool ativo = false;
    bool parando = false;
    std::uint64_t liberacoes = 0;

    std::map<std::string, Pedido> pedidos;
    std::vector<std::string> ordemPedidos;
    std::vector<Evento> eventos;
    std::vector<std::string> reconhecidos;
    std::vector<Merchant> merchants;
    std::map<std::string, std::vector<Interrupcao>> interrupcoes;
    std::map<std::string, Instante> acessos;
    std::unordered_set<std::string> refreshes;
    std::vector<CodigoUsuario> codigos;
    Config config;
    std::vector<Forcamento> forcamentos;
    std::vector<RequisicaoGravada> gravadas;
    std::vector<std::uint64_t> sequencias;
    std::uint64_t proximaSequencia = 0;
    std::mt19937_64 rng;

    // Helpers below expect mtx held.
    void reiniciarEstado()
    {
        pedidos.clear();
        ordemPedidos.clear();
        eventos.clear();
        reconhecidos.clear();
        merchants.clear();
        merchants.push_back(
            {kMerchantPadrao, kNomeMerchantPadrao, "Cantina Bela Serra Alimentos Ltda", nullptr});
        interrupcoes.clear();
        acessos.clear();
        refreshes.clear();
        codigos.clear();
        config = Config{};
        forcamentos.clear();
        gravadas.clear();
        sequencias.clear();
    }

    std::string base() const { return "http://127.0.0.1:" + std::to_string(porta); }

    Merchant* acharMerchant(const std::string& id)
    {
        for (auto& m : merchants)
            if (m.id == id)
                return &m;
        return nullptr;
    }

    std::string merchantDoPedido(const std::string& orderId) const
    {
        const auto it = pedidos.find(orderId);
        if (it != pedidos.end() && !it->second.merchantId.empty())
            return it->second.merchantId;
        return merchants.empty() ? std::string{} : merchants.front().id;
    }

    std::string novoEvento(std::string code, std::string orderId, std::string id,
                           std::string createdAt)
    {
        if (id.empty())
            id = util::uuid(rng);
        if (createdAt.empty())
            createdAt = util::formatarIso8601(util::agora());
        Evento e;
        e.id = id;
        e.merchantId = merchantDoPedido(orderId);
        e.dados = json::object();
        e.dados["id"] = id;
        e.dados["code"] = code;
        e.dados["fullCode"] = nomeCompleto(code);
        e.dados["orderId"] = std::move(orderId);
        e.dados["merchantId"] = e.merchantId;
        e.dados["createdAt"] = std::move(createdAt);
        eventos.push_back(std::move(e));
        return id;
    }

    std::string guardarPedido(const json& pedido, std::string texto)
    {
        if (!pedido.is_object() || !temTexto(pedido, "id") ||
            pedido["id"].get<std::string>().empty())
            throw std::invalid_argument("an order must be a JSON object with a string \"id\"");
        const std::string id = pedido["id"].get<std::string>();
        std::string merchantId;
        if (const auto m = pedido.find("merchant"); m != pedido.end() && m->is_object())
            merchantId = textoJson(*m, "id");
        std::lock_guard g(mtx);
        if (!pedidos.count(id))
            ordemPedidos.push_back(id);
        pedidos[id] = Pedido{std::move(texto), std::move(merchantId)};
        novoEvento("PLC", id, {}, {});
        return id;
    }

    std::string gerarToken(std::size_t corpo, std::size_t assinatura)
    {
        return "eyJhbGciOiJSUzUxMiJ9." + util::textoAleatorio(rng, corpo, kBase64Url) + "." +
               util::textoAleatorio(rng, assinatura, kBase64Url);
    }

    json emitirPar()
    {
        const std::string acesso = gerarToken(640, 342);
        const std::string refresh = gerarToken(420, 171);
        acessos[acesso] = util::agora() + config.validade;
        refreshes.insert(refresh);
        json r = json::object();
        r["accessToken"] = acesso;
        r["refreshToken"] = refresh;
        r["type"] = "bearer";
        r["expiresIn"] = config.validade.count();
        return r;
    }

    const Interrupcao* interrupcaoEmVigor(const std::string& merchantId) const
    {
        const auto it = interrupcoes.find(merchantId);
        if (it == interrupcoes.end())
            return nullptr;
        const auto agora = util::agora();
        for (const auto& i : it->second)
            if (i.de <= agora && agora < i.ate)
                return &i;
        return nullptr;
    }

    // Takes (and counts) the first override that matches, if any.
    std::optional<Forcamento> tomarForcamento(const std::string& metodo, const std::string& caminho)
    {
        for (auto it = forcamentos.begin(); it != forcamentos.end(); ++it) {
            if (!(it->metodo.empty() || it->metodo == "*" ||
                  util::iguaisSemCaixa(it->metodo, metodo)))
                continue;
            if (!(it->caminho == caminho || util::casaPadrao(it->caminho, caminho)))
                continue;
            Forcamento f = *it;
            if (it->vezes > 0 && --it->vezes == 0)
                forcamentos.erase(it);
            return f;
        }
        return std::nullopt;
    }

    bool autorizado(const httplib::Request& req) const
    {
        const std::string valor = req.get_header_value("Authorization");
        if (valor.size() <= 7 ||
            !util::iguaisSemCaixa(std::string_view(valor).substr(0, 7), "Bearer "))
            return false;
        std::string token = valor.substr(7);
        while (!token.empty() && token.front() == ' ')
            token.erase(token.begin());
        while (!token.empty() && token.back() == ' ')
            token.pop_back();
        if (token.empty())
            return false;
        if (!config.estrito)
            return true;
        const auto it = acessos.find(token);
        return it != acessos.end() && util::agora() < it->second;
    }

    // ---- the API proper ----------------------------------------------------------------

    Resposta token(const httplib::Request& req)
    {
        if (!util::contemSemCaixa(req.get_header_value("Content-Type"),
                                  "application/x-www-form-urlencoded"))
            return erro(415, "UnsupportedMediaType",
                        "Content-Type must be application/x-www-form-urlencoded");
        const auto campos = util::lerFormulario(req.body);
        const auto campo = [&](std::string_view n) { return util::valorFormulario(campos, n); };
        const std::string grant = campo("grantType");
        std::lock_guard g(mtx);
        const auto recusa = [&](const std::string& m) {
            return erro(config.statusRecusa, "Unauthorized", m);
        };
        if (campo("clientId").empty() || campo("clientSecret").empty())
            return recusa("Missing client credentials");
        if (!config.clientId.empty() &&
            (campo("clientId") != config.clientId || campo("clientSecret") != config.clientSecret))
            return recusa("Bad credentials");
        if (grant == "authorization_code") {
            const std::string codigo = campo("authorizationCode");
            if (codigo.empty())
                return recusa("Missing authorization code");
            if (config.estrito) {
                const std::string verificador = campo("authorizationCodeVerifier");
                const auto it = std::find_if(codigos.begin(), codigos.end(), [&](const auto& c) {
                    return c.codigo == codigo && c.verificador == verificador;
                });
                if (it == codigos.end())
                    return recusa("Invalid authorization code or verifier");
                codigos.erase(it);
            }
        } else if (grant == "refresh_token") {
            const std::string refresh = campo("refreshToken");
            if (refresh.empty())
                return recusa("Missing refresh token");
            if (config.estrito && !refreshes.count(refresh))
                return recusa("Invalid refresh token");
        } else if (grant != "client_credentials") {
            return recusa("Unsupported grant type");
        }
        return respostaJson(200, emitirPar());
    }

    Resposta userCode(const httplib::Request& req)
    {
        if (!util::contemSemCaixa(req.get_header_value("Content-Type"),
                                  "application/x-www-form-urlencoded"))
            return erro(415, "UnsupportedMediaType",
                        "Content-Type must be application/x-www-form-urlencoded");
        const std::string clientId =
            util::valorFormulario(util::lerFormulario(req.body), "clientId");
        std::lock_guard g(mtx);
        if (clientId.empty() || (!config.clientId.empty() && clientId != config.clientId))
            return erro(config.statusRecusa, "Unauthorized", "Unknown client");
        CodigoUsuario c;
        c.userCode = util::textoAleatorio(rng, 4, kMaiusculas) + "-" +
                     util::textoAleatorio(rng, 4, kMaiusculas);
        c.verificador = util::textoAleatorio(rng, 96, kBase64Url);
        c.codigo = util::textoAleatorio(rng, 4, kMaiusculas) + "-" +
                   util::textoAleatorio(rng, 4, kMaiusculas);
        json r = json::object();
        r["userCode"] = c.userCode;
        r["authorizationCodeVerifier"] = c.verificador;
        r["verificationUrl"] = base() + "/sim/apps/code";
        r["verificationUrlComplete"] = base() + "/sim/apps/code?c=" + c.userCode;
        r["expiresIn"] = 600;
        codigos.push_back(std::move(c));
        return respostaJson(200, r);
    }

    Resposta polling(const httplib::Request& req)
    {
        std::unordered_set<std::string> filtro;
        std::string lista = req.get_header_value("x-polling-merchants");
        for (std::size_t i = 0; i < lista.size();) {
            auto fim = lista.find(',', i);
            if (fim == std::string::npos)
                fim = lista.size();
            std::string id = lista.substr(i, fim - i);
            id.erase(0, id.find_first_not_of(' '));
            id.erase(id.find_last_not_of(' ') + 1);
            if (!id.empty())
                filtro.insert(id);
            i = fim + 1;
        }
        if (filtro.size() > 100)
            return erro(413, "PayloadTooLarge", "Too many merchants (maximum is 100)");
        std::lock_guard g(mtx);
        json r = json::array();
        for (const auto& e : eventos)
            if (!e.reconhecido && (filtro.empty() || filtro.count(e.merchantId)))
                r.push_back(e.dados);
        if (r.empty())
            return vazia(204);
        return respostaJson(200, r);
    }

    Resposta reconhecer(const httplib::Request& req)
    {
        if (!corpoJson(req))
            return erro(415, "UnsupportedMediaType", "Content-Type must be application/json");
        const json corpo = json::parse(req.body, nullptr, false);
        if (corpo.is_discarded() || !corpo.is_array())
            return erro(400, "BadRequest", "The body must be a JSON array of {\"id\"} objects");
        std::lock_guard g(mtx);
        if (corpo.size() > config.limiteAck)
            return erro(413, "PayloadTooLarge",
                        "You may acknowledge at most " + std::to_string(config.limiteAck) +
                            " events at a time");
        std::unordered_set<std::string> ids;
        std::vector<std::string> emOrdem;
        for (const auto& item : corpo) {
            if (!item.is_object() || !temTexto(item, "id"))
                return erro(400, "BadRequest", "Every element must be an object with a string id");
            emOrdem.push_back(item["id"].get<std::string>());
            ids.insert(emOrdem.back());
        }
        for (auto& e : eventos)
            if (ids.count(e.id))
                e.reconhecido = true;
        reconhecidos.insert(reconhecidos.end(), emOrdem.begin(), emOrdem.end());
        return vazia(202);
    }

    Resposta pedido(const std::string& id)
    {
        std::lock_guard g(mtx);
        const auto it = pedidos.find(id);
        if (it == pedidos.end())
            return erro(404, "NotFound", "Order not found");
        return {200, it->second.texto, "application/json"};
    }

    Resposta acao(const httplib::Request& req, const std::string& id, const std::string& acao)
    {
        static const std::map<std::string, std::string> codigos = {
            {"confirm", "CFM"},
            {"dispatch", "DSP"},
            {"readyToPickup", "RTP"},
            {"requestCancellation", "CAN"},
        };
        const auto codigo = codigos.find(acao);
        if (codigo == codigos.end())
            return naoEncontrado();
        if (acao == "requestCancellation") {
            if (!corpoJson(req))
                return erro(415, "UnsupportedMediaType", "Content-Type must be application/json");
            const json corpo = json::parse(req.body, nullptr, false);
            if (corpo.is_discarded() || !corpo.is_object() ||
                !temTexto(corpo, "cancellationCode") || !temTexto(corpo, "reason"))
                return erro(400, "BadRequest",
                            "The body must carry the strings cancellationCode and reason");
            if (!codigoCancelamentoValido(corpo["cancellationCode"].get<std::string>()))
                return erro(400, "BadRequest", "Unknown cancellationCode");
        }
        std::lock_guard g(mtx);
        if (!pedidos.count(id))
            return erro(404, "NotFound", "Order not found");
        novoEvento(codigo->second, id, {}, {});
        return vazia(202);
    }

    Resposta motivosCancelamento(const std::string& id)
    {
        {
            std::lock_guard g(mtx);
            if (!pedidos.count(id))
                return erro(404, "NotFound", "Order not found");
        }
        json r = json::array();
        for (const auto& [codigo, texto] : kMotivosCancelamento) {
            json m = json::object();
            m["cancelCodeId"] = codigo;
            m["description"] = texto;
            r.push_back(std::move(m));
        }
        return respostaJson(200, r);
    }

    Resposta listaMerchants()
    {
        std::lock_guard g(mtx);
        json r = json::array();
        for (const auto& m : merchants) {
            json j = json::object();
            j["id"] = m.id;
            j["name"] = m.nome;
            j["corporateName"] = m.razaoSocial;
            r.push_back(std::move(j));
        }
        return respostaJson(200, r);
    }

    json statusDe(const Merchant& m) const
    {
        if (const auto* i = interrupcaoEmVigor(m.id))
            return statusFechado(*i);
        if (m.status.is_null())
            return statusAberto();
        return m.status.is_array() ? m.status : json::array({m.status});
    }

    Resposta statusMerchant(const std::string& id)
    {
        std::lock_guard g(mtx);
        const Merchant* m = acharMerchant(id);
        if (!m)
            return erro(404, "NotFound", "Merchant not found");
        return respostaJson(200, statusDe(*m));
    }

    static json interrupcaoJson(const Interrupcao& i)
    {
        json j = json::object();
        j["id"] = i.id;
        j["description"] = i.descricao;
        j["start"] = i.inicio;
        j["end"] = i.fim;
        return j;
    }

    Resposta interrupcoesMerchant(const httplib::Request& req, const std::string& merchantId,
                                  const std::string* interrupcaoId)
    {
        std::unique_lock g(mtx);
        if (!acharMerchant(merchantId))
            return erro(403, "Forbidden", "User has no access to the given merchant");
        auto& lista = interrupcoes[merchantId];
        if (interrupcaoId) {
            if (req.method != "DELETE")
                return naoEncontrado();
            const auto it = std::find_if(lista.begin(), lista.end(),
                                         [&](const auto& i) { return i.id == *interrupcaoId; });
            if (it == lista.end())
                return erro(404, "NotFound", "Interruption not found");
            lista.erase(it);
            return vazia(204);
        }
        if (req.method == "GET") {
            json r = json::array();
            for (const auto& i : lista)
                r.push_back(interrupcaoJson(i));
            return respostaJson(200, r);
        }
        if (req.method != "POST")
            return naoEncontrado();
        g.unlock();
        if (!corpoJson(req))
            return erro(415, "UnsupportedMediaType", "Content-Type must be application/json");
        const json corpo = json::parse(req.body, nullptr, false);
        if (corpo.is_discarded() || !corpo.is_object() || !temTexto(corpo, "description") ||
            !temTexto(corpo, "start") || !temTexto(corpo, "end"))
            return erro(400, "BadRequest", "description, start and end are required strings");
        Interrupcao i;
        i.descricao = corpo["description"].get<std::string>();
        i.inicio = corpo["start"].get<std::string>();
        i.fim = corpo["end"].get<std::string>();
        const auto de = util::lerIso8601(i.inicio);
        const auto ate = util::lerIso8601(i.fim);
        if (!de || !ate)
            return erro(400, "BadRequest", "start and end must be ISO 8601 instants");
        if (*de >= *ate)
            return erro(400, "BadRequest", "start must be before end");
        i.de = *de;
        i.ate = *ate;
        g.lock();
        i.id = util::uuid(rng);
        interrupcoes[merchantId].push_back(i);
        return respostaJson(201, interrupcaoJson(i));
    }

    Resposta atender(const httplib::Request& req)
    {
        const std::string& metodo = req.method;
        const std::string& caminho = req.path;
        if (caminho == "/authentication/v1.0/oauth/token")
            return metodo == "POST" ? token(req) : naoEncontrado();
        if (caminho == "/authentication/v1.0/oauth/userCode")
            return metodo == "POST" ? userCode(req) : naoEncontrado();
        {
            std::lock_guard g(mtx);
            if (!autorizado(req))
                return erro(401, "Unauthorized",
                            "User is not authenticated at all, token is expired or invalid");
        }
        const auto s = segmentos(caminho);
        if (s.size() < 3 || s[1] != "v1.0")
            return naoEncontrado();
        const std::vector<std::string> r(s.begin() + 2, s.end());
        if (s[0] == "order" || s[0] == "events") {
            if (r.size() == 1 && r[0] == "events:polling" && metodo == "GET")
                return polling(req);
            if (r.size() == 2 && r[0] == "events" && r[1] == "acknowledgment" && metodo == "POST")
                return reconhecer(req);
            if (s[0] != "order" || r[0] != "orders" || r.size() < 2 || r.size() > 3 || r[1].empty())
                return naoEncontrado();
            if (r.size() == 2)
                return metodo == "GET" ? pedido(r[1]) : naoEncontrado();
            if (r[2] == "cancellationReasons")
                return metodo == "GET" ? motivosCancelamento(r[1]) : naoEncontrado();
            return metodo == "POST" ? acao(req, r[1], r[2]) : naoEncontrado();
        }
        if (s[0] == "merchant") {
            if (r[0] != "merchants")
                return naoEncontrado();
            if (r.size() == 1)
                return metodo == "GET" ? listaMerchants() : naoEncontrado();
            if (r[1].empty())
                return naoEncontrado();
            if (r.size() == 3 && r[2] == "status")
                return metodo == "GET" ? statusMerchant(r[1]) : naoEncontrado();
            if (r.size() == 3 && r[2] == "interruptions")
                return interrupcoesMerchant(req, r[1], nullptr);
            if (r.size() == 4 && r[2] == "interruptions" && !r[3].empty())
                return interrupcoesMerchant(req, r[1], &r[3]);
        }
        return naoEncontrado();
    }

    // ---- control endpoints (/sim/...) ---------------------------------------------------

    Resposta controlar(const httplib::Request& req)
    {
        const std::string& metodo = req.method;
        const auto s = segmentos(req.path); // s[0] == "sim"
        const auto corpo = [&]() { return json::parse(req.body, nullptr, false); };
        try {
            if (s.size() == 2 && s[1] == "orders") {
                if (metodo == "POST") {
                    json r = json::object();
                    r["id"] = dono.adicionarPedidoTexto(req.body);
                    return respostaJson(201, r);
                }
                std::lock_guard g(mtx);
                return respostaJson(200, json(ordemPedidos));
            }
            if (s.size() == 4 && s[1] == "orders" && s[3] == "conclude" && metodo == "POST") {
                json r = json::object();
                r["id"] = dono.concluirPedido(s[2]);
                return respostaJson(202, r);
            }
            if (s.size() == 2 && s[1] == "events") {
                if (metodo == "GET")
                    return respostaJson(200, json(dono.eventosPendentes()));
                const json j = corpo();
                if (j.is_discarded() || !j.is_object() || !temTexto(j, "code") ||
                    !temTexto(j, "orderId"))
                    return erro(400, "BadRequest", "code and orderId are required strings");
                json r = json::object();
                r["id"] = dono.adicionarEvento(textoJson(j, "code"), textoJson(j, "orderId"),
                                               textoJson(j, "id"), textoJson(j, "createdAt"));
                return respostaJson(201, r);
            }
            if (s.size() == 2 && s[1] == "merchants" && metodo == "GET")
                return listaMerchants();
            if (s.size() == 3 && s[1] == "merchants") {
                if (metodo == "DELETE") {
                    dono.removerMerchant(s[2]);
                    return vazia(204);
                }
                const json j = corpo();
                if (j.is_discarded() || !j.is_object())
                    return erro(400, "BadRequest", "a JSON object is required");
                dono.definirMerchant(s[2], textoJson(j, "name"), j.value("status", json()),
                                     textoJson(j, "corporateName"));
                return vazia(204);
            }
            if (s.size() == 2 && s[1] == "overrides") {
                if (metodo == "DELETE") {
                    dono.limparForcamentos();
                    return vazia(204);
                }
                const json j = corpo();
                if (j.is_discarded() || !j.is_object() || !temTexto(j, "path"))
                    return erro(400, "BadRequest", "path is required");
                const std::string m = j.value("method", std::string("*"));
                const int vezes = j.value("times", 1);
                if (j.value("hang", false))
                    dono.pendurar(m, textoJson(j, "path"), vezes);
                else
                    dono.forcarResposta(m, textoJson(j, "path"), j.value("status", 0),
                                        j.value("body", std::string()), vezes,
                                        std::chrono::milliseconds(j.value("delayMs", 0)));
                return vazia(201);
            }
            if (s.size() == 2 && s[1] == "release" && metodo == "POST") {
                dono.liberarPendurados();
                return vazia(204);
            }
            if (s.size() == 2 && s[1] == "requests") {
                if (metodo == "DELETE") {
                    dono.limparRequisicoes();
                    return vazia(204);
                }
                json r = json::array();
                for (const auto& g : dono.requisicoes()) {
                    json c = json::object();
                    for (const auto& [n, v] : g.cabecalhos)
                        c[n] = v;
                    json j = json::object();
                    j["method"] = g.metodo;
                    j["path"] = g.caminho;
                    j["query"] = g.query;
                    j["headers"] = std::move(c);
                    j["body"] = g.corpo;
                    j["status"] = g.status;
                    r.push_back(std::move(j));
                }
                return {200, r.dump(2, ' ', false, json::error_handler_t::replace),
                        "application/json"};
            }
            if (s.size() == 2 && s[1] == "settings") {
                if (metodo == "PUT" || metodo == "POST") {
                    const json j = corpo();
                    if (j.is_discarded() || !j.is_object())
                        return erro(400, "BadRequest", "a JSON object is required");
                    if (j.contains("ackLimit"))
                        dono.definirLimiteAck(j["ackLimit"].get<std::size_t>());
                    if (j.contains("strictTokens"))
                        dono.definirTokensEstritos(j["strictTokens"].get<bool>());
                    if (j.contains("tokenLifetime"))
                        dono.definirValidadeToken(
                            std::chrono::seconds(j["tokenLifetime"].get<long long>()));
                    if (j.contains("tokenRejectStatus"))
                        dono.definirStatusRecusaToken(j["tokenRejectStatus"].get<int>());
                    if (j.contains("clientId") || j.contains("clientSecret"))
                        dono.definirCredenciais(textoJson(j, "clientId"),
                                                textoJson(j, "clientSecret"));
                }
                std::lock_guard g(mtx);
                json r = json::object();
                r["ackLimit"] = config.limiteAck;
                r["strictTokens"] = config.estrito;
                r["tokenLifetime"] = config.validade.count();
                r["tokenRejectStatus"] = config.statusRecusa;
                r["clientId"] = config.clientId;
                return respostaJson(200, r);
            }
            if (s.size() == 2 && s[1] == "tokens" && metodo == "POST") {
                json r = json::object();
                r["accessToken"] = dono.emitirToken();
                return respostaJson(201, r);
            }
            if (s.size() == 3 && s[1] == "tokens" && s[2] == "expire" && metodo == "POST") {
                dono.expirarTokens();
                return vazia(204);
            }
            if (s.size() == 2 && s[1] == "reset" && metodo == "POST") {
                dono.limpar();
                return vazia(204);
            }
            if (s.size() == 3 && s[1] == "apps" && s[2] == "code" && metodo == "GET") {
                const std::string userCode = req.get_param_value("c");
                const std::string codigo = dono.codigoAutorizacao(userCode);
                if (codigo.empty())
                    return {404, "<html><body><p>Código de usuário desconhecido.</p></body></html>",
                            "text/html; charset=utf-8"};
                return {200,
                        "<html><head><meta charset=\"utf-8\"><title>Autorização</title></head>"
                        "<body><p>Aplicativo autorizado para o código " +
                            userCode + ".</p><p>Código de autorização: <b>" + codigo +
                            "</b></p></body></html>",
                        "text/html; charset=utf-8"};
            }
        } catch (const std::exception& e) {
            return erro(400, "BadRequest", e.what());
        }
        return naoEncontrado();
    }

    // ---- one request ------------------------------------------------------------------

    void tratar(const httplib::Request& req, httplib::Response& res)
    {
        Resposta r;
        if (req.path.rfind("/sim/", 0) == 0) {
            r = controlar(req);
        } else {
            std::uint64_t sequencia;
            std::optional<Forcamento> f;
            {
                std::lock_guard g(mtx);
                RequisicaoGravada gravada;
                gravada.metodo = req.method;
                const auto interrogacao = req.target.find('?');
                gravada.caminho = req.target.substr(0, interrogacao);
                if (interrogacao != std::string::npos)
                    gravada.query = req.target.substr(interrogacao + 1);
                gravada.corpo = req.body;
                for (const auto& [n, v] : req.headers)
                    if (n != "REMOTE_ADDR" && n != "REMOTE_PORT" && n != "LOCAL_ADDR" &&
                        n != "LOCAL_PORT")
                        gravada.cabecalhos.emplace_back(n, v);
                sequencia = proximaSequencia++;
                gravadas.push_back(std::move(gravada));
                sequencias.push_back(sequencia);
                f = tomarForcamento(req.method, req.path);
            }
            cv.notify_all();
            bool respondido = false;
            if (f) {
                std::unique_lock g(mtx);
                if (f->pendurar) {
                    const auto vez = liberacoes;
                    cv.wait(g, [&] { return parando || liberacoes != vez; });
                } else if (f->atraso.count() > 0) {
                    cv.wait_for(g, f->atraso, [&] { return parando; });
                }
                if (parando) {
                    r = erro(503, "ServiceUnavailable", "Server stopping");
                    respondido = true;
                } else if (f->status > 0) {
                    const json j = json::parse(f->corpo, nullptr, false);
                    r = {f->status, f->corpo,
                         f->corpo.empty()   ? std::string{}
                         : j.is_discarded() ? "text/plain; charset=utf-8"
                                            : "application/json"};
                    respondido = true;
                }
            }
            if (!respondido)
                r = atender(req);
            std::lock_guard g(mtx);
            for (std::size_t i = sequencias.size(); i-- > 0;)
                if (sequencias[i] == sequencia) {
                    gravadas[i].status = r.status;
                    break;
                }
        }
        res.status = r.status;
        if (!r.corpo.empty())
            res.set_content(r.corpo, r.tipo.c_str());
        else if (!r.tipo.empty() && r.status != 204)
            res.set_header("Content-Type", r.tipo);
    }
};

IFoodSim::IFoodSim()
    : d(std::make_unique<Impl>(*this))
{}

IFoodSim::~IFoodSim()
{
    parar();
}

int IFoodSim::iniciar(int porta)
{
    std::lock_guard gs(d->mtxServidor);
    if (d->servidor) {
        std::lock_guard g(d->mtx);
        return d->porta;
    }
    auto servidor = std::make_unique<httplib::Server>();
    // Held requests keep a thread each; the default pool is small.
    servidor->new_task_queue = [] { return new httplib::ThreadPool(48); };
    // An idle kept-alive connection delays stopping by up to this long.
    servidor->set_keep_alive_timeout(1);
    // httplib's default adds SO_REUSEPORT, which lets a second server share a busy port.
    servidor->set_socket_options([](int sock) {
        int sim = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &sim, sizeof sim);
    });
    const auto tratar = [this](const httplib::Request& req, httplib::Response& res) {
        d->tratar(req, res);
    };
    // A request without Content-Length or Transfer-Encoding has an empty body (a bodiless
    // POST or DELETE, as clients send them); httplib would answer 400 before any handler, so
    // the body is read here, only when one is announced.
    const auto comCorpo = [this](const httplib::Request& req, httplib::Response& res,
                                 const httplib::ContentReader& leitor) {
        httplib::Request copia = req;
        if (req.has_header("Content-Length") || req.has_header("Transfer-Encoding"))
            leitor([&](const char* dados, std::size_t n) {
                copia.body.append(dados, n);
                return true;
            });
        d->tratar(copia, res);
    };
    servidor->Get(".*", tratar);
    servidor->Options(".*", tratar);
    servidor->Post(".*", comCorpo);
    servidor->Put(".*", comCorpo);
    servidor->Patch(".*", comCorpo);
    servidor->Delete(".*", comCorpo);
    servidor->set_exception_handler(
        [](const httplib::Request&, httplib::Response& res, std::exception_ptr ep) {
            std::string texto = "internal error";
            try {
                std::rethrow_exception(ep);
            } catch (const std::exception& e) {
                texto = e.what();
            } catch (...) {
            }
            res.status = 500;
            res.set_content(erro(500, "InternalServerError", texto).corpo, "application/json");
        });
    int escolhida = -1;
    if (porta == 0)
        escolhida = servidor->bind_to_any_port("127.0.0.1");
    else if (servidor->bind_to_port("127.0.0.1", porta))
        escolhida = porta;
    if (escolhida <= 0)
        throw std::runtime_error("talvoro-ifood-sim: cannot listen on 127.0.0.1:" +
                                 std::to_string(porta));
    {
        std::lock_guard g(d->mtx);
        d->porta = escolhida;
        d->parando = false;
        d->ativo = true;
    }
    httplib::Server* s = servidor.get();
    d->linha = std::thread([s] { s->listen_after_bind(); });
    // stop() does nothing until the accept loop has started.
    while (!s->is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    d->servidor = std::move(servidor);
    return escolhida;
}

void IFoodSim::parar()
{
    std::lock_guard gs(d->mtxServidor);
    if (!d->servidor)
        return;
    {
        std::lock_guard g(d->mtx);
        d->parando = true;
    }
    d->cv.notify_all();
    d->servidor->stop();
    if (d->linha.joinable())
        d->linha.join();
    d->servidor.reset();
    std::lock_guard g(d->mtx);
    d->parando = false;
    d->ativo = false;
}

bool IFoodSim::rodando() const
{
    std::lock_guard g(d->mtx);
    return d->ativo;
}

int IFoodSim::porta() const
{
    std::lock_guard g(d->mtx);
    return d->porta;
}

std::string IFoodSim::urlBase() const
{
    std::lock_guard g(d->mtx);
    return d->base();
}

std::string IFoodSim::adicionarPedido(const nlohmann::ordered_json& pedido)
{
    return d->guardarPedido(pedido, pedido.dump());
}

std::string IFoodSim::adicionarPedidoTexto(const std::string& texto)
{
    const json pedido = json::parse(texto, nullptr, false);
    if (pedido.is_discarded())
        throw std::invalid_argument("the order is not valid JSON");
    return d->guardarPedido(pedido, texto);
}

std::optional<std::string> IFoodSim::pedido(const std::string& orderId) const
{
    std::lock_guard g(d->mtx);
    const auto it = d->pedidos.find(orderId);
    if (it == d->pedidos.end())
        return std::nullopt;
    return it->second.texto;
}

std::string IFoodSim::adicionarEvento(std::string code, std::string orderId, std::string id,
                                      std::string createdAt)
{
    std::lock_guard g(d->mtx);
    return d->novoEvento(std::move(code), std::move(orderId), std::move(id), std::move(createdAt));
}

std::string IFoodSim::concluirPedido(const std::string& orderId)
{
    return adicionarEvento("CON", orderId);
}

std::vector<nlohmann::ordered_json> IFoodSim::eventosPendentes() const
{
    std::lock_guard g(d->mtx);
    std::vector<json> r;
    for (const auto& e : d->eventos)
        if (!e.reconhecido)
            r.push_back(e.dados);
    return r;
}

std::vector<std::string> IFoodSim::idsReconhecidos() const
{
    std::lock_guard g(d->mtx);
    return d->reconhecidos;
}

void IFoodSim::definirMerchant(const std::string& id, const std::string& nome,
                               nlohmann::ordered_json status, const std::string& razaoSocial)
{
    std::lock_guard g(d->mtx);
    Merchant m{id, nome, razaoSocial.empty() ? nome : razaoSocial, std::move(status)};
    if (Merchant* existente = d->acharMerchant(id))
        *existente = std::move(m);
    else
        d->merchants.push_back(std::move(m));
}

void IFoodSim::removerMerchant(const std::string& id)
{
    std::lock_guard g(d->mtx);
    std::erase_if(d->merchants, [&](const Merchant& m) { return m.id == id; });
    d->interrupcoes.erase(id);
}

void IFoodSim::removerMerchants()
{
    std::lock_guard g(d->mtx);
    d->merchants.clear();
    d->interrupcoes.clear();
}

std::vector<nlohmann::ordered_json> IFoodSim::interrupcoes(const std::string& merchantId) const
{
    std::lock_guard g(d->mtx);
    std::vector<json> r;
    if (const auto it = d->interrupcoes.find(merchantId); it != d->interrupcoes.end())
        for (const auto& i : it->second)
            r.push_back(Impl::interrupcaoJson(i));
    return r;
}

void IFoodSim::definirTokensEstritos(bool estrito)
{
    std::lock_guard g(d->mtx);
    d->config.estrito = estrito;
}

void IFoodSim::definirValidadeToken(std::chrono::seconds validade)
{
    std::lock_guard g(d->mtx);
    d->config.validade = validade;
}

void IFoodSim::expirarTokens()
{
    std::lock_guard g(d->mtx);
    const auto antes = util::agora() - std::chrono::seconds(1);
    for (auto& [token, expira] : d->acessos)
        expira = antes;
}

std::string IFoodSim::emitirToken()
{
    std::lock_guard g(d->mtx);
    return d->emitirPar()["accessToken"].get<std::string>();
}

void IFoodSim::definirCredenciais(std::string clientId, std::string clientSecret)
{
    std::lock_guard g(d->mtx);
    d->config.clientId = std::move(clientId);
    d->config.clientSecret = std::move(clientSecret);
}

void IFoodSim::definirStatusRecusaToken(int status)
{
    std::lock_guard g(d->mtx);
    d->config.statusRecusa = status;
}

std::string IFoodSim::codigoAutorizacao(const std::string& userCode) const
{
    std::lock_guard g(d->mtx);
    for (const auto& c : d->codigos)
        if (c.userCode == userCode)
            return c.codigo;
    return {};
}

void IFoodSim::definirLimiteAck(std::size_t limite)
{
    std::lock_guard g(d->mtx);
    d->config.limiteAck = limite;
}

void IFoodSim::forcarResposta(std::string metodo, std::string caminho, int status,
                              std::string corpo, int vezes, std::chrono::milliseconds atraso)
{
    if (vezes == 0)
        return;
    std::lock_guard g(d->mtx);
    d->forcamentos.push_back(
        {std::move(metodo), std::move(caminho), status, std::move(corpo), vezes, atraso, false});
}

void IFoodSim::atrasarResposta(std::string metodo, std::string caminho,
                               std::chrono::milliseconds atraso, int vezes)
{
    forcarResposta(std::move(metodo), std::move(caminho), 0, {}, vezes, atraso);
}

void IFoodSim::pendurar(std::string metodo, std::string caminho, int vezes)
{
    if (vezes == 0)
        return;
    std::lock_guard g(d->mtx);
    d->forcamentos.push_back(
        {std::move(metodo), std::move(caminho), 0, {}, vezes, std::chrono::milliseconds{}, true});
}

void IFoodSim::liberarPendurados()
{
    {
        std::lock_guard g(d->mtx);
        ++d->liberacoes;
    }
    d->cv.notify_all();
}

void IFoodSim::limparForcamentos()
{
    std::lock_guard g(d->mtx);
    d->forcamentos.clear();
}

std::vector<RequisicaoGravada> IFoodSim::requisicoes() const
{
    std::lock_guard g(d->mtx);
    return d->gravadas;
}

void IFoodSim::limparRequisicoes()
{
    std::lock_guard g(d->mtx);
    d->gravadas.clear();
    d->sequencias.clear();
}

bool IFoodSim::aguardarRequisicoes(std::size_t n, std::chrono::milliseconds limite) const
{
    std::unique_lock g(d->mtx);
    return d->cv.wait_for(g, limite, [&] { return d->gravadas.size() >= n; });
}

void IFoodSim::limpar()
{
    {
        std::lock_guard g(d->mtx);
        d->reiniciarEstado();
        ++d->liberacoes;
    }
    d->cv.notify_all();
}

int portaFechada()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t n = sizeof a;
    ::bind(s, reinterpret_cast<sockaddr*>(&a), n);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &n);
    ::close(s);
    return ntohs(a.sin_port);
}

} // namespace talvoro::sim
