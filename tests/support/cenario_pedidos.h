#pragma once

#include "data/fb/firebird.h"
#include "ifoodsim.h"
#include "support/ambiente.h"
#include "worker/janela.h"
#include "worker/worker.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QString>

#include <initializer_list>
#include <memory>
#include <utility>

namespace talvoro::teste {

using Parametros = std::initializer_list<std::pair<const char*, fb::Valor>>;

// A test with a program folder, its database, a window that only records, and a worker that runs
// no timers (tests call its steps). Helpers write and read the order tables directly.
struct CenarioPedidos : ::testing::Test, Ambiente
{
    CenarioPedidos();
    ~CenarioPedidos();

    fb::Resultado consultar(const std::string& sql, Parametros params = {});
    void executar(const std::string& sql, Parametros params = {});

    // An order header as the import leaves it, with the status given.
    int inserirPedido(const QString& reference, const QString& status,
                      const QDateTime& datapedido = {}, const QString& shortReference = {});
    QString statusDe(int cdpedido);
    fb::Linha pedido(int cdpedido);
    // An event as the polling stores it; returns its codigo.
    int inserirEvento(const QString& id, const QString& code, const QString& orderId,
                      const QDateTime& dtHrSis = {});
    fb::Linha evento(int codigo);
    // Rows of the logs table, oldest first.
    fb::Resultado logs();

    JanelaSemTela janela;
    std::unique_ptr<TThreadNFe_NFCe> worker;
};

// The same with the fake iFood server running and the program pointed at it.
struct CenarioIFood : CenarioPedidos
{
    CenarioIFood();
    ~CenarioIFood();

    // Serves the order document (tests/dados/pedidos/<arquivo>, or a JSON text) and stores
    // its placed-order event as the polling would. Returns the order id.
    QString colocarPedido(const QString& arquivo);
    QString colocarPedidoTexto(const std::string& json);
    // The order's number, 0 when it has no header.
    int cdDe(const QString& orderId);

    sim::IFoodSim sim;

private:
    QByteArray m_apiAnterior;
};

} // namespace talvoro::teste
