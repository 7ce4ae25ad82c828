#include "base/datahora.h"
#include "config/arquivoini.h"
#include "config/configuracao.h"
#include "data/dm.h"
#include "support/ambiente.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace talvoro;

namespace {

void escrever(const QString& caminho, const QByteArray& conteudo)
{
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(conteudo);
}

QByteArray ler(const QString& caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int64_t contar(TDM& dm, const char* tabela)
{
    return fb::Instrucao(dm.FDConnection1(), std::string("select count(*) from ") + tabela)
        .abrir()
        .primeira()
        .at(0)
        .toInt();
}

} // namespace

TEST(DataModule, FreshFolderGetsTheDatabaseAndArqLogAndKeepsThemAfterwards)
{
    teste::PastaTemporaria pasta;
    {
        TDM dm(false);
        dm.DataModuleCreate();
        EXPECT_TRUE(QFileInfo(pasta.caminho(QStringLiteral("ArqLog"))).isDir());
        EXPECT_TRUE(QFileInfo::exists(pasta.banco()));
        EXPECT_FALSE(QFileInfo::exists(pasta.banco() + QStringLiteral(".criando")));
        EXPECT_GT(contar(dm, "uf"), 0);
        fb::Instrucao(dm.FDConnection1(), "insert into loja (cdloja_norvexa, id) values (7, 'x')")
            .executar();
    }
    TDM outra(false);
    outra.DataModuleCreate(); // the existing database is opened, not made again
    EXPECT_EQ(contar(outra, "loja"), 1);
}

TEST(DataModule, UpgradeScriptRunsEachPieceOnItsOwnAndIsDeleted)
{
    teste::PastaTemporaria pasta;
    const QString script = pasta.caminho(QStringLiteral("SQL.txt"));
    // A failing first piece, a good one, a "|" inside a literal (both halves fail), a good
    // one spread over lines, and a trailing "|" (an empty last piece).
    escrever(script, "insert into tabela_que_nao_existe values (1)|\n"
                     "insert into loja (cdloja_norvexa, id) values (1, 'a')|\n"
                     "insert into loja (cdloja_norvexa, id) values (2, 'b|c')|\n"
                     "insert into loja (cdloja_norvexa, id)\r\n values (3, 'd')|");
    TDM dm(false);
    dm.DataModuleCreate();
    EXPECT_FALSE(QFileInfo::exists(script));
    const fb::Resultado r =
        fb::Instrucao(dm.FDConnection1(), "select id from loja order by cdloja_norvexa").abrir();
    ASSERT_EQ(r.tamanho(), 2u);
    EXPECT_EQ(r.linhas[0][u"id"].toString(), QStringLiteral("a"));
    EXPECT_EQ(r.linhas[1][u"id"].toString(), QStringLiteral("d"));
}

TEST(DataModule, UnreadableUpgradeScriptIsReportedAndLeftInPlace)
{
    teste::PastaTemporaria pasta;
    // A folder in the script's place cannot be read as a file, even by root.
    ASSERT_TRUE(QDir().mkpath(pasta.caminho(QStringLiteral("SQL.txt"))));
    TDM dm(false);
    EXPECT_THROW(dm.DataModuleCreate(), std::exception);
    EXPECT_TRUE(QFileInfo::exists(pasta.caminho(QStringLiteral("SQL.txt"))));
    EXPECT_TRUE(QFileInfo(pasta.caminho(QStringLiteral("ArqLog"))).isDir());
}

TEST(DataModule, WritingStatementsRunWithRealisticValues)
{
    teste::Ambiente amb;
    TDM& dm = amb.dm;
    const QDateTime agora = talvoro::agora();
    const QString ref = QStringLiteral("3f1c2b9e-5d4a-4c1e-9a7b-1234567890ab");
    auto& ins = dm.Query("_qryInsertPedido");
    ins.param("datapedido", agora).param("deliverydatetime", agora.addSecs(2400));
    ins.param("deliverydatetimestart", nullptr).param("deliverydatetimeend", nullptr);
    ins.param("isagendado", QStringLiteral("N")).param("seqdelivery", 1);
    ins.param("statuspedido", QStringLiteral("PIN")).param("reference", ref);
    ins.param("shortreference", QStringLiteral("4821")).executar();
    const int cdpedido = int(dm.Query("_qryGetIDPedido")
                                 .param("shortreference", QStringLiteral("4821"))
                                 .abrir()
                                 .primeira()[u"cdpedido"]
                                 .toInt());
    ASSERT_GT(cdpedido, 0);

    struct Caso
    {
        const char* nome;
        std::vector<std::pair<const char*, fb::Valor>> params;
    };
    const Money dez = Money::fromUnits(10);
    const std::vector<Caso> casos = {
        {"_qryAtualizaPedido",
         {{"cdcliente", 0},
          {"cdloja_norvexa", 1},
          {"changefor", Money::fromUnits(50)},
          {"createdat", QStringLiteral("2024-05-01T18:30:00.000Z")},
          {"deliveryfee", dez},
          {"id", ref},
          {"nomeloja", QStringLiteral("PIZZARIA DO BAIRRO")},
          {"statuspedido", QStringLiteral("PNA")},
          {"subtotal", Money::fromUnits(32)},
          {"taxaadicional", Money::fromRaw(9900)},
          {"tipoentrega", 1},
          {"totalprice", Money::fromRaw(429900)},
          {"cdpedido", cdpedido}}},
        {"_qryAtualizaPedidoIndoor",
         {{"mode", QStringLiteral("TABLE")},
          {"tableindoor", QStringLiteral("12")},
          {"cdpedido", cdpedido}}},
        {"_qryUpddateVal_Resp_Desc",
         {{"responsaveldesconto", QStringLiteral("iFood")},
          {"valordesconto", dez},
          {"cdpedido", cdpedido}}},
        {"_qryInsertPedidoItens",
         {{"cdpedido", cdpedido},
          {"externalcode", 1001},
          {"externalcode_pai", nullptr},
          {"name", QStringLiteral("PIZZA GRANDE")},
          {"isauxiliar", QStringLiteral("N")},
          {"nritem", 1},
          {"observations", QStringLiteral("sem cebola")},
          {"quantity", 2},
          {"discount", Money()},
          {"price", Money::fromUnits(16)},
          {"statusintegrado", QStringLiteral("N")},
          {"totalprice", Money::fromUnits(32)}}},
        {"_qryInsertPagamentos",
         {{"cdpedido", cdpedido},
          {"method", QStringLiteral("CREDIT")},
          {"name", QStringLiteral("VISA")},
          {"prepaid", QStringLiteral("true")},
          {"type", QStringLiteral("ONLINE")},
          {"value", Money::fromRaw(429900)}}},
        {"_qryUpdateStatusPedidoAceiteAut", {{"cdpedido", cdpedido}}},
        {"_qryUpdateStatusPedido", {{"statuspedido", QStringLiteral("PEA")}, {"reference", ref}}},
        {"_qryUpdateStatusPedidoEntrega",
         {{"statuspedido", QStringLiteral("PDE")}, {"reference", ref}}},
        {"_qryUpdateStatusPedidoRetirado",
         {{"statuspedido", QStringLiteral("PDR")}, {"cdpedido", cdpedido}}},
        {"_qryUpdateStatusPedidoConfirmado",
         {{"statuspedido", QStringLiteral("PDF")}, {"cdpedido", cdpedido}}},
        {"_qryUpdateStatusPedidoCancelar",
         {{"statuspedido", QStringLiteral("PCC")}, {"cdpedido", cdpedido}}},
        {"_qryInsertConfig",
         {{"authorizationcode", QStringLiteral("ABCD-EFGH")},
          {"authorizationcodeverifier", QStringLiteral("verif")},
          {"cdconfig", 1},
          {"dataexpiracao", agora.addSecs(21540)},
          {"refreshtoken", QStringLiteral("rt")},
          {"token", QString(1500, u't')}}},
        {"_qryUpdateConfig",
         {{"authorizationcode", QStringLiteral("ABCD-EFGH")},
          {"authorizationcodeverifier", QStringLiteral("verif")},
          {"dataexpiracao", agora.addSecs(21540)},
          {"refreshtoken", QStringLiteral("rt2")},
          {"token", QStringLiteral("tk2")},
          {"cdconfig", 1}}},
        {"_qryFechamentoLoja",
         {{"dataaberturafechamento", agora},
          {"idfechamentoloja", QStringLiteral("int-1")},
          {"motivofechamento", QStringLiteral("Falta de gás")}}},
        {"_qryCancelarFechamento", {}},
        {"_qryInsertLoja",
         {{"cdloja_norvexa", 1},
          {"id", QStringLiteral("merchant-1")},
          {"nomecorporacao", QStringLiteral("PIZZARIA LTDA")},
          {"nomeloja", QStringLiteral("PIZZARIA DO BAIRRO")},
          {"statuslojaprincipal", QStringLiteral("S")}}},
        {"_qryUpdatepollingEnviado", {}},
    };
    for (const Caso& c : casos) {
        auto& q = dm.Query(c.nome);
        for (const auto& [n, v] : c.params)
            q.param(n, v);
        EXPECT_NO_THROW(q.executar()) << c.nome;
    }
    const fb::Linha pedido =
        fb::Instrucao(dm.FDConnection1(),
                      "select statuspedido, totalprice, tableindoor, valordesconto from "
                      "ifood_pedidos where cdpedido = :c")
            .param("c", cdpedido)
            .abrir()
            .primeira();
    EXPECT_EQ(pedido[u"statuspedido"].toString(), QStringLiteral("PCC"));
    EXPECT_EQ(pedido[u"totalprice"].toMoney(), Money::fromRaw(429900));
    EXPECT_EQ(pedido[u"tableindoor"].toString(), QStringLiteral("12"));
    EXPECT_EQ(contar(dm, "ifood_pedidos_itens"), 1);
    EXPECT_EQ(contar(dm, "ifood_pagamentos"), 1);
    EXPECT_EQ(dm.Query("_qryGetTokenBD").abrir().primeira()[u"token"].toString(),
              QStringLiteral("tk2"));
    EXPECT_TRUE(
        dm.Query("_qrySelectIDFechamento").abrir().primeira()[u"idfechamentoloja"].isNull());
    dm.Query("_qryDeleteLoja").executar();
    dm.Query("_qryDeleteConfig").executar();
    EXPECT_EQ(contar(dm, "loja") + contar(dm, "ifood_config"), 0);
}

TEST(DataModule, PollingRowsAreFoundByTheirWholeId)
{
    teste::Ambiente amb;
    const QString id = QStringLiteral("evt-'quoted'-1");
    EXPECT_FALSE(amb.dm.PollingExiste(id));
    amb.dm.PollingInsere(id, QStringLiteral("PLC"), QStringLiteral("ord-1"),
                         QStringLiteral("2024-05-01T10:00:00Z"),
                         dataHora(QDate(2024, 5, 1), QTime(10, 0)));
    EXPECT_TRUE(amb.dm.PollingExiste(id));
    EXPECT_FALSE(amb.dm.PollingExiste(QStringLiteral("evt-'quoted'")));
}

TEST(Logs, TextLineFormatAndTableRowsWithNulls)
{
    teste::Ambiente amb;
    amb.dm.GravaLog(QStringLiteral("Falha ao fazer Polling... sem rede"));
    amb.dm.GravaLog(QStringLiteral("duas\r\nlinhas"));
    const QString texto = amb.logTexto();
    const QRegularExpression formato(QStringLiteral(
        R"(^\d{2}/\d{2}/\d{4} \d{2}:\d{2}:\d{2} - Falha ao fazer Polling\.\.\. sem rede\r\n)"
        R"(\d{2}/\d{2}/\d{4} \d{2}:\d{2}:\d{2} - duas\r\nlinhas\r\n$)"));
    EXPECT_TRUE(formato.match(texto).hasMatch()) << texto.toStdString();

    amb.dm.InsertLogs(0, 2, QStringLiteral("Envio - Polling"), QString(),
                      QStringLiteral("IFOOD - Polling"), QStringLiteral("S"), QString());
    amb.dm.InsertLogs(12, 2, QStringLiteral("Retorno - Polling"), QStringLiteral("a\rb"),
                      QStringLiteral("IFOOD - Polling"), QStringLiteral("N"),
                      QStringLiteral("StatusCode: 500"));
    const fb::Resultado r =
        fb::Instrucao(amb.dm.FDConnection1(),
                      "select cdpedido, acao, enviado, recebido, statuslog, tipochamada, "
                      "datahora from logs order by cdlog")
            .abrir();
    ASSERT_EQ(r.tamanho(), 2u);
    EXPECT_TRUE(r.linhas[0][u"enviado"].isNull());
    EXPECT_TRUE(r.linhas[0][u"recebido"].isNull());
    EXPECT_FALSE(r.linhas[0][u"datahora"].isNull());
    EXPECT_EQ(r.linhas[1][u"enviado"].toString(), QStringLiteral("a\rb"));
    EXPECT_EQ(r.linhas[1][u"cdpedido"].toInt(), 12);
    EXPECT_EQ(TDM::TextoStatusLog(r.linhas[0][u"statuslog"]), QStringLiteral("OK"));
    EXPECT_EQ(TDM::TextoStatusLog(r.linhas[1][u"statuslog"]), QStringLiteral("ERRO"));
}

TEST(Logs, DisplayTextsOfTheCodes)
{
    EXPECT_EQ(TDM::TextoStatusLog(fb::Valor()), QStringLiteral("ERRO"));
    EXPECT_EQ(TDM::TextoStatusLog(fb::Valor(QStringLiteral("s"))), QStringLiteral("ERRO"));
    const std::pair<int, const char*> tipos[] = {
        {0, "TODAS"}, {1, "VEXO"}, {2, "IFOOD"}, {3, "WHATSAPP"}, {7, ""}};
    for (const auto& [codigo, texto] : tipos)
        EXPECT_EQ(TDM::TextoTipoChamada(fb::Valor(codigo)), QString::fromLatin1(texto)) << codigo;
    EXPECT_EQ(TDM::TextoTipoChamada(fb::Valor()), QString());
}

TEST(Logs, UnavailableDatabaseFallsBackToTheTextLog)
{
    teste::Ambiente amb;
    ASSERT_TRUE(QFile::remove(amb.pasta.banco()));
    for (int i = 0; i < 2; ++i)
        amb.dm.InsertLogs(0, 2, QStringLiteral("Envio - Polling"), QStringLiteral("x"),
                          QStringLiteral("IFOOD - Polling"), QStringLiteral("S"), QString());
    const QStringList linhas = amb.linhasLogTexto();
    ASSERT_EQ(linhas.size(), 2);
    for (const QString& l : linhas)
        EXPECT_TRUE(l.startsWith(QStringLiteral("Falha ao inserir Logs no banco... ")))
            << l.toStdString();
}

TEST(Configuracao, MissingFileReadsAsEmptyAndNo)
{
    teste::PastaTemporaria pasta;
    const ConfiguracaoIFood c = lerConfiguracao();
    EXPECT_TRUE(c.clientId.isEmpty() && c.merchantIdLoja.isEmpty());
    EXPECT_FALSE(c.aceitaPedidoAuto || c.adcComoProd || c.utilizaIFood ||
                 c.imprimeViaEntregadorAut);
}

TEST(Configuracao, NewFileListsTheNineKeysInOrderAndOnlyExactTrueIsYes)
{
    teste::PastaTemporaria pasta;
    ConfiguracaoIFood c;
    c.clientId = QStringLiteral("id-1");
    c.clientSecret = QStringLiteral("s=e=c");
    c.merchantIdLoja = QStringLiteral("m-1");
    c.aceitaPedidoAuto = true;
    gravarConfiguracao(c);
    EXPECT_EQ(ler(caminhoConfiguracao()),
              QByteArray("[CONFIG_IFOOD]\r\nCLIENT_ID=id-1\r\nCLIENT_SECRET=s=e=c\r\n"
                         "CLIENT_USERNAME=\r\nCLIENT_PASSWORD=\r\nMERCHANIDLOJA=m-1\r\n"
                         "ACEITAPEDIDOAUTO=True\r\nUTILIZAIFOOD=False\r\nADCCOMOPROD=False\r\n"
                         "IMPRIMEVIAENTREGADORAUT=False\r\n"));
    const ConfiguracaoIFood lida = lerConfiguracao();
    EXPECT_EQ(lida.clientSecret, QStringLiteral("s=e=c"));
    EXPECT_TRUE(lida.aceitaPedidoAuto);

    for (const char* texto : {"true", "TRUE", " False", "1", ""}) {
        gravarChaveConfiguracao(chaves::aceitaPedidoAuto, QString::fromLatin1(texto));
        EXPECT_FALSE(lerConfiguracao().aceitaPedidoAuto) << texto;
    }
    // Saving with every box unticked keeps the keys, with "False".
    gravarConfiguracao(ConfiguracaoIFood());
    const QByteArray depois = ler(caminhoConfiguracao());
    EXPECT_TRUE(depois.contains("ACEITAPEDIDOAUTO=False\r\n"));
    EXPECT_TRUE(depois.contains("MERCHANIDLOJA=\r\n"));
    EXPECT_EQ(depois.count("="), 9);
}

TEST(Configuracao, MissingKeyReadsEmptyAndOtherSectionsAreKept)
{
    teste::PastaTemporaria pasta;
    escrever(caminhoConfiguracao(), "[OUTRA]\nCLIENT_ID=nao\n\n[config_ifood]\nclient_id = abc \n");
    const ConfiguracaoIFood c = lerConfiguracao();
    EXPECT_EQ(c.clientId, QStringLiteral("abc"));
    EXPECT_TRUE(c.merchantIdLoja.isEmpty());
    gravarChaveConfiguracao(chaves::merchantIdLoja, QStringLiteral("m-9"));
    EXPECT_EQ(lerConfiguracao().merchantIdLoja, QStringLiteral("m-9"));
    EXPECT_EQ(ArquivoIni(caminhoConfiguracao()).ler(QStringLiteral("OUTRA"), chaves::clientId),
              QStringLiteral("nao"));
}

TEST(Configuracao, WriteFailureIsRaised)
{
    teste::PastaTemporaria pasta;
    ASSERT_TRUE(QDir().mkpath(caminhoConfiguracao())); // a folder where the file should be
    EXPECT_THROW(gravarChaveConfiguracao(chaves::aceitaPedidoAuto, QStringLiteral("True")),
                 std::runtime_error);
    EXPECT_TRUE(lerConfiguracao().clientId.isEmpty());
}
