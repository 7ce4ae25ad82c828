#include "pastatemporaria.h"

#include <QDir>

#include <unistd.h>

namespace talvoro::teste {

PastaTemporaria::PastaTemporaria()
    : m_homeAnterior(qgetenv("TALVORO_HOME"))
{
    qputenv("TALVORO_HOME", QFile::encodeName(m_dir.path()));
}

PastaTemporaria::~PastaTemporaria()
{
    if (m_homeAnterior.isEmpty())
        qunsetenv("TALVORO_HOME");
    else
        qputenv("TALVORO_HOME", m_homeAnterior);
}

QString PastaTemporaria::caminho(const QString& nome) const
{
    return nome.isEmpty() ? m_dir.path() + u'/' : m_dir.filePath(nome);
}

QString pastaLockDosTestes()
{
    return QDir::temp().filePath(QStringLiteral("talvoro-testes-lock-%1").arg(getuid()));
}

} // namespace talvoro::teste
