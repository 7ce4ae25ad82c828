#pragma once

#include "base/money.h"
#include "data/fb/firebird.h"
#include "data/instrucoespreparadas.h"

#include <QDateTime>
#include <QString>

#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace talvoro {

// The five status counters of the order list, in the board's order.
struct ContadoresStatus
{
    int novos = 0;       // PNA
    int producao = 0;    // PEA
    int entrega = 0;     // PDE
    int finalizados = 0; // PDF
    int cancelados = 0;  // PCC
};

// Whoever shows the order list (the board) hears when it was opened again.
class IVisaoListaPedidos
{
public:
    virtual ~IVisaoListaPedidos() = default;
    // contadoresRecalculados is false when the list was only reopened with the parameters
    // already set (the counters keep their values).
    virtual void ListaPedidosAberta(bool contadoresRecalculados) = 0;
};

// The data module: the single holder of the program's database access, its named
// statements and the operations several parts of the program share. Used on the main
// thread only.
class TDM
{
public:
    // forcedWrites applies when the database has to be created; the product keeps it on.
    explicit TDM(bool forcedWrites = true);
    ~TDM();
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    // The creation handler: connection parameters, the ArqLog folder, a new database with the
    // whole schema when BancoDados.fdb is missing, and a pending SQL.txt upgrade script.
    // Raises when SQL.txt exists but cannot be read (the file then stays in place).
    void DataModuleCreate();

    const QString& PastaPrograma() const { return FPasta; }
    QString ArquivoBanco() const { return FPasta + QStringLiteral("BancoDados.fdb"); }
    QString PastaArqLog() const { return FPasta + QStringLiteral("ArqLog/"); }

    fb::Conexao& FDConnection1() { return *FConexao; }
    // A catalogue statement on this connection, prepared once and reused.
    fb::Instrucao& Query(std::string_view nome);
    // The worker's own attachment to the same database file.
    std::unique_ptr<fb::Conexao> NovaConexao() const;

    // Runs one statement on a fresh statement object and commits. Errors propagate.
    bool ExecSQL(const QString& SQL);

    // Logs. GravaLog appends "dd/mm/yyyy hh:nn:ss - " + Msg + CR LF to LogBrimeta.txt and
    // never raises; InsertLogs writes one row of the logs table (empty texts as null) and,
    // when that fails, one "Falha ao inserir Logs no banco... " line instead; never raises.
    void GravaLog(const QString& Msg) const;
    void InsertLogs(int pCdPedido, int pTipoChamada, const QString& pAcao, const QString& pEnviado,
                    const QString& pNomeServico, const QString& pStatusLog,
                    const QString& pRecebido);
    // Display texts of the log viewer's STATUSLOG and TIPOCHAMADA fields.
    static QString TextoStatusLog(const fb::Valor& statuslog);
    static QString TextoTipoChamada(const fb::Valor& tipochamada);

    // Polling table: an event is looked up by its id (indexed, bound) and appended once.
    bool PollingExiste(const QString& id);
    void PollingInsere(const QString& id, const QString& code, const QString& orderId,
                       const QString& createdAt, const QDateTime& dtHrSis);

    // Token row (ifood_config, cdconfig = 1).
    QString GetTokenBD(bool Reboot);
    void InsertTokenBD(int pOperacao, const QDateTime& pDataExpiracao,
                       const QString& pAutorizationCode, const QString& pAutorizationCodeVerifier,
                       const QString& pRefreshToken, const QString& pToken);

    // Order import.
    void InsertpagamentosiFood(int pCdPedido, const QString& pMethod, const QString& pName,
                               const QString& pPrepaid, const QString& pType, Money pValue);
    int SetCadCliente(const QString& aBairro, const QString& aCEP, const QString& aCidade,
                      const QString& aComplemento, const QString& aCPF, const QString& aFoneiFood,
                      const QString& aLogradouro, const QString& aNome, const QString& aNrEndereco,
                      const QString& aPhoneLozalizer, const QString& aPontoReferencia,
                      const QString& aUuIdIfood, int aIdIfood);

    // The order list of the board.
    bool ListaPedidos(const QDateTime& vPegaDataInicial, const QDateTime& vPegaDataFinal,
                      int vIndex, int vCodigoiFood, int vSeqDelivery, const QString& vNome);
    // Closes and opens the list again with the parameters last set; counters untouched.
    void ReabreListaPedido();
    const fb::Resultado& ListaPedido() const { return FListaPedido; }
    const ContadoresStatus& Contadores() const { return FContadores; }
    void DefineVisaoListaPedidos(IVisaoListaPedidos* visao) { FVisaoLista = visao; }
    QDateTime PegaDataInicial, PegaDataFinal;

private:
    void CriaBancoSeAusente();
    void ExecutaScriptAtualizacao();
    void NotificaLista(bool contadores);

    bool FForcedWrites;
    QString FPasta;
    std::unique_ptr<fb::Conexao> FConexao;
    std::unique_ptr<data::InstrucoesPreparadas> FQueries;
    fb::Resultado FListaPedido;
    ContadoresStatus FContadores;
    IVisaoListaPedidos* FVisaoLista = nullptr;
};

// The text log writer shared by the data module and the worker: one line in
// <pasta>LogBrimeta.txt, never raising.
void gravarLogArquivo(const QString& pasta, const QString& mensagem);

} // namespace talvoro
