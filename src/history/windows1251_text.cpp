#include "history/windows1251_text.h"

#include "core/history_text.h"
#include "core/utf8.h"
#include "core/windows1251.h"

#include <array>
#include <cstdint>

namespace naklon {
namespace {

// The core's codec, tabled once for both directions.
struct Tables {
    std::array<char16_t, 256> toUnit{};
    std::array<std::int16_t, 0x10000> toByte{}; // -1: not in the code page

    Tables()
    {
        toByte.fill(-1);
        for (int byte = 0; byte < 256; ++byte) {
            // Every code point of the code page lies in the basic plane.
            const std::string utf8 = decodeWindows1251(std::string(1, static_cast<char>(byte)));
            toUnit[static_cast<std::size_t>(byte)] = static_cast<char16_t>(decodeUtf8(utf8)->codePoint);
        }
        for (char32_t unit = 0; unit < 0x10000; ++unit) {
            if (const auto byte = windows1251Byte(unit))
                toByte[unit] = *byte;
        }
    }
};

const Tables &tables()
{
    static const Tables theTables;
    return theTables;
}

bool isLineBreak(char16_t unit)
{
    return unit == u'\n' || unit == 0x2029 || unit == 0x2028;
}

} // namespace

bool holdsInHistory(char16_t unit)
{
    return unit != 0 && tables().toByte[unit] >= 0;
}

QString historyTextFromBytes(QByteArrayView bytes)
{
    const Tables &t = tables();
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (const char byte : bytes)
        *out++ = t.toUnit[static_cast<unsigned char>(byte)];
    return text;
}

QByteArray historyBytesFromText(QStringView text)
{
    const Tables &t = tables();
    const qsizetype n = text.size();
    // At most a file's line break for a unit; cut to size at the end.
    QByteArray bytes(static_cast<qsizetype>(kFileLineBreak.size()) * n, Qt::Uninitialized);
    char *out = bytes.data();
    qsizetype length = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t unit = text[i].unicode();
        if (isLineBreak(unit)) {
            for (const char byte : kFileLineBreak)
                out[length++] = byte;
        } else if (t.toByte[unit] >= 0) {
            out[length++] = static_cast<char>(t.toByte[unit]);
        } else {
            if (QChar::isHighSurrogate(unit) && i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode()))
                ++i;
            out[length++] = '?';
        }
    }
    bytes.truncate(length);
    return bytes;
}

} // namespace naklon
