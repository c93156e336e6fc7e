#pragma once

#include <QString>

#include <exception>

namespace naklon {

// Shows one failure to the user. The program shows a message box; tests put
// a recorder in its place.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void show(const QString &message, const QString &caption) = 0;
};

// The box every failure ends in: the stop icon, the caption, the message
// and one "OK" button, modal for the whole application and placed over the
// window that was active.
class MessageBoxReporter final : public ErrorReporter {
public:
    void show(const QString &message, const QString &caption) override;
};

// Puts `reporter` in charge (nullptr: the message box again) and returns the
// one that was. The reporter is not owned.
ErrorReporter *setErrorReporter(ErrorReporter *reporter);

// The caption of every error box: the program file's name as the title rule
// makes it ("naklon" for the executable naklon).
QString applicationTitleText();

// The application's one error handler. Releases a mouse grab, puts the
// floating-point settings back, shows the message with the closing full stop
// through the current reporter, and afterwards activates the window that was
// active. Never throws.
void reportFailure(const QString &message) noexcept;

// The message of whatever was thrown: what() of a standard exception (UTF-8),
// a fixed text for anything else.
QString failureMessage(const std::exception_ptr &failure);

// Runs `handler`; a failure that leaves it goes to reportFailure and goes no
// further. This is the guard around every handler of the windows.
template <typename Handler>
void runGuarded(Handler &&handler) noexcept
{
    try {
        handler();
    } catch (...) {
        reportFailure(failureMessage(std::current_exception()));
    }
}

} // namespace naklon
