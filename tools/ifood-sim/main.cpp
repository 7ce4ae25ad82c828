// talvoro-ifood-sim: serves the fake iFood merchant API on 127.0.0.1 until killed.

#include "ifoodsim.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <pthread.h>

namespace {

void uso(std::FILE* saida)
{
    std::fputs(
        "usage: talvoro-ifood-sim [--port N] [--order file.json ...] [--merchant ID[=NAME]]\n"
        "                         [--strict-tokens] [--ack-limit N]\n"
        "Serves the fake iFood merchant API on http://127.0.0.1:PORT (port 0 or none: any\n"
        "free port) until killed. POST /sim/orders with an order JSON body feeds an order\n"
        "while it runs.\n",
        saida);
}

bool lerArquivo(const std::string& caminho, std::string& texto)
{
    std::ifstream arquivo(caminho, std::ios::binary);
    if (!arquivo)
        return false;
    std::ostringstream s;
    s << arquivo.rdbuf();
    texto = s.str();
    return true;
}

bool lerInteiro(const char* texto, long& valor)
{
    char* fim = nullptr;
    valor = std::strtol(texto, &fim, 10);
    return fim && *fim == '\0' && fim != texto;
}

} // namespace

int main(int argc, char** argv)
{
    long porta = 0;
    long limiteAck = -1;
    bool estrito = false;
    std::vector<std::string> pedidos;
    std::vector<std::pair<std::string, std::string>> merchants;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool temValor = i + 1 < argc;
        if (arg == "--help" || arg == "-h") {
            uso(stdout);
            return 0;
        } else if (arg == "--port" && temValor) {
            if (!lerInteiro(argv[++i], porta) || porta < 0 || porta > 65535) {
                std::fprintf(stderr, "talvoro-ifood-sim: bad port: %s\n", argv[i]);
                return 2;
            }
        } else if (arg == "--ack-limit" && temValor) {
            if (!lerInteiro(argv[++i], limiteAck) || limiteAck < 0) {
                std::fprintf(stderr, "talvoro-ifood-sim: bad limit: %s\n", argv[i]);
                return 2;
            }
        } else if (arg == "--order" && temValor) {
            // --order a.json b.json ... takes every argument up to the next option.
            while (i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0)
                pedidos.emplace_back(argv[++i]);
        } else if (arg == "--merchant" && temValor) {
            const std::string valor = argv[++i];
            const auto igual = valor.find('=');
            merchants.emplace_back(valor.substr(0, igual), igual == std::string::npos
                                                               ? std::string{}
                                                               : valor.substr(igual + 1));
        } else if (arg == "--strict-tokens") {
            estrito = true;
        } else {
            std::fprintf(stderr, "talvoro-ifood-sim: unknown or incomplete option: %s\n",
                         arg.c_str());
            uso(stderr);
            return 2;
        }
    }

    // The server threads inherit this mask, so only sigwait below sees the signals.
    sigset_t sinais;
    sigemptyset(&sinais);
    sigaddset(&sinais, SIGINT);
    sigaddset(&sinais, SIGTERM);
    sigaddset(&sinais, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &sinais, nullptr);

    talvoro::sim::IFoodSim sim;
    if (!merchants.empty()) {
        sim.removerMerchants();
        int n = 0;
        for (const auto& [id, nome] : merchants) {
            ++n;
            sim.definirMerchant(
                id, nome.empty()
                        ? (n == 1 ? std::string(talvoro::sim::IFoodSim::kNomeMerchantPadrao)
                                  : "Loja " + std::to_string(n))
                        : nome);
        }
    }
    sim.definirTokensEstritos(estrito);
    if (limiteAck >= 0)
        sim.definirLimiteAck(static_cast<std::size_t>(limiteAck));

    std::vector<std::string> carregados;
    for (const auto& caminho : pedidos) {
        std::string texto;
        if (!lerArquivo(caminho, texto)) {
            std::fprintf(stderr, "talvoro-ifood-sim: cannot read %s\n", caminho.c_str());
            return 2;
        }
        try {
            carregados.push_back(sim.adicionarPedidoTexto(texto));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "talvoro-ifood-sim: %s: %s\n", caminho.c_str(), e.what());
            return 2;
        }
    }

    try {
        sim.iniciar(static_cast<int>(porta));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf("talvoro-ifood-sim listening on %s\n", sim.urlBase().c_str());
    for (const auto& id : carregados)
        std::printf("order %s queued (PLC)\n", id.c_str());
    std::fflush(stdout);

    int sinal = 0;
    sigwait(&sinais, &sinal);
    sim.parar();
    return 0;
}
