#pragma once

#include "window_services/error_reporter.h"

#include <QApplication>
#include <QList>
#include <QPair>
#include <QTimer>
#include <QWidget>

// Takes the error box's place for as long as it lives and records what the
// box would have shown.
class RecordingReporter final : public naklon::ErrorReporter {
public:
    RecordingReporter() : previous_(naklon::setErrorReporter(this)) {}
    ~RecordingReporter() override { naklon::setErrorReporter(previous_); }
    RecordingReporter(const RecordingReporter &) = delete;
    RecordingReporter &operator=(const RecordingReporter &) = delete;

    void show(const QString &message, const QString &caption) override { shown.append({message, caption}); }

    QList<QPair<QString, QString>> shown; // message, caption

private:
    naklon::ErrorReporter *previous_;
};

// Watches for a modal window that nobody expects (a real error box that
// slipped past the recorder): closes it, so the test cannot hang, and keeps
// its title for the test to fail on.
class ModalWatch final {
public:
    ModalWatch()
    {
        timer_.setInterval(50);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                seen_ = modal->windowTitle().isEmpty() ? QStringLiteral("(untitled)") : modal->windowTitle();
                modal->close();
            }
        });
        timer_.start();
    }

    // The title of the unexpected modal window, empty when none came up.
    QString seen() const { return seen_; }

private:
    QTimer timer_;
    QString seen_;
};
