#include "dm.h"

#include "base/datahora.h"

#include <QFile>

namespace talvoro {

void gravarLogArquivo(const QString& pasta, const QString& mensagem)
{
    try {
        QFile arquivo(pasta + QStringLiteral("LogBrimeta.txt"));
        if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Append))
            return;
        const QString linha = formatDataHora(QStringLiteral("dd/mm/yyyy hh:nn:ss"), agora()) +
                              QStringLiteral(" - ") + mensagem + QStringLiteral("\r\n");
        arquivo.write(linha.toUtf8());
    } catch (...) {
    }
}

void TDM::GravaLog(const QString& Msg) const
{
    gravarLogArquivo(FPasta, Msg);
}

void TDM::InsertLogs(int pCdPedido, int pTipoChamada, const QString& pAcao, const QString& pEnviado,
                     const QString& pNomeServico, const QString& pStatusLog,
                     const QString& pRecebido)
{
    try {
        auto& q = Query("_qryInsertLogs");
        q.param("cdpedido", pCdPedido);
        q.param("acao", pAcao);
        q.param("enviado", pEnviado.isEmpty() ? fb::Valor() : fb::Valor(pEnviado));
        q.param("nomeservico", pNomeServico);
        q.param("statuslog", pStatusLog);
        q.param("tipochamada", pTipoChamada);
        q.param("recebido", pRecebido.isEmpty() ? fb::Valor() : fb::Valor(pRecebido));
        q.executar();
    } catch (const std::exception& e) {
        GravaLog(QStringLiteral("Falha ao inserir Logs no banco... ") +
                 QString::fromUtf8(e.what()));
    }
}

QString TDM::TextoStatusLog(const fb::Valor& statuslog)
{
    return statuslog.isText() && statuslog.toString() == u"S" ? QStringLiteral("OK")
                                                              : QStringLiteral("ERRO");
}

QString TDM::TextoTipoChamada(const fb::Valor& tipochamada)
{
    if (tipochamada.isNull())
        return {};
    switch (tipochamada.toInt()) {
    case 0:
        return QStringLiteral("TODAS");
    case 1:
        return QStringLiteral("VEXO");
    case 2:
        return QStringLiteral("IFOOD");
    case 3:
        return QStringLiteral("WHATSAPP");
    default:
        return {};
    }
}

} // namespace talvoro
