#include "money.h"

#include <QStringList>

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace talvoro {

namespace {

// Divides by a power of ten, rounding half away from zero.
__int128 divRound(__int128 value, __int128 divisor)
{
    const __int128 q = value / divisor;
    const __int128 r = value % divisor;
    if (r == 0)
        return q;
    const __int128 twice = (r < 0 ? -r : r) * 2;
    if (twice >= divisor)
        return value < 0 ? q - 1 : q + 1;
    return q;
}

__int128 pow10i(int n)
{
    __int128 p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

bool fitsInt64(__int128 v)
{
    return v >= std::numeric_limits<int64_t>::min() && v <= std::numeric_limits<int64_t>::max();
}

} // namespace

std::optional<Money> Money::parse(std::string_view text)
{
    size_t i = 0;
    size_t end = text.size();
    while (i < end && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    while (end > i && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    if (i == end)
        return std::nullopt;

    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
    }

    std::string digits;
    int decimals = 0;
    bool seenPoint = false;
    bool anyDigit = false;
    for (; i < end; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (digits.empty() && c == '0') {
                if (seenPoint)
                    ++decimals;
            } else if (digits.size() < 30) {
                digits.push_back(c);
                if (seenPoint)
                    ++decimals;
            } else if (!seenPoint) {
                return std::nullopt; // integer part too large for any amount
            }
            // Further decimals cannot change a half-away-from-zero rounding to four places.
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return std::nullopt;

    int exponent = 0;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < end && (text[i] == '+' || text[i] == '-')) {
            expNegative = text[i] == '-';
            ++i;
        }
        if (i == end)
            return std::nullopt;
        int e = 0;
        const auto [ptr, ec] = std::from_chars(text.data() + i, text.data() + end, e);
        if (ec != std::errc() || e > 400)
            return std::nullopt;
        i = static_cast<size_t>(ptr - text.data());
        exponent = expNegative ? -e : e;
    }
    if (i != end)
        return std::nullopt;

    __int128 mantissa = 0;
    for (char c : digits)
        mantissa = mantissa * 10 + (c - '0');

    // value = mantissa * 10^(exponent - decimals); we want value * 10^4.
    const int shift = exponent - decimals + 4;
    __int128 raw;
    if (mantissa == 0) {
        raw = 0;
    } else if (shift >= 0) {
        if (shift > 18)
            return std::nullopt;
        raw = mantissa * pow10i(shift);
    } else if (-shift > 36) {
        raw = 0;
    } else {
        raw = divRound(mantissa, pow10i(-shift));
    }
    if (negative)
        raw = -raw;
    if (!fitsInt64(raw))
        return std::nullopt;
    return Money(static_cast<int64_t>(raw));
}

std::optional<Money> Money::parse(const QString& text)
{
    const QByteArray latin = text.toLatin1();
    return parse(std::string_view(latin.constData(), size_t(latin.size())));
}

Money Money::fromDouble(double value)
{
    if (!std::isfinite(value))
        return Money();
    char buf[64];
    const auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    if (ec != std::errc())
        return Money();
    return parse(std::string_view(buf, size_t(ptr - buf))).value_or(Money());
}

QString Money::toPlainString() const
{
    const bool negative = m_raw < 0;
    const unsigned long long a = negative ? 0ULL - static_cast<unsigned long long>(m_raw)
                                          : static_cast<unsigned long long>(m_raw);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%s%llu.%04llu", negative ? "-" : "", a / Scale, a % Scale);
    return QString::fromLatin1(buf);
}

Money Money::operator*(Money other) const
{
    const __int128 product = static_cast<__int128>(m_raw) * other.m_raw;
    const __int128 r = divRound(product, Scale);
    return Money(fitsInt64(r) ? static_cast<int64_t>(r)
                              : (r < 0 ? std::numeric_limits<int64_t>::min()
                                       : std::numeric_limits<int64_t>::max()));
}

namespace {

struct Pattern
{
    QString prefix;
    QString suffix;
    int minInt = 0;
    int minDec = 0;
    int maxDec = 0;
    bool grouping = false;
};

Pattern parsePattern(const QString& pattern)
{
    Pattern p;
    int first = -1;
    int last = -1;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'#' || c == u'0' || c == u',' || c == u'.') {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0) {
        p.prefix = pattern;
        return p;
    }
    p.prefix = pattern.left(first);
    p.suffix = pattern.mid(last + 1);
    bool inDecimals = false;
    for (int i = first; i <= last; ++i) {
        const QChar c = pattern.at(i);
        if (c == u'.') {
            inDecimals = true;
        } else if (c == u',') {
            if (!inDecimals)
                p.grouping = true;
        } else if (c == u'0') {
            if (inDecimals) {
                ++p.maxDec;
                p.minDec = p.maxDec;
            } else {
                ++p.minInt;
            }
        } else if (c == u'#') {
            if (inDecimals)
                ++p.maxDec;
        }
    }
    return p;
}

// rawScaled is the absolute value times 10^scale.
QString formatScaled(const Pattern& p, bool negative, __int128 rawScaled, int scale)
{
    __int128 v = rawScaled;
    if (p.maxDec < scale)
        v = divRound(v, pow10i(scale - p.maxDec));
    else if (p.maxDec > scale)
        v *= pow10i(p.maxDec - scale);

    const __int128 unit = pow10i(p.maxDec);
    __int128 intPart = v / unit;
    __int128 decPart = v % unit;

    QString intDigits;
    if (intPart == 0) {
        intDigits = QString();
    } else {
        while (intPart > 0) {
            intDigits.prepend(QChar(u'0' + int(intPart % 10)));
            intPart /= 10;
        }
    }
    while (intDigits.size() < p.minInt)
        intDigits.prepend(u'0');
    if (p.grouping) {
        for (int pos = intDigits.size() - 3; pos > 0; pos -= 3)
            intDigits.insert(pos, u'.');
    }

    QString decDigits;
    for (int i = 0; i < p.maxDec; ++i) {
        decDigits.prepend(QChar(u'0' + int(decPart % 10)));
        decPart /= 10;
    }
    while (decDigits.size() > p.minDec && decDigits.endsWith(u'0'))
        decDigits.chop(1);

    QString number = intDigits;
    if (!decDigits.isEmpty())
        number += u',' + decDigits;
    const bool isZero = v == 0;
    QString out = p.prefix + number + p.suffix;
    if (negative && !isZero)
        out.prepend(u'-');
    return out;
}

} // namespace

QString formatFloat(const QString& pattern, Money value)
{
    const Pattern p = parsePattern(pattern);
    const bool negative = value.raw() < 0;
    const __int128 a = negative ? -static_cast<__int128>(value.raw()) : value.raw();
    return formatScaled(p, negative, a, 4);
}

QString formatFloat(const QString& pattern, int64_t value)
{
    const Pattern p = parsePattern(pattern);
    const bool negative = value < 0;
    const __int128 a = negative ? -static_cast<__int128>(value) : value;
    return formatScaled(p, negative, a, 0);
}

} // namespace talvoro
