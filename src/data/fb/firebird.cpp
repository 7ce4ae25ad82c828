#include "firebird.h"

#include "base/datahora.h"
#include "base/win1252.h"

#include <firebird/Interface.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

using namespace Firebird;

namespace talvoro::fb {

namespace {

constexpr unsigned kDialeto = SQL_DIALECT_V6;
constexpr short kCharsetWin1252 = 53;
constexpr short kCharsetUtf8 = 4;
constexpr short kCharsetOctets = 1;
constexpr unsigned kSegmentoBlob = 32768;

std::once_flag g_inicio;
IMaster* g_master = nullptr;
QString g_raiz;

QString localizarRaiz()
{
    const QString junto =
        QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath() +
        QStringLiteral("/firebird");
    if (QFileInfo::exists(junto + QStringLiteral("/firebird.conf")))
        return junto;
    return QStringLiteral(TALVORO_FIREBIRD_DIR);
}

void encerrarMotor()
{
    if (!g_master)
        return;
    // Stops the engine's threads before static destruction begins.
    ThrowStatusWrapper st(g_master->getStatus());
    try {
        g_master->getDispatcher()->shutdown(&st, 0, fb_shutrsn_app_stopped);
    } catch (const FbException&) {
    }
    st.dispose();
}

} // namespace

void prepararPastaLock(const QString& pasta)
{
    const QByteArray caminho = QFile::encodeName(QDir(pasta).absolutePath());
    const bool criada = !QFileInfo::exists(pasta) && QDir().mkpath(pasta);
    struct stat info
    {};
    if (::stat(caminho.constData(), &info) != 0 || info.st_uid != ::geteuid())
        return; // someone else's folder: theirs to set up
    // The engine creates its lock files 0660 with the folder's group. Taking the group of
    // the folder it lives in and handing it down (setgid) lets every user who may use that
    // folder use the lock files too, instead of the first user's private group locking the
    // others out.
    if (criada) {
        struct stat pai
        {};
        const QByteArray acima = QFile::encodeName(QFileInfo(QDir(pasta).absolutePath()).path());
        // A group we are not in cannot be taken; the folder then works for its owner's group.
        if (::stat(acima.constData(), &pai) == 0 && pai.st_gid != info.st_gid &&
            ::chown(caminho.constData(), uid_t(-1), pai.st_gid) != 0)
            qInfo("lock folder keeps its owner's group");
    }
    ::chmod(caminho.constData(), S_ISGID | S_IRWXU | S_IRWXG | S_IRWXO);
}

namespace {

void iniciar(const QString& pastaLock)
{
    std::call_once(g_inicio, [&] {
        g_raiz = localizarRaiz();
        qputenv("FIREBIRD", QFile::encodeName(g_raiz));
        if (qEnvironmentVariableIsEmpty("FIREBIRD_LOCK")) {
            prepararPastaLock(pastaLock);
            qputenv("FIREBIRD_LOCK", QFile::encodeName(pastaLock));
        } else {
            QDir().mkpath(qEnvironmentVariable("FIREBIRD_LOCK"));
        }
        g_master = fb_get_master_interface();
        std::atexit(encerrarMotor);
    });
}

IMaster* master()
{
    if (!g_master) {
        const QString home = qEnvironmentVariable("TALVORO_HOME");
        const QString base = home.isEmpty() ? QDir::tempPath() : home;
        iniciar(QDir(base).absoluteFilePath(QStringLiteral("firebird-lock")));
    }
    return g_master;
}

// Status wrapper that is disposed with its scope.
struct Status
{
    Status()
        : w(master()->getStatus())
    {}
    ~Status() { w.dispose(); }
    ThrowStatusWrapper* operator&() { return &w; }
    ThrowStatusWrapper w;
};

std::string textoDoStatus(IStatus* status)
{
    char buf[2048];
    master()->getUtilInterface()->formatStatus(buf, sizeof buf, status);
    // The engine writes one fact per line ("-Table unknown"); keep them on one line.
    std::string out;
    std::string linha;
    auto fechar = [&] {
        size_t i = 0;
        while (i < linha.size() && (linha[i] == '-' || linha[i] == ' '))
            ++i;
        if (i < linha.size()) {
            if (!out.empty())
                out += ' ';
            out += linha.substr(i);
        }
        linha.clear();
    };
    for (const char* p = buf; *p; ++p) {
        if (*p == '\n' || *p == '\r')
            fechar();
        else
            linha += *p;
    }
    fechar();
    return deWin1252(QByteArrayView(out.data(), qsizetype(out.size()))).toStdString();
}

[[noreturn]] void lancar(const FbException& e)
{
    IStatus* status = e.getStatus();
    long codigo = 0;
    const intptr_t* erros = status->getErrors();
    if (erros && erros[0] == isc_arg_gds)
        codigo = long(erros[1]);
    char sqlState[6] = {};
    if (erros)
        fb_sqlstate(sqlState, erros);
    throw Erro(textoDoStatus(status), codigo, sqlState);
}

template <class F>
auto chamar(F&& f) -> decltype(f())
{
    try {
        return f();
    } catch (const FbException& e) {
        lancar(e);
    }
}

enum class Anexo
{
    Abrir,
    Criar,
};

// forcedWrites, when given, is written into the database's header by this attachment.
std::vector<unsigned char> montarDpb(Anexo anexo, std::optional<bool> forcedWrites = {})
{
    Status st;
    IXpbBuilder* dpb =
        master()->getUtilInterface()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
    dpb->insertString(&st, isc_dpb_user_name, "SYSDBA");
    dpb->insertString(&st, isc_dpb_lc_ctype, "WIN1252");
    dpb->insertString(&st, isc_dpb_config, "Providers=Engine12");
    if (anexo == Anexo::Criar) {
        dpb->insertInt(&st, isc_dpb_page_size, 8192);
        dpb->insertString(&st, isc_dpb_set_db_charset, "WIN1252");
        dpb->insertInt(&st, isc_dpb_sql_dialect, 3);
    }
    if (forcedWrites)
        dpb->insertInt(&st, isc_dpb_force_write, *forcedWrites ? 1 : 0);
    const unsigned char* buf = dpb->getBuffer(&st);
    std::vector<unsigned char> out(buf, buf + dpb->getBufferLength(&st));
    dpb->dispose();
    return out;
}

std::vector<unsigned char> montarTpb(int lockTimeout)
{
    Status st;
    IXpbBuilder* tpb =
        master()->getUtilInterface()->getXpbBuilder(&st, IXpbBuilder::TPB, nullptr, 0);
    tpb->insertTag(&st, isc_tpb_write);
    tpb->insertTag(&st, isc_tpb_read_committed);
    tpb->insertTag(&st, isc_tpb_rec_version);
    tpb->insertTag(&st, isc_tpb_wait);
    tpb->insertInt(&st, isc_tpb_lock_timeout, lockTimeout);
    const unsigned char* buf = tpb->getBuffer(&st);
    std::vector<unsigned char> out(buf, buf + tpb->getBufferLength(&st));
    tpb->dispose();
    return out;
}

QByteArray caminhoNativo(const QString& arquivo)
{
    return QFile::encodeName(QDir::toNativeSeparators(QFileInfo(arquivo).absoluteFilePath()));
}

// Transaction that rolls back unless committed, releasing the interface in every case.
class Transacao
{
public:
    Transacao(IAttachment* att, const std::vector<unsigned char>& tpb)
    {
        Status st;
        m_tra =
            chamar([&] { return att->startTransaction(&st, unsigned(tpb.size()), tpb.data()); });
    }
    ~Transacao()
    {
        if (!m_tra)
            return;
        Status st;
        try {
            m_tra->rollback(&st);
        } catch (const FbException&) {
            m_tra->release();
        }
    }
    ITransaction* get() const { return m_tra; }
    void commit()
    {
        Status st;
        try {
            m_tra->commit(&st);
            m_tra = nullptr;
        } catch (const FbException& e) {
            lancar(e); // the destructor rolls back what the failed commit left
        }
    }

private:
    ITransaction* m_tra = nullptr;
};

} // namespace

void inicializarMotor(const QString& pastaLock)
{
    iniciar(pastaLock);
}

QString raizFirebird()
{
    master();
    return g_raiz;
}

namespace {

// Attaches (or creates) and detaches at once: the DPB does the work.
void anexarEDesanexar(const QString& arquivo, Anexo anexo, const std::vector<unsigned char>& dpb)
{
    const QByteArray caminho = caminhoNativo(arquivo);
    Status st;
    IProvider* prov = master()->getDispatcher();
    IAttachment* att = nullptr;
    try {
        att =
            anexo == Anexo::Criar
                ? prov->createDatabase(&st, caminho.constData(), unsigned(dpb.size()), dpb.data())
                : prov->attachDatabase(&st, caminho.constData(), unsigned(dpb.size()), dpb.data());
        att->detach(&st);
        att = nullptr;
    } catch (const FbException& e) {
        if (att)
            att->release();
        prov->release();
        lancar(e);
    }
    prov->release();
}

} // namespace

void criarBanco(const QString& arquivo, bool forcedWrites)
{
    anexarEDesanexar(arquivo, Anexo::Criar, montarDpb(Anexo::Criar, forcedWrites));
}

void definirForcedWrites(const QString& arquivo, bool ligado)
{
    anexarEDesanexar(arquivo, Anexo::Abrir, montarDpb(Anexo::Abrir, ligado));
}

struct Conexao::Impl
{
    IProvider* provider = nullptr;
    IAttachment* att = nullptr;
    std::vector<unsigned char> tpb;
    std::vector<Instrucao*> instrucoes;
};

Conexao::Conexao(QString arquivo, int lockTimeoutSegundos)
    : m_arquivo(std::move(arquivo))
    , m_lockTimeout(lockTimeoutSegundos)
    , d(std::make_unique<Impl>())
{}

Conexao::~Conexao()
{
    for (Instrucao* i : d->instrucoes) {
        i->descartar(true);
        i->m_conexao = nullptr;
    }
    fechar();
}

bool Conexao::aberta() const
{
    return d->att != nullptr;
}

void Conexao::abrir()
{
    if (d->att)
        return;
    const auto dpb = montarDpb(Anexo::Abrir);
    const QByteArray caminho = caminhoNativo(m_arquivo);
    if (!d->provider)
        d->provider = master()->getDispatcher();
    Status st;
    d->att = chamar([&] {
        return d->provider->attachDatabase(&st, caminho.constData(), unsigned(dpb.size()),
                                           dpb.data());
    });
    d->tpb = montarTpb(m_lockTimeout);
}

void Conexao::fechar()
{
    for (Instrucao* i : d->instrucoes)
        i->descartar(true);
    if (d->att) {
        Status st;
        try {
            d->att->detach(&st);
        } catch (const FbException&) {
            d->att->release();
        }
        d->att = nullptr;
    }
    if (d->provider) {
        d->provider->release();
        d->provider = nullptr;
    }
}

void Conexao::executarDireto(const std::string& sql)
{
    abrir();
    Transacao tra(d->att, d->tpb);
    Status st;
    chamar([&] {
        d->att->execute(&st, tra.get(), unsigned(sql.size()), sql.c_str(), kDialeto, nullptr,
                        nullptr, nullptr, nullptr);
    });
    tra.commit();
}

std::pair<std::string, std::vector<std::string>> reescreverParametros(const std::string& sql)
{
    // PSQL bodies use ":variable" for their own variables.
    std::string inicio;
    for (char c : sql) {
        if (std::isalpha(static_cast<unsigned char>(c)) || c == ' ' || c == '\t' || c == '\r' ||
            c == '\n')
            inicio += char(std::toupper(static_cast<unsigned char>(c)));
        else
            break;
        if (inicio.size() > 64)
            break;
    }
    std::string palavras;
    for (char c : inicio) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            if (!palavras.empty() && palavras.back() != ' ')
                palavras += ' ';
        } else {
            palavras += c;
        }
    }
    while (!palavras.empty() && palavras.front() == ' ')
        palavras.erase(0, 1);
    for (const char* psql :
         {"EXECUTE BLOCK", "CREATE ", "ALTER ", "RECREATE ", "CREATE OR ALTER"}) {
        if (palavras.rfind(psql, 0) == 0)
            return {sql, {}};
    }

    std::string out;
    std::vector<std::string> nomes;
    out.reserve(sql.size());
    for (size_t i = 0; i < sql.size();) {
        const char c = sql[i];
        if (c == '\'' || c == '"') {
            const size_t fim = sql.find(c, i + 1);
            const size_t ate = fim == std::string::npos ? sql.size() : fim + 1;
            out.append(sql, i, ate - i);
            i = ate;
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            const size_t fim = sql.find('\n', i);
            const size_t ate = fim == std::string::npos ? sql.size() : fim;
            out.append(sql, i, ate - i);
            i = ate;
        } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
            const size_t fim = sql.find("*/", i + 2);
            const size_t ate = fim == std::string::npos ? sql.size() : fim + 2;
            out.append(sql, i, ate - i);
            i = ate;
        } else if (c == ':' && i + 1 < sql.size() &&
                   (std::isalpha(static_cast<unsigned char>(sql[i + 1])) || sql[i + 1] == '_')) {
            size_t j = i + 1;
            while (j < sql.size() && (std::isalnum(static_cast<unsigned char>(sql[j])) ||
                                      sql[j] == '_' || sql[j] == '$'))
                ++j;
            std::string nome = sql.substr(i + 1, j - i - 1);
            std::transform(nome.begin(), nome.end(), nome.begin(),
                           [](unsigned char ch) { return char(std::toupper(ch)); });
            nomes.push_back(std::move(nome));
            out += '?';
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    return {out, nomes};
}

Instrucao::Instrucao(Conexao& conexao, std::string sql)
    : m_conexao(&conexao)
    , m_sql(std::move(sql))
{
    auto [motor, nomes] = reescreverParametros(m_sql);
    m_sqlMotor = std::move(motor);
    m_nomes = std::move(nomes);
    conexao.d->instrucoes.push_back(this);
}

Instrucao::~Instrucao()
{
    if (m_conexao) {
        auto& lista = m_conexao->d->instrucoes;
        lista.erase(std::remove(lista.begin(), lista.end(), this), lista.end());
    }
    descartar(m_conexao != nullptr);
}

void Instrucao::descartar(bool liberar)
{
    auto* stmt = static_cast<IStatement*>(m_handle);
    m_handle = nullptr;
    if (!stmt)
        return;
    if (liberar) {
        Status st;
        try {
            stmt->free(&st);
            return;
        } catch (const FbException&) {
        }
    }
    stmt->release();
}

Instrucao& Instrucao::param(std::string_view nome, Valor valor)
{
    std::string chave(nome);
    std::transform(chave.begin(), chave.end(), chave.begin(),
                   [](unsigned char ch) { return char(std::toupper(ch)); });
    if (std::find(m_nomes.begin(), m_nomes.end(), chave) == m_nomes.end())
        throw Erro("Parameter '" + std::string(nome) + "' not found");
    m_valores[chave] = std::move(valor);
    return *this;
}

void Instrucao::limparParametros()
{
    m_valores.clear();
}

namespace {

void escreverTexto(unsigned char* destino, const QByteArray& bytes)
{
    const auto tamanho = static_cast<uint16_t>(bytes.size());
    std::memcpy(destino, &tamanho, sizeof tamanho);
    std::memcpy(destino + sizeof tamanho, bytes.constData(), size_t(bytes.size()));
}

ISC_TIMESTAMP codificarDataHora(const QDateTime& dt)
{
    IUtil* util = master()->getUtilInterface();
    const QDate d = dt.date();
    const QTime t = dt.time();
    ISC_TIMESTAMP ts;
    ts.timestamp_date =
        util->encodeDate(unsigned(d.year()), unsigned(d.month()), unsigned(d.day()));
    ts.timestamp_time = util->encodeTime(unsigned(t.hour()), unsigned(t.minute()),
                                         unsigned(t.second()), unsigned(t.msec() * 10));
    return ts;
}

QDateTime decodificar(ISC_DATE data, ISC_TIME hora)
{
    IUtil* util = master()->getUtilInterface();
    unsigned y = 0, m = 0, d = 0, h = 0, mi = 0, s = 0, frac = 0;
    util->decodeDate(data, &y, &m, &d);
    util->decodeTime(hora, &h, &mi, &s, &frac);
    return dataHora(QDate(int(y), int(m), int(d)), QTime(int(h), int(mi), int(s), int(frac / 10)));
}

QString decodificarTexto(const char* p, size_t n, unsigned charset)
{
    if (charset == unsigned(kCharsetUtf8))
        return QString::fromUtf8(p, qsizetype(n));
    if (charset == unsigned(kCharsetOctets))
        return QString::fromLatin1(p, qsizetype(n));
    return deWin1252(QByteArrayView(p, qsizetype(n)));
}

Money reescalar(int64_t valor, int escala)
{
    // Money holds 10^-4 units; numeric columns arrive as integers with a negative scale.
    int shift = escala + 4;
    if (shift >= 0) {
        int64_t v = valor;
        for (int i = 0; i < shift; ++i)
            v *= 10;
        return Money::fromRaw(v);
    }
    __int128 v = valor;
    __int128 div = 1;
    for (int i = 0; i < -shift; ++i)
        div *= 10;
    __int128 q = v / div;
    const __int128 r = v % div;
    if ((r < 0 ? -r : r) * 2 >= div)
        q += v < 0 ? -1 : 1;
    return Money::fromRaw(static_cast<int64_t>(q));
}

// An integer column; NUMERIC and DECIMAL columns arrive as integers with a negative scale.
template <class T>
Valor inteiro(const unsigned char* campo, int escala)
{
    T x;
    std::memcpy(&x, campo, sizeof x);
    return escala < 0 ? Valor(reescalar(x, escala)) : Valor(int64_t(x));
}

} // namespace

void Instrucao::preparar()
{
    if (!m_conexao)
        throw Erro("the statement's connection no longer exists");
    m_conexao->abrir();
    if (m_handle)
        return;
    auto* d = m_conexao->d.get();
    Transacao tra(d->att, d->tpb);
    Status st;
    m_handle = chamar([&] {
        return d->att->prepare(&st, tra.get(), unsigned(m_sqlMotor.size()), m_sqlMotor.c_str(),
                               kDialeto, IStatement::PREPARE_PREFETCH_METADATA);
    });
    tra.commit();
}

Resultado Instrucao::executar()
{
    preparar();
    auto* d = m_conexao->d.get();
    auto* stmt = static_cast<IStatement*>(m_handle);
    Status st;
    Transacao tra(d->att, d->tpb);

    Resultado resultado;
    chamar([&] {
        // Input message: typed after the values we hold, so the engine does the conversions
        // (an integer into NUMERIC, a text into INTEGER) and reports what it cannot convert.
        IMessageMetadata* entrada = stmt->getInputMetadata(&st);
        const unsigned n = entrada->getCount(&st);
        if (n != m_nomes.size()) {
            entrada->release();
            throw Erro("parameter count mismatch");
        }
        std::vector<const Valor*> valores(n);
        static const Valor nulo;
        std::vector<QByteArray> textos(n);
        IMetadataBuilder* construtor = entrada->getBuilder(&st);
        for (unsigned i = 0; i < n; ++i) {
            const auto it = m_valores.find(m_nomes[i]);
            const Valor& v = it == m_valores.end() ? nulo : it->second;
            valores[i] = &v;
            const unsigned tipoDeclarado = entrada->getType(&st, i) & ~1u;
            if (v.isNull())
                continue;
            if (v.isText()) {
                textos[i] = paraWin1252(std::get<QString>(v.variante()));
                if (tipoDeclarado == SQL_BLOB) {
                    construtor->setType(&st, i, SQL_BLOB + 1);
                    construtor->setLength(&st, i, sizeof(ISC_QUAD));
                } else {
                    if (textos[i].size() > 32765) {
                        construtor->release();
                        entrada->release();
                        throw Erro("string right truncation (text longer than 32765 bytes)");
                    }
                    construtor->setType(&st, i, SQL_VARYING + 1);
                    construtor->setSubType(&st, i, 0);
                    construtor->setScale(&st, i, 0);
                    construtor->setLength(&st, i,
                                          unsigned(std::max<qsizetype>(1, textos[i].size())));
                    construtor->setCharSet(&st, i, kCharsetWin1252);
                }
            } else if (v.isInt() || v.isMoney()) {
                construtor->setType(&st, i, SQL_INT64 + 1);
                construtor->setSubType(&st, i, 0);
                construtor->setLength(&st, i, sizeof(int64_t));
                construtor->setScale(&st, i, v.isMoney() ? -4 : 0);
            } else if (v.isDouble()) {
                construtor->setType(&st, i, SQL_DOUBLE + 1);
                construtor->setSubType(&st, i, 0);
                construtor->setLength(&st, i, sizeof(double));
                construtor->setScale(&st, i, 0);
            } else if (v.isDateTime()) {
                construtor->setType(&st, i, SQL_TIMESTAMP + 1);
                construtor->setSubType(&st, i, 0);
                construtor->setLength(&st, i, sizeof(ISC_TIMESTAMP));
                construtor->setScale(&st, i, 0);
            }
        }
        IMessageMetadata* meta = construtor->getMetadata(&st);
        construtor->release();
        entrada->release();

        std::vector<int64_t> bufferEntrada((meta->getMessageLength(&st) + 7) / 8 + 1);
        auto* base = reinterpret_cast<unsigned char*>(bufferEntrada.data());
        try {
            for (unsigned i = 0; i < n; ++i) {
                auto* indicador = reinterpret_cast<int16_t*>(base + meta->getNullOffset(&st, i));
                unsigned char* campo = base + meta->getOffset(&st, i);
                const Valor& v = *valores[i];
                if (v.isNull()) {
                    *indicador = -1;
                    continue;
                }
                *indicador = 0;
                const unsigned tipo = meta->getType(&st, i) & ~1u;
                if (v.isText() && tipo == SQL_BLOB) {
                    ISC_QUAD id;
                    IBlob* blob = d->att->createBlob(&st, tra.get(), &id, 0, nullptr);
                    const QByteArray& bytes = textos[i];
                    for (qsizetype pos = 0; pos < bytes.size(); pos += kSegmentoBlob) {
                        const auto pedaco = std::min<qsizetype>(kSegmentoBlob, bytes.size() - pos);
                        blob->putSegment(&st, unsigned(pedaco), bytes.constData() + pos);
                    }
                    blob->close(&st);
                    std::memcpy(campo, &id, sizeof id);
                } else if (v.isText()) {
                    escreverTexto(campo, textos[i]);
                } else if (v.isInt()) {
                    const int64_t x = std::get<int64_t>(v.variante());
                    std::memcpy(campo, &x, sizeof x);
                } else if (v.isMoney()) {
                    const int64_t x = std::get<Money>(v.variante()).raw();
                    std::memcpy(campo, &x, sizeof x);
                } else if (v.isDouble()) {
                    const double x = std::get<double>(v.variante());
                    std::memcpy(campo, &x, sizeof x);
                } else if (v.isDateTime()) {
                    const ISC_TIMESTAMP ts = codificarDataHora(std::get<QDateTime>(v.variante()));
                    std::memcpy(campo, &ts, sizeof ts);
                }
            }

            IMessageMetadata* saida = stmt->getOutputMetadata(&st);
            const unsigned colunas = saida->getCount(&st);
            auto nomesColunas = std::make_shared<std::vector<QString>>();
            for (unsigned c = 0; c < colunas; ++c)
                nomesColunas->push_back(QString::fromUtf8(saida->getAlias(&st, c)));
            resultado.colunas = nomesColunas;
            std::vector<int64_t> bufferSaida((saida->getMessageLength(&st) + 7) / 8 + 1);
            auto* baseSaida = reinterpret_cast<unsigned char*>(bufferSaida.data());

            auto lerLinha = [&] {
                std::vector<Valor> linha;
                linha.reserve(colunas);
                for (unsigned c = 0; c < colunas; ++c) {
                    const auto* indicador =
                        reinterpret_cast<const int16_t*>(baseSaida + saida->getNullOffset(&st, c));
                    if (*indicador) {
                        linha.emplace_back();
                        continue;
                    }
                    const unsigned char* campo = baseSaida + saida->getOffset(&st, c);
                    const unsigned tipo = saida->getType(&st, c) & ~1u;
                    const int escala = saida->getScale(&st, c);
                    const unsigned charset = saida->getCharSet(&st, c);
                    switch (tipo) {
                    case SQL_VARYING: {
                        uint16_t tam = 0;
                        std::memcpy(&tam, campo, sizeof tam);
                        linha.emplace_back(decodificarTexto(
                            reinterpret_cast<const char*>(campo + sizeof tam), tam, charset));
                        break;
                    }
                    case SQL_TEXT: {
                        size_t tam = saida->getLength(&st, c);
                        const char* p = reinterpret_cast<const char*>(campo);
                        while (tam > 0 && p[tam - 1] == ' ')
                            --tam;
                        linha.emplace_back(decodificarTexto(p, tam, charset));
                        break;
                    }
                    case SQL_SHORT:
                        linha.push_back(inteiro<int16_t>(campo, escala));
                        break;
                    case SQL_LONG:
                        linha.push_back(inteiro<int32_t>(campo, escala));
                        break;
                    case SQL_INT64:
                        linha.push_back(inteiro<int64_t>(campo, escala));
                        break;
                    case SQL_FLOAT: {
                        float x;
                        std::memcpy(&x, campo, sizeof x);
                        linha.emplace_back(double(x));
                        break;
                    }
                    case SQL_DOUBLE:
                    case SQL_D_FLOAT: {
                        double x;
                        std::memcpy(&x, campo, sizeof x);
                        linha.emplace_back(x);
                        break;
                    }
                    case SQL_TIMESTAMP: {
                        ISC_TIMESTAMP ts;
                        std::memcpy(&ts, campo, sizeof ts);
                        linha.emplace_back(decodificar(ts.timestamp_date, ts.timestamp_time));
                        break;
                    }
                    case SQL_TYPE_DATE: {
                        ISC_DATE x;
                        std::memcpy(&x, campo, sizeof x);
                        linha.emplace_back(decodificar(x, 0));
                        break;
                    }
                    case SQL_TYPE_TIME: {
                        ISC_TIME x;
                        std::memcpy(&x, campo, sizeof x);
                        linha.emplace_back(
                            decodificar(master()->getUtilInterface()->encodeDate(1899, 12, 30), x));
                        break;
                    }
                    case SQL_BOOLEAN:
                        linha.emplace_back(int64_t(*campo ? 1 : 0));
                        break;
                    case SQL_BLOB: {
                        ISC_QUAD id;
                        std::memcpy(&id, campo, sizeof id);
                        IBlob* blob = d->att->openBlob(&st, tra.get(), &id, 0, nullptr);
                        QByteArray bytes;
                        std::vector<char> pedaco(kSegmentoBlob);
                        for (;;) {
                            unsigned lidos = 0;
                            const int r = blob->getSegment(&st, unsigned(pedaco.size()),
                                                           pedaco.data(), &lidos);
                            if (r == IStatus::RESULT_NO_DATA)
                                break;
                            bytes.append(pedaco.data(), lidos);
                        }
                        blob->close(&st);
                        linha.emplace_back(
                            decodificarTexto(bytes.constData(), size_t(bytes.size()), charset));
                        break;
                    }
                    default:
                        throw Erro("unsupported column type " + std::to_string(tipo));
                    }
                }
                resultado.linhas.emplace_back(nomesColunas, std::move(linha));
            };

            try {
                const unsigned tipoInstrucao = stmt->getType(&st);
                if (tipoInstrucao == isc_info_sql_stmt_select ||
                    tipoInstrucao == isc_info_sql_stmt_select_for_upd) {
                    IResultSet* cursor = stmt->openCursor(&st, tra.get(), meta, base, saida, 0);
                    try {
                        while (cursor->fetchNext(&st, baseSaida) == IStatus::RESULT_OK)
                            lerLinha();
                        cursor->close(&st);
                    } catch (...) {
                        cursor->release();
                        throw;
                    }
                    m_afetadas = 0;
                } else {
                    stmt->execute(&st, tra.get(), meta, base, colunas ? saida : nullptr,
                                  colunas ? baseSaida : nullptr);
                    m_afetadas = stmt->getAffectedRecords(&st);
                    if (colunas)
                        lerLinha();
                }
            } catch (...) {
                saida->release();
                throw;
            }
            saida->release();
        } catch (...) {
            meta->release();
            throw;
        }
        meta->release();
    });
    tra.commit();
    return resultado;
}

} // namespace talvoro::fb
