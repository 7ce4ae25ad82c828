#include "worker.h"

#include "base/datahora.h"
#include "base/pastas.h"
#include "config/configuracao.h"
#include "data/catalogo.h"

#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace talvoro {

namespace {

// The forced early cycle comes this soon after the worker is created.
constexpr std::chrono::milliseconds kPrimeiroCiclo{1000};
// Connectivity probe: at most this long in all.
constexpr int kTempoSondaMs = 3000;

uint32_t normalizarIntervalo(uint32_t valor)
{
    if (valor >= 1000)
        valor /= 1000;
    return valor * 1000;
}

std::chrono::milliseconds restante(const QElapsedTimer& desde, uint32_t intervalo)
{
    const qint64 falta = qint64(normalizarIntervalo(intervalo)) - desde.elapsed();
    return std::chrono::milliseconds(std::max<qint64>(0, falta));
}

// The addresses of a host name, looked up within a deadline.
struct Resolucao
{
    std::mutex m;
    std::condition_variable pronta;
    bool concluida = false;
    addrinfo* enderecos = nullptr;
    ~Resolucao()
    {
        if (enderecos)
            freeaddrinfo(enderecos);
    }
};

addrinfo* consultarEnderecos(const QByteArray& host, const QByteArray& servico, int flags)
{
    addrinfo dicas{};
    dicas.ai_family = AF_UNSPEC;
    dicas.ai_socktype = SOCK_STREAM;
    dicas.ai_flags = flags;
    addrinfo* enderecos = nullptr;
    if (getaddrinfo(host.constData(), servico.constData(), &dicas, &enderecos) != 0)
        return nullptr;
    return enderecos;
}

// getaddrinfo has no time-out of its own (an unreachable name server costs 10 s or more), so
// a name is looked up on a helper thread that is abandoned when the deadline passes.
std::shared_ptr<const Resolucao> resolver(const QByteArray& host, const QByteArray& servico,
                                          std::chrono::steady_clock::time_point limite)
{
    auto r = std::make_shared<Resolucao>();
    r->enderecos = consultarEnderecos(host, servico, AI_NUMERICHOST);
    if (r->enderecos)
        return r;
    std::thread([r, host, servico] {
        addrinfo* enderecos = consultarEnderecos(host, servico, 0);
        const std::lock_guard trava(r->m);
        r->enderecos = enderecos;
        r->concluida = true;
        r->pronta.notify_all();
    }).detach();
    std::unique_lock trava(r->m);
    if (!r->pronta.wait_until(trava, limite, [&] { return r->concluida; }) || !r->enderecos)
        return nullptr;
    return r;
}

} // namespace

TThreadNFe_NFCe::TThreadNFe_NFCe(TDM& dm, IJanelaIntegracao& janela, QString aAuthorizationCode,
                                 QString aAuthorizationCodeVerifier, QString aRefreshToken,
                                 QString aMerchantID, bool CreateSuspended, QObject* parent)
    : QObject(parent)
    , FMerchantID(std::move(aMerchantID))
    , FAuthorizationCode(std::move(aAuthorizationCode))
    , FRefreshToken(std::move(aRefreshToken))
    , FAuthorizationCodeVerifier(std::move(aAuthorizationCodeVerifier))
    , FDM(dm)
    , FJanela(janela)
    , FConn(dm.NovaConexao())
{
    FTimerCiclo.setSingleShot(true);
    FTimerPendentes.setSingleShot(true);
    FTimerCiclo.setTimerType(Qt::CoarseTimer);
    FTimerPendentes.setTimerType(Qt::CoarseTimer);
    connect(&FTimerCiclo, &QTimer::timeout, this, &TThreadNFe_NFCe::ExecutaCiclo);
    connect(&FTimerPendentes, &QTimer::timeout, this, &TThreadNFe_NFCe::ExecutaVerificacao);
    FLastUpdate.start();
    FLastUpdate_Half.start();
    if (!CreateSuspended) {
        FTimerCiclo.start(kPrimeiroCiclo);
        FTimerPendentes.start(std::chrono::milliseconds(normalizarIntervalo(FTimeCheck_Half)));
    }
}

TThreadNFe_NFCe::~TThreadNFe_NFCe()
{
    FTimerCiclo.stop();
    FTimerPendentes.stop();
    FQueryPedidos.limpar();
}

void TThreadNFe_NFCe::Liberar(TThreadNFe_NFCe* worker)
{
    if (!worker)
        return;
    if (worker->FEmExecucao) {
        worker->FLiberarAoTerminar = true;
        worker->FTimerCiclo.stop();
        worker->FTimerPendentes.stop();
        return;
    }
    delete worker;
}

// A new interval counts from the end of the last run, as if it had always been in force.
void TThreadNFe_NFCe::setIntervaloVerificacao(uint32_t valor)
{
    FTimeCheck = valor;
    if (!FTimerCiclo.isActive())
        return;
    auto espera = restante(FLastUpdate, FTimeCheck);
    if (FPrimeiroCicloPendente)
        espera = std::min(espera, FTimerCiclo.remainingTimeAsDuration());
    FTimerCiclo.start(espera);
}

void TThreadNFe_NFCe::setIntervaloVerificacao_Half(uint32_t valor)
{
    FTimeCheck_Half = valor;
    if (FTimerPendentes.isActive())
        FTimerPendentes.start(restante(FLastUpdate_Half, FTimeCheck_Half));
}

void TThreadNFe_NFCe::ExecutaCiclo()
{
    if (FLiberarAoTerminar)
        return;
    if (FEmExecucao) {
        // The other job let events through; try again once it has returned.
        FTimerCiclo.start(std::chrono::milliseconds(200));
        return;
    }
    FEmExecucao = true;
    FPrimeiroCicloPendente = false;
    FJanela.MostraUltimaAtualizacao(formatDataHora(QStringLiteral("dd/mm/yyyy hh:nn:ss"), agora()));
    CicloIFood();
    FEmExecucao = false;
    FLastUpdate.start();
    if (FLiberarAoTerminar) {
        deleteLater();
        return;
    }
    // The next cycle is measured from the end of this one.
    FTimerCiclo.start(std::chrono::milliseconds(normalizarIntervalo(FTimeCheck)));
    Q_EMIT CicloTerminado();
}

void TThreadNFe_NFCe::ExecutaVerificacao()
{
    if (FLiberarAoTerminar)
        return;
    if (FEmExecucao) {
        FTimerPendentes.start(std::chrono::milliseconds(200));
        return;
    }
    FEmExecucao = true;
    VerificaPendentes();
    FEmExecucao = false;
    FLastUpdate_Half.start();
    if (FLiberarAoTerminar) {
        deleteLater();
        return;
    }
    FTimerPendentes.start(std::chrono::milliseconds(normalizarIntervalo(FTimeCheck_Half)));
    Q_EMIT VerificacaoTerminada();
}

void TThreadNFe_NFCe::CicloIFood()
{
    if (!VerificaInternet())
        return;
    LerConfiguracao();

    struct Passo
    {
        const char16_t* prefixo;
        void (*executar)(TThreadNFe_NFCe&);
    };
    static const Passo passos[] = {
        {u"Falha ao pegar Token... ", [](TThreadNFe_NFCe& w) { w.GetToken(); }},
        {u"Falha ao fazer Polling... ", [](TThreadNFe_NFCe& w) { w.Polling(); }},
        {u"Falha ao pegar  StatusMerchants... ", [](TThreadNFe_NFCe& w) { w.StatusMerchants(); }},
        {u"Falha ao fazer GetOrder... ", [](TThreadNFe_NFCe& w) { w.GetOrder(); }},
        {u"Falha ao fazer GetPedidos_Aceitos_Cancelados_Confirmados... ",
         [](TThreadNFe_NFCe& w) { w.GetPedidos_Aceitos_Cancelados_Confirmados(); }},
        {u"Falha ao fazer Acknowledgment... ", [](TThreadNFe_NFCe& w) { w.Acknowledgment(); }},
    };
    for (const Passo& passo : passos) {
        try {
            passo.executar(*this);
        } catch (const std::exception& e) {
            GravaLogArquivo(QString::fromUtf16(passo.prefixo) + QString::fromUtf8(e.what()));
        }
    }
}

bool TThreadNFe_NFCe::VerificaInternet()
{
    try {
        const QUrl url(hostIFood());
        const QByteArray host = url.host().toUtf8();
        if (host.isEmpty())
            return false;
        const int porta = url.port(url.scheme() == u"http" ? 80 : 443);
        const auto limite =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kTempoSondaMs);
        const std::shared_ptr<const Resolucao> resolucao =
            resolver(host, QByteArray::number(porta), limite);
        if (!resolucao)
            return false;
        bool conectou = false;
        for (const addrinfo* a = resolucao->enderecos; a && !conectou; a = a->ai_next) {
            const auto restante = std::chrono::duration_cast<std::chrono::milliseconds>(
                limite - std::chrono::steady_clock::now());
            if (restante.count() <= 0)
                break;
            const int s =
                socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
            if (s < 0)
                continue;
            if (::connect(s, a->ai_addr, a->ai_addrlen) == 0) {
                conectou = true;
            } else if (errno == EINPROGRESS) {
                pollfd p{s, POLLOUT, 0};
                if (poll(&p, 1, int(restante.count())) == 1) {
                    int erro = 0;
                    socklen_t tamanho = sizeof erro;
                    conectou =
                        getsockopt(s, SOL_SOCKET, SO_ERROR, &erro, &tamanho) == 0 && erro == 0;
                }
            }
            close(s);
        }
        return conectou;
    } catch (...) {
        return false;
    }
}

void TThreadNFe_NFCe::LerConfiguracao()
{
    const ConfiguracaoIFood c = lerConfiguracao();
    ClientID = c.clientId;
    ClientSecret = c.clientSecret;
    Username = c.clientUsername;
    Password = c.clientPassword;
    FAceitaPedidoAuto = c.aceitaPedidoAuto;
    FAdcComoProd = c.adcComoProd;
    FImprimeViaEntregadorAut = c.imprimeViaEntregadorAut;
}

void TThreadNFe_NFCe::GravaLogArquivo(const QString& texto) const
{
    gravarLogArquivo(FDM.PastaPrograma(), texto);
}

fb::Instrucao& TThreadNFe_NFCe::ConsultaWorker(std::string_view nome)
{
    return FQueryPedidos(nome);
}

} // namespace talvoro
