#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace talvoro {

// Date-times travel through the program the way the database keeps them: as wall-clock
// values without a zone. They are carried in QDateTime marked Qt::UTC so that Qt
// never shifts them for daylight saving; whether a value means local time or UTC is a
// property of the column it comes from, not of the object.

// The local wall-clock now, as such a value.
QDateTime agora();
// Today's local date at 00:00:00.
QDateTime hojeMeiaNoite();
// Builds a wall-clock value from a date and a time.
QDateTime dataHora(QDate date, QTime time);
// The wall-clock fields of any QDateTime, re-labelled as a zone-less value.
QDateTime semFuso(const QDateTime& dt);

// A UTC wall-clock value (the iFood times the import stores) as the local wall-clock the
// operator reads. An invalid value stays invalid.
QDateTime utcParaLocal(const QDateTime& utc);

// ISO 8601 text ("2024-05-01T18:30:00Z", "...-03:00", "...+0100", with or without fraction)
// to the UTC wall-clock it denotes. Text without a zone is taken as UTC already.
std::optional<QDateTime> isoParaUtc(const QString& text);

// Delphi-style patterns used across the screens and logs: "dd/mm/yyyy hh:nn:ss",
// "dd/mm/yyyy hh:nn", "dd/mm/yyyy", "hh:nn", "hh:nn:ss". "nn" is minutes; "mm" right after
// "hh" or "hh:" is minutes too, as in the classic routine. Digits only, so the machine's
// locale never changes the result.
QString formatDataHora(const QString& pattern, const QDateTime& dt);

// "dd/mm/yyyy hh:nn:ss" back to a value; nullopt when the text is not in that form.
std::optional<QDateTime> lerDataHora(const QString& text);

} // namespace talvoro
