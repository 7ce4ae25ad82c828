#include "datahora.h"

#include <QRegularExpression>
#include <QTimeZone>

namespace talvoro {

QDateTime dataHora(QDate date, QTime time)
{
    return QDateTime(date, time, Qt::UTC);
}

QDateTime semFuso(const QDateTime& dt)
{
    return dataHora(dt.date(), dt.time());
}

QDateTime agora()
{
    return semFuso(QDateTime::currentDateTime());
}

QDateTime hojeMeiaNoite()
{
    return dataHora(QDate::currentDate(), QTime(0, 0));
}

QDateTime utcParaLocal(const QDateTime& utc)
{
    if (!utc.isValid())
        return {};
    return semFuso(QDateTime(utc.date(), utc.time(), Qt::UTC).toLocalTime());
}

std::optional<QDateTime> isoParaUtc(const QString& text)
{
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{4})-(\d{2})-(\d{2})(?:[T ](\d{2}):(\d{2})(?::(\d{2})(?:[.,](\d+))?)?)?)"
        R"(\s*(Z|z|[+-]\d{2}(?::?\d{2})?)?\s*$)"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!date.isValid())
        return std::nullopt;
    int msec = 0;
    if (m.capturedLength(7) > 0) {
        const QString frac = (m.captured(7) + QStringLiteral("000")).left(3);
        msec = frac.toInt();
    }
    const int hh = m.capturedLength(4) ? m.captured(4).toInt() : 0;
    const int mi = m.capturedLength(5) ? m.captured(5).toInt() : 0;
    const int ss = m.capturedLength(6) ? m.captured(6).toInt() : 0;
    if (hh > 24 || mi > 59 || ss > 60)
        return std::nullopt;
    QDateTime dt = dataHora(date, QTime(0, 0));
    dt = dt.addMSecs((qint64(hh) * 3600 + mi * 60 + ss) * 1000 + msec);

    const QString zone = m.captured(8);
    if (!zone.isEmpty() && zone != u"Z" && zone != u"z") {
        const int sign = zone.at(0) == u'-' ? -1 : 1;
        QString digits = zone.mid(1);
        digits.remove(u':');
        const int zh = digits.left(2).toInt();
        const int zm = digits.size() > 2 ? digits.mid(2, 2).toInt() : 0;
        if (zh > 23 || zm > 59)
            return std::nullopt;
        // Local = UTC + offset, so UTC = local - offset.
        dt = dt.addSecs(-sign * (zh * 3600 + zm * 60));
    }
    return dt;
}

QString formatDataHora(const QString& pattern, const QDateTime& dt)
{
    const QDate d = dt.date();
    const QTime t = dt.time();
    QString out;
    bool lastWasHour = false;
    auto two = [](int v) { return QString::number(v).rightJustified(2, u'0'); };
    for (int i = 0; i < pattern.size();) {
        const QStringView rest = QStringView(pattern).mid(i);
        if (rest.startsWith(u"yyyy")) {
            out += QString::number(d.year()).rightJustified(4, u'0');
            i += 4;
            lastWasHour = false;
        } else if (rest.startsWith(u"yy")) {
            out += two(d.year() % 100);
            i += 2;
            lastWasHour = false;
        } else if (rest.startsWith(u"dd")) {
            out += two(d.day());
            i += 2;
            lastWasHour = false;
        } else if (rest.startsWith(u"mm")) {
            out += lastWasHour ? two(t.minute()) : two(d.month());
            i += 2;
            lastWasHour = false;
        } else if (rest.startsWith(u"hh")) {
            out += two(t.hour());
            i += 2;
            lastWasHour = true;
        } else if (rest.startsWith(u"nn")) {
            out += two(t.minute());
            i += 2;
            lastWasHour = false;
        } else if (rest.startsWith(u"ss")) {
            out += two(t.second());
            i += 2;
            lastWasHour = false;
        } else if (rest.startsWith(u"zzz")) {
            out += QString::number(t.msec()).rightJustified(3, u'0');
            i += 3;
            lastWasHour = false;
        } else {
            const QChar c = pattern.at(i);
            out += c;
            ++i;
            if (c != u':' && c != u' ')
                lastWasHour = false;
        }
    }
    return out;
}

std::optional<QDateTime> lerDataHora(const QString& text)
{
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{1,2})/(\d{1,2})/(\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate date(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    const QTime time(m.capturedLength(4) ? m.captured(4).toInt() : 0,
                     m.capturedLength(5) ? m.captured(5).toInt() : 0,
                     m.capturedLength(6) ? m.captured(6).toInt() : 0);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return dataHora(date, time);
}

} // namespace talvoro
