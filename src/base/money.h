#pragma once

#include <QString>

#include <compare>
#include <cstdint>
#include <optional>
#include <string_view>

namespace talvoro {

// An exact amount with four decimal places, stored as an integer count of 1/10000.
// Matches the database's NUMERIC(18,4); never passes through floating point except when a
// JSON number has to be taken in (fromDouble rounds its shortest decimal text).
class Money
{
public:
    static constexpr int64_t Scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromRaw(int64_t raw) { return Money(raw); }
    static constexpr Money fromUnits(int64_t units) { return Money(units * Scale); }

    // Decimal text with "." as separator, optional sign and exponent; rounded half away from
    // zero to four places. Surrounding blanks are ignored; anything else gives nullopt.
    static std::optional<Money> parse(std::string_view text);
    static std::optional<Money> parse(const QString& text);
    // Rounds the shortest text that reproduces the double (what a JSON writer prints).
    static Money fromDouble(double value);

    constexpr int64_t raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / Scale; }
    // Decimal text with "." and exactly four places, e.g. "12.5000".
    QString toPlainString() const;

    // Product rounded half away from zero to four places.
    Money operator*(Money other) const;
    Money operator*(int64_t factor) const { return Money(m_raw * factor); }
    constexpr Money operator+(Money o) const { return Money(m_raw + o.m_raw); }
    constexpr Money operator-(Money o) const { return Money(m_raw - o.m_raw); }
    constexpr Money operator-() const { return Money(-m_raw); }
    Money& operator+=(Money o)
    {
        m_raw += o.m_raw;
        return *this;
    }
    Money& operator-=(Money o)
    {
        m_raw -= o.m_raw;
        return *this;
    }
    constexpr auto operator<=>(const Money&) const = default;

private:
    constexpr explicit Money(int64_t raw)
        : m_raw(raw)
    {}
    int64_t m_raw = 0;
};

// Display formatting with Brazilian separators ("." thousands, "," decimals) whatever the
// machine's locale. The pattern follows the classic float-format notation: literal text,
// "#" optional digit, "0" required digit, "," anywhere in the integer part turns grouping on,
// "." starts the decimals. A negative value gets "-" in front of the whole text.
// Rounding to the pattern's decimals is half away from zero.
QString formatFloat(const QString& pattern, Money value);
QString formatFloat(const QString& pattern, int64_t value);

// The patterns the screens use.
inline QString formatReais(Money v)
{
    return formatFloat(QStringLiteral("R$ ###,###,##0.00"), v);
}
inline QString formatDoisDigitos(int64_t v)
{
    return formatFloat(QStringLiteral("00"), v);
}

} // namespace talvoro
