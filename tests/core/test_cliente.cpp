#include "support/cenario_pedidos.h"

#include <gtest/gtest.h>

using namespace talvoro;
using namespace talvoro::teste;

namespace {

struct Cliente : CenarioPedidos
{
    int cadastrar(const QString& nome, const QString& bairro, int idIfood,
                  const QString& complemento = QStringLiteral("apto 12"))
    {
        return dm.SetCadCliente(bairro, QStringLiteral("70000000"), QStringLiteral("Brasília"),
                                complemento, QStringLiteral("12345678901"),
                                QStringLiteral("0800 705 0500"), QStringLiteral("Quadra 5, rua b"),
                                nome, QStringLiteral("12a"), QStringLiteral("87654321"),
                                QStringLiteral("perto da padaria "), QStringLiteral("uuid-1"),
                                idIfood);
    }

    fb::Linha linha(int cdcliente)
    {
        return consultar("select * from tb_cliente where cdcliente = :c", {{"c", cdcliente}})
            .primeira();
    }
};

TEST_F(Cliente, NewCustomerIsInsertedAndTheSameNumberUpdatesIt)
{
    const QString complemento75 = QStringLiteral("bloco c ").repeated(10).left(75);
    const int cd = cadastrar(QStringLiteral("João D Avila"), QStringLiteral("Asa sul"), 87654321,
                             complemento75);
    ASSERT_GT(cd, 0);
    fb::Linha c = linha(cd);
    // Only a to z are upper-cased; the name on insert, the neighbourhood only on update.
    EXPECT_EQ(c[u"nome"].toString(), QStringLiteral("JOãO D AVILA"));
    EXPECT_EQ(c[u"bairro"].toString(), QStringLiteral("Asa sul"));
    EXPECT_EQ(c[u"cidade"].toString(), QStringLiteral("BRASíLIA"));
    EXPECT_EQ(c[u"complementoendereco"].toString(), complemento75.left(60).toUpper());
    EXPECT_EQ(c[u"logradouro"].toString(), QStringLiteral("QUADRA 5, RUA B"));
    EXPECT_EQ(c[u"nrendereco"].toString(), QStringLiteral("12A"));
    EXPECT_EQ(c[u"pontoreferencia"].toString(), QStringLiteral("PERTO DA PADARIA "));
    EXPECT_EQ(c[u"cep"].toString(), QStringLiteral("70000000"));
    EXPECT_EQ(c[u"cpf"].toString(), QStringLiteral("12345678901"));
    EXPECT_EQ(c[u"foneifood"].toString(), QStringLiteral("0800 705 0500"));
    EXPECT_EQ(c[u"phone_localizer"].toString(), QStringLiteral("87654321"));
    EXPECT_EQ(c[u"uuidifood"].toString(), QStringLiteral("uuid-1"));
    EXPECT_EQ(c[u"idifood"].toInt(), 87654321);
    EXPECT_EQ(c[u"cdmunicipio"].toInt(), 5300108);
    EXPECT_EQ(c[u"cduf"].toString(), QStringLiteral("53"));
    EXPECT_EQ(c[u"fisica_juridica"].toString(), QStringLiteral("F"));
    EXPECT_EQ(c[u"statusativo"].toString(), QStringLiteral("S"));

    EXPECT_EQ(cadastrar(QStringLiteral("joão d avila"), QStringLiteral("Asa norte"), 87654321), cd);
    c = linha(cd);
    EXPECT_EQ(c[u"nome"].toString(), QStringLiteral("joão d avila"));
    EXPECT_EQ(c[u"bairro"].toString(), QStringLiteral("ASA NORTE"));
    EXPECT_EQ(c[u"complementoendereco"].toString(), QStringLiteral("APTO 12"));
    EXPECT_EQ(consultar("select count(*) n from tb_cliente").primeira()[u"n"].toInt(), 1);

    const int outro = cadastrar(QStringLiteral("Maria"), QStringLiteral("Centro"), 11112222);
    EXPECT_GT(outro, cd);
}

TEST_F(Cliente, TwoCustomersWithOneNumberUpdateTheFirstFound)
{
    const int a = cadastrar(QStringLiteral("Ana"), QStringLiteral("Centro"), 5555);
    // A second row with the same number, as the point-of-sale side may have made it.
    executar("insert into tb_cliente (nome, idifood, bairro) values ('OUTRA', 5555, 'x')");
    const int devolvido = cadastrar(QStringLiteral("Ana"), QStringLiteral("Lago sul"), 5555);
    const fb::Resultado linhas =
        consultar("select cdcliente, bairro from tb_cliente where idifood = 5555 order by 1");
    ASSERT_EQ(linhas.tamanho(), 2u);
    EXPECT_EQ(devolvido, a);
    EXPECT_EQ(linhas.linhas[0][u"bairro"].toString(), QStringLiteral("LAGO SUL"));
    EXPECT_EQ(linhas.linhas[1][u"bairro"].toString(), QStringLiteral("x"));
}

TEST_F(Cliente, DatabaseErrorGivesZeroAndALogLine)
{
    // A name longer than its column.
    EXPECT_EQ(cadastrar(QStringLiteral("N").repeated(61), QStringLiteral("Centro"), 42), 0);
    const QStringList linhas = linhasLogTexto();
    ASSERT_EQ(linhas.size(), 1);
    EXPECT_TRUE(linhas[0].startsWith(QStringLiteral("Falha ao SetCadCliente... ")))
        << linhas[0].toStdString();
    EXPECT_TRUE(consultar("select * from tb_cliente").vazio());
}

} // namespace
