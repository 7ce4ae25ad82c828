#include "base/money.h"

#include <gtest/gtest.h>

using talvoro::Money;

TEST(Money, ParseRoundsHalfAwayFromZeroToFourPlaces)
{
    struct Caso
    {
        const char* texto;
        int64_t raw;
    } casos[] = {
        {"10.50", 105000},
        {"0.00005", 1},
        {"0.000049999", 0},
        {"-0.00005", -1},
        {"12345678901234.5678", 123456789012345678},
        {" 7 ", 70000},
        {"1e3", 10000000},
        {"2.5E-3", 25},
        {"0", 0},
        {".5", 5000},
    };
    for (const auto& c : casos) {
        const auto m = Money::parse(std::string_view(c.texto));
        ASSERT_TRUE(m.has_value()) << c.texto;
        EXPECT_EQ(m->raw(), c.raw) << c.texto;
    }
}

TEST(Money, ParseRejectsTextThatIsNotANumber)
{
    for (const char* t : {"", "abc", "1,5", "10.5x", "--1", "1e", "99999999999999999999"})
        EXPECT_FALSE(Money::parse(std::string_view(t)).has_value()) << t;
}

TEST(Money, FromDoubleUsesTheShortestDecimalText)
{
    EXPECT_EQ(Money::fromDouble(10.5).raw(), 105000);
    EXPECT_EQ(Money::fromDouble(0.1 + 0.2).raw(), 3000); // 0.30000000000000004
    EXPECT_EQ(Money::fromDouble(42.99).raw(), 429900);
}

TEST(Money, ProductRoundsToFourPlaces)
{
    EXPECT_EQ((Money::parse(std::string_view("3.3333")).value() * Money::fromUnits(3)).raw(),
              99999);
    EXPECT_EQ((Money::parse(std::string_view("0.00015")).value() *
               Money::parse(std::string_view("0.5")).value())
                  .raw(),
              1); // 0.000075 -> 0.0001
}

TEST(Money, BrazilianFormats)
{
    struct Caso
    {
        const char* padrao;
        const char* valor;
        const char* esperado;
    } casos[] = {
        {"R$ ###,###,##0.00", "1234567.5", "R$ 1.234.567,50"},
        {"R$ ###,###,##0.00", "0", "R$ 0,00"},
        {"R$ ###,###,##0.00", "7.505", "R$ 7,51"},
        {"R$ ###,###,##0.00", "-7.5", "-R$ 7,50"},
        {"###,###,##0.00", "999.999", "1.000,00"},
        {"0.000", "1.5", "1,500"},
        {"00", "7", "07"},
        {"00", "123", "123"},
        {"000", "5", "005"},
    };
    for (const auto& c : casos) {
        const Money m = Money::parse(std::string_view(c.valor)).value();
        EXPECT_EQ(talvoro::formatFloat(QString::fromUtf8(c.padrao), m),
                  QString::fromUtf8(c.esperado))
            << c.padrao << " " << c.valor;
    }
    EXPECT_EQ(talvoro::formatDoisDigitos(3), QStringLiteral("03"));
}
