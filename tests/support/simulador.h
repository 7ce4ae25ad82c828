#pragma once

#include "support/ambiente.h"
#include "worker/janela.h"
#include "worker/worker.h"

#include "ifoodsim.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

namespace talvoro::teste {

// Points TALVORO_IFOOD_API at an address while the object lives.
class HostIFoodTeste
{
public:
    explicit HostIFoodTeste(const QString& url);
    ~HostIFoodTeste();
    HostIFoodTeste(const HostIFoodTeste&) = delete;
    HostIFoodTeste& operator=(const HostIFoodTeste&) = delete;

private:
    QByteArray m_anterior;
    bool m_tinha;
};

// A loopback port on which nothing listens.
using sim::portaFechada;
QString urlPortaFechada();

// Runs the event loop until the condition holds or the deadline passes; returns the
// condition's last value. The deadline is generous: it only stops a test that hangs.
bool esperarAte(const std::function<bool()>& condicao,
                std::chrono::milliseconds limite = std::chrono::seconds(20));

// The fake iFood server on a free loopback port, with TALVORO_IFOOD_API pointing at it.
class SimuladorIFood
{
public:
    SimuladorIFood();
    sim::IFoodSim sim;

private:
    std::optional<HostIFoodTeste> m_host;
};

// One row of the logs table.
struct LinhaLog
{
    QString acao, enviado, nomeservico, statuslog, recebido;
    int cdpedido = -1;
    int tipochamada = -1;
};
// Every row, in the order written.
std::vector<LinhaLog> linhasLogs(TDM& dm);

// A program folder with its database, the fake server and a worker whose timers do not run,
// for calling its steps one by one.
struct CenarioWorker
{
    Ambiente amb;
    SimuladorIFood s;
    JanelaSemTela janela;
    TThreadNFe_NFCe worker{amb.dm,
                           janela,
                           QStringLiteral("cod-aut"),
                           QStringLiteral("verif-aut"),
                           QStringLiteral("refresh-inicial"),
                           QString::fromLatin1(sim::IFoodSim::kMerchantPadrao),
                           true};
};

} // namespace talvoro::teste
