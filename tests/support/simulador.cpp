#include "simulador.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>


namespace talvoro::teste {

HostIFoodTeste::HostIFoodTeste(const QString& url)
    : m_anterior(qgetenv("TALVORO_IFOOD_API"))
    , m_tinha(qEnvironmentVariableIsSet("TALVORO_IFOOD_API"))
{
    qputenv("TALVORO_IFOOD_API", url.toUtf8());
}

HostIFoodTeste::~HostIFoodTeste()
{
    if (m_tinha)
        qputenv("TALVORO_IFOOD_API", m_anterior);
    else
        qunsetenv("TALVORO_IFOOD_API");
}

QString urlPortaFechada()
{
    return QStringLiteral("http://127.0.0.1:%1").arg(portaFechada());
}

bool esperarAte(const std::function<bool()>& condicao, std::chrono::milliseconds limite)
{
    const QDeadlineTimer prazo(limite);
    while (!condicao()) {
        if (prazo.hasExpired())
            return condicao();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(5);
    }
    return true;
}

SimuladorIFood::SimuladorIFood()
{
    sim.iniciar();
    m_host.emplace(QString::fromStdString(sim.urlBase()));
}

std::vector<LinhaLog> linhasLogs(TDM& dm)
{
    const fb::Resultado r =
        fb::Instrucao(dm.FDConnection1(), "select cdpedido, acao, enviado, nomeservico, statuslog, "
                                          "tipochamada, recebido from logs order by cdlog")
            .abrir();
    std::vector<LinhaLog> out;
    for (const fb::Linha& l : r.linhas) {
        LinhaLog x;
        x.cdpedido = int(l[u"cdpedido"].toInt());
        x.acao = l[u"acao"].toString();
        x.enviado = l[u"enviado"].isNull() ? QStringLiteral("<null>") : l[u"enviado"].toString();
        x.nomeservico = l[u"nomeservico"].toString();
        x.statuslog = l[u"statuslog"].toString();
        x.tipochamada = int(l[u"tipochamada"].toInt());
        x.recebido = l[u"recebido"].isNull() ? QStringLiteral("<null>") : l[u"recebido"].toString();
        out.push_back(x);
    }
    return out;
}

} // namespace talvoro::teste
