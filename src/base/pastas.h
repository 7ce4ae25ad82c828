#pragma once

#include <QString>

namespace talvoro {

// The program's folder, always ending in "/": TALVORO_HOME when set, else the folder of the
// executable. The database, IFOODConfig.ini, LogBrimeta.txt, ArqLog and SQL.txt live here.
QString pastaPrograma();

// Base URL of the iFood merchant API host, without a trailing "/": TALVORO_IFOOD_API when
// set, else the real host.
QString hostIFood();

} // namespace talvoro
