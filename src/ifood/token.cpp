#include "worker/worker.h"

#include "base/datahora.h"

#include <QStringList>

#include <cmath>
#include <stdexcept>

namespace talvoro {

namespace {

using ifood::Json;

const Json& membro(const Json& objeto, const char* nome)
{
    if (!objeto.is_object() || !objeto.contains(nome))
        throw std::runtime_error(std::string("Campo ") + nome + " ausente na resposta do token");
    return objeto.at(nome);
}

QString textoDe(const Json& objeto, const char* nome)
{
    const Json& v = membro(objeto, nome);
    if (!v.is_string())
        throw std::runtime_error(std::string("Campo ") + nome + " não é um texto");
    return QString::fromStdString(v.get<std::string>());
}

// Whole seconds, within a range whose milliseconds cannot overflow.
int64_t segundosDe(const Json& objeto, const char* nome)
{
    constexpr int64_t kLimite = int64_t(1) << 40;
    const Json& v = membro(objeto, nome);
    if (v.is_number_unsigned()) {
        if (v.get<uint64_t>() < uint64_t(kLimite))
            return int64_t(v.get<uint64_t>());
    } else if (v.is_number_integer()) {
        const int64_t n = v.get<int64_t>();
        if (n > -kLimite && n < kLimite)
            return n;
    } else if (v.is_number_float()) {
        const double d = v.get<double>();
        if (std::isfinite(d) && std::trunc(d) == d && std::fabs(d) < double(kLimite))
            return int64_t(d);
    } else if (v.is_string()) {
        bool ok = false;
        const qlonglong n = QString::fromStdString(v.get<std::string>()).trimmed().toLongLong(&ok);
        if (ok && n > -kLimite && n < kLimite)
            return n;
    }
    throw std::runtime_error(std::string("Campo ") + nome +
                             " não é um número inteiro: " + v.dump());
}

} // namespace

bool TThreadNFe_NFCe::GetToken()
{
    const QStringList campos = FDM.GetTokenBD(false).split(u'|');
    if (campos.size() < 6)
        throw std::runtime_error("Registro do token incompleto");
    // A row without an expiry counts as expired.
    std::optional<QDateTime> expiracao;
    if (!campos[2].isEmpty()) {
        expiracao = lerDataHora(campos[2]);
        if (!expiracao)
            throw std::runtime_error("Data de expiração do token inválida: " +
                                     campos[2].toStdString());
    }
    bool ok = false;
    const int operacao = campos[5].toInt(&ok);
    if (!ok)
        throw std::runtime_error("Operação do token inválida: " + campos[5].toStdString());

    if (expiracao && agora() < *expiracao) {
        FAuthorizationCode = campos[0];
        FAuthorizationCodeVerifier = campos[1];
        FRefreshToken = campos[3];
        FToken = campos[4];
        FJanela.MostraToken(FToken);
        return true;
    }

    ifood::ChamadaRest rest(FRest);
    rest->FRestClient.BaseURL = ifood::raizAutenticacao() + QStringLiteral("/oauth/token");
    rest->FRestClient.ContentType = ifood::kFormulario;
    rest->FRestRequest.Accept = ifood::kJson;
    rest->FRestRequest.Method = ifood::Metodo::POST;
    rest->FRestRequest.AddFormField(QStringLiteral("grantType"), QStringLiteral("refresh_token"));
    rest->FRestRequest.AddFormField(QStringLiteral("clientId"), ClientID);
    rest->FRestRequest.AddFormField(QStringLiteral("clientSecret"), ClientSecret);
    rest->FRestRequest.AddFormField(QStringLiteral("authorizationCode"), campos[0]);
    rest->FRestRequest.AddFormField(QStringLiteral("authorizationCodeVerifier"), campos[1]);
    rest->FRestRequest.AddFormField(QStringLiteral("refreshToken"), campos[3]);
    rest->Execute();

    if (rest->FRestResponse.StatusCode >= 400)
        throw std::runtime_error(rest->FRestResponse.Content.toStdString());

    const Json resposta = rest->FRestResponse.JSONValue();
    FJanela.MostraDiagnostico(
        QString::fromStdString(resposta.dump(4, ' ', false, Json::error_handler_t::replace)));

    const QString accessToken = textoDe(resposta, "accessToken");
    const QString refreshToken = textoDe(resposta, "refreshToken");
    const int64_t expiresIn = segundosDe(resposta, "expiresIn");
    FToken = accessToken;
    FAccessToken = accessToken;
    FRefreshToken = refreshToken;

    const QDateTime novaExpiracao = agora().addMSecs((expiresIn - 60) * 1000);
    FDM.InsertTokenBD(operacao, novaExpiracao, FAuthorizationCode, FAuthorizationCodeVerifier,
                      FRefreshToken, FAccessToken);
    return true;
}

} // namespace talvoro
