#include "cenario_pedidos.h"

#include "base/datahora.h"

namespace talvoro::teste {

CenarioPedidos::CenarioPedidos()
    : worker(std::make_unique<TThreadNFe_NFCe>(dm, janela, QString(), QString(), QString(),
                                               QStringLiteral("merchant-1"), true))
{}

CenarioPedidos::~CenarioPedidos()
{
    worker.reset();
}

fb::Resultado CenarioPedidos::consultar(const std::string& sql, Parametros params)
{
    fb::Instrucao i(dm.FDConnection1(), sql);
    for (const auto& [nome, valor] : params)
        i.param(nome, valor);
    return i.abrir();
}

void CenarioPedidos::executar(const std::string& sql, Parametros params)
{
    consultar(sql, params);
}

int CenarioPedidos::inserirPedido(const QString& reference, const QString& status,
                                  const QDateTime& datapedido, const QString& shortReference)
{
    const QDateTime quando = datapedido.isValid() ? datapedido : agora();
    return int(consultar("insert into ifood_pedidos (cdintegracao, cdpagamento, datapedido, "
                         "deliverydatetime, isagendado, seqdelivery, statuspedido, reference, "
                         "shortreference) values (0, 0, :quando, :quando, 'N', 1, :status, "
                         ":reference, :shortreference) returning cdpedido",
                         {{"quando", quando},
                          {"status", status},
                          {"reference", reference},
                          {"shortreference", shortReference}})
                   .primeira()[u"cdpedido"]
                   .toInt());
}

QString CenarioPedidos::statusDe(int cdpedido)
{
    return pedido(cdpedido)[u"statuspedido"].toString();
}

fb::Linha CenarioPedidos::pedido(int cdpedido)
{
    return consultar("select * from ifood_pedidos where cdpedido = :c", {{"c", cdpedido}})
        .primeira();
}

int CenarioPedidos::inserirEvento(const QString& id, const QString& code, const QString& orderId,
                                  const QDateTime& dtHrSis)
{
    const QDateTime quando =
        dtHrSis.isValid() ? dtHrSis : dataHora(QDate(2024, 5, 10), QTime(13, 0));
    dm.PollingInsere(id, code, orderId, QStringLiteral("2024-05-10T13:00:00Z"), quando);
    return int(consultar("select codigo from ifood_polling where id = :id", {{"id", id}})
                   .primeira()[u"codigo"]
                   .toInt());
}

fb::Linha CenarioPedidos::evento(int codigo)
{
    return consultar("select * from ifood_polling where codigo = :c", {{"c", codigo}}).primeira();
}

fb::Resultado CenarioPedidos::logs()
{
    return consultar("select * from logs order by cdlog");
}

CenarioIFood::CenarioIFood()
    : m_apiAnterior(qgetenv("TALVORO_IFOOD_API"))
{
    sim.iniciar();
    qputenv("TALVORO_IFOOD_API", QByteArray::fromStdString(sim.urlBase()));
    worker->FToken = QStringLiteral("token-de-teste");
}

CenarioIFood::~CenarioIFood()
{
    if (m_apiAnterior.isEmpty())
        qunsetenv("TALVORO_IFOOD_API");
    else
        qputenv("TALVORO_IFOOD_API", m_apiAnterior);
}

QString CenarioIFood::colocarPedido(const QString& arquivo)
{
    return colocarPedidoTexto(lerDados(QStringLiteral("pedidos/") + arquivo).toStdString());
}

QString CenarioIFood::colocarPedidoTexto(const std::string& json)
{
    const QString id = QString::fromStdString(sim.adicionarPedidoTexto(json));
    inserirEvento(QStringLiteral("plc-") + id, QStringLiteral("PLC"), id);
    return id;
}

int CenarioIFood::cdDe(const QString& orderId)
{
    const fb::Resultado r =
        consultar("select cdpedido from ifood_pedidos where reference = :r", {{"r", orderId}});
    return r.vazio() ? 0 : int(r.primeira()[u"cdpedido"].toInt());
}

} // namespace talvoro::teste
