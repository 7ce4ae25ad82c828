#include "base/datahora.h"
#include "support/ambiente.h"
#include "worker/worker.h"

#include <gtest/gtest.h>

using namespace talvoro;
using namespace talvoro::teste;

namespace {

QStringList campos(TDM& dm)
{
    return dm.GetTokenBD(false).split(u'|');
}

int linhasConfig(TDM& dm)
{
    return int(fb::Instrucao(dm.FDConnection1(), "select count(*) n from ifood_config")
                   .abrir()
                   .primeira()[u"n"]
                   .toInt());
}

// Seconds from now to a "dd/mm/yyyy hh:nn:ss" text.
qint64 segundosAte(const QString& texto)
{
    const auto quando = lerDataHora(texto);
    EXPECT_TRUE(quando.has_value()) << texto.toStdString();
    return quando ? agora().secsTo(*quando) : 0;
}

} // namespace

TEST(TokenBD, RegistroSemLinhaERoundTrip)
{
    Ambiente amb;
    QStringList f = campos(amb.dm);
    ASSERT_EQ(f.size(), 6);
    EXPECT_EQ(f[0], QString());
    EXPECT_EQ(f[1], QString());
    EXPECT_LE(std::abs(segundosAte(f[2])), 2);
    EXPECT_EQ(f[3], QString());
    EXPECT_EQ(f[4], QString());
    EXPECT_EQ(f[5], u"0");

    // Milliseconds are dropped: the text carries whole seconds.
    const QDateTime expira = dataHora(QDate(2031, 2, 3), QTime(4, 5, 6, 789));
    amb.dm.InsertTokenBD(0, expira, QStringLiteral("cod"), QStringLiteral("verif"),
                         QStringLiteral("refresh"), QStringLiteral("tok"));
    EXPECT_EQ(amb.dm.GetTokenBD(false), u"cod|verif|03/02/2031 04:05:06|refresh|tok|1");

    amb.dm.InsertTokenBD(1, expira.addDays(1), QStringLiteral("cod2"), QStringLiteral("verif2"),
                         QStringLiteral("refresh2"), QStringLiteral("tok2"));
    EXPECT_EQ(amb.dm.GetTokenBD(false), u"cod2|verif2|04/02/2031 04:05:06|refresh2|tok2|1");

    // Any other operation writes nothing.
    amb.dm.InsertTokenBD(2, expira, QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("x"),
                         QStringLiteral("x"));
    EXPECT_EQ(amb.dm.GetTokenBD(false), u"cod2|verif2|04/02/2031 04:05:06|refresh2|tok2|1");
    EXPECT_EQ(linhasConfig(amb.dm), 1);
}

TEST(TokenBD, RebootApagaTodasAsLinhas)
{
    Ambiente amb;
    amb.dm.InsertTokenBD(0, agora(), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                         QStringLiteral("d"));
    amb.dm.ExecSQL(QStringLiteral("insert into ifood_config (cdconfig, token, idfechamentoloja) "
                                  "values (2, 'outro', 'int-1')"));
    ASSERT_EQ(linhasConfig(amb.dm), 2);

    const QStringList f = amb.dm.GetTokenBD(true).split(u'|');
    ASSERT_EQ(f.size(), 6);
    EXPECT_EQ(f[5], u"0");
    EXPECT_EQ(f[4], QString());
    EXPECT_EQ(linhasConfig(amb.dm), 0);
}
