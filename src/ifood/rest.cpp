#include "rest.h"

#include "base/pastas.h"
#include "data/dm.h"

#include <QUrl>

#include <curl/curl.h>

#include <mutex>

#include <arpa/inet.h>
#include <netinet/in.h>

namespace talvoro::ifood {

namespace {

std::once_flag g_curl;

size_t receber(char* dados, size_t tamanho, size_t n, void* destino)
{
    static_cast<std::string*>(destino)->append(dados, tamanho * n);
    return tamanho * n;
}

// Only a literal loopback address or "localhost": a name like "127.example.com" is not one.
bool ehLoopback(const QUrl& url)
{
    const QString host = url.host().toLower();
    if (host == u"localhost")
        return true;
    const std::string texto = host.toStdString();
    in_addr v4{};
    if (inet_pton(AF_INET, texto.c_str(), &v4) == 1)
        return (ntohl(v4.s_addr) >> 24) == 127;
    in6_addr v6{};
    return inet_pton(AF_INET6, texto.c_str(), &v6) == 1 && IN6_IS_ADDR_LOOPBACK(&v6);
}

bool temQuebraDeLinha(const QString& s)
{
    return s.contains(u'\r') || s.contains(u'\n');
}

std::string paraUtf8(const QString& s)
{
    return s.toStdString();
}

QString escapar(CURL* curl, const QString& texto)
{
    const std::string bruto = paraUtf8(texto);
    char* e = curl_easy_escape(curl, bruto.c_str(), int(bruto.size()));
    QString out = QString::fromUtf8(e);
    curl_free(e);
    return out;
}

} // namespace

QString raizAutenticacao()
{
    return hostIFood() + QStringLiteral("/authentication/v1.0");
}

QString raizPedidos()
{
    return hostIFood() + QStringLiteral("/order/v1.0");
}

QString raizMerchant()
{
    return hostIFood() + QStringLiteral("/merchant/v1.0");
}

QString nomeMetodo(Metodo metodo)
{
    switch (metodo) {
    case Metodo::GET:
        return QStringLiteral("GET");
    case Metodo::POST:
        return QStringLiteral("POST");
    case Metodo::DELETE:
        return QStringLiteral("DELETE");
    }
    return {};
}

QString segmentoCaminho(const QString& id)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(id));
}

void RestRequest::SetJsonBody(const Json& corpo)
{
    Body = QString::fromStdString(corpo.dump(-1, ' ', false, Json::error_handler_t::replace));
    TemCorpoJson = true;
}

Json RestResponse::JSONValue() const
{
    try {
        return Json::parse(Content.toStdString());
    } catch (const Json::exception& e) {
        throw std::runtime_error(std::string("Resposta não é um JSON válido: ") + e.what());
    }
}

QString Rest::Url() const
{
    QString base = FRestClient.BaseURL;
    QString recurso = FRestRequest.Resource;
    if (recurso.isEmpty())
        return base;
    while (recurso.startsWith(u'/'))
        recurso.remove(0, 1);
    if (!base.endsWith(u'/'))
        base += u'/';
    return base + recurso;
}

void Rest::PreparaChamadaJson(const QString& base, Metodo metodo, const QString& recurso,
                              const QString& token)
{
    FRestClient.BaseURL = base;
    FRestClient.ContentType = kJson;
    FRestRequest = RestRequest();
    FRestRequest.Accept = kJson;
    FRestRequest.Method = metodo;
    FRestRequest.Resource = recurso;
    FRestRequest.AddHeader(QStringLiteral("Authorization"), QStringLiteral("Bearer ") + token);
}

QString Rest::TextoEnvio() const
{
    QStringList linhas;
    linhas << QStringLiteral("BaseURL: ") + FRestClient.BaseURL
           << QStringLiteral("ContentType: ") + FRestClient.ContentType
           << QStringLiteral("Accept: ") + FRestRequest.Accept
           << QStringLiteral("Method: ") + nomeMetodo(FRestRequest.Method);
    if (FRestRequest.TemCorpoJson)
        linhas << QStringLiteral("Body: ") + FRestRequest.Body;
    if (!FRestRequest.FormFields.empty()) {
        for (const auto& [nome, valor] : FRestRequest.FormFields)
            linhas << QStringLiteral("Parameter: ") + nome + u' ' + valor;
    } else {
        linhas << QStringLiteral("Resource: ") + FRestRequest.Resource;
    }
    return linhas.join(u'\r');
}

QString Rest::TextoRetorno(const QString& textoStatus) const
{
    return QStringLiteral("StatusCode: ") + QString::number(FRestResponse.StatusCode) + u'\r' +
           textoStatus + QStringLiteral("\r\r") + FRestResponse.Content;
}

void Rest::Execute()
{
    std::call_once(g_curl, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    const QString endereco = Url();
    const QUrl url(endereco, QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != u"https" && url.scheme() != u"http"))
        throw FalhaRest("REST request failed: invalid address " + endereco.toStdString());
    if (url.scheme() == u"http" && !ehLoopback(url))
        throw FalhaRest("REST request failed: plain http is accepted only for a loopback "
                        "address (" +
                        endereco.toStdString() + ")");

    // A line break inside a header value would start a header of its own.
    for (const auto& [nome, valor] : FRestRequest.Headers) {
        if (temQuebraDeLinha(nome) || temQuebraDeLinha(valor))
            throw FalhaRest("REST request failed: line break in the header " + nome.toStdString());
    }

    CURL* curl = curl_easy_init();
    if (!curl)
        throw FalhaRest("REST request failed: could not create an HTTP client");
    curl_slist* cabecalhos = nullptr;
    std::string corpoResposta;
    std::string corpoEnvio;
    char erro[CURL_ERROR_SIZE] = {};

    const std::string enderecoUtf8 = paraUtf8(endereco);
    curl_easy_setopt(curl, CURLOPT_URL, enderecoUtf8.c_str());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, long(kTempoConexao.count()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, long(kTempoTotal.count()));
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Talvoro");
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, erro);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, receber);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &corpoResposta);

    bool temCorpo = false;
    if (FRestRequest.TemCorpoJson) {
        corpoEnvio = paraUtf8(FRestRequest.Body);
        temCorpo = true;
    } else if (!FRestRequest.FormFields.empty()) {
        QStringList campos;
        for (const auto& [nome, valor] : FRestRequest.FormFields)
            campos << escapar(curl, nome) + u'=' + escapar(curl, valor);
        corpoEnvio = paraUtf8(campos.join(u'&'));
        temCorpo = true;
    }

    bool temAccept = false;
    bool temContentType = false;
    for (const auto& [nome, valor] : FRestRequest.Headers) {
        temAccept = temAccept || nome.compare(u"Accept", Qt::CaseInsensitive) == 0;
        temContentType = temContentType || nome.compare(u"Content-Type", Qt::CaseInsensitive) == 0;
        cabecalhos =
            curl_slist_append(cabecalhos, paraUtf8(nome + QStringLiteral(": ") + valor).c_str());
    }
    if (!temAccept && !FRestRequest.Accept.isEmpty())
        cabecalhos = curl_slist_append(
            cabecalhos, paraUtf8(QStringLiteral("Accept: ") + FRestRequest.Accept).c_str());
    if (!temContentType && temCorpo && !FRestClient.ContentType.isEmpty())
        cabecalhos = curl_slist_append(
            cabecalhos,
            paraUtf8(QStringLiteral("Content-Type: ") + FRestClient.ContentType).c_str());
    // No "Expect: 100-continue" round trip for larger bodies.
    cabecalhos = curl_slist_append(cabecalhos, "Expect:");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, cabecalhos);

    switch (FRestRequest.Method) {
    case Metodo::GET:
        curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
        break;
    case Metodo::POST:
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, corpoEnvio.c_str());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(corpoEnvio.size()));
        break;
    case Metodo::DELETE:
        curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, "DELETE");
        if (temCorpo) {
            curl_easy_setopt(curl, CURLOPT_POSTFIELDS, corpoEnvio.c_str());
            curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(corpoEnvio.size()));
        }
        break;
    }

    const CURLcode rc = curl_easy_perform(curl);
    long status = 0;
    if (rc == CURLE_OK)
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_slist_free_all(cabecalhos);
    curl_easy_cleanup(curl);

    if (rc != CURLE_OK) {
        const std::string texto = erro[0] ? std::string(erro) : std::string(curl_easy_strerror(rc));
        throw FalhaRest("REST request failed: " + texto);
    }
    FRestResponse.StatusCode = int(status);
    FRestResponse.Content =
        QString::fromUtf8(corpoResposta.data(), qsizetype(corpoResposta.size()));
}

namespace tabelas {

const TabelaStatus& polling()
{
    static const TabelaStatus t{
        200,
        {{200, QStringLiteral("OK")},
         {204, QStringLiteral("No pending events found.")},
         {400, QStringLiteral("Bad Request. One or more request parameters were not valid.")},
         {404, QStringLiteral("Not Found.")},
         {413, QStringLiteral("The request would query too many merchants (maximum is 100).")},
         {415, QStringLiteral("Unsupported Media Type")},
         {500, QStringLiteral("Internal Server Error")}},
        {204}};
    return t;
}

const TabelaStatus& acknowledgment()
{
    static const TabelaStatus t{
        202,
        {{202, QStringLiteral("Accepted. The request may be processed asynchronously")},
         {400, QStringLiteral("Bad request.")},
         {413,
          QStringLiteral("Payload too large. You may acknowledge at most 10000 events at a time.")},
         {415, QStringLiteral("Unsupported Media Type")},
         {500, QStringLiteral("Internal Server Error")}}};
    return t;
}

const TabelaStatus& acaoPedido()
{
    static const TabelaStatus t{202,
                                {{202, QStringLiteral("Accepted")},
                                 {400, QStringLiteral("Bad Request")},
                                 {404, QStringLiteral("Not Found")},
                                 {500, QStringLiteral("Internal Server Error")}}};
    return t;
}

const TabelaStatus& criarInterrupcao()
{
    static const TabelaStatus t{
        201,
        {{201, QStringLiteral("OK")},
         {400, QStringLiteral("BadRequest. Some body parameter is missing, start and/or end aren t "
                              "in ISO 8601 format, start is after end, etc.")},
         {401, QStringLiteral("Unauthorized. User is not authenticated at all, token is expired or "
                              "token is invalid.")},
         {403, QStringLiteral("Forbidden. User has no access to the given merchant.")},
         {500, QStringLiteral("InternalServerError. Something unexpected happened while creating "
                              "the interruption.")}}};
    return t;
}

const TabelaStatus& excluirInterrupcao()
{
    static const TabelaStatus t{
        204,
        {{204, QStringLiteral("No Content. Interruption was deleted.")},
         {401, QStringLiteral("Unauthorized. User is not authenticated at all, token is expired or "
                              "token is invalid.")},
         {403, QStringLiteral("Forbidden. User has no access to the given merchant.")},
         {500, QStringLiteral("InternalServerError. Something unexpected happened while deleting "
                              "the interruption.")}}};
    return t;
}

const TabelaStatus& listarMerchants()
{
    static const TabelaStatus t{
        200,
        {{200, QStringLiteral("OK")},
         {401, QStringLiteral("Unauthorized. User is not authenticated at all, token is expired or "
                              "token is invalid.")},
         {500, QStringLiteral("InternalServerError. Something unexpected went wrong while fetching "
                              "the list of merchants associated with the token.")}}};
    return t;
}

const TabelaStatus& tokenPorCodigo()
{
    static const TabelaStatus t{200,
                                {{200, QStringLiteral("OK")},
                                 {401, QStringLiteral("Unauthorized")},
                                 {500, QStringLiteral("Unexpected error")}}};
    return t;
}

} // namespace tabelas

void registrarEnvio(TDM& dm, const QString& operacao, const Rest& rest)
{
    dm.InsertLogs(0, 2, QStringLiteral("Envio - ") + operacao, rest.TextoEnvio(),
                  QStringLiteral("IFOOD - ") + operacao, QStringLiteral("S"), QString());
}

bool registrarRetorno(TDM& dm, const QString& prefixo, const QString& operacao, const Rest& rest,
                      const TabelaStatus& tabela)
{
    const QString* texto = tabela.texto(rest.FRestResponse.StatusCode);
    if (!texto)
        return false;
    dm.InsertLogs(0, 2, prefixo + QStringLiteral(" - ") + operacao, QString(),
                  QStringLiteral("IFOOD - ") + operacao,
                  tabela.statusS(rest.FRestResponse.StatusCode) ? QStringLiteral("S")
                                                                : QStringLiteral("N"),
                  rest.TextoRetorno(*texto));
    return true;
}

} // namespace talvoro::ifood
