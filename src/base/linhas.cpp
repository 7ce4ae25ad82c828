#include "linhas.h"

namespace talvoro {

QStringList linhasDeTexto(QString texto)
{
    if (texto.startsWith(QChar(0xFEFF)))
        texto.remove(0, 1);
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texto.replace(u'\r', u'\n');
    QStringList linhas = texto.split(u'\n');
    if (!linhas.isEmpty() && linhas.last().isEmpty())
        linhas.removeLast();
    return linhas;
}

} // namespace talvoro
