#include "base/datahora.h"
#include "data/catalogo.h"
#include "data/esquema.h"
#include "data/fb/firebird.h"
#include "support/pastatemporaria.h"

#include <gtest/gtest.h>

#include <set>

using namespace talvoro;
using namespace talvoro::fb;
using data::sqlDe;

namespace {

QDateTime em(int dia, int hora, int minuto = 0, int segundo = 0)
{
    return dataHora(QDate(2024, 5, dia), QTime(hora, minuto, segundo));
}

// A database built from the schema, as a new installation gets it.
class Esquema : public ::testing::Test
{
protected:
    void SetUp() override
    {
        criarBanco(pasta.banco(), false);
        for (const std::string& sql : data::ddlEsquema())
            con.executarDireto(sql);
    }

    Resultado rodar(std::string_view nome,
                    std::initializer_list<std::pair<const char*, Valor>> params = {})
    {
        Instrucao i(con, std::string(sqlDe(nome)));
        for (const auto& [n, v] : params)
            i.param(n, v);
        return i.executar();
    }

    int novoPedido(QDateTime quando, int seq, const char* status, const char* reference,
                   const char* shortReference)
    {
        rodar("_qryInsertPedido", {{"datapedido", quando},
                                   {"deliverydatetime", quando},
                                   {"deliverydatetimestart", nullptr},
                                   {"deliverydatetimeend", nullptr},
                                   {"isagendado", QStringLiteral("N")},
                                   {"seqdelivery", seq},
                                   {"statuspedido", QString::fromLatin1(status)},
                                   {"reference", QString::fromLatin1(reference)},
                                   {"shortreference", QString::fromLatin1(shortReference)}});
        return int(
            rodar("_qryGetIDPedido", {{"shortreference", QString::fromLatin1(shortReference)}})
                .primeira()[u"cdpedido"]
                .toInt());
    }

    int novoCliente(const char* nome, const char* foneIfood, const char* localizer, int idIfood)
    {
        const QString vazio;
        rodar("_qryInsertClienteIfood", {{"bairro", vazio},
                                         {"cdmunicipio", 5300108},
                                         {"cduf", QStringLiteral("53")},
                                         {"cep", vazio},
                                         {"cidade", vazio},
                                         {"complementoendereco", vazio},
                                         {"cpf", vazio},
                                         {"foneifood", QString::fromLatin1(foneIfood)},
                                         {"idifood", idIfood},
                                         {"logradouro", vazio},
                                         {"nome", QString::fromLatin1(nome)},
                                         {"nrendereco", vazio},
                                         {"phone_localizer", QString::fromLatin1(localizer)},
                                         {"pontoreferencia", vazio},
                                         {"uuidifood", vazio}});
        return int(
            rodar("_qryGetCdClienteCad", {{"idifood", idIfood}}).primeira()[u"cdcliente"].toInt());
    }

    void ligarCliente(int cdpedido, int cdcliente)
    {
        Instrucao(con, "update ifood_pedidos set cdcliente = :c where cdpedido = :p")
            .param("c", cdcliente)
            .param("p", cdpedido)
            .executar();
    }

    int novoEvento(const char* id, const char* code)
    {
        rodar("Tb_POLLING.Insere", {{"id", QString::fromLatin1(id)},
                                    {"code", QString::fromLatin1(code)},
                                    {"orderid", QStringLiteral("ord")},
                                    {"createdat", QStringLiteral("2024-05-01T10:00:00Z")},
                                    {"dt_hr_sis", em(1, 10)}});
        return int(rodar("Tb_POLLING.Localiza", {{"id", QString::fromLatin1(id)}})
                       .primeira()[u"codigo"]
                       .toInt());
    }

    std::vector<int64_t> coluna(const Resultado& r, QStringView nome)
    {
        std::vector<int64_t> v;
        for (const Linha& l : r.linhas)
            v.push_back(l[nome].toInt());
        return v;
    }

    teste::PastaTemporaria pasta;
    Conexao con{pasta.banco()};
};

} // namespace

TEST_F(Esquema, EveryNamedStatementCompilesAgainstTheSchema)
{
    std::set<std::string_view> nomes;
    for (const data::InstrucaoNomeada& i : data::catalogo()) {
        EXPECT_TRUE(nomes.insert(i.nome).second) << i.nome;
        Instrucao instrucao(con, std::string(i.sql));
        EXPECT_NO_THROW(instrucao.preparar()) << i.nome;
    }
    EXPECT_EQ(sqlDe("_qryPolling"), "select id from ifood_polling where statusackenviado = 'N'");
    EXPECT_THROW(sqlDe("_qrySQL"), std::out_of_range);
    EXPECT_THROW(sqlDe("_qryInexistente"), std::out_of_range);
}

TEST_F(Esquema, SeedDataAndVersion)
{
    const Resultado versao = Instrucao(con, "select versao from versao_esquema").abrir();
    ASSERT_EQ(versao.tamanho(), 1u);
    EXPECT_EQ(versao.primeira()[u"versao"].toInt(), data::kVersaoEsquema);

    const Resultado naoAceito = rodar("_qryMotivoCanc", {{"pedidoaceito", QStringLiteral("N")}});
    const Resultado aceito = rodar("_qryMotivoCanc", {{"pedidoaceito", QStringLiteral("S")}});
    EXPECT_EQ(naoAceito.tamanho(), 12u);
    EXPECT_GT(aceito.tamanho(), 0u);
    EXPECT_LT(aceito.tamanho(), naoAceito.tamanho());
    EXPECT_EQ(naoAceito.primeira()[u"motivocancelamento"].toString(),
              QStringLiteral("AREA DE RISCO")); // ordered by the text
    for (const Linha& l : naoAceito.linhas) {
        const int64_t codigo = l[u"codigocancelamento"].toInt();
        EXPECT_TRUE(codigo >= 501 && codigo <= 513 && codigo != 510) << codigo;
    }

    const Resultado ufs = Instrucao(con, "select cduf, siglauf from uf order by cduf").abrir();
    ASSERT_EQ(ufs.tamanho(), 27u);
    EXPECT_EQ(ufs.primeira()[u"siglauf"].toString(), QStringLiteral("RO"));
    EXPECT_EQ(ufs.linhas.back()[u"cduf"].toString(), QStringLiteral("53"));
    EXPECT_EQ(ufs.linhas.back()[u"siglauf"].toString(), QStringLiteral("DF"));
}

TEST_F(Esquema, PollingRowsGetTheirOwnNumberAndAreStoredOnce)
{
    const int a = novoEvento("ev-1", "PLC");
    const int b = novoEvento("ev'2", "CFM");
    EXPECT_GT(a, 0);
    EXPECT_NE(a, b); // the insert always supplies 1
    EXPECT_THROW(novoEvento("ev-1", "PLC"), Erro);

    EXPECT_TRUE(rodar("Tb_POLLING.Localiza", {{"id", QStringLiteral("ev'")}}).vazio());

    std::set<QString> pendentes;
    for (const Linha& l : rodar("_qryPolling").linhas)
        pendentes.insert(l[u"id"].toString());
    EXPECT_EQ(pendentes, (std::set<QString>{QStringLiteral("ev-1"), QStringLiteral("ev'2")}));
}

TEST_F(Esquema, StatusPedidoPollingSetsTheFlagOfEachOperation)
{
    const struct
    {
        int operacao;
        const char16_t* flag;
    } casos[] = {{0, u"integrado"},
                 {1, u"statuspedidoaceito"},
                 {2, u"statuspedidocancelado"},
                 {3, u"statuspedidoconfirmado"},
                 {4, u"statuspedidoretirado"}};
    const char16_t* todas[] = {u"integrado",
                               u"statusackenviado",
                               u"statuspedidoaceito",
                               u"statuspedidocancelado",
                               u"statuspedidoconfirmado",
                               u"statuspedidoretirado"};
    for (const auto& caso : casos) {
        const std::string id = "ev-" + std::to_string(caso.operacao);
        const int alvo = novoEvento(id.c_str(), "PLC");
        const int vizinho = novoEvento((id + "-b").c_str(), "PLC");
        rodar("_qryUpdateIntegrado", {{"poperacao", caso.operacao}, {"pcodigo", alvo}});

        Instrucao sel(con, "select * from ifood_polling where codigo = :codigo");
        const Linha linha = sel.param("codigo", alvo).abrir().primeira();
        const Linha outra = sel.param("codigo", vizinho).abrir().primeira();
        for (const char16_t* flag : todas) {
            const QString esperado = QStringView(flag) == QStringView(caso.flag)
                                         ? QStringLiteral("S")
                                         : QStringLiteral("N");
            EXPECT_EQ(linha[flag].toString(), esperado) << caso.operacao;
            EXPECT_EQ(outra[flag].toString(), QStringLiteral("N")) << caso.operacao;
        }
    }
    EXPECT_THROW(rodar("_qryUpdateIntegrado", {{"poperacao", 5}, {"pcodigo", 1}}), Erro);
}

TEST_F(Esquema, SeqDeliveryIsOnePastTheDaysHighest)
{
    const auto seq = [this](int dia) {
        return rodar("_qryGetSeqDelivery", {{"DATA", em(dia, 0)}})
            .primeira()[u"SEQDELIVERY"]
            .toInt();
    };
    EXPECT_EQ(seq(1), 1);
    novoPedido(em(1, 10), 1, "PNA", "a", "1");
    novoPedido(em(1, 11), 7, "PCC", "b", "2");
    novoPedido(em(1, 23, 59, 30), 3, "PDF", "c", "3");
    novoPedido(em(2, 0, 0, 0), 40, "PNA", "d", "4");
    EXPECT_EQ(seq(1), 8);
    EXPECT_EQ(seq(2), 41);
    EXPECT_EQ(seq(3), 1);
}

TEST_F(Esquema, OrderListFollowsEachOperation)
{
    const int joao = novoCliente("JOAO DA SILVA", "0800 123 4567", "11112222", 11112222);
    const int maria = novoCliente("Maria Souza", "0800 999 0000", "33334444", 33334444);
    Instrucao(con, "update tb_cliente set fonecel = '61988887777' where cdcliente = :c")
        .param("c", maria)
        .executar();

    const int p1 = novoPedido(em(1, 10), 1, "PNA", "r1", "1001");
    const int p2 = novoPedido(em(1, 11), 2, "PEA", "r2", "1002");
    const int p3 = novoPedido(em(1, 12), 3, "PCC", "r3", "1003");
    const int p4 = novoPedido(em(1, 13), 4, "PDF", "r4", "1004");
    novoPedido(em(1, 23, 59, 30), 5, "PNA", "r5", "1005");       // after 23:59:00
    const int p6 = novoPedido(em(2, 9), 1, "PDF", "r6", "1001"); // same display id, next day
    ligarCliente(p1, joao);
    ligarCliente(p2, maria);
    // p3 and p4 have no customer and are still listed

    const QDateTime ini = em(1, 0), fim = em(1, 23, 59);
    const struct
    {
        const char* operacao;
        const char* nome;
        const char* status;
        const char* shortReference;
        int seq;
        QDateTime ate;
        std::vector<int64_t> esperado;
    } casos[] = {
        {"T", nullptr, nullptr, nullptr, 0, fim, {p4, p3, p2, p1}},
        {"T", "", nullptr, nullptr, 0, fim, {p4, p3, p2, p1}},
        {"T", "  ", nullptr, nullptr, 0, fim, {p4, p3, p2, p1}},
        {"T", "maria", nullptr, nullptr, 0, fim, {p2}},  // name, any case
        {"T", "8888", nullptr, nullptr, 0, fim, {p2}},   // fonecel
        {"T", "123 45", nullptr, nullptr, 0, fim, {p1}}, // foneifood
        {"T", "1222", nullptr, nullptr, 0, fim, {p1}},   // phone_localizer
        {"T", "ninguem", nullptr, nullptr, 0, fim, {}},
        {"S", nullptr, "PEA", nullptr, 0, fim, {p2}},
        {"S", "joao", "PEA", nullptr, 0, fim, {}},
        {"X", nullptr, "PCC", nullptr, 0, fim, {p3}},
        {"N", nullptr, "PNA", nullptr, 0, fim, {p1}},
        {"C", "", nullptr, "1001", 0, fim, {p1}},
        {"C", "", nullptr, "1001", 0, em(2, 23, 59), {p6, p1}},
        {"Q", "", nullptr, nullptr, 3, fim, {p3}},
        {"Q", "", nullptr, nullptr, 1, em(2, 23, 59), {p6, p1}},
    };
    const auto texto = [](const char* s) { return s ? Valor(QString::fromLatin1(s)) : Valor(); };
    for (const auto& c : casos) {
        const Resultado r =
            rodar("_qryListaPedido", {{"POPERACAO", QString::fromLatin1(c.operacao)},
                                      {"PDATAINICIAL", ini},
                                      {"PDATAFINAL", c.ate},
                                      {"PNOME", texto(c.nome)},
                                      {"PSTATUS", texto(c.status)},
                                      {"PSHORTREFERENCE", texto(c.shortReference)},
                                      {"PSEQDELIVERY", c.seq ? Valor(c.seq) : Valor()}});
        EXPECT_EQ(coluna(r, u"CDPEDIDO"), c.esperado)
            << c.operacao << " " << (c.nome ? c.nome : "null");
    }

    const Resultado r = rodar("_qryListaPedido", {{"POPERACAO", QStringLiteral("T")},
                                                  {"PDATAINICIAL", ini},
                                                  {"PDATAFINAL", fim},
                                                  {"PNOME", nullptr},
                                                  {"PSTATUS", nullptr},
                                                  {"PSHORTREFERENCE", nullptr},
                                                  {"PSEQDELIVERY", nullptr}});
    for (const char16_t* col : {u"CDPEDIDO",
                                u"CDPEDIDOVEXO",
                                u"reference",
                                u"SHORTREFERENCE",
                                u"SEQDELIVERY",
                                u"statuspedido",
                                u"STATUSPEDIDOINTEGRADO",
                                u"ISAGENDADO",
                                u"DELIVERYDATETIMESTART",
                                u"DELIVERYDATETIMEEND",
                                u"DATAPEDIDO",
                                u"DATAACEITE",
                                u"tipoentrega",
                                u"cdintegracao",
                                u"NOMELOJA",
                                u"subtotal",
                                u"deliveryfee",
                                u"taxaadicional",
                                u"valordesconto",
                                u"responsaveldesconto",
                                u"totalprice",
                                u"changefor",
                                u"StatusAceite",
                                u"StatusCancelar",
                                u"StatusEntrega",
                                u"NOME",
                                u"CPF",
                                u"PHONE_LOCALIZER",
                                u"FONECEL",
                                u"LOGRADOURO",
                                u"COMPLEMENTOENDERECO",
                                u"PONTOREFERENCIA",
                                u"BAIRRO",
                                u"CIDADE",
                                u"CEP",
                                u"PHONEIFOOD"})
        EXPECT_TRUE(r.primeira().tem(col)) << QString::fromUtf16(col).toStdString();
    const Linha& comCliente = r.linhas[2];
    EXPECT_EQ(comCliente[u"PHONEIFOOD"].toString(), QStringLiteral("0800 999 0000"));
    EXPECT_EQ(comCliente[u"StatusAceite"].toString(), QStringLiteral("N"));
    EXPECT_EQ(comCliente[u"valordesconto"].toMoney(), Money());

    EXPECT_THROW(rodar("_qryListaPedido", {{"POPERACAO", QStringLiteral("Z")},
                                           {"PDATAINICIAL", ini},
                                           {"PDATAFINAL", fim},
                                           {"PNOME", nullptr},
                                           {"PSTATUS", nullptr},
                                           {"PSHORTREFERENCE", nullptr},
                                           {"PSEQDELIVERY", nullptr}}),
                 Erro);
}

TEST_F(Esquema, GeneratorIsReadAndSetAndOrderNumbersNeverCollide)
{
    const auto gerador = [this](const char* operacao, const QString& nome, int numero) {
        return rodar("_qryAtualizaNrGenerator", {{"poperacao", QString::fromLatin1(operacao)},
                                                 {"nomegenerator", nome},
                                                 {"pnumero", numero}})
            .primeira()[u"PVALOR"]
            .toInt();
    };
    const QString nome = QStringLiteral("GEN_IFOOD_PEDIDOSL_ID");
    EXPECT_EQ(gerador("S", nome, 0), 0);
    const int primeiro = novoPedido(em(1, 10), 1, "PIN", "a", "1");
    EXPECT_EQ(gerador("S", nome, 0), primeiro);

    EXPECT_EQ(gerador("A", nome, 500), 500);
    EXPECT_EQ(gerador("S", nome, 0), 500);
    EXPECT_EQ(novoPedido(em(1, 10), 1, "PIN", "b", "2"), 501);

    // Set back below numbers in use: the next order still gets a new, higher number.
    EXPECT_EQ(gerador("A", nome, 1), 1);
    EXPECT_EQ(novoPedido(em(1, 10), 1, "PIN", "c", "3"), 502);

    for (const QString& ruim :
         {QStringLiteral("NAO_EXISTE"), QStringLiteral("GEN_IFOOD_PEDIDOSL_ID\", 0) --"),
          QStringLiteral("x) from rdb$database; delete from uf; --"),
          QStringLiteral("RDB$SECURITY_CLASS"), QString()}) {
        EXPECT_THROW(gerador("S", ruim, 0), Erro) << ruim.toStdString();
        EXPECT_THROW(gerador("A", ruim, 7), Erro) << ruim.toStdString();
    }
    EXPECT_EQ(Instrucao(con, "select count(*) n from uf").abrir().primeira()[u"n"].toInt(), 27);
    EXPECT_EQ(gerador("S", nome, 0), 502);
    EXPECT_THROW(gerador("X", nome, 0), Erro);
}

TEST_F(Esquema, LogSearchByRangeAndCallTypeNewestFirst)
{
    Instrucao ins(con, "insert into logs (cdpedido, acao, tipochamada, datahora) "
                       "values (0, :acao, :tipo, :quando)");
    const struct
    {
        const char* acao;
        int tipo;
        QDateTime quando;
    } linhas[] = {{"a", 2, em(1, 8)},          {"b", 1, em(1, 9)}, {"c", 2, em(1, 23, 59)},
                  {"d", 2, em(1, 23, 59, 30)}, {"e", 2, em(2, 0)}, {"f", 3, em(1, 12)}};
    for (const auto& l : linhas)
        ins.param("acao", QString::fromLatin1(l.acao))
            .param("tipo", l.tipo)
            .param("quando", l.quando)
            .executar();

    const auto acoes = [this](const char* operacao, int tipo) {
        const Resultado r =
            rodar("_qryListaLogsGeral", {{"poperacao", QString::fromLatin1(operacao)},
                                         {"pdatainicial", em(1, 0)},
                                         {"pdatafinal", em(1, 23, 59)},
                                         {"ptipochamada", tipo}});
        QString s;
        for (const Linha& l : r.linhas)
            s += l[u"ACAO"].toString();
        return s;
    };
    EXPECT_EQ(acoes("T", 0), QStringLiteral("cfba"));
    EXPECT_EQ(acoes("S", 2), QStringLiteral("ca"));
    EXPECT_EQ(acoes("S", 1), QStringLiteral("b"));
    EXPECT_EQ(acoes("S", 0), QString());

    // Rows written by the program get the database's time.
    rodar("_qryInsertLogs", {{"cdpedido", 9},
                             {"acao", QStringLiteral("Envio - Polling")},
                             {"enviado", QStringLiteral("x")},
                             {"nomeservico", QStringLiteral("IFOOD - Polling")},
                             {"statuslog", QStringLiteral("S")},
                             {"tipochamada", 2},
                             {"recebido", QString()}});
    const Resultado r = rodar("_qryListaLogs", {{"cdpedido", 9}});
    ASSERT_EQ(r.tamanho(), 1u);
    EXPECT_TRUE(r.primeira()[u"datahora"].toDateTime().isValid());
}
