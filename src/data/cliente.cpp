#include "dm.h"

namespace talvoro {

namespace {

// Only a to z: the point-of-sale side compares these columns byte for byte, and accented
// letters must reach it as they were written.
QString maiusculas(const QString& texto)
{
    QString out = texto;
    for (QChar& c : out) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    }
    return out;
}

QString cortadoMaiusculo(const QString& texto)
{
    return maiusculas(texto.left(60));
}

} // namespace

int TDM::SetCadCliente(const QString& aBairro, const QString& aCEP, const QString& aCidade,
                       const QString& aComplemento, const QString& aCPF, const QString& aFoneiFood,
                       const QString& aLogradouro, const QString& aNome, const QString& aNrEndereco,
                       const QString& aPhoneLozalizer, const QString& aPontoReferencia,
                       const QString& aUuIdIfood, int aIdIfood)
{
    try {
        const fb::Resultado existente =
            Query("_qryGetCdClienteCad").param("idifood", aIdIfood).abrir();
        const bool atualizar = !existente.vazio();
        auto& q = Query(atualizar ? "_qryUpdateClienteIfood" : "_qryInsertClienteIfood");
        q.param("bairro", atualizar ? maiusculas(aBairro) : aBairro);
        q.param("cdmunicipio", 5300108);
        q.param("cduf", QStringLiteral("53"));
        q.param("cep", aCEP);
        q.param("cidade", maiusculas(aCidade));
        q.param("complementoendereco", cortadoMaiusculo(aComplemento));
        q.param("cpf", aCPF);
        q.param("foneifood", aFoneiFood);
        q.param("idifood", aIdIfood);
        q.param("logradouro", cortadoMaiusculo(aLogradouro));
        q.param("nome", atualizar ? aNome : maiusculas(aNome));
        q.param("nrendereco", maiusculas(aNrEndereco));
        q.param("phone_localizer", aPhoneLozalizer);
        q.param("pontoreferencia", cortadoMaiusculo(aPontoReferencia));
        q.param("uuidifood", aUuIdIfood);
        if (atualizar)
            q.param("cdcliente", existente.primeira()[u"cdcliente"]);
        q.executar();

        const fb::Resultado gravado =
            Query("_qryGetCdClienteCad").param("idifood", aIdIfood).abrir();
        return gravado.vazio() ? 0 : int(gravado.primeira()[u"cdcliente"].toInt());
    } catch (const std::exception& e) {
        GravaLog(QStringLiteral("Falha ao SetCadCliente... ") + QString::fromUtf8(e.what()));
        return 0;
    }
}

} // namespace talvoro
