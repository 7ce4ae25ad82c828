#include "base/datahora.h"
#include "data/fb/firebird.h"
#include "support/pastatemporaria.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace talvoro;
using namespace talvoro::fb;

namespace {

class Firebird : public ::testing::Test
{
protected:
    void SetUp() override
    {
        criarBanco(pasta.banco(), false);
        con.executarDireto("create table t (id integer not null primary key, nome varchar(20), "
                           "valor numeric(18,4), quando timestamp, texto blob sub_type text)");
    }
    teste::PastaTemporaria pasta;
    Conexao con{pasta.banco()};
};

} // namespace

TEST(ParametrosNomeados, SkipQuotedTextAndCommentsAndRepeatNames)
{
    const auto [sql, nomes] = reescreverParametros(
        "select ':x' from t /* :y */ where a = :a and b = :B -- :z\n or c = :a and d = \":w\"");
    EXPECT_EQ(sql,
              "select ':x' from t /* :y */ where a = ? and b = ? -- :z\n or c = ? and d = \":w\"");
    EXPECT_EQ(nomes, (std::vector<std::string>{"A", "B", "A"}));

    const auto [psql, semNomes] =
        reescreverParametros("create procedure p as declare x integer; begin x = :x; end");
    EXPECT_TRUE(semNomes.empty());
    EXPECT_NE(psql.find(":x"), std::string::npos);
}

TEST_F(Firebird, MoneyNullsTimestampsAndLongTextRoundTripExactly)
{
    const Money grande = Money::parse(std::string_view("12345678901234.5678")).value();
    const QDateTime quando = dataHora(QDate(2024, 2, 29), QTime(23, 59, 59, 123));
    QString longo;
    for (int i = 0; i < 20000; ++i)
        longo += QStringLiteral("ação ");
    Instrucao ins(con, "insert into t (id, nome, valor, quando, texto) values (:id, :nome, :valor, "
                       ":quando, :texto)");
    ins.param("id", 1).param("nome", QStringLiteral("Conceição")).param("valor", grande);
    ins.param("quando", quando).param("texto", longo);
    ins.executar();
    ins.param("id", 2).param("nome", nullptr).param("valor", nullptr).param("quando", nullptr);
    ins.param("texto", nullptr);
    ins.executar();

    Instrucao sel(con, "select id, nome, valor, quando, texto from t order by id");
    const Resultado r = sel.abrir();
    ASSERT_EQ(r.tamanho(), 2u);
    EXPECT_EQ(r.linhas[0][u"NOME"].toString(), QStringLiteral("Conceição"));
    EXPECT_EQ(r.linhas[0][u"valor"].toMoney(), grande);
    EXPECT_EQ(r.linhas[0][u"valor"].toMoney().toPlainString(),
              QStringLiteral("12345678901234.5678"));
    EXPECT_EQ(r.linhas[0][u"quando"].toDateTime(), quando);
    EXPECT_EQ(r.linhas[0][u"texto"].toString(), longo);
    for (const char* c : {"nome", "valor", "quando", "texto"})
        EXPECT_TRUE(r.linhas[1][QString::fromLatin1(c)].isNull()) << c;
}

TEST_F(Firebird, CharactersOutsideWin1252AreReplacedNotRejected)
{
    Instrucao ins(con, "insert into t (id, nome, texto) values (1, :nome, :texto)");
    ins.param("nome", QStringLiteral("Pão 🍕 中")).param("texto", QStringLiteral("😀 ok"));
    ins.executar();
    const Resultado r = Instrucao(con, "select nome, texto from t").abrir();
    EXPECT_EQ(r.primeira()[u"nome"].toString(), QStringLiteral("Pão ? ?"));
    EXPECT_EQ(r.primeira()[u"texto"].toString(), QStringLiteral("? ok"));
}

TEST_F(Firebird, EngineErrorsCarryTheirMessage)
{
    try {
        Instrucao(con, "select * from tabela_que_nao_existe").abrir();
        FAIL() << "expected an error";
    } catch (const Erro& e) {
        EXPECT_NE(std::string(e.what()).find("TABELA_QUE_NAO_EXISTE"), std::string::npos)
            << e.what();
        EXPECT_EQ(e.sqlState(), "42S02");
    }
    Instrucao ins(con, "insert into t (id, nome) values (:id, :nome)");
    ins.param("id", 1).param("nome", QStringLiteral("a")).executar();
    EXPECT_THROW(ins.executar(), Erro); // primary key violation
    ins.param("id", 2).param("nome", QString(21, u'x'));
    EXPECT_THROW(ins.executar(), Erro); // longer than the column
    EXPECT_THROW(ins.param("inexistente", 1), Erro);
    ins.param("id", QStringLiteral("não é número"));
    EXPECT_THROW(ins.executar(), Erro);
}

TEST_F(Firebird, FailedCommitIsAnErrorAndLeavesNothingWritten)
{
    con.executarDireto("create exception falha_commit 'commit recusado'");
    con.executarDireto("create trigger recusa_commit on transaction commit as begin "
                       "if (exists(select 1 from t where nome = 'recusar')) then "
                       "exception falha_commit; end");
    Instrucao ins(con, "insert into t (id, nome) values (:id, :nome)");
    ins.param("id", 1).param("nome", QStringLiteral("recusar"));
    try {
        ins.executar();
        FAIL() << "a failed commit must raise";
    } catch (const Erro& e) {
        EXPECT_NE(std::string(e.what()).find("commit recusado"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(Instrucao(con, "select id from t").abrir().vazio());
    ins.param("id", 2).param("nome", QStringLiteral("aceitar")).executar();
    EXPECT_EQ(Instrucao(con, "select id from t").abrir().tamanho(), 1u);
}

TEST_F(Firebird, ProceduresAndReturningAreSingletons)
{
    con.executarDireto("create generator g");
    con.executarDireto("create procedure dobro (x integer) returns (y integer) as "
                       "begin y = :x * 2; end");
    Instrucao proc(con, "execute procedure dobro (:x)");
    EXPECT_EQ(proc.param("x", 21).executar().primeira()[u"y"].toInt(), 42);

    Instrucao ins(con, "insert into t (id, nome) values (next value for g, :nome) returning id");
    EXPECT_EQ(ins.param("nome", QStringLiteral("a")).executar().primeira()[u"id"].toInt(), 1);
    EXPECT_EQ(ins.executar().primeira()[u"ID"].toInt(), 2);
    EXPECT_EQ(Instrucao(con, "select count(*) from t").abrir().primeira().at(0).toInt(), 2);
}

TEST_F(Firebird, TwoAttachmentsSeeEachOthersCommits)
{
    Conexao outra(pasta.banco());
    Instrucao lerAqui(con, "select nome from t where id = 1");
    Instrucao lerLa(outra, "select nome from t where id = 1");
    EXPECT_TRUE(lerAqui.abrir().vazio());
    Instrucao(outra, "insert into t (id, nome) values (1, 'la')").executar();
    EXPECT_EQ(lerAqui.abrir().primeira()[u"nome"].toString(), QStringLiteral("la"));
    Instrucao(con, "update t set nome = 'aqui' where id = 1").executar();
    EXPECT_EQ(lerLa.abrir().primeira()[u"nome"].toString(), QStringLiteral("aqui"));
}

TEST_F(Firebird, StatementsSurviveReconnection)
{
    Instrucao ins(con, "insert into t (id) values (:id)");
    ins.param("id", 1).executar();
    con.fechar();
    EXPECT_FALSE(con.aberta());
    ins.param("id", 2).executar(); // opens on demand and prepares again
    EXPECT_TRUE(con.aberta());
    EXPECT_EQ(Instrucao(con, "select count(*) from t").abrir().primeira().at(0).toInt(), 2);
}

TEST_F(Firebird, AnotherProcessOpensTheDatabaseWhileWeHoldIt)
{
    const QString isql = QStandardPaths::findExecutable(QStringLiteral("isql-fb"));
    ASSERT_FALSE(isql.isEmpty()) << "isql-fb (firebird3.0-utils) is required";
    Instrucao(con, "insert into t (id, nome) values (7, 'nosso')").executar();
    ASSERT_TRUE(con.aberta());

    QProcess p;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FIREBIRD"), raizFirebird());
    env.insert(QStringLiteral("FIREBIRD_LOCK"), qEnvironmentVariable("FIREBIRD_LOCK"));
    p.setProcessEnvironment(env);
    p.start(isql, {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("SYSDBA"),
                   pasta.banco()});
    ASSERT_TRUE(p.waitForStarted());
    p.write("insert into t (id, nome) values (8, 'deles'); commit;\n"
            "select nome from t where id = 7;\nquit;\n");
    p.closeWriteChannel();
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString saida =
        QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
    EXPECT_TRUE(saida.contains(QStringLiteral("nosso"))) << saida.toStdString();
    EXPECT_EQ(
        Instrucao(con, "select nome from t where id = 8").abrir().primeira()[u"nome"].toString(),
        QStringLiteral("deles"));
}

TEST_F(Firebird, MissingFileIsAnErrorAndNeverAServerCall)
{
    Conexao ausente(pasta.caminho(QStringLiteral("nao-existe.fdb")));
    try {
        ausente.abrir();
        FAIL();
    } catch (const Erro& e) {
        EXPECT_NE(std::string(e.what()).find("nao-existe.fdb"), std::string::npos) << e.what();
    }
    // A server address is refused by the embedded-only configuration instead of being dialled.
    Conexao remota(QStringLiteral("localhost:") + pasta.banco());
    EXPECT_THROW(remota.abrir(), Erro);
}

TEST(PastaLock, TakesTheGroupOfItsFolderAndHandsItDown)
{
    teste::PastaTemporaria pasta;
    const QByteArray acima = QFile::encodeName(pasta.caminho(QStringLiteral("programa")));
    ASSERT_TRUE(QDir().mkpath(QString::fromLocal8Bit(acima)));
    // The program folder belongs to a group other than ours (root may give it any).
    const gid_t grupo = 100; // "users" on Debian
    if (::chown(acima.constData(), uid_t(-1), grupo) != 0)
        GTEST_SKIP() << "cannot give the folder another group here";

    const QString lock = QString::fromLocal8Bit(acima) + QStringLiteral("/firebird-lock");
    prepararPastaLock(lock);
    struct stat info
    {};
    ASSERT_EQ(::stat(QFile::encodeName(lock).constData(), &info), 0);
    EXPECT_EQ(info.st_gid, grupo);
    EXPECT_TRUE(info.st_mode & S_ISGID);
    EXPECT_EQ(info.st_mode & 0777, 0777u);

    // A file made inside by anyone gets that group, so the others in it may open it.
    QFile f(lock + QStringLiteral("/fb_init"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    ASSERT_EQ(::stat(QFile::encodeName(f.fileName()).constData(), &info), 0);
    EXPECT_EQ(info.st_gid, grupo);
}
