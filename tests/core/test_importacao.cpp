#include "base/datahora.h"
#include "support/cenario_pedidos.h"

#include <QDir>
#include <QFile>

#include <functional>

#include <gtest/gtest.h>

using namespace talvoro;
using namespace talvoro::teste;
using Json = nlohmann::ordered_json;

namespace {

Money m(const char* texto)
{
    return *Money::parse(std::string_view(texto));
}

QDateTime utc(int dia, int h, int mi, int s = 0, int ms = 0)
{
    return dataHora(QDate(2024, 5, dia), QTime(h, mi, s, ms));
}

struct AvisosLista : IVisaoListaPedidos
{
    void ListaPedidosAberta(bool recalculados) override { avisos.push_back(recalculados); }
    std::vector<bool> avisos;
};

struct Importacao : CenarioIFood
{
    Importacao() { dm.DefineVisaoListaPedidos(&lista); }
    ~Importacao() { dm.DefineVisaoListaPedidos(nullptr); }

    fb::Resultado itens(int cd)
    {
        return consultar("select * from ifood_pedidos_itens where cdpedido = :c order by seq",
                         {{"c", cd}});
    }
    fb::Resultado pagamentos(int cd)
    {
        return consultar("select * from ifood_pagamentos where cdpedido = :c order by cdpagamento",
                         {{"c", cd}});
    }
    fb::Linha cliente(int cd)
    {
        return consultar("select c.* from tb_cliente c join ifood_pedidos p on p.cdcliente = "
                         "c.cdcliente where p.cdpedido = :c",
                         {{"c", cd}})
            .primeira();
    }
    QString integrado(const QString& orderId)
    {
        return consultar("select integrado from ifood_polling where orderid = :o", {{"o", orderId}})
            .primeira()[u"integrado"]
            .toString();
    }
    QString arquivoPedido(const QString& nome)
    {
        QFile f(dm.PastaArqLog() + nome);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLatin1(f.readAll());
    }
    QStringList logsAcao()
    {
        QStringList out;
        for (const fb::Linha& l : logs().linhas)
            out << l[u"acao"].toString();
        return out;
    }

    AvisosLista lista;
};

struct Linha
{
    int nritem;
    int externalcode;
    int pai; // 0: null
    const char* name;
    const char* auxiliar;
    int quantity;
    const char* price;
    const char* total;
};

void conferirItens(const fb::Resultado& r, std::initializer_list<Linha> esperadas)
{
    ASSERT_EQ(r.tamanho(), esperadas.size());
    size_t i = 0;
    for (const Linha& e : esperadas) {
        const fb::Linha& l = r.linhas[i++];
        EXPECT_EQ(l[u"nritem"].toInt(), e.nritem) << i;
        EXPECT_EQ(l[u"externalcode"].toInt(), e.externalcode) << i;
        if (e.pai == 0)
            EXPECT_TRUE(l[u"externalcode_pai"].isNull()) << i;
        else
            EXPECT_EQ(l[u"externalcode_pai"].toInt(), e.pai) << i;
        EXPECT_EQ(l[u"name"].toString(), QString::fromUtf8(e.name)) << i;
        EXPECT_EQ(l[u"isauxiliar"].toString(), QString::fromLatin1(e.auxiliar)) << i;
        EXPECT_EQ(l[u"quantity"].toInt(), e.quantity) << i;
        EXPECT_EQ(l[u"price"].toMoney(), m(e.price)) << i;
        EXPECT_EQ(l[u"totalprice"].toMoney(), m(e.total)) << i;
        EXPECT_EQ(l[u"discount"].toMoney(), Money()) << i;
        EXPECT_EQ(l[u"statusintegrado"].toString(), QStringLiteral("N")) << i;
    }
}

TEST(NormalizaTexto, ReducesToAsciiAndDropsApostrophes)
{
    const struct
    {
        const char* entrada;
        const char* saida;
    } casos[] = {
        {"João D'Ávila", "Joao D Avila"},
        {"Açaí, pão de queijo e crème brûlée", "Acai, pao de queijo e creme brulee"},
        {"Rua 7, nº 12, 2ª casa", "Rua 7, no 12, 2a casa"},
        {"D´Angelo e O’Neil", "D Angelo e O Neil"},
        {"pizza 🍕 grande", "pizza ? grande"},
        {"寿司 e ß", "?? e ?"},
        {"{\"a\": \"x\\ny\"}", "{\"a\": \"x\\ny\"}"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(TThreadNFe_NFCe::NormalizaTexto(QString::fromUtf8(c.entrada)),
                  QString::fromLatin1(c.saida))
            << c.entrada;
}

TEST_F(Importacao, DeliveryPaidByCardWithOptionsAndAnIFoodCoupon)
{
    executar("insert into loja (cdloja_norvexa, id, nomeloja) values (7, 'merchant-1', 'Loja')");
    executar("insert into tb_produto (cdproduto, descricao) values (205, 'REFRIGERANTE 2L')");
    const QString id = colocarPedido(QStringLiteral("delivery_cartao.json"));
    worker->GetOrder();

    const int cd = cdDe(id);
    ASSERT_GT(cd, 0);
    const fb::Linha p = pedido(cd);
    EXPECT_EQ(p[u"statuspedido"].toString(), QStringLiteral("PNA"));
    EXPECT_EQ(p[u"shortreference"].toString(), QStringLiteral("4821"));
    EXPECT_EQ(p[u"id"].toString(), id);
    EXPECT_EQ(p[u"createdat"].toString(), QStringLiteral("2024-05-10T15:02:11.123Z"));
    EXPECT_EQ(p[u"deliverydatetime"].toDateTime(), utc(10, 15, 47, 11, 123));
    EXPECT_TRUE(p[u"deliverydatetimestart"].isNull());
    EXPECT_EQ(p[u"isagendado"].toString(), QStringLiteral("N"));
    EXPECT_EQ(p[u"seqdelivery"].toInt(), 1);
    EXPECT_EQ(p[u"tipoentrega"].toInt(), 1);
    EXPECT_EQ(p[u"cdloja_norvexa"].toInt(), 7);
    EXPECT_EQ(p[u"nomeloja"].toString(), QStringLiteral("Pizzaria Dona Celia"));
    EXPECT_EQ(p[u"subtotal"].toMoney(), m("91.90"));
    EXPECT_EQ(p[u"deliveryfee"].toMoney(), m("7.99"));
    EXPECT_EQ(p[u"totalprice"].toMoney(), m("89.89"));
    EXPECT_EQ(p[u"taxaadicional"].toMoney(), Money());
    EXPECT_EQ(p[u"changefor"].toMoney(), Money());
    EXPECT_EQ(p[u"valordesconto"].toMoney(), m("10"));
    EXPECT_EQ(p[u"responsaveldesconto"].toString(), QStringLiteral("iFood"));
    EXPECT_LE(qAbs(p[u"datapedido"].toDateTime().secsTo(agora())), 60);

    conferirItens(itens(cd),
                  {{1, 101, 0, "Pizza grande meia calabresa meia mucarela", "N", 1, "54.9", "54.9"},
                   {1, 901, 101, "Borda de catupiry", "S", 1, "8", "8"},
                   {1, 902, 101, "Molho extra de alho", "S", 2, "2", "4"},
                   {2, 205, 0, "Guarana Antarctica 2L", "N", 2, "12.5", "25"}});
    EXPECT_EQ(itens(cd).primeira()[u"observations"].toString(),
              QStringLiteral("Sem cebola, por favor"));
    // Lists show the point-of-sale description where the code matches a product.
    const fb::Resultado listados = dm.Query("_qryListaPedidoItens").param("cdpedido", cd).abrir();
    EXPECT_EQ(listados.linhas[3][u"name"].toString(), QStringLiteral("REFRIGERANTE 2L"));

    const fb::Resultado pg = pagamentos(cd);
    ASSERT_EQ(pg.tamanho(), 2u);
    const char* esperados[2][5] = {{"CREDIT", "PAGAMENTO IFOOD", "true", "ONLINE", "10"},
                                   {"CREDIT", "VISA", "true", "ONLINE", "89.89"}};
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(pg.linhas[i][u"method"].toString(), QString::fromLatin1(esperados[i][0]));
        EXPECT_EQ(pg.linhas[i][u"name"].toString(), QString::fromLatin1(esperados[i][1]));
        EXPECT_EQ(pg.linhas[i][u"prepaid"].toString(), QString::fromLatin1(esperados[i][2]));
        EXPECT_EQ(pg.linhas[i][u"TYPE"].toString(), QString::fromLatin1(esperados[i][3]));
        EXPECT_EQ(pg.linhas[i][u"VALUE"].toMoney(), m(esperados[i][4]));
    }

    const fb::Linha c = cliente(cd);
    EXPECT_EQ(c[u"nome"].toString(), QStringLiteral("JOAO D AVILA"));
    EXPECT_EQ(c[u"idifood"].toInt(), 27490312);
    EXPECT_EQ(c[u"phone_localizer"].toString(), QStringLiteral("27490312"));
    EXPECT_EQ(c[u"foneifood"].toString(), QStringLiteral("0800 705 0500"));
    EXPECT_EQ(c[u"uuidifood"].toString(), QStringLiteral("8a1e2f3b-9c4d-4e5f-8a6b-7c8d9e0f1a2b"));
    EXPECT_EQ(c[u"cpf"].toString(), QStringLiteral("12345678909"));
    EXPECT_EQ(c[u"logradouro"].toString(), QStringLiteral("RUA AUGUSTA, 1500"));
    EXPECT_EQ(c[u"nrendereco"].toString(), QStringLiteral("1500"));
    EXPECT_EQ(c[u"bairro"].toString(), QStringLiteral("Consolacao"));
    EXPECT_EQ(c[u"cidade"].toString(), QStringLiteral("SAO PAULO"));
    EXPECT_EQ(c[u"complementoendereco"].toString(), QStringLiteral("APTO 42 BLOCO B"));
    EXPECT_EQ(c[u"cep"].toString(), QStringLiteral("01304001"));
    EXPECT_EQ(c[u"pontoreferencia"].toString(),
              QStringLiteral("EM FRENTE A PADARIA INTERFONE QUEBRADO"));

    // The order file: the order re-serialised with an indentation of 4, in ASCII, CR LF.
    const QString texto = arquivoPedido(QStringLiteral("4821_") + id + QStringLiteral(".txt"));
    ASSERT_FALSE(texto.isEmpty());
    EXPECT_TRUE(texto.startsWith(QStringLiteral("{\r\n    \"id\": \"") + id + u'"'));
    EXPECT_TRUE(texto.contains(QStringLiteral("\r\n    \"customer\": {\r\n        \"id\": ")));
    EXPECT_TRUE(texto.contains(QStringLiteral("\"name\": \"Joao D Avila\",\r\n")));
    EXPECT_TRUE(texto.contains(QStringLiteral("\"unitPrice\": 54.9,\r\n")));
    EXPECT_TRUE(texto.endsWith(QStringLiteral("\r\n}")));
    EXPECT_EQ(texto.count(u'\n'), texto.count(QStringLiteral("\r\n")));
    for (const QChar ch : texto)
        ASSERT_LT(ch.unicode(), 0x80);
    EXPECT_EQ(Json::parse(texto.toStdString()),
              Json::parse(TThreadNFe_NFCe::NormalizaTexto(
                              QString::fromUtf8(lerDados(QStringLiteral("pedidos/"
                                                                        "delivery_cartao.json"))))
                              .toStdString()));
    EXPECT_EQ(janela.memo2, texto);

    const fb::Resultado l = logs();
    ASSERT_EQ(l.tamanho(), 2u);
    EXPECT_EQ(l.linhas[0][u"acao"].toString(), QStringLiteral("Envio - GetOrder"));
    EXPECT_EQ(l.linhas[0][u"enviado"].toString(),
              QStringLiteral("BaseURL: %1/order/v1.0\rContentType: application/json\rAccept: "
                             "application/json\rMethod: GET\rResource: orders/%2")
                  .arg(QString::fromStdString(sim.urlBase()), id));
    EXPECT_EQ(l.linhas[1][u"acao"].toString(), QStringLiteral("Retorno - GetOrder"));
    EXPECT_EQ(l.linhas[1][u"recebido"].toString(), texto);
    for (const fb::Linha& linha : l.linhas) {
        EXPECT_EQ(linha[u"nomeservico"].toString(), QStringLiteral("IFOOD - GetOrder"));
        EXPECT_EQ(linha[u"statuslog"].toString(), QStringLiteral("S"));
        EXPECT_EQ(linha[u"tipochamada"].toInt(), 2);
        EXPECT_EQ(linha[u"cdpedido"].toInt(), 0);
    }
    const auto reqs = sim.requisicoes();
    ASSERT_EQ(reqs.size(), 1u);
    EXPECT_EQ(reqs[0].metodo, "GET");
    EXPECT_EQ(reqs[0].cabecalho("Authorization"), "Bearer token-de-teste");

    EXPECT_EQ(integrado(id), QStringLiteral("S"));
    EXPECT_TRUE(linhasLogTexto().isEmpty());
    // The board shows today's orders afterwards.
    EXPECT_EQ(lista.avisos, std::vector<bool>{true});
    ASSERT_EQ(dm.ListaPedido().tamanho(), 1u);
    EXPECT_EQ(dm.Contadores().novos, 1);
}

TEST_F(Importacao, OptionsBecomeProductLinesWithAdcComoProd)
{
    worker->FAdcComoProd = true;
    const QString id = colocarPedido(QStringLiteral("delivery_cartao.json"));
    worker->GetOrder();
    conferirItens(itens(cdDe(id)),
                  {{1, 101, 0, "Pizza grande meia calabresa meia mucarela", "N", 1, "54.9", "54.9"},
                   {2, 901, 0, "Borda de catupiry", "N", 1, "8", "8"},
                   {3, 902, 0, "Molho extra de alho", "N", 2, "2", "4"},
                   {4, 205, 0, "Guarana Antarctica 2L", "N", 2, "12.5", "25"}});
}

TEST_F(Importacao, CashChangeFeesAndCouponsOfAMixedPayment)
{
    Json doc = Json::parse(lerDados(QStringLiteral("pedidos/dinheiro_debito.json")).toStdString());
    const QString dinheiroPrimeiro = colocarPedidoTexto(doc.dump());
    // The same order with the card first and the cash last.
    doc["id"] = "5d1c7e2a-4b1f-4f7e-9a41-000000007311";
    doc["displayId"] = "7311";
    std::swap(doc["payments"]["methods"][0], doc["payments"]["methods"][1]);
    const QString dinheiroPorUltimo = colocarPedidoTexto(doc.dump());
    worker->GetOrder();

    for (const QString& id : {dinheiroPrimeiro, dinheiroPorUltimo}) {
        const int cd = cdDe(id);
        ASSERT_GT(cd, 0);
        const fb::Linha p = pedido(cd);
        EXPECT_EQ(p[u"changefor"].toMoney(), m("50")) << id.toStdString();
        EXPECT_EQ(p[u"taxaadicional"].toMoney(), m("3.5")); // both fees
        EXPECT_EQ(p[u"valordesconto"].toMoney(), m("5"));
        EXPECT_EQ(p[u"responsaveldesconto"].toString(), QStringLiteral("Loja"));
        EXPECT_EQ(p[u"totalprice"].toMoney(), m("68.5"));

        QStringList formas;
        Money soma;
        for (const fb::Linha& l : pagamentos(cd).linhas) {
            formas << l[u"method"].toString() + u'/' + l[u"name"].toString() + u'/' +
                          l[u"prepaid"].toString() + u'/' + l[u"TYPE"].toString();
            soma += l[u"VALUE"].toMoney();
        }
        EXPECT_EQ(formas.first(), QStringLiteral("CREDIT/PAGAMENTO IFOOD/true/ONLINE"));
        formas.removeFirst();
        formas.sort();
        EXPECT_EQ(formas, (QStringList{QStringLiteral("CASH/CASH/false/OFFLINE"),
                                       QStringLiteral("DEBIT/MASTERCARD/false/OFFLINE")}));
        EXPECT_EQ(soma, m("71.5")); // 3.00 from iFood, 40.00 cash, 28.50 debit
    }
    const fb::Linha c = cliente(cdDe(dinheiroPrimeiro));
    EXPECT_EQ(c[u"pontoreferencia"].toString(), QStringLiteral(" "));
    EXPECT_EQ(cliente(cdDe(dinheiroPorUltimo))[u"cdcliente"].toInt(), c[u"cdcliente"].toInt());
    EXPECT_EQ(pedido(cdDe(dinheiroPorUltimo))[u"seqdelivery"].toInt(), 2);
}

TEST_F(Importacao, CustomerAndAddressByOrderType)
{
    const QString retirada = colocarPedido(QStringLiteral("retirada.json"));
    const QString mesa = colocarPedido(QStringLiteral("mesa12.json"));
    const QString balcao = colocarPedido(QStringLiteral("balcao.json"));
    worker->GetOrder();

    const struct
    {
        QString id;
        int tipo;
        QDateTime entrega;
        const char* nome;
        int64_t idifood;
        const char* uuid;
        const char* endereco;
        const char* referencia;
        const char* mode; // null: not indoor
        const char* mesa;
    } casos[] = {
        {retirada, 2, utc(10, 15, 30), "LUCIA FERNANDES", 31178844,
         "7d6c5b4a-3f2e-4d1c-9b0a-1a2b3c4d5e6f", "RETIRADA", "RETIRADA ", nullptr, nullptr},
        {mesa, 3, utc(10, 18, 20), "CARLOS LIMA", 40551290, "1f2e3d4c-5b6a-4978-8695-a4b3c2d1e0f9",
         "12", "12 ", "TABLE", "12"},
        {balcao, 3, utc(10, 13, 45, 30), "BALCAO", 2024051013, "20240510134530", "BALCAO",
         "BALCAO ", "DEFAULT", ""},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.id.toStdString());
        const int cd = cdDe(caso.id);
        ASSERT_GT(cd, 0);
        const fb::Linha p = pedido(cd);
        EXPECT_EQ(p[u"statuspedido"].toString(), QStringLiteral("PNA"));
        EXPECT_EQ(p[u"tipoentrega"].toInt(), caso.tipo);
        EXPECT_EQ(p[u"deliverydatetime"].toDateTime(), caso.entrega);
        if (caso.mode) {
            EXPECT_EQ(p[u"mode"].toString(), QString::fromLatin1(caso.mode));
            EXPECT_EQ(p[u"tableindoor"].toString(), QString::fromLatin1(caso.mesa));
        } else {
            EXPECT_TRUE(p[u"mode"].isNull());
        }
        const fb::Linha c = cliente(cd);
        EXPECT_EQ(c[u"nome"].toString(), QString::fromLatin1(caso.nome));
        EXPECT_EQ(c[u"idifood"].toInt(), caso.idifood);
        EXPECT_EQ(c[u"uuidifood"].toString(), QString::fromLatin1(caso.uuid));
        for (const char16_t* coluna :
             {u"logradouro", u"nrendereco", u"complementoendereco", u"bairro", u"cidade"})
            EXPECT_EQ(c[coluna].toString(), QString::fromLatin1(caso.endereco));
        EXPECT_EQ(c[u"pontoreferencia"].toString(), QString::fromLatin1(caso.referencia));
        EXPECT_EQ(c[u"cep"].toString(), QStringLiteral("00000000"));
    }
    EXPECT_TRUE(cliente(cdDe(balcao))[u"foneifood"].toString().isEmpty());
    EXPECT_EQ(pedido(cdDe(balcao))[u"changefor"].toMoney(), m("20"));

    // A method without a card (PIX) is stored with an empty name, not refused.
    const fb::Resultado pix = pagamentos(cdDe(retirada));
    ASSERT_EQ(pix.tamanho(), 1u);
    EXPECT_EQ(pix.primeira()[u"method"].toString(), QStringLiteral("PIX"));
    EXPECT_TRUE(pix.primeira()[u"name"].toString().isEmpty());
    // Characters outside the database's character set never make a write fail.
    EXPECT_EQ(itens(cdDe(retirada)).primeira()[u"observations"].toString(),
              QStringLiteral("Bem gelado ? por favor"));
    EXPECT_EQ(itens(cdDe(retirada)).primeira()[u"name"].toString(), QStringLiteral("Acai 500ml"));
    EXPECT_TRUE(linhasLogTexto().isEmpty());
}

TEST_F(Importacao, AnOrderTypeWithoutADateIsStillImported)
{
    Json doc = Json::parse(lerDados(QStringLiteral("pedidos/mesa12.json")).toStdString());
    doc["id"] = "c0ffee00-1111-4222-8333-444455556666";
    doc["orderType"] = "DINE_IN";
    const QString id = colocarPedidoTexto(doc.dump());
    worker->GetOrder();

    const int cd = cdDe(id);
    ASSERT_GT(cd, 0) << linhasLogTexto().join(u'\n').toStdString();
    const fb::Linha p = pedido(cd);
    EXPECT_EQ(p[u"statuspedido"].toString(), QStringLiteral("PNA"));
    EXPECT_EQ(p[u"tipoentrega"].toInt(), 0);
    EXPECT_TRUE(p[u"deliverydatetime"].isNull());
    EXPECT_EQ(integrado(id), QStringLiteral("S"));
    EXPECT_FALSE(itens(cd).vazio());
}

TEST_F(Importacao, ScheduledOrdersAndCustomersWithoutPhone)
{
    const QString agendado = colocarPedido(QStringLiteral("agendado.json"));
    const QString semFone = colocarPedido(QStringLiteral("sem_telefone.json"));
    worker->GetOrder();

    const fb::Linha a = pedido(cdDe(agendado));
    EXPECT_EQ(a[u"isagendado"].toString(), QStringLiteral("S"));
    EXPECT_EQ(a[u"deliverydatetimestart"].toDateTime(), utc(11, 12, 0));
    EXPECT_EQ(a[u"deliverydatetimeend"].toDateTime(), utc(11, 12, 30));
    EXPECT_EQ(a[u"deliverydatetime"].toDateTime(), utc(11, 12, 30));

    // No orderTiming: not immediate, so its schedule is read, but it is not marked scheduled.
    // Its customer id is no number: no customer, and the order goes on.
    const fb::Linha s = pedido(cdDe(semFone));
    EXPECT_EQ(s[u"statuspedido"].toString(), QStringLiteral("PNA"));
    EXPECT_EQ(s[u"isagendado"].toString(), QStringLiteral("N"));
    EXPECT_TRUE(s[u"deliverydatetimestart"].isNull());
    EXPECT_EQ(s[u"cdcliente"].toInt(), 0);
    EXPECT_EQ(s[u"totalprice"].toMoney(), m("28"));
    EXPECT_EQ(itens(cdDe(semFone)).tamanho(), 1u);
    EXPECT_EQ(linhasLogTexto(),
              QStringList{QStringLiteral("Falha ao cadastrar o cliente... "
                                         "'f47ac10b-58cc-4372-a567-0e02b2c3d479' is not a valid "
                                         "integer value")});
    EXPECT_EQ(consultar("select count(*) n from tb_cliente").primeira()[u"n"].toInt(), 1);
}

TEST_F(Importacao, UnreadableItemsAreSkippedAndLogged)
{
    const QString id = colocarPedido(QStringLiteral("item_sem_preco.json"));
    const QString codigoTexto = colocarPedido(QStringLiteral("codigo_texto.json"));
    executar("insert into tb_produto (cdproduto, descricao) values (1001, 'AGUA C/ GAS 500ML')");
    worker->GetOrder();

    // The item without a price leaves a gap in the numbers; its option is stored; the item
    // whose quantity is no number takes its option with it.
    conferirItens(itens(cdDe(id)), {{1, 77, 301, "Limao", "S", 3, "0.5", "1.5"},
                                    {3, 303, 0, "Suco de laranja", "N", 1, "7", "7"}});
    EXPECT_EQ(
        linhasLogTexto(),
        (QStringList{
            QStringLiteral("Falha ao gravar produtos... 'n/d' is not a valid floating "
                           "point value"),
            QStringLiteral("Falha ao gravar produtos... 'duas' is not a valid integer value"),
            QStringLiteral("Falha ao gravar subprodutos... 'duas' is not a valid integer value")}));
    EXPECT_EQ(pedido(cdDe(id))[u"subtotal"].toMoney(), m("31"));

    // A code that is no number is stored as 0 and listed under its iFood name.
    conferirItens(itens(cdDe(codigoTexto)),
                  {{1, 0, 0, "Pizza broto de portuguesa", "N", 1, "29.9", "29.9"},
                   {2, 1001, 0, "Agua com gas", "N", 1, "5", "5"}});
    const fb::Resultado listados =
        dm.Query("_qryListaPedidoItens").param("cdpedido", cdDe(codigoTexto)).abrir();
    EXPECT_EQ(listados.linhas[0][u"name"].toString(), QStringLiteral("Pizza broto de portuguesa"));
    EXPECT_EQ(listados.linhas[1][u"name"].toString(), QStringLiteral("AGUA C/ GAS 500ML"));
}

TEST_F(Importacao, AutomaticConfirmationRightAfterEachOrder)
{
    worker->FAceitaPedidoAuto = true;
    const QString a = colocarPedido(QStringLiteral("delivery_cartao.json"));
    const QString b = colocarPedido(QStringLiteral("retirada.json"));
    const QString c = colocarPedido(QStringLiteral("mesa12.json"));
    sim.forcarResposta("POST", "/order/v1.0/orders/" + c.toStdString() + "/confirm", 400,
                       R"({"code":"BadRequest"})");
    worker->GetOrder();

    std::vector<std::string> chamadas;
    for (const auto& r : sim.requisicoes())
        chamadas.push_back(r.metodo + " " + r.caminho);
    const std::string base = "/order/v1.0/orders/";
    EXPECT_EQ(chamadas, (std::vector<std::string>{
                            "GET " + base + a.toStdString(),
                            "POST " + base + a.toStdString() + "/confirm",
                            "GET " + base + b.toStdString(),
                            "POST " + base + b.toStdString() + "/confirm",
                            "GET " + base + c.toStdString(),
                            "POST " + base + c.toStdString() + "/confirm",
                        }));
    for (const QString& id : {a, b}) {
        const fb::Linha p = pedido(cdDe(id));
        EXPECT_EQ(p[u"statuspedido"].toString(), QStringLiteral("PEA"));
        EXPECT_EQ(p[u"statusaceite"].toString(), QStringLiteral("S"));
        EXPECT_FALSE(p[u"dataaceite"].isNull());
    }
    EXPECT_EQ(statusDe(cdDe(c)), QStringLiteral("PNA"));
    EXPECT_EQ(integrado(c), QStringLiteral("S"));

    QStringList respostas;
    for (const fb::Linha& l : logs().linhas) {
        if (l[u"acao"].toString() == u"Envio - ConfirmaPedido") {
            EXPECT_TRUE(l[u"enviado"].toString().contains(
                QStringLiteral("\rMethod: POST\rResource: /orders/")));
            EXPECT_EQ(l[u"nomeservico"].toString(), QStringLiteral("IFOOD - ConfirmaPedido"));
        } else if (l[u"acao"].toString() == u"Resposta - ConfirmaPedido") {
            respostas << l[u"statuslog"].toString() + u' ' + l[u"recebido"].toString();
        }
    }
    EXPECT_EQ(respostas, (QStringList{QStringLiteral("S StatusCode: 202\rAccepted\r\r"),
                                      QStringLiteral("S StatusCode: 202\rAccepted\r\r"),
                                      QStringLiteral("N StatusCode: 400\rBad Request\r\r"
                                                     "{\"code\":\"BadRequest\"}")}));
}

TEST_F(Importacao, OrderOfferedAgainIsNotImportedTwice)
{
    worker->FAceitaPedidoAuto = true;
    const QString id = colocarPedido(QStringLiteral("dinheiro_debito.json"));
    worker->GetOrder();
    const int cd = cdDe(id);
    ASSERT_EQ(statusDe(cd), QStringLiteral("PEA"));
    const int itensAntes = int(itens(cd).tamanho());
    const int pagamentosAntes = int(pagamentos(cd).tamanho());

    // iFood may offer an order again in a new placed-order event, even an old one.
    const int segundo = inserirEvento(QStringLiteral("plc-de-novo"), QStringLiteral("PLC"), id);
    sim.limparRequisicoes();
    worker->GetOrder();
    EXPECT_EQ(consultar("select count(*) n from ifood_pedidos").primeira()[u"n"].toInt(), 1);
    EXPECT_EQ(int(itens(cd).tamanho()), itensAntes);
    EXPECT_EQ(int(pagamentos(cd).tamanho()), pagamentosAntes);
    EXPECT_EQ(evento(segundo)[u"integrado"].toString(), QStringLiteral("S"));
    ASSERT_EQ(sim.requisicoes().size(), 1u); // fetched, not confirmed again
    EXPECT_EQ(sim.requisicoes()[0].metodo, "GET");
    EXPECT_EQ(statusDe(cd), QStringLiteral("PEA"));
}

TEST_F(Importacao, FailedFetchesLeaveTheEventForTheNextCycle)
{
    const QString naoEncontrado = colocarPedido(QStringLiteral("delivery_cartao.json"));
    const QString naoJson = colocarPedido(QStringLiteral("retirada.json"));
    const QString lista = colocarPedido(QStringLiteral("mesa12.json"));
    const QString bom = colocarPedido(QStringLiteral("balcao.json"));
    const std::string base = "/order/v1.0/orders/";
    sim.forcarResposta("GET", base + naoEncontrado.toStdString(), 404, R"({"code":"NotFound"})");
    sim.forcarResposta("GET", base + naoJson.toStdString(), 200, "<html>Bad gateway</html>");
    sim.forcarResposta("GET", base + lista.toStdString(), 200, "[1, 2]");
    worker->FAceitaPedidoAuto = true;
    worker->GetOrder();

    // Only the good order is stored and confirmed; the others wait, and the run went on
    // past the one that was not an object.
    EXPECT_GT(cdDe(bom), 0);
    for (const QString& id : {naoEncontrado, naoJson, lista}) {
        EXPECT_EQ(cdDe(id), 0) << id.toStdString();
        EXPECT_EQ(integrado(id), QStringLiteral("N")) << id.toStdString();
    }
    size_t confirmacoes = 0;
    for (const auto& r : sim.requisicoes())
        confirmacoes += r.metodo == "POST";
    EXPECT_EQ(confirmacoes, 1u);
    const QStringList texto = linhasLogTexto();
    ASSERT_EQ(texto.size(), 2);
    EXPECT_TRUE(texto[0].startsWith(QStringLiteral("Falha ao fazer GetOrder... Pedido ") + naoJson +
                                    QStringLiteral(": a resposta não é um JSON válido: ")))
        << texto[0].toStdString();
    EXPECT_TRUE(texto[1].startsWith(QStringLiteral("Falha ao fazer GetOrder... ")));
    EXPECT_TRUE(texto[1].contains(lista)) << texto[1].toStdString();
    // The 404 has no reply row; the reply that is not JSON is kept, marked as a failure.
    const fb::Resultado rows =
        consultar("select acao, statuslog, recebido from logs where acao = 'Retorno - GetOrder' "
                  "order by cdlog");
    ASSERT_EQ(rows.tamanho(), 3u);
    EXPECT_EQ(rows.linhas[0][u"statuslog"].toString(), QStringLiteral("N"));
    EXPECT_EQ(rows.linhas[0][u"recebido"].toString(), QStringLiteral("<html>Bad gateway</html>"));

    // Next cycle: the server answers properly now.
    sim.limparForcamentos();
    worker->GetOrder();
    for (const QString& id : {naoEncontrado, naoJson, lista}) {
        EXPECT_EQ(statusDe(cdDe(id)), QStringLiteral("PEA")) << id.toStdString();
        EXPECT_EQ(integrado(id), QStringLiteral("S"));
    }
    EXPECT_EQ(consultar("select count(*) n from ifood_pedidos").primeira()[u"n"].toInt(), 4);
}

// Failures planted in the database: a trigger raises while the test's table names its point.
struct ImportacaoInterrompida : Importacao
{
    ImportacaoInterrompida()
    {
        for (const char* ddl : {
                 "create exception ex_falha_teste 'falha plantada pelo teste'",
                 "create table falhas_teste (ponto varchar(20))",
                 R"(create trigger falha_cabecalho for ifood_pedidos before insert as
                    begin
                        if (exists(select 1 from falhas_teste where ponto = 'cabecalho')) then
                            exception ex_falha_teste;
                    end)",
                 R"(create trigger falha_desconto for ifood_pedidos before update as
                    begin
                        if (new.valordesconto <> old.valordesconto and
                            exists(select 1 from falhas_teste where ponto = 'desconto')) then
                            exception ex_falha_teste;
                    end)",
                 R"(create trigger falha_marcar for ifood_polling before update as
                    begin
                        if (new.integrado = 'S' and old.integrado = 'N' and
                            exists(select 1 from falhas_teste where ponto = 'marcar')) then
                            exception ex_falha_teste;
                    end)",
             })
            dm.ExecSQL(QString::fromLatin1(ddl));
    }

    void plantar(const char* ponto)
    {
        executar("insert into falhas_teste (ponto) values (:p)",
                 {{"p", QString::fromLatin1(ponto)}});
    }
    void limparFalhas() { executar("delete from falhas_teste"); }
};

TEST_F(ImportacaoInterrompida, CutShortAnywhereAndRunAgainGivesOneCompleteOrder)
{
    const Json original =
        Json::parse(lerDados(QStringLiteral("pedidos/delivery_cartao.json")).toStdString());
    int porta = 0;
    const struct
    {
        const char* nome;
        bool registra; // a line in the text log (the cycle logs what GetOrder raises)
        std::function<void(Json&)> estragar;
        std::function<void(Json&)> consertar;
    } casos[] = {
        {"servidor fora do ar", false,
         [&](Json&) {
             porta = sim.porta();
             sim.parar();
         },
         [&](Json&) { sim.iniciar(porta); }},
        {"erro 500", false,
         [&](Json& d) {
             sim.forcarResposta("GET", "/order/v1.0/orders/" + d["id"].get<std::string>(), 500,
                                "{}");
         },
         [&](Json&) { sim.limparForcamentos(); }},
        {"cabecalho recusado", true, [&](Json&) { plantar("cabecalho"); },
         [&](Json&) { limparFalhas(); }},
        {"data de entrega ilegivel", true,
         [&](Json& d) { d["delivery"]["deliveryDateTime"] = "amanha cedo"; },
         [&](Json& d) { d["delivery"]["deliveryDateTime"] = "2024-05-10T15:47:11.123Z"; }},
        {"desconto recusado", true, [&](Json&) { plantar("desconto"); },
         [&](Json&) { limparFalhas(); }},
        {"pedido sem itens", true, [&](Json& d) { d.erase("items"); },
         [&](Json& d) { d["items"] = original["items"]; }},
        {"pagamento sem objeto cash", true,
         [&](Json& d) { d["payments"]["methods"][0]["method"] = "CASH"; },
         [&](Json& d) { d["payments"]["methods"][0]["method"] = "CREDIT"; }},
        {"evento nao marcado", true, [&](Json&) { plantar("marcar"); },
         [&](Json&) { limparFalhas(); }},
    };
    int n = 0;
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        ++n;
        Json doc = original;
        doc["id"] = "corte-" + std::to_string(n);
        doc["displayId"] = std::to_string(600 + n);
        const QString id = QString::fromStdString(doc["id"].get<std::string>());
        caso.estragar(doc);
        sim.adicionarPedido(doc);
        const int codigo = inserirEvento(QStringLiteral("plc-") + id, QStringLiteral("PLC"), id);
        const qsizetype linhasAntes = linhasLogTexto().size();

        bool levantou = false;
        try {
            worker->GetOrder();
        } catch (const ifood::FalhaRest&) {
            levantou = true; // no reply at all: the run is over, the cycle logs it
        }
        EXPECT_EQ(levantou, caso.nome == std::string_view("servidor fora do ar"));
        EXPECT_EQ(evento(codigo)[u"integrado"].toString(), QStringLiteral("N"));
        EXPECT_EQ(linhasLogTexto().size() > linhasAntes, caso.registra);

        caso.consertar(doc);
        sim.adicionarPedido(doc);
        worker->GetOrder();
        worker->GetOrder(); // nothing left to do

        const fb::Resultado cabecalhos = consultar(
            "select cdpedido, statuspedido, valordesconto from ifood_pedidos where reference = :r",
            {{"r", id}});
        ASSERT_EQ(cabecalhos.tamanho(), 1u);
        const int cd = int(cabecalhos.primeira()[u"cdpedido"].toInt());
        EXPECT_EQ(cabecalhos.primeira()[u"statuspedido"].toString(), QStringLiteral("PNA"));
        EXPECT_EQ(cabecalhos.primeira()[u"valordesconto"].toMoney(), m("10"));
        EXPECT_EQ(pedido(cd)[u"totalprice"].toMoney(), m("89.89"));
        EXPECT_EQ(itens(cd).tamanho(), 4u);
        EXPECT_EQ(pagamentos(cd).tamanho(), 2u);
        EXPECT_GT(pedido(cd)[u"cdcliente"].toInt(), 0);
        EXPECT_EQ(evento(codigo)[u"integrado"].toString(), QStringLiteral("S"));
        EXPECT_TRUE(
            QFile::exists(dm.PastaArqLog() + QStringLiteral("%1_%2.txt").arg(600 + n).arg(id)));
    }
    // Nothing was ever written under order number 0.
    EXPECT_TRUE(consultar("select 1 from ifood_pedidos_itens where cdpedido = 0 union all "
                          "select 1 from ifood_pagamentos where cdpedido = 0")
                    .vazio());
    EXPECT_EQ(consultar("select count(*) n from tb_cliente").primeira()[u"n"].toInt(), 1);
}

} // namespace

TEST_F(Importacao, AnOrderIdCannotChangeTheAddressCalled)
{
    inserirEvento(QStringLiteral("ev-estranho"), QStringLiteral("PLC"),
                  QStringLiteral("x/../../merchant/v1.0/merchants?y"));
    worker->GetOrder();
    const auto requisicoes = sim.requisicoes();
    ASSERT_EQ(requisicoes.size(), 1u);
    EXPECT_EQ(requisicoes[0].caminho,
              "/order/v1.0/orders/x%2F..%2F..%2Fmerchant%2Fv1.0%2Fmerchants%3Fy");
    EXPECT_TRUE(requisicoes[0].query.empty());
}
