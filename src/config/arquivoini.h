#pragma once

#include <QString>

#include <utility>
#include <vector>

namespace talvoro {

// A small INI reader/writer of the classic kind: one "key=value" line per key, sections in
// brackets, names compared without regard to letter case. A write replaces a key in place or
// appends it to its section (creating the file and section when missing) and keeps every
// other line as it was, so a new file lists keys in the order they were first written.
// Reading never fails: a missing file, section or key reads as "".
class ArquivoIni
{
public:
    explicit ArquivoIni(QString caminho)
        : m_caminho(std::move(caminho))
    {}

    QString ler(const QString& secao, const QString& chave) const;
    // Raises std::runtime_error when the file cannot be written.
    void gravar(const QString& secao, const QString& chave, const QString& valor) const;
    // Several keys in one read and one write of the file, in the order given.
    void gravar(const QString& secao,
                const std::vector<std::pair<QString, QString>>& valores) const;

    const QString& caminho() const { return m_caminho; }

private:
    QString m_caminho;
};

} // namespace talvoro
