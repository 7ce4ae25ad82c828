#pragma once

#include <QString>
#include <QTemporaryDir>

namespace talvoro::teste {

// A fresh program folder for one test: TALVORO_HOME points at it while the object lives.
class PastaTemporaria
{
public:
    PastaTemporaria();
    ~PastaTemporaria();
    QString caminho(const QString& nome = {}) const;
    QString banco() const { return caminho(QStringLiteral("BancoDados.fdb")); }

private:
    QTemporaryDir m_dir;
    QByteArray m_homeAnterior;
};

// The lock folder every test process (and the isql-fb it may start) shares.
QString pastaLockDosTestes();

} // namespace talvoro::teste
