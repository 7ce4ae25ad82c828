#include "pastas.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace talvoro {

QString pastaPrograma()
{
    QString pasta = qEnvironmentVariable("TALVORO_HOME");
    if (pasta.isEmpty())
        pasta = QCoreApplication::instance()
                    ? QCoreApplication::applicationDirPath()
                    : QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath())
                          .absolutePath();
    pasta = QDir::cleanPath(QDir(pasta).absolutePath());
    if (!pasta.endsWith(u'/'))
        pasta += u'/';
    return pasta;
}

QString hostIFood()
{
    QString host = qEnvironmentVariable("TALVORO_IFOOD_API");
    if (host.isEmpty())
        host = QStringLiteral("https://merchant-api.ifood.com.br");
    while (host.endsWith(u'/'))
        host.chop(1);
    return host;
}

} // namespace talvoro
