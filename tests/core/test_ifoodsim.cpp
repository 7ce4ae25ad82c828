// The fake iFood server itself, driven over real HTTP.

#include "ifoodsim.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <regex>

using talvoro::sim::IFoodSim;
using json = nlohmann::ordered_json;
using namespace std::chrono_literals;

namespace {

constexpr const char* kPolling = "/order/v1.0/events:polling";
constexpr const char* kAck = "/order/v1.0/events/acknowledgment";

// Sends a request exactly as written and returns the status line of the answer.
std::string linhaDeStatusCrua(int porta, const std::string& requisicao)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in endereco{};
    endereco.sin_family = AF_INET;
    endereco.sin_port = htons(static_cast<uint16_t>(porta));
    endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string resposta;
    if (::connect(s, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco) == 0 &&
        ::send(s, requisicao.data(), requisicao.size(), 0) ==
            static_cast<ssize_t>(requisicao.size())) {
        char buffer[4096];
        ssize_t n;
        while ((n = ::recv(s, buffer, sizeof buffer, 0)) > 0)
            resposta.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(s);
    return resposta.substr(0, resposta.find("\r\n"));
}

class IFoodSimTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        porta = sim.iniciar();
        cliente = std::make_unique<httplib::Client>("127.0.0.1", porta);
        cliente->set_read_timeout(10, 0);
    }

    httplib::Result get(const std::string& caminho, const std::string& token = "qualquer")
    {
        return cliente->Get(caminho.c_str(), cabecalhos(token));
    }

    httplib::Result post(const std::string& caminho, const std::string& corpo = {},
                         const std::string& tipo = "application/json",
                         const std::string& token = "qualquer")
    {
        return cliente->Post(caminho.c_str(), cabecalhos(token), corpo, tipo.c_str());
    }

    static httplib::Headers cabecalhos(const std::string& token)
    {
        httplib::Headers h;
        if (!token.empty())
            h.emplace("Authorization", "Bearer " + token);
        return h;
    }

    std::vector<std::string> codigosPendentes(const std::string& orderId) const
    {
        std::vector<std::string> r;
        for (const auto& e : sim.eventosPendentes())
            if (e["orderId"] == orderId)
                r.push_back(e["code"].get<std::string>());
        return r;
    }

    IFoodSim sim;
    int porta = 0;
    std::unique_ptr<httplib::Client> cliente;
};

TEST_F(IFoodSimTest, PedidoViraEventoPLCEServidoComoFoiDadoEReconhecidoNaoVoltaMais)
{
    // Member order and number spelling must survive: the client keeps the order text as is.
    const std::string texto =
        R"({"displayId":"0042","id":"pedido-1","total":{"orderAmount":10.50},)"
        R"("merchant":{"id":"loja-9"}})";
    EXPECT_EQ(sim.adicionarPedidoTexto(texto), "pedido-1");

    auto r = get(kPolling);
    ASSERT_TRUE(r);
    ASSERT_EQ(r->status, 200);
    const json eventos = json::parse(r->body);
    ASSERT_EQ(eventos.size(), 1u);
    const json& e = eventos[0];
    EXPECT_EQ(e["code"], "PLC");
    EXPECT_EQ(e["fullCode"], "PLACED");
    EXPECT_EQ(e["orderId"], "pedido-1");
    EXPECT_EQ(e["merchantId"], "loja-9");
    EXPECT_TRUE(std::regex_match(e["createdAt"].get<std::string>(),
                                 std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z)")))
        << e["createdAt"];

    r = get("/order/v1.0/orders/pedido-1");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 200);
    EXPECT_EQ(r->body, texto);
    r = get("/order/v1.0/orders/outro");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 404);

    // Until acknowledged the event is offered again.
    r = get(kPolling);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 200);

    json ack = json::array({json{{"id", e["id"]}}});
    r = post(kAck, ack.dump());
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 202);
    EXPECT_EQ(sim.idsReconhecidos(), std::vector<std::string>{e["id"].get<std::string>()});

    r = get(kPolling);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 204);
    EXPECT_TRUE(r->body.empty());

    // The same order placed again comes back as a new event.
    sim.adicionarPedido(json{{"id", "pedido-1"}});
    EXPECT_EQ(codigosPendentes("pedido-1"), std::vector<std::string>{"PLC"});
}

TEST_F(IFoodSimTest, ReconhecimentoRecusaCorpoInvalidoEExcessoDeIds)
{
    sim.adicionarPedido(json{{"id", "p"}});
    sim.definirLimiteAck(2);
    const std::string id = sim.eventosPendentes().at(0)["id"];
    const std::string um = R"({"id":")" + id + R"("})";
    struct Caso
    {
        std::string corpo, tipo;
        int status;
    } casos[] = {
        {"nada", "application/json", 400},
        {R"({"id":"x"})", "application/json", 400},
        {"[1]", "application/json", 400},
        {R"([{"id":7}])", "application/json", 400},
        {"[" + um + R"(,{"codigo":"x"}])", "application/json", 400},
        {"[" + um + "," + um + "," + um + "]", "application/json", 413},
        {"[" + um + "]", "text/plain", 415},
    };
    for (const auto& c : casos) {
        const auto r = post(kAck, c.corpo, c.tipo);
        ASSERT_TRUE(r) << c.corpo;
        EXPECT_EQ(r->status, c.status) << c.corpo;
    }
    // A rejected request acknowledges nothing, not even its valid ids.
    EXPECT_EQ(sim.eventosPendentes().size(), 1u);
    EXPECT_TRUE(sim.idsReconhecidos().empty());

    const auto r = post(kAck, "[" + um + "," + um + "]");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 202);
    EXPECT_TRUE(sim.eventosPendentes().empty());
}

TEST_F(IFoodSimTest, RespostaForcadaValeNVezesEDepoisVoltaAoNormal)
{
    sim.adicionarPedido(json{{"id", "p1"}});
    sim.forcarResposta("GET", "/order/v1.0/orders/*", 500, "falhou", 2);
    sim.forcarResposta("POST", kPolling, 503, {}, IFoodSim::kSempre); // other method: unused

    for (int i = 0; i < 2; ++i) {
        const auto r = get("/order/v1.0/orders/p1");
        ASSERT_TRUE(r);
        EXPECT_EQ(r->status, 500);
        EXPECT_EQ(r->body, "falhou");
    }
    auto r = get("/order/v1.0/orders/p1");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 200);
    EXPECT_EQ(json::parse(r->body)["id"], "p1");

    r = get(kPolling);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 200);

    // An override answers even without a token; exact paths do not match longer ones.
    sim.forcarResposta("*", "/merchant/v1.0/merchants", 401, R"({"message":"expired"})");
    r = get("/merchant/v1.0/merchants/x/status");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 404);
    r = get("/merchant/v1.0/merchants", "");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 401);
    EXPECT_EQ(r->body, R"({"message":"expired"})");
    r = get("/merchant/v1.0/merchants");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 200);
}

TEST_F(IFoodSimTest, AcoesDoPedidoEnfileiramSeusEventos)
{
    sim.adicionarPedido(json{{"id", "p1"}});
    struct Caso
    {
        std::string acao, corpo;
        int status;
        const char* evento;
    } casos[] = {
        {"confirm", {}, 202, "CFM"},
        {"dispatch", {}, 202, "DSP"},
        {"readyToPickup", {}, 202, "RTP"},
        {"requestCancellation", R"({"cancellationCode":"999","reason":"x"})", 400, nullptr},
        {"requestCancellation", R"({"cancellationCode":"503"})", 400, nullptr},
        {"requestCancellation", R"({"cancellationCode":"503","reason":"ITEM INDISPONÍVEL"})", 202,
         "CAN"},
    };
    std::vector<std::string> esperados = {"PLC"};
    for (const auto& c : casos) {
        const auto r = post("/order/v1.0/orders/p1/" + c.acao, c.corpo);
        ASSERT_TRUE(r) << c.acao;
        EXPECT_EQ(r->status, c.status) << c.acao << " " << c.corpo;
        if (c.evento)
            esperados.push_back(c.evento);
        EXPECT_EQ(codigosPendentes("p1"), esperados) << c.acao;
    }
    sim.concluirPedido("p1");
    EXPECT_EQ(codigosPendentes("p1").back(), "CON");

    // A bodiless POST need not announce a length.
    EXPECT_EQ(linhaDeStatusCrua(porta, "POST /order/v1.0/orders/p1/confirm HTTP/1.1\r\n"
                                       "Host: 127.0.0.1\r\nAuthorization: Bearer t\r\n"
                                       "Connection: close\r\n\r\n"),
              "HTTP/1.1 202 Accepted");
    EXPECT_EQ(codigosPendentes("p1").back(), "CFM");

    const auto r = post("/order/v1.0/orders/desconhecido/confirm");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 404);
    EXPECT_TRUE(codigosPendentes("desconhecido").empty());
}

TEST_F(IFoodSimTest, ChamadasSemTokenValidoRecebem401)
{
    auto r = get("/merchant/v1.0/merchants", "");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 401);
    r = cliente->Get("/merchant/v1.0/merchants", {{"Authorization", "Bearer "}});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 401);
    r = cliente->Get("/merchant/v1.0/merchants", {{"Authorization", "Basic abc"}});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 401);
    r = get("/merchant/v1.0/merchants", "inventado");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 200);

    sim.definirTokensEstritos(true);
    r = get("/merchant/v1.0/merchants", "inventado");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 401);
    const std::string token = sim.emitirToken();
    r = get("/merchant/v1.0/merchants", token);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 200);
    sim.expirarTokens();
    r = get("/merchant/v1.0/merchants", token);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 401);
}

TEST_F(IFoodSimTest, AutorizacaoPorCodigoDeUsuarioERenovacaoNoModoEstrito)
{
    sim.definirTokensEstritos(true);
    auto r =
        cliente->Post("/authentication/v1.0/oauth/userCode", httplib::Params{{"clientId", "cli"}});
    ASSERT_TRUE(r);
    ASSERT_EQ(r->status, 200);
    const json codigo = json::parse(r->body);
    EXPECT_EQ(codigo["expiresIn"], 600);
    const std::string userCode = codigo["userCode"];
    const std::string verificador = codigo["authorizationCodeVerifier"];
    EXPECT_EQ(codigo["verificationUrlComplete"].get<std::string>().find(sim.urlBase()), 0u);
    const std::string autorizacao = sim.codigoAutorizacao(userCode);
    ASSERT_FALSE(autorizacao.empty());

    const auto pedirToken = [&](httplib::Params campos) {
        campos.emplace("clientId", "cli");
        campos.emplace("clientSecret", "segredo");
        return cliente->Post("/authentication/v1.0/oauth/token", campos);
    };
    r = pedirToken({{"grantType", "authorization_code"},
                    {"authorizationCode", autorizacao},
                    {"authorizationCodeVerifier", "outro"}});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 401);
    r = pedirToken({{"grantType", "authorization_code"},
                    {"authorizationCode", autorizacao},
                    {"authorizationCodeVerifier", verificador}});
    ASSERT_TRUE(r);
    ASSERT_EQ(r->status, 200);
    const json primeiro = json::parse(r->body);
    EXPECT_EQ(primeiro["type"], "bearer");
    EXPECT_EQ(primeiro["expiresIn"], 21600);
    r = get("/merchant/v1.0/merchants", primeiro["accessToken"]);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 200);

    for (const char* refresh : {"", "inventado"}) {
        r = pedirToken({{"grantType", "refresh_token"}, {"refreshToken", refresh}});
        ASSERT_TRUE(r);
        EXPECT_EQ(r->status, 401) << refresh;
    }
    sim.expirarTokens();
    r = pedirToken({{"grantType", "refresh_token"},
                    {"refreshToken", primeiro["refreshToken"].get<std::string>()}});
    ASSERT_TRUE(r);
    ASSERT_EQ(r->status, 200);
    const json segundo = json::parse(r->body);
    EXPECT_NE(segundo["accessToken"], primeiro["accessToken"]);
    r = get("/merchant/v1.0/merchants", segundo["accessToken"]);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 200);
}

TEST_F(IFoodSimTest, RequisicoesSaoGravadasEmOrdemComCabecalhosECorpo)
{
    sim.adicionarPedido(json{{"id", "p"}});
    ASSERT_TRUE(get(std::string(kPolling) + "?x=1&y=dois"));
    ASSERT_TRUE(post(kAck, R"([{"id":"e1"}])"));
    ASSERT_TRUE(get("/order/v1.0/orders/p", ""));

    const auto g = sim.requisicoes();
    ASSERT_EQ(g.size(), 3u);
    EXPECT_EQ(g[0].metodo, "GET");
    EXPECT_EQ(g[0].caminho, kPolling);
    EXPECT_EQ(g[0].query, "x=1&y=dois");
    EXPECT_EQ(g[0].status, 200);
    EXPECT_EQ(g[1].metodo, "POST");
    EXPECT_EQ(g[1].caminho, kAck);
    EXPECT_EQ(g[1].corpo, R"([{"id":"e1"}])");
    EXPECT_EQ(g[1].cabecalho("content-type"), "application/json");
    EXPECT_EQ(g[1].cabecalho("AUTHORIZATION"), "Bearer qualquer");
    EXPECT_EQ(g[1].status, 202);
    EXPECT_FALSE(g[2].temCabecalho("Authorization"));
    EXPECT_EQ(g[2].status, 401);
    EXPECT_FALSE(g[2].temCabecalho("REMOTE_ADDR"));

    sim.limparRequisicoes();
    EXPECT_TRUE(sim.requisicoes().empty());
}

TEST_F(IFoodSimTest, InterrupcaoFechaALojaEnquantoEstaEmVigor)
{
    const std::string loja = IFoodSim::kMerchantPadrao;
    const std::string status = "/merchant/v1.0/merchants/" + loja + "/status";
    const std::string interrupcoes = "/merchant/v1.0/merchants/" + loja + "/interruptions";
    const auto disponivel = [&] {
        const auto r = get(status);
        EXPECT_TRUE(r && r->status == 200);
        return r ? json::parse(r->body).at(0).at("available").get<bool>() : false;
    };
    EXPECT_TRUE(disponivel());

    const struct
    {
        const char* corpo;
        int status;
    } invalidos[] = {
        {R"({"description":"Outro","start":"2024-05-10T17:30:00.000Z"})", 400},
        {R"({"description":"Outro","start":"ontem","end":"2099-01-01T00:00:00.000Z"})", 400},
        {R"({"description":"Outro","start":"2099-01-01T01:00:00Z","end":"2099-01-01T00:00:00Z"})",
         400},
    };
    for (const auto& c : invalidos) {
        const auto r = post(interrupcoes, c.corpo);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->status, c.status) << c.corpo;
    }
    EXPECT_TRUE(disponivel());

    const std::string corpo =
        R"({"description":"Falta de Entregador","start":"2024-05-10T17:30:00.000Z",)"
        R"("end":"2099-05-10T18:30:00.000Z"})";
    auto r = post(interrupcoes, corpo);
    ASSERT_TRUE(r);
    ASSERT_EQ(r->status, 201);
    const json criada = json::parse(r->body);
    EXPECT_EQ(criada["description"], "Falta de Entregador");
    EXPECT_EQ(criada["end"], "2099-05-10T18:30:00.000Z");
    EXPECT_FALSE(disponivel());

    r = post("/merchant/v1.0/merchants/outra-loja/interruptions", corpo);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 403);

    const std::string apagar = interrupcoes + "/" + criada["id"].get<std::string>();
    r = cliente->Delete(apagar.c_str(), cabecalhos("t"));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 204);
    EXPECT_TRUE(disponivel());
    r = cliente->Delete(apagar.c_str(), cabecalhos("t"));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 404);

    // An interruption already over does not close the store; a status set by hand is served.
    r = post(interrupcoes, R"({"description":"x","start":"2020-01-01T00:00:00-03:00",)"
                           R"("end":"2020-01-01T01:00:00-03:00"})");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 201);
    EXPECT_TRUE(disponivel());
    sim.definirMerchant(loja, "Cantina", json{{"available", false}, {"state", "ERROR"}});
    EXPECT_FALSE(disponivel());
    r = get("/merchant/v1.0/merchants/desconhecida/status");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 404);
}

TEST_F(IFoodSimTest, RequisicaoPenduradaNaoImpedeParadaEOServidorVoltaNaMesmaPorta)
{
    {
        IFoodSim outro; // a busy port is refused, not shared
        EXPECT_THROW(outro.iniciar(porta), std::runtime_error);
    }
    sim.adicionarPedido(json{{"id", "p"}});
    sim.pendurar("GET", kPolling);
    cliente->set_read_timeout(0, 300'000);
    auto r = get(kPolling);
    EXPECT_FALSE(r); // the client gave up waiting
    ASSERT_TRUE(sim.aguardarRequisicoes(1, 5s));

    sim.parar();
    EXPECT_FALSE(sim.rodando());
    r = get(kPolling);
    EXPECT_FALSE(r); // nobody listening

    EXPECT_EQ(sim.iniciar(porta), porta);
    cliente = std::make_unique<httplib::Client>("127.0.0.1", porta);
    r = get(kPolling);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 200); // state kept across the restart
}

} // namespace
