#pragma once

#include "data/dm.h"
#include "ifood/rest.h"
#include "worker/janela.h"
#include "worker/tifoodrecord.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace talvoro {

// The integration worker. Its timing side only measures time: when the cycle interval has run
// out it runs the cycle, when the shorter interval has run out the pending-orders check. Both
// run on the main thread (single-shot timers), one job at a time, and are also served while
// a modal dialog or message box is open, since those run the main event loop. Between jobs
// the worker sleeps: no CPU is used while idle.
class TThreadNFe_NFCe : public QObject
{
    Q_OBJECT

public:
    TThreadNFe_NFCe(TDM& dm, IJanelaIntegracao& janela, QString aAuthorizationCode,
                    QString aAuthorizationCodeVerifier, QString aRefreshToken, QString aMerchantID,
                    bool CreateSuspended = false, QObject* parent = nullptr);
    ~TThreadNFe_NFCe() override;

    // Frees a worker (none does nothing). Called from inside one of the worker's own jobs
    // (possible when a job lets window events through) the stop is deferred: no further job
    // starts and the object goes away once the running job has returned.
    static void Liberar(TThreadNFe_NFCe* worker);
    // True while a cycle or pending check is running.
    bool EmExecucao() const { return FEmExecucao; }

    // Intervals: a value below 1000 is taken as seconds, one of 1000 or more as milliseconds
    // rounded down to whole seconds.
    uint32_t IntervaloVerificacao() const { return FTimeCheck; }
    void setIntervaloVerificacao(uint32_t valor);
    uint32_t IntervaloVerificacao_Half() const { return FTimeCheck_Half; }
    void setIntervaloVerificacao_Half(uint32_t valor);

    // The cycle: connectivity check, configuration, then the steps, each guarded on its own.
    void CicloIFood();
    // A TCP connection to the configured iFood host, with a short time-out; never raises.
    bool VerificaInternet();
    void LerConfiguracao();
    void GravaLogArquivo(const QString& texto) const;

    // Cycle steps.
    bool GetToken();
    void Polling();
    void StatusMerchants();
    void GetOrder();
    void GetPedidos_Aceitos_Cancelados_Confirmados();
    void Acknowledgment();
    // The pending-orders check.
    void VerificaPendentes();

    // Order import.
    int IniciaNovoPedido(const QString& deliveryDateTime, const QString& deliveryDateTimeStart,
                         const QString& shortReference, const QString& reference,
                         const QString& orderTiming, const QString& deliveryDateTimeEnd);
    void CompletaPedido(const QString& createdAt, const QString& id, Money orderAmount,
                        Money tipoEntrega, Money additionalFee, Money subTotal, Money deliveryFee,
                        Money cash, int cdPedido, int cdLoja, int cdCliente, const QString& status,
                        const QString& merchantName);
    void InserePedidoItem(int cdPedido, int externalCode, Money price, Money discount,
                          Money quantity, const QString& observations, const QString& auxiliar,
                          const QString& name, int nrItem, int externalCodePai);
    void ConfirmaPedidoAuto(int cdPedido, const QString& orderId);
    static QString NormalizaTexto(const QString& texto);

    // Fields of the worker (read by tests).
    uint32_t FTimeCheck = 30;
    uint32_t FTimeCheck_Half = 15;
    QString FToken;
    QString ClientID, ClientSecret, Username, Password;
    QString FMerchantID;
    QString FAuthorizationCode;
    QString FRefreshToken;
    QString FAuthorizationCodeVerifier;
    QString FAccessToken;
    TIFoodRecord FIFood;
    bool FAceitaPedidoAuto = false;
    bool FImprimeViaEntregadorAut = false;
    bool FAdcComoProd = false;

    TDM& DM() { return FDM; }

Q_SIGNALS:
    // Emitted after each cycle and each pending check (tests and the window may listen).
    void CicloTerminado();
    void VerificacaoTerminada();

private:
    // A statement of the catalogue on the worker's own connection, prepared once.
    fb::Instrucao& ConsultaWorker(std::string_view nome);
    void ExecutaCiclo();
    void ExecutaVerificacao();
    // Sets statusackenviado of exactly these events.
    void MarcaEventosReconhecidos(const std::vector<QString>& ids);

    TDM& FDM;
    IJanelaIntegracao& FJanela;
    std::unique_ptr<ifood::Rest> FRest; // FRestClient, FRestRequest, FRestResponse of a call
    std::unique_ptr<fb::Conexao> FConn;
    data::InstrucoesPreparadas FQueryPedidos{*FConn};
    QTimer FTimerCiclo;
    QTimer FTimerPendentes;
    QElapsedTimer FLastUpdate;      // since the end of the last cycle
    QElapsedTimer FLastUpdate_Half; // since the end of the last pending check
    bool FPrimeiroCicloPendente = true;
    bool FEmExecucao = false;
    bool FLiberarAoTerminar = false;
};

} // namespace talvoro
