#pragma once

#include "valor.h"

#include <QString>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace talvoro::fb {

// Process-wide set-up of the embedded engine; runs once, before the first engine call.
// FIREBIRD points the client at our private root (embedded engine only, Classic mode so other
// processes may open the same file); FIREBIRD_LOCK at a lock folder of our own, so another
// user of the machine is not locked out of a /tmp/firebird created by someone else.
// An already set FIREBIRD_LOCK is kept (processes sharing a database must share it).
void inicializarMotor(const QString& pastaLock);

// Creates the lock folder, if missing, so that every user who may use the folder around it
// may use it too (its group, handed down to the engine's lock files; open to all).
void prepararPastaLock(const QString& pasta);

// The private root in use (the folder with firebird.conf).
QString raizFirebird();

// Creates a new, empty database file with our page size and character set; fails when the
// file exists. Forced writes stay on in the product; tests may turn them off.
void criarBanco(const QString& arquivo, bool forcedWrites = true);

// Turns forced (synchronous) writes of an existing, unused database file on or off.
void definirForcedWrites(const QString& arquivo, bool ligado);

class Instrucao;

// One attachment to a database file through the embedded engine. Opened on demand, used from
// one thread. Every execution runs in its own read-committed transaction that is committed
// at once, so each write is durable before the next one and reads see every commit of
// other attachments.
class Conexao
{
public:
    explicit Conexao(QString arquivo, int lockTimeoutSegundos = 10);
    ~Conexao();
    Conexao(const Conexao&) = delete;
    Conexao& operator=(const Conexao&) = delete;

    const QString& arquivo() const { return m_arquivo; }
    void abrir(); // no effect when open
    void fechar();
    bool aberta() const;

    // A statement without parameters run as it is (DDL, PSQL bodies, the upgrade script).
    void executarDireto(const std::string& sql);

private:
    friend class Instrucao;
    struct Impl;
    QString m_arquivo;
    int m_lockTimeout;
    std::unique_ptr<Impl> d;
};

// A parameterised statement bound to one connection, prepared once on first use and reused
// until the connection closes. Parameters are written ":name" (a name may repeat); values
// set with param() stay until changed, like the fields of a data-aware query.
class Instrucao
{
public:
    Instrucao(Conexao& conexao, std::string sql);
    ~Instrucao();
    Instrucao(const Instrucao&) = delete;
    Instrucao& operator=(const Instrucao&) = delete;

    const std::string& sql() const { return m_sql; }
    const std::vector<std::string>& nomesParametros() const { return m_nomes; }

    // Raises Erro when the statement has no parameter of that name (letter case ignored).
    Instrucao& param(std::string_view nome, Valor valor);
    void limparParametros();

    // Runs the statement and commits. A select returns all its rows; EXECUTE PROCEDURE and
    // INSERT ... RETURNING return their single output row; other statements return none.
    Resultado executar();
    Resultado abrir() { return executar(); }
    // Rows changed by the last execution.
    uint64_t linhasAfetadas() const { return m_afetadas; }

    // Makes sure the text compiles against the schema (prepares it now).
    void preparar();

private:
    friend class Conexao;
    void descartar(bool liberar);

    Conexao* m_conexao;
    std::string m_sql;
    std::string m_sqlMotor; // with "?" in place of the names
    std::vector<std::string> m_nomes;
    std::map<std::string, Valor> m_valores; // keyed by upper-case name
    void* m_handle = nullptr;
    uint64_t m_afetadas = 0;
};

// ":name" placeholders to "?", skipping quoted text and comments. Statements that carry PSQL
// (EXECUTE BLOCK, CREATE/ALTER PROCEDURE or TRIGGER ...) are left alone and take no
// parameters. Exposed for tests.
std::pair<std::string, std::vector<std::string>> reescreverParametros(const std::string& sql);

} // namespace talvoro::fb
