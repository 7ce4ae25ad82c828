#include "configuracao.h"

#include "arquivoini.h"
#include "base/pastas.h"

namespace talvoro {

QString caminhoConfiguracao()
{
    return pastaPrograma() + QStringLiteral("IFOODConfig.ini");
}

ConfiguracaoIFood lerConfiguracao(const QString& arquivo)
{
    const ArquivoIni ini(arquivo);
    auto ler = [&](const QString& chave) { return ini.ler(chaves::secao, chave); };
    ConfiguracaoIFood c;
    c.clientId = ler(chaves::clientId);
    c.clientSecret = ler(chaves::clientSecret);
    c.clientUsername = ler(chaves::clientUsername);
    c.clientPassword = ler(chaves::clientPassword);
    c.merchantIdLoja = ler(chaves::merchantIdLoja);
    c.aceitaPedidoAuto = lerSimNao(ler(chaves::aceitaPedidoAuto));
    c.utilizaIFood = lerSimNao(ler(chaves::utilizaIFood));
    c.adcComoProd = lerSimNao(ler(chaves::adcComoProd));
    c.imprimeViaEntregadorAut = lerSimNao(ler(chaves::imprimeViaEntregadorAut));
    return c;
}

void gravarConfiguracao(const ConfiguracaoIFood& c, const QString& arquivo)
{
    ArquivoIni(arquivo).gravar(
        chaves::secao, {{chaves::clientId, c.clientId},
                        {chaves::clientSecret, c.clientSecret},
                        {chaves::clientUsername, c.clientUsername},
                        {chaves::clientPassword, c.clientPassword},
                        {chaves::merchantIdLoja, c.merchantIdLoja},
                        {chaves::aceitaPedidoAuto, textoSimNao(c.aceitaPedidoAuto)},
                        {chaves::utilizaIFood, textoSimNao(c.utilizaIFood)},
                        {chaves::adcComoProd, textoSimNao(c.adcComoProd)},
                        {chaves::imprimeViaEntregadorAut, textoSimNao(c.imprimeViaEntregadorAut)}});
}

void gravarChaveConfiguracao(const QString& chave, const QString& valor, const QString& arquivo)
{
    ArquivoIni(arquivo).gravar(chaves::secao, chave, valor);
}

} // namespace talvoro
