#include "ifood/rest.h"
#include "support/simulador.h"

#include <gtest/gtest.h>

using namespace talvoro::ifood;
using talvoro::teste::portaFechada;

namespace {

std::string falhaDe(const QString& url)
{
    Rest rest;
    rest.FRestClient.BaseURL = url;
    try {
        rest.Execute();
    } catch (const FalhaRest& e) {
        return e.what();
    }
    return "(no error)";
}

} // namespace

TEST(Rest, TextoEnvioSoComCrEntreLinhas)
{
    Rest json;
    json.FRestClient.BaseURL = QStringLiteral("https://h/order/v1.0");
    json.FRestClient.ContentType = kJson;
    json.FRestRequest.Accept = kJson;
    json.FRestRequest.Method = Metodo::POST;
    json.FRestRequest.Resource = QStringLiteral("/events/acknowledgment");
    json.FRestRequest.AddHeader(QStringLiteral("Authorization"), QStringLiteral("Bearer t"));
    json.FRestRequest.SetJsonBody(Json::array({{{"id", "a b"}}, {{"id", "c"}}}));
    EXPECT_EQ(json.TextoEnvio(), u"BaseURL: https://h/order/v1.0\rContentType: application/json\r"
                                 u"Accept: application/json\rMethod: POST\r"
                                 u"Body: [{\"id\":\"a b\"},{\"id\":\"c\"}]\r"
                                 u"Resource: /events/acknowledgment");

    Rest form;
    form.FRestClient.BaseURL = QStringLiteral("https://h/authentication/v1.0/oauth/token");
    form.FRestClient.ContentType = kFormulario;
    form.FRestRequest.Accept = kJson;
    form.FRestRequest.Method = Metodo::POST;
    form.FRestRequest.AddFormField(QStringLiteral("grantType"), QStringLiteral("refresh_token"));
    form.FRestRequest.AddFormField(QStringLiteral("clientId"), QStringLiteral("id 1"));
    form.FRestRequest.AddFormField(QStringLiteral("refreshToken"), QString());
    EXPECT_EQ(form.TextoEnvio(),
              u"BaseURL: https://h/authentication/v1.0/oauth/token\r"
              u"ContentType: application/x-www-form-urlencoded\rAccept: application/json\r"
              u"Method: POST\rParameter: grantType refresh_token\rParameter: clientId id 1\r"
              u"Parameter: refreshToken ");

    for (const Rest* r : {&json, &form}) {
        EXPECT_FALSE(r->TextoEnvio().contains(u'\n'));
        EXPECT_FALSE(r->TextoEnvio().endsWith(u'\r'));
    }

    json.FRestResponse.StatusCode = 500;
    json.FRestResponse.Content = QStringLiteral("{\"x\":1}");
    EXPECT_EQ(json.TextoRetorno(QStringLiteral("Internal Server Error")),
              u"StatusCode: 500\rInternal Server Error\r\r{\"x\":1}");
}

TEST(Rest, EnderecoSemBarraDupla)
{
    const struct
    {
        const char16_t* base;
        const char16_t* recurso;
        const char16_t* esperado;
    } casos[] = {
        {u"https://h/order/v1.0", u"events:polling", u"https://h/order/v1.0/events:polling"},
        {u"https://h/order/v1.0", u"/events/acknowledgment",
         u"https://h/order/v1.0/events/acknowledgment"},
        {u"https://h/order/v1.0/", u"/orders/1/confirm", u"https://h/order/v1.0/orders/1/confirm"},
        {u"https://h/authentication/v1.0/oauth/token", u"",
         u"https://h/authentication/v1.0/oauth/token"},
    };
    for (const auto& c : casos) {
        Rest r;
        r.FRestClient.BaseURL = QString::fromUtf16(c.base);
        r.FRestRequest.Resource = QString::fromUtf16(c.recurso);
        EXPECT_EQ(r.Url(), QString::fromUtf16(c.esperado));
    }
}

TEST(Rest, SemRespostaLevantaFalha)
{
    const std::string prefixo = "REST request failed: ";
    const std::string recusada =
        falhaDe(QStringLiteral("http://127.0.0.1:%1/order/v1.0").arg(portaFechada()));
    EXPECT_EQ(recusada.rfind(prefixo, 0), 0u) << recusada;
    EXPECT_GT(recusada.size(), prefixo.size());

    // Plain http only to a loopback address, so a token never travels in clear; refused
    // before any connection is tried (these hosts do not exist).
    const struct
    {
        const char16_t* url;
        const char* motivo;
    } recusadas[] = {
        {u"http://10.255.255.1/order/v1.0", "loopback"},
        {u"http://127.example.invalid/x", "loopback"},
        {u"http://[::2]/x", "loopback"},
        {u"ftp://127.0.0.1/x", "invalid address"},
    };
    for (const auto& c : recusadas) {
        const std::string erro = falhaDe(QString::fromUtf16(c.url));
        EXPECT_EQ(erro.rfind(prefixo, 0), 0u) << erro;
        EXPECT_NE(erro.find(c.motivo), std::string::npos) << erro;
    }

    Rest comQuebra;
    comQuebra.FRestClient.BaseURL =
        QStringLiteral("http://127.0.0.1:%1/order/v1.0").arg(portaFechada());
    comQuebra.FRestRequest.AddHeader(QStringLiteral("Authorization"),
                                     QStringLiteral("Bearer a\r\nX-Injetado: 1"));
    EXPECT_THROW(comQuebra.Execute(), FalhaRest);
}
