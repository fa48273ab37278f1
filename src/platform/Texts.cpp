#include "platform/Texts.h"

#include <array>
#include <limits>
#include <optional>

namespace {

struct NamedColour {
    const char* name;
    TColor value;
};

constexpr std::array<NamedColour, 20> kNamedColours{{
    {"clBlack", RGBColour(0, 0, 0)},
    {"clMaroon", RGBColour(128, 0, 0)},
    {"clGreen", RGBColour(0, 128, 0)},
    {"clOlive", RGBColour(128, 128, 0)},
    {"clNavy", RGBColour(0, 0, 128)},
    {"clPurple", RGBColour(128, 0, 128)},
    {"clTeal", RGBColour(0, 128, 128)},
    {"clGray", RGBColour(128, 128, 128)},
    {"clSilver", RGBColour(192, 192, 192)},
    {"clRed", RGBColour(255, 0, 0)},
    {"clLime", RGBColour(0, 255, 0)},
    {"clYellow", RGBColour(255, 255, 0)},
    {"clBlue", RGBColour(0, 0, 255)},
    {"clFuchsia", RGBColour(255, 0, 255)},
    {"clAqua", RGBColour(0, 255, 255)},
    {"clWhite", RGBColour(255, 255, 255)},
    {"clMoneyGreen", RGBColour(192, 220, 192)},
    {"clSkyBlue", RGBColour(166, 202, 240)},
    {"clCream", RGBColour(255, 251, 240)},
    {"clMedGray", RGBColour(160, 160, 164)},
}};

QChar asciiUpper(QChar c) {
    return (c >= u'a' && c <= u'z') ? QChar(c.unicode() - 32) : c;
}

bool sameAsciiCaseless(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (asciiUpper(a.at(i)) != asciiUpper(b.at(i)))
            return false;
    return true;
}

int digitValue(QChar c) {
    if (c >= u'0' && c <= u'9')
        return c.unicode() - '0';
    const QChar upper = asciiUpper(c);
    if (upper >= u'A' && upper <= u'F')
        return upper.unicode() - 'A' + 10;
    return -1;
}

// Decimal, or hexadecimal after "$" or "0x", with leading blanks and a sign.
// Hexadecimal texts may spell the whole 32-bit pattern ("$FFFFFFFF" is -1).
std::optional<int> integerOf(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i).unicode() <= 32)
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text.at(i) == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text.at(i) == u'0' && asciiUpper(text.at(i + 1)) == u'X') {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(text.at(i));
        if (digit < 0 || digit >= base)
            return std::nullopt;
        value = value * base + digit;
        if (value > std::numeric_limits<quint32>::max())
            return std::nullopt;
    }
    if (base == 16 && value > std::numeric_limits<int>::max())
        value -= qint64(1) << 32;
    if (negative)
        value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

} // namespace

QString LeftChars(const QString& text, qsizetype count) {
    return text.left(qMax<qsizetype>(count, 0));
}

QString BoolToText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool TextToBool(const QString& text, bool defaultValue) {
    if (sameAsciiCaseless(text, "TRUE") || sameAsciiCaseless(text, "YES") || text == "-1")
        return true;
    if (sameAsciiCaseless(text, "FALSE") || sameAsciiCaseless(text, "NO") || text == "0")
        return false;
    return defaultValue;
}

int TextToInteger(const QString& text, int defaultValue) {
    return integerOf(text).value_or(defaultValue);
}

TColor TextToColour(const QString& text, TColor defaultValue) {
    for (const NamedColour& named : kNamedColours)
        if (sameAsciiCaseless(text, QLatin1String(named.name)))
            return named.value;
    if (const std::optional<int> value = integerOf(text))
        return TColor(*value);
    return defaultValue;
}

QString ColourToText(TColor colour) {
    for (const NamedColour& named : kNamedColours)
        if (named.value == colour)
            return QLatin1String(named.name);
    return QStringLiteral("$%1").arg(colour, 8, 16, QChar(u'0')).toUpper();
}

bool ContainsText(const QString& part, const QString& text) {
    if (part.isEmpty())
        return true;
    for (qsizetype start = 0; start + part.size() <= text.size(); ++start) {
        qsizetype i = 0;
        while (i < part.size() && asciiUpper(part.at(i)) == asciiUpper(text.at(start + i)))
            ++i;
        if (i == part.size())
            return true;
    }
    return false;
}
