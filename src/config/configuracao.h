#pragma once

#include <QString>

namespace talvoro {

// IFOODConfig.ini, section CONFIG_IFOOD. Yes/no keys hold "True" or "False" and read as yes
// only when exactly "True".
struct ConfiguracaoIFood
{
    QString clientId;                     // CLIENT_ID
    QString clientSecret;                 // CLIENT_SECRET
    QString clientUsername;               // CLIENT_USERNAME
    QString clientPassword;               // CLIENT_PASSWORD
    QString merchantIdLoja;               // MERCHANIDLOJA
    bool aceitaPedidoAuto = false;        // ACEITAPEDIDOAUTO
    bool utilizaIFood = false;            // UTILIZAIFOOD
    bool imprimeViaEntregadorAut = false; // IMPRIMEVIAENTREGADORAUT
    bool adcComoProd = false;             // ADCCOMOPROD
};

namespace chaves {
inline const QString secao = QStringLiteral("CONFIG_IFOOD");
inline const QString clientId = QStringLiteral("CLIENT_ID");
inline const QString clientSecret = QStringLiteral("CLIENT_SECRET");
inline const QString clientUsername = QStringLiteral("CLIENT_USERNAME");
inline const QString clientPassword = QStringLiteral("CLIENT_PASSWORD");
inline const QString merchantIdLoja = QStringLiteral("MERCHANIDLOJA");
inline const QString aceitaPedidoAuto = QStringLiteral("ACEITAPEDIDOAUTO");
inline const QString utilizaIFood = QStringLiteral("UTILIZAIFOOD");
inline const QString adcComoProd = QStringLiteral("ADCCOMOPROD");
inline const QString imprimeViaEntregadorAut = QStringLiteral("IMPRIMEVIAENTREGADORAUT");
} // namespace chaves

// The file in the program's folder.
QString caminhoConfiguracao();

// Opens, reads and closes the file; never fails (missing file or key: empty / no).
ConfiguracaoIFood lerConfiguracao(const QString& arquivo = caminhoConfiguracao());

// Writes the nine keys in this order: CLIENT_ID, CLIENT_SECRET, CLIENT_USERNAME,
// CLIENT_PASSWORD, MERCHANIDLOJA, ACEITAPEDIDOAUTO, UTILIZAIFOOD, ADCCOMOPROD,
// IMPRIMEVIAENTREGADORAUT. Raises std::runtime_error when the file cannot be written.
void gravarConfiguracao(const ConfiguracaoIFood& config,
                        const QString& arquivo = caminhoConfiguracao());

// Writes one key (the auto-accept switch writes only ACEITAPEDIDOAUTO).
void gravarChaveConfiguracao(const QString& chave, const QString& valor,
                             const QString& arquivo = caminhoConfiguracao());

inline QString textoSimNao(bool sim)
{
    return sim ? QStringLiteral("True") : QStringLiteral("False");
}
inline bool lerSimNao(const QString& texto)
{
    return texto == u"True";
}

} // namespace talvoro
