#include "dm.h"

#include "base/datahora.h"

#include <QStringList>

namespace talvoro {

namespace {

const QString kFormatoExpiracao = QStringLiteral("dd/mm/yyyy hh:nn:ss");

QString registroSemLinha()
{
    return QStringList{QString(), QString(), formatDataHora(kFormatoExpiracao, agora()),
                       QString(), QString(), QStringLiteral("0")}
        .join(u'|');
}

} // namespace

QString TDM::GetTokenBD(bool Reboot)
{
    if (Reboot) {
        Query("_qryDeleteConfig").executar();
        return registroSemLinha();
    }
    const fb::Resultado r = Query("_qryGetTokenBD").abrir();
    if (r.vazio())
        return registroSemLinha();
    const fb::Linha& l = r.primeira();
    // A row without an expiry gives an empty field: no validity can be vouched for.
    const fb::Valor& expiracao = l[u"dataexpiracao"];
    return QStringList{
        l[u"authorizationcode"].toString(),
        l[u"authorizationcodeverifier"].toString(),
        expiracao.isNull() ? QString() : formatDataHora(kFormatoExpiracao, expiracao.toDateTime()),
        l[u"refreshtoken"].toString(),
        l[u"token"].toString(),
        QStringLiteral("1")}
        .join(u'|');
}

void TDM::InsertTokenBD(int pOperacao, const QDateTime& pDataExpiracao,
                        const QString& pAutorizationCode, const QString& pAutorizationCodeVerifier,
                        const QString& pRefreshToken, const QString& pToken)
{
    const char* nome = nullptr;
    if (pOperacao == 0)
        nome = "_qryInsertConfig";
    else if (pOperacao == 1)
        nome = "_qryUpdateConfig";
    else
        return;
    auto& q = Query(nome);
    q.param("authorizationcode", pAutorizationCode)
        .param("authorizationcodeverifier", pAutorizationCodeVerifier)
        .param("cdconfig", 1)
        .param("dataexpiracao", pDataExpiracao)
        .param("refreshtoken", pRefreshToken)
        .param("token", pToken);
    q.executar();
}

} // namespace talvoro
