#pragma once

#include <QObject>

class QPlainTextEdit;

namespace naklon {

// Keeps a history box to what its file can hold: a character that
// Windows-1251 cannot represent becomes "?" as it enters the box, however it
// enters (typed, composed by an input method, pasted, dropped, appended from
// a field's text), so what the user sees is what is saved. A line separator
// (Shift+Enter) becomes an ordinary line break. The replacement joins the
// edit that brought the character in, so one undo takes back both.
class RepertoireKeeper final : public QObject {
    Q_OBJECT

public:
    explicit RepertoireKeeper(QPlainTextEdit *box); // owned by the box

    // While a Trusted lives, text entering the box is not looked at: for the
    // program's own loads of text that is known to be in the code page.
    class Trusted {
    public:
        explicit Trusted(RepertoireKeeper &keeper) : keeper_(keeper), was_(keeper.trusted_) { keeper_.trusted_ = true; }
        ~Trusted() { keeper_.trusted_ = was_; }
        Trusted(const Trusted &) = delete;
        Trusted &operator=(const Trusted &) = delete;

    private:
        RepertoireKeeper &keeper_;
        bool was_;
    };

private:
    void noteChange(int position, int charsRemoved, int charsAdded);
    void settle();

    QPlainTextEdit *box_;
    int changedFrom_ = -1;
    int changedTo_ = -1;
    bool settling_ = false;
    bool trusted_ = false;
};

} // namespace naklon
