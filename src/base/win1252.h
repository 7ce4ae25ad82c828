#pragma once

#include <QByteArray>
#include <QString>

namespace talvoro {

// Windows-1252, the database's character set and the code page of the text files the
// program shares with the point-of-sale side. Characters it cannot hold (emoji, other
// scripts) become '?' on the way out, so such a character never makes a write fail.
QByteArray paraWin1252(QStringView text);
QString deWin1252(QByteArrayView bytes);

} // namespace talvoro
