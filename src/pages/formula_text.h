#pragma once

#include <string>
#include <utility>
#include <vector>

namespace naklon {

// How a piece of a formula stands on the line.
enum class Script { Normal, Subscript, Superscript };

// A piece of a formula: text in one script. A number (`number`) is one
// whole: a page never breaks it across two rows.
struct TextRun {
    std::string text;
    Script script = Script::Normal;
    bool number = false;

    bool operator==(const TextRun &) const = default;
};

// A symbol as a hand calculation sets it: the base letter, what stands
// below it and the power above it.
//   {"R", "bt"} is R with "bt" below; {"h", "0", "2"} is h0 squared.
struct Symbol {
    Symbol() = default;
    Symbol(std::string base, std::string subscript = {}, std::string power = {})
        : base(std::move(base)), subscript(std::move(subscript)), power(std::move(power))
    {
    }

    std::string base;
    std::string subscript;
    std::string power;

    // The symbol with "2" above it: h0 -> h0².
    Symbol squared() const { return {base, subscript, "2"}; }
};

// A formula or a part of one as a sequence of pieces, built with + from
// plain texts, symbols and numbers:
//   "Q = √(8 · " + Rbt + " · " + FormulaText::number("9,1743") + ")"
class FormulaText {
public:
    FormulaText() = default;
    FormulaText(const char *text) : FormulaText(std::string(text)) {}
    FormulaText(std::string text);
    FormulaText(const Symbol &symbol);

    // Digits as formatReadNumber or formatResult wrote them.
    static FormulaText number(std::string digits);
    // `power` set above the line: "40" + superscript("2") is 40².
    static FormulaText superscript(std::string power);

    FormulaText &operator+=(const FormulaText &more);

    const std::vector<TextRun> &runs() const { return runs_; }
    bool empty() const { return runs_.empty(); }

    // The formula on one line of plain text: a subscript follows its letter
    // as it stands, a power in Unicode's superscript digits.
    //   h0 squared -> "h0²",  R_bt -> "Rbt"
    std::string flat() const;

private:
    void append(TextRun run);

    std::vector<TextRun> runs_;
};

// The text with "2" above it: 40 -> 40².
inline FormulaText squared(FormulaText text)
{
    return text += FormulaText::superscript("2");
}

// Not a hidden friend: a text and a symbol find it too ("Q = " + Rbt).
inline FormulaText operator+(FormulaText text, const FormulaText &more)
{
    return text += more;
}

} // namespace naklon
