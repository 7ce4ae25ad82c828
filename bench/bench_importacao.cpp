// One polling reply with 100 new orders (5 items of 2 options each, 2 payments) imported from
// the fake iFood server, forced writes on as in the product. Prints the wall time, the number
// of commits, the measured cost of one commit and of one HTTP round trip, and how the import
// time compares with (commits x commit cost + round trips x round-trip cost).
#include "base/pastas.h"
#include "data/dm.h"
#include "data/fb/firebird.h"
#include "ifood/rest.h"
#include "ifoodsim.h"
#include "worker/janela.h"
#include "worker/worker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <string>

using namespace talvoro;
using Json = nlohmann::ordered_json;

namespace {

constexpr int kPedidos = 100;

Json pedido(int n)
{
    const std::string id = "bench-" + std::to_string(n);
    Json itens = Json::array();
    for (int i = 1; i <= 5; ++i) {
        Json opcoes = Json::array();
        for (int o = 1; o <= 2; ++o)
            opcoes.push_back({{"index", o},
                              {"name", "Adicional " + std::to_string(o)},
                              {"externalCode", std::to_string(900 + o)},
                              {"unit", "UN"},
                              {"quantity", 1},
                              {"unitPrice", 2.5},
                              {"price", 2.5}});
        itens.push_back({{"index", i},
                         {"name", "Produto número " + std::to_string(i)},
                         {"externalCode", std::to_string(100 + i)},
                         {"unit", "UN"},
                         {"quantity", 2},
                         {"unitPrice", 10.9},
                         {"totalPrice", 31.8},
                         {"observations", "Sem cebola"},
                         {"options", opcoes}});
    }
    return {
        {"id", id},
        {"displayId", std::to_string(1000 + n)},
        {"orderType", "DELIVERY"},
        {"orderTiming", "IMMEDIATE"},
        {"createdAt", "2024-05-10T15:02:11.123Z"},
        {"merchant", {{"id", "merchant-1"}, {"name", "Cantina Bela Serra"}}},
        {"customer",
         {{"id", "cliente-" + std::to_string(n)},
          {"name", "Cliente de Teste " + std::to_string(n)},
          {"documentNumber", "12345678909"},
          {"phone", {{"number", "0800 705 0500"}, {"localizer", std::to_string(20000000 + n)}}}}},
        {"items", itens},
        {"total", {{"subTotal", 159.0}, {"deliveryFee", 7.99}, {"orderAmount", 166.99}}},
        {"payments",
         {{"prepaid", 100.0},
          {"pending", 66.99},
          {"methods", Json::array({{{"value", 100.0},
                                    {"currency", "BRL"},
                                    {"method", "CREDIT"},
                                    {"type", "ONLINE"},
                                    {"prepaid", true},
                                    {"card", {{"brand", "VISA"}}}},
                                   {{"value", 66.99},
                                    {"currency", "BRL"},
                                    {"method", "CASH"},
                                    {"type", "OFFLINE"},
                                    {"prepaid", false},
                                    {"cash", {{"changeFor", 100.0}}}}})}}},
        {"delivery",
         {{"mode", "DEFAULT"},
          {"deliveryDateTime", "2024-05-10T15:47:11.123Z"},
          {"observations", "Portão azul"},
          {"deliveryAddress",
           {{"streetName", "Rua Augusta"},
            {"streetNumber", std::to_string(n)},
            {"formattedAddress", "Rua Augusta, " + std::to_string(n)},
            {"neighborhood", "Consolação"},
            {"complement", ""},
            {"reference", "Perto do metrô"},
            {"postalCode", "01304001"},
            {"city", "São Paulo"}}}}},
    };
}

int64_t proximaTransacao(fb::Conexao& conexao)
{
    fb::Instrucao q(conexao, "select mon$next_transaction t from mon$database");
    return q.abrir().primeira()[u"t"].toInt();
}

double msDesde(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// Write system calls of this process so far (/proc/self/io): with forced writes every page
// the engine writes is one synchronous write.
int64_t escritas()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& linha : io.readAll().split('\n')) {
        if (linha.startsWith("syscw:"))
            return linha.mid(6).trimmed().toLongLong();
    }
    return -1;
}

struct Resultado
{
    double ms = 0;
    double msPolling = 0;
    int64_t commits = 0;
    int64_t escritas = 0;
    size_t idas = 0;
    int64_t completos = 0, linhasItens = 0, pagamentos = 0;
};

// Serves the orders, takes their events in with one polling reply, and imports them.
Resultado importar(sim::IFoodSim& servidor, TDM& dm, TThreadNFe_NFCe& worker, int primeiro)
{
    for (int n = primeiro; n < primeiro + kPedidos; ++n)
        servidor.adicionarPedido(pedido(n));
    QElapsedTimer polling;
    polling.start();
    worker.Polling();
    const double msPolling = msDesde(polling);
    servidor.limparRequisicoes();

    Resultado r;
    r.msPolling = msPolling;
    const int64_t transacao = proximaTransacao(dm.FDConnection1());
    const int64_t escritasAntes = escritas();
    QElapsedTimer t;
    t.start();
    worker.GetOrder();
    r.ms = msDesde(t);
    r.escritas = escritas() - escritasAntes;
    r.commits = proximaTransacao(dm.FDConnection1()) - transacao - 1;
    r.idas = servidor.requisicoes().size();

    fb::Instrucao conferencia(dm.FDConnection1(),
                              "select (select count(*) from ifood_pedidos where statuspedido = "
                              "'PNA') p, (select count(*) from ifood_pedidos_itens) i, (select "
                              "count(*) from ifood_pagamentos) g from rdb$database");
    const fb::Linha c = conferencia.abrir().primeira();
    r.completos = c[u"p"].toInt();
    r.linhasItens = c[u"i"].toInt();
    r.pagamentos = c[u"g"].toInt();
    worker.Acknowledgment(); // the cycle's end: these events are not offered again
    return r;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir raiz;
    fb::inicializarMotor(raiz.filePath(QStringLiteral("lock")));

    sim::IFoodSim servidor;
    servidor.iniciar();
    qputenv("TALVORO_IFOOD_API", QByteArray::fromStdString(servidor.urlBase()));

    QTemporaryDir pasta;
    qputenv("TALVORO_HOME", QFile::encodeName(pasta.path()));
    TDM dm(true); // forced writes on, as in the product
    dm.DataModuleCreate();
    JanelaSemTela janela;
    TThreadNFe_NFCe worker(dm, janela, {}, {}, {}, QStringLiteral("merchant-1"), true);
    worker.FToken = QStringLiteral("token");

    // Cost of one committed single-row write on this database (a table without indexes).
    dm.ExecSQL(QStringLiteral("create table medida (n integer)"));
    fb::Instrucao insercao(dm.FDConnection1(), "insert into medida (n) values (:n)");
    for (int i = 0; i < 20; ++i)
        insercao.param("n", i).executar();
    QElapsedTimer t;
    constexpr int kMedidas = 300;
    int64_t escritasAntes = escritas();
    t.start();
    for (int i = 0; i < kMedidas; ++i)
        insercao.param("n", i).executar();
    const double custoCommit = msDesde(t) / kMedidas;
    const double escritasPorCommit = double(escritas() - escritasAntes) / kMedidas;
    // And of one read with its commit.
    fb::Instrucao leitura(dm.FDConnection1(), "select count(*) c from loja");
    leitura.executar();
    escritasAntes = escritas();
    t.restart();
    for (int i = 0; i < kMedidas; ++i)
        leitura.executar();
    const double custoLeitura = msDesde(t) / kMedidas;
    const double escritasPorLeitura = double(escritas() - escritasAntes) / kMedidas;

    // One HTTP round trip as the import makes it: a new connection and one GET of an order.
    servidor.adicionarPedido(pedido(0));
    auto rest = ifood::CriaRest();
    rest->FRestClient.BaseURL = ifood::raizPedidos();
    rest->FRestRequest.Resource = QStringLiteral("orders/bench-0");
    rest->FRestRequest.AddHeader(QStringLiteral("Authorization"), QStringLiteral("Bearer token"));
    rest->Execute();
    t.restart();
    for (int i = 0; i < kMedidas; ++i)
        rest->Execute();
    const double custoIda = msDesde(t) / kMedidas;
    servidor.limpar(); // that order and its event are not part of the import

    const Resultado r = importar(servidor, dm, worker, 1);

    // The same import on a database with forced writes off: what is left is the program's
    // own work, the engine's work in memory and the HTTP exchanges.
    QTemporaryDir pastaSemSync;
    qputenv("TALVORO_HOME", QFile::encodeName(pastaSemSync.path()));
    TDM dmSemSync(false);
    dmSemSync.DataModuleCreate();
    TThreadNFe_NFCe workerSemSync(dmSemSync, janela, {}, {}, {}, QStringLiteral("merchant-1"),
                                  true);
    workerSemSync.FToken = QStringLiteral("token");
    const Resultado semSync = importar(servidor, dmSemSync, workerSemSync, kPedidos + 1);

    const double esperado = double(r.commits) * custoCommit + double(r.idas) * custoIda;
    std::printf("orders imported: %lld complete, %lld item lines, %lld payment rows\n",
                static_cast<long long>(r.completos), static_cast<long long>(r.linhasItens),
                static_cast<long long>(r.pagamentos));
    std::printf("polling reply with %d new events stored in %.1f ms\n", kPedidos, r.msPolling);
    std::printf("import wall time, forced writes on: %.1f ms (%.2f ms per order)\n", r.ms,
                r.ms / kPedidos);
    std::printf("commits: %lld (%.1f per order); HTTP round trips: %zu; synchronous writes: "
                "%lld (%.1f per commit)\n",
                static_cast<long long>(r.commits), double(r.commits) / kPedidos, r.idas,
                static_cast<long long>(r.escritas), double(r.escritas) / double(r.commits));
    std::printf("one committed single-row write: %.3f ms (%.1f writes); one read with its "
                "commit: %.3f ms (%.1f writes); one HTTP round trip: %.3f ms (means of %d)\n",
                custoCommit, escritasPorCommit, custoLeitura, escritasPorLeitura, custoIda,
                kMedidas);
    std::printf("commits x commit cost + round trips x trip cost = %.1f ms; import / that = "
                "%.2f\n",
                esperado, r.ms / esperado);
    // A commit on indexed tables with text blobs writes more pages than the bare insert
    // measured above; priced per synchronous write instead of per commit:
    const double porEscrita =
        double(r.escritas) * custoCommit / escritasPorCommit + double(r.idas) * custoIda;
    std::printf("synchronous writes x cost of one write + round trips x trip cost = %.1f ms; "
                "import / that = %.2f\n",
                porEscrita, r.ms / porEscrita);
    std::printf("same import with forced writes off: %.1f ms (%.2f ms per order, %lld "
                "complete)\n",
                semSync.ms, semSync.ms / kPedidos, static_cast<long long>(semSync.completos));
    return 0;
}
