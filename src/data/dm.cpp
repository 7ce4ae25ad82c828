#include "dm.h"

#include "base/linhas.h"
#include "base/pastas.h"
#include "data/catalogo.h"
#include "data/esquema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <stdexcept>

namespace talvoro {

TDM::TDM(bool forcedWrites)
    : FForcedWrites(forcedWrites)
    , FPasta(pastaPrograma())
    , FConexao(std::make_unique<fb::Conexao>(ArquivoBanco()))
    , FQueries(std::make_unique<data::InstrucoesPreparadas>(*FConexao))
{}

TDM::~TDM()
{
    FQueries.reset();
    FConexao.reset();
}

void TDM::DataModuleCreate()
{
    // Connection parameters: fixed on every start, whatever an earlier value said.
    FPasta = pastaPrograma();
    FQueries.reset();
    FConexao = std::make_unique<fb::Conexao>(ArquivoBanco());
    FQueries = std::make_unique<data::InstrucoesPreparadas>(*FConexao);

    if (!QFileInfo(PastaArqLog()).isDir())
        QDir().mkpath(PastaArqLog()); // a failure shows up when the folder is written to

    CriaBancoSeAusente();
    ExecutaScriptAtualizacao();
}

void TDM::CriaBancoSeAusente()
{
    const QString arquivo = ArquivoBanco();
    if (QFileInfo::exists(arquivo))
        return;
    // Built under another name and renamed when complete, so an interrupted creation never
    // leaves a half-made BancoDados.fdb behind.
    const QString provisorio = arquivo + QStringLiteral(".criando");
    QFile::remove(provisorio);
    fb::criarBanco(provisorio, false);
    try {
        {
            fb::Conexao conexao(provisorio);
            for (const std::string& ddl : data::ddlEsquema())
                conexao.executarDireto(ddl);
        }
        if (FForcedWrites)
            fb::definirForcedWrites(provisorio, true);
    } catch (...) {
        QFile::remove(provisorio);
        throw;
    }
    if (!QFile::rename(provisorio, arquivo)) {
        QFile::remove(provisorio);
        throw std::runtime_error(
            QStringLiteral("Não foi possível criar %1").arg(arquivo).toStdString());
    }
}

void TDM::ExecutaScriptAtualizacao()
{
    const QString caminho = FPasta + QStringLiteral("SQL.txt");
    if (!QFileInfo::exists(caminho))
        return;
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("Não foi possível ler %1: %2")
                                     .arg(caminho, arquivo.errorString())
                                     .toStdString());
    const QByteArray bytes = arquivo.readAll();
    arquivo.close();

    // A byte-order mark chooses the encoding; without one the system's (UTF-8 here).
    QString texto;
    if (const auto bom = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*bom);
        texto = decoder(bytes);
    } else {
        texto = QString::fromUtf8(bytes);
    }
    QString unido;
    for (const QString& linha : linhasDeTexto(texto))
        unido += linha + QStringLiteral("\r\n");

    // Every "|" splits, quoted or not; each piece runs and commits on its own and a failing
    // piece is skipped silently.
    for (const QString& pedaco : unido.split(u'|')) {
        try {
            FConexao->executarDireto(pedaco.toStdString());
        } catch (const std::exception&) {
        }
    }
    QFile::remove(caminho);
}

fb::Instrucao& TDM::Query(std::string_view nome)
{
    return (*FQueries)(nome);
}

std::unique_ptr<fb::Conexao> TDM::NovaConexao() const
{
    return std::make_unique<fb::Conexao>(ArquivoBanco());
}

bool TDM::ExecSQL(const QString& SQL)
{
    fb::Instrucao instrucao(*FConexao, SQL.toStdString());
    instrucao.executar();
    return true;
}

bool TDM::PollingExiste(const QString& id)
{
    return !Query("Tb_POLLING.Localiza").param("id", id).abrir().vazio();
}

void TDM::PollingInsere(const QString& id, const QString& code, const QString& orderId,
                        const QString& createdAt, const QDateTime& dtHrSis)
{
    auto& q = Query("Tb_POLLING.Insere");
    q.param("id", id).param("code", code).param("orderid", orderId);
    q.param("createdat", createdAt)
        .param("dt_hr_sis", dtHrSis.isValid() ? fb::Valor(dtHrSis) : fb::Valor());
    q.executar();
}

} // namespace talvoro
