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

} // namespace talvoro::teste
