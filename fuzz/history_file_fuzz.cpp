// The history file path on arbitrary bytes: a file's bytes are normalised
// and decoded into the history, a line is appended, and the history is
// encoded again for saving.

#include "fuzz_support.h"

#include "core/history_text.h"
#include "core/windows1251.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using naklon::fuzz::escaped;

// The rows a text box shows: the text split at every line break; a text
// ending with a line break has an empty last row.
std::vector<std::string> rows(std::string_view text)
{
    std::vector<std::string> result;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            result.emplace_back(text.substr(start));
            return result;
        }
        result.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
}

// The line breaks of a file counted as the loading rule reads them.
std::size_t lineBreaks(std::string_view bytes)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')))
            ++count;
    }
    return count;
}

std::string withoutBreaks(std::string_view text)
{
    std::string out;
    for (const char c : text)
        if (c != '\r' && c != '\n')
            out += c;
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    naklon::fuzz::FuzzInput input(data, size);
    // A page line never holds a line break or a zero byte.
    std::string lineBytes = withoutBreaks(input.field());
    const std::string_view file = input.rest();

    // Loading.
    const std::string normalised = naklon::normaliseLineBreaks(file);
    const std::string_view beforeZero = file.substr(0, file.find('\0'));
    FUZZ_CHECK(normalised.find('\0') == std::string::npos, "zero byte kept: " + escaped(file));
    FUZZ_CHECK(withoutBreaks(normalised) == withoutBreaks(beforeZero), "text changed: " + escaped(file));
    FUZZ_CHECK(normalised.find('\r') == std::string::npos, "CR kept: " + escaped(file));
    const auto breaks = static_cast<std::size_t>(std::count(normalised.begin(), normalised.end(), '\n'));
    FUZZ_CHECK(breaks == lineBreaks(beforeZero), "line breaks miscounted: " + escaped(file));
    FUZZ_CHECK(naklon::normaliseLineBreaks(normalised) == normalised, "not settled: " + escaped(file));

    const std::string history = naklon::decodeWindows1251(normalised);
    FUZZ_CHECK(history == naklon::fuzz::iconvDecode1251(normalised), "decoded differently: " + escaped(file));
    // Saving right after loading writes the normalised file back.
    FUZZ_CHECK(naklon::encodeWindows1251(history) == normalised, "load then save changed: " + escaped(file));

    // Appending a line keeps every row and adds the line on a row of its own.
    const std::string line = naklon::decodeWindows1251(lineBytes);
    const std::string appended = history + naklon::historyAppendInsertion(history, line);
    std::vector<std::string> expectedRows = rows(history);
    const bool lastRowEmpty = expectedRows.back().empty();
    if (lastRowEmpty)
        expectedRows.pop_back();
    expectedRows.push_back(line);
    if (lastRowEmpty)
        expectedRows.emplace_back();
    FUZZ_CHECK(rows(appended) == expectedRows,
        "append broke the rows: " + escaped(file) + " + line " + escaped(lineBytes));
    FUZZ_CHECK(naklon::encodeWindows1251(appended)
            == normalised + naklon::encodeWindows1251(appended.substr(history.size())),
        "saving the appended history changed its start: " + escaped(file));
    FUZZ_CHECK(naklon::normaliseLineBreaks(naklon::encodeWindows1251(appended)) == naklon::encodeWindows1251(appended),
        "a saved history does not load back as it was: " + escaped(file));
    return 0;
}
