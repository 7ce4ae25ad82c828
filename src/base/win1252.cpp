#include "win1252.h"

namespace talvoro {

namespace {

// Code points of 0x80..0x9F; 0 marks the five bytes Windows-1252 leaves undefined.
constexpr char16_t kAlto[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char paraByte(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i) {
        if (kAlto[i] != 0 && kAlto[i] == cp)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

QByteArray paraWin1252(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t cp = text.at(i).unicode();
        if (QChar::isHighSurrogate(cp) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            cp = QChar::surrogateToUcs4(text.at(i).unicode(), text.at(i + 1).unicode());
            ++i;
        }
        out.append(paraByte(cp));
    }
    return out;
}

QString deWin1252(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b <= 0x9F)
            out.append(QChar(kAlto[b - 0x80] != 0 ? kAlto[b - 0x80] : u'?'));
        else
            out.append(QChar(char16_t(b)));
    }
    return out;
}

} // namespace talvoro
