#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace naklon {

// Whole-history conversions between a history box's text and the bytes of
// its file, in the same code page as the core's codec (they are built from
// it) but working on Qt strings directly, so a history of many megabytes is
// converted in one pass without UTF-8 in between. These are the only places
// where a history is in Windows-1251 and breaks its lines with CR LF.

// Whether the box may hold the UTF-16 unit `unit` as it is: true for every
// code point that Windows-1251 holds except the zero, which a history never
// holds; false for surrogates and everything else.
bool holdsInHistory(char16_t unit);

// File bytes, already through normaliseLineBreaks() (so "\n" breaks and no
// zero byte), to the text a box takes, byte by byte.
//   "a\nб" (bytes 61 0A E1) -> u"a\nб"
QString historyTextFromBytes(QByteArrayView bytes);

// A box's text to file bytes: a line break ("\n", or the document's own
// paragraph and line separators U+2029 and U+2028) becomes CR LF; a code
// point outside the code page becomes "?" (a surrogate pair is one code
// point).
//   u"a\u2029б" -> "a\r\n\xE1"     u"😀" -> "?"
QByteArray historyBytesFromText(QStringView text);

} // namespace naklon
