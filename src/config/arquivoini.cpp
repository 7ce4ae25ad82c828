#include "arquivoini.h"

#include "base/linhas.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <stdexcept>

namespace talvoro {

namespace {

QStringList linhasDoArquivo(const QString& caminho)
{
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return linhasDeTexto(QString::fromUtf8(f.readAll()));
}

bool ehSecao(const QString& linha, QString* nome = nullptr)
{
    const QString t = linha.trimmed();
    if (t.size() < 2 || !t.startsWith(u'[') || !t.endsWith(u']'))
        return false;
    if (nome)
        *nome = t.mid(1, t.size() - 2).trimmed();
    return true;
}

// Index of "key=" inside [secao] lines, or -1.
bool dividirChave(const QString& linha, QString* chave, QString* valor)
{
    const qsizetype igual = linha.indexOf(u'=');
    if (igual <= 0 || linha.trimmed().startsWith(u';'))
        return false;
    *chave = linha.left(igual).trimmed();
    *valor = linha.mid(igual + 1).trimmed();
    return true;
}

// Replaces the key in its section, or appends it to the section (made at the end when
// missing).
void colocar(QStringList& linhas, const QString& secao, const QString& chave, const QString& valor)
{
    const QString nova = chave + u'=' + valor;
    qsizetype inicioSecao = -1;
    qsizetype fimSecao = -1; // index after the section's last key line
    for (qsizetype i = 0; i < linhas.size(); ++i) {
        QString nome;
        if (ehSecao(linhas[i], &nome)) {
            if (inicioSecao >= 0)
                break;
            if (nome.compare(secao, Qt::CaseInsensitive) == 0) {
                inicioSecao = i;
                fimSecao = i + 1;
            }
            continue;
        }
        if (inicioSecao < 0)
            continue;
        QString k, v;
        if (dividirChave(linhas[i], &k, &v)) {
            fimSecao = i + 1;
            if (k.compare(chave, Qt::CaseInsensitive) == 0) {
                linhas[i] = nova;
                return;
            }
        }
    }
    if (inicioSecao < 0) {
        if (!linhas.isEmpty() && !linhas.last().trimmed().isEmpty())
            linhas.append(QString());
        linhas.append(u'[' + secao + u']');
        linhas.append(nova);
    } else {
        linhas.insert(fimSecao, nova);
    }
}

} // namespace

QString ArquivoIni::ler(const QString& secao, const QString& chave) const
{
    bool dentro = false;
    for (const QString& linha : linhasDoArquivo(m_caminho)) {
        QString nome;
        if (ehSecao(linha, &nome)) {
            dentro = nome.compare(secao, Qt::CaseInsensitive) == 0;
            continue;
        }
        QString k, v;
        if (dentro && dividirChave(linha, &k, &v) && k.compare(chave, Qt::CaseInsensitive) == 0)
            return v;
    }
    return {};
}

void ArquivoIni::gravar(const QString& secao, const QString& chave, const QString& valor) const
{
    gravar(secao, {{chave, valor}});
}

void ArquivoIni::gravar(const QString& secao,
                        const std::vector<std::pair<QString, QString>>& valores) const
{
    QStringList linhas = linhasDoArquivo(m_caminho);
    for (const auto& [chave, valor] : valores)
        colocar(linhas, secao, chave, valor);

    QSaveFile f(m_caminho);
    f.setDirectWriteFallback(true);
    QByteArray bytes;
    for (const QString& l : std::as_const(linhas))
        bytes += l.toUtf8() + "\r\n";
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw std::runtime_error(QStringLiteral("Não foi possível gravar %1: %2")
                                     .arg(m_caminho, f.errorString())
                                     .toStdString());
}

} // namespace talvoro
