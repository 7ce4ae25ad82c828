#pragma once

#include <QString>
#include <QStringList>

namespace talvoro {

// The lines of a text, whatever its line breaks (CR LF, LF or CR); a byte-order mark at the
// start is dropped, and a break after the last line does not make an empty line.
QStringList linhasDeTexto(QString texto);

} // namespace talvoro
