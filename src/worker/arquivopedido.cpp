#include "arquivopedido.h"

namespace talvoro {

namespace {

QString seguro(const QString& parte)
{
    QString out = parte;
    for (QChar& c : out) {
        if (c.unicode() < 0x20 || QStringView(u"/\\:*?\"<>|").contains(c))
            c = u'_';
    }
    return out;
}

} // namespace

QString nomeArquivoPedido(const QString& shortReference, const QString& reference)
{
    return seguro(shortReference) + u'_' + seguro(reference) + QStringLiteral(".txt");
}

} // namespace talvoro
