// Opening and saving histories of 1, 4 and 15 MiB, and one appended line on
// a long history, each next to its floor measured in the same run: Qt's own
// setPlainText, a bare file read and write, a bare insert at the end. Then
// the largest history that still opens in under a second, and opening at
// and beyond the box's capacity.
//
//   QT_QPA_PLATFORM=offscreen build/bench/naklon_history_bench [max MiB]

#include "history/history_box.h"
#include "history/windows1251_text.h"
#include "history/history_dialogs.h"
#include "history/history_file.h"
#include "history/history_panel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr qint64 kMiB = 1024 * 1024;

// A history as the "Хомуты" page writes it: a summary of the inputs, the
// force, an empty line, in Windows-1251 with CR LF (about 38 bytes a line).
QByteArray historyBytes(qint64 size)
{
    const QByteArray lines[] = {
        "\xCA\xEB\xE0\xF1\xF1 \xE1\xE5\xF2\xEE\xED\xE0 B20 \xCA\xEB\xE0\xF1\xF1 \xE0\xF0\xEC\xE0\xF2\xF3"
        "\xF0\xFB A300C1, \xEF\xEB\xEE\xF9\xE0\xE4\xFC 0.57 \xF1\xEC"
        "2, \xF8\xE0\xE3 15\xF1\xEC, \xF1\xE5"
        "\xF7\xE5\xED\xE8\xE5 20x40\r\n",
        "\xCF\xEE\xEF\xE5\xF0\xE5\xF7\xED\xE0\xFF \xF1\xE8\xEB\xE0   14,307.2 \xEA\xE3\r\n",
        "\r\n",
    };
    QByteArray bytes;
    bytes.reserve(size + 128);
    for (int i = 0; bytes.size() < size; ++i)
        bytes += lines[i % 3];
    bytes.truncate(size);
    return bytes;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The box as the window has it: 433 x 97, wrapped at its width, shown.
QPlainTextEdit *makeBox(QWidget *window)
{
    auto *box = new QPlainTextEdit(window);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    box->setFixedSize(433, 97);
    window->layout()->addWidget(box);
    return box;
}

// The median of `runs` timings of `step`, in milliseconds; `prepare` runs
// untimed before each.
double medianMs(int runs, const std::function<void()> &prepare, const std::function<void()> &step)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        step();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Until the box is painted: what the user waits for.
void painted(QPlainTextEdit *box)
{
    box->viewport()->repaint();
}

void row(const char *what, double ms, double floorMs, const char *floorWhat)
{
    std::printf("%-34s %9.2f ms   floor %9.2f ms (%s)   x%.2f\n", what, ms, floorMs, floorWhat, ms / floorMs);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const qint64 maxMiB = argc > 1 ? QByteArray(argv[1]).toLongLong() : 64;
    QTemporaryDir dir;
    QWidget window;
    window.setLayout(new QVBoxLayout);
    QPlainTextEdit *box = makeBox(&window);
    QPlainTextEdit *bare = makeBox(&window);
    naklon::HistoryDialogs dialogs(&window);
    naklon::HistoryPanel panel(box, dialogs);
    window.show();
    QApplication::processEvents();

    for (const qint64 mib : {qint64(1), qint64(4), qint64(15)}) {
        const int runs = mib == 1 ? 15 : mib == 4 ? 7 : 5;
        const QString path = dir.filePath(QStringLiteral("h%1.txt").arg(mib));
        const QByteArray bytes = historyBytes(mib * kMiB);
        writeFile(path, bytes);
        const QString text = naklon::readHistoryFile(path);
        std::printf("--- %lld MiB history (%lld characters)\n", static_cast<long long>(mib),
            static_cast<long long>(text.size()));

        const double read = medianMs(
            runs, [] {},
            [&] {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            volatile qsizetype n = file.readAll().size();
            (void)n;
            });
        const double setText = medianMs(
            runs, [&] { bare->clear(); },
            [&] {
            bare->setPlainText(text);
            painted(bare);
            });
        const double open = medianMs(
            runs, [&] { box->clear(); },
            [&] {
            panel.load(path);
            painted(box);
            });
        row("open (read, convert, show)", open, read + setText, "file read + setPlainText");
        std::printf("%-34s %9.2f ms + %.2f ms\n", "  floor parts: read, setPlainText", read, setText);

        const QString out = dir.filePath(QStringLiteral("out.txt"));
        const double write = medianMs(
            runs, [] {},
            [&] {
            QFile file(out);
            file.open(QIODevice::WriteOnly);
            file.write(bytes);
            });
        const double plain = medianMs(
            runs, [] {},
            [&] {
            volatile qsizetype n = bare->toPlainText().size();
            (void)n;
            });
        // The safe write as Qt makes it: a new file, flushed to the disk,
        // renamed over the old one; the program's save does the same steps.
        const double safeWrite = medianMs(
            runs, [] {},
            [&] {
            QSaveFile file(out);
            file.open(QIODevice::WriteOnly);
            file.write(bytes);
            file.commit();
            });
        const double save = medianMs(
            runs, [] {}, [&] { panel.saveTo(out); });
        QString raw;
        const double rawText = medianMs(
            runs, [] {}, [&] { raw = box->document()->toRawText(); });
        const double convert = medianMs(
            runs, [] {},
            [&] {
            volatile qsizetype n = naklon::historyBytesFromText(raw).size();
            (void)n;
            });
        row("save (text, convert, new file)", save, plain + write, "toPlainText + file write");
        row("", save, plain + safeWrite, "toPlainText + QSaveFile");
        std::printf("%-34s %9.2f ms + %.2f ms, QSaveFile %.2f ms\n", "  floor parts: toPlainText, write", plain, write,
            safeWrite);
        std::printf("%-34s %9.2f ms + %.2f ms\n", "  save parts: raw text, to bytes", rawText, convert);

        // One line appended at the end, the caret moved there and shown.
        const QString line = QStringLiteral("Q = 14 307,2 кг");
        const QString qline = line + u'\n';
        const double append = medianMs(
            runs, [] {},
            [&] {
            naklon::appendHistoryLine(box, line);
            painted(box);
            });
        const double insert = medianMs(
            runs, [] {},
            [&] {
            QTextCursor cursor(bare->document());
            cursor.movePosition(QTextCursor::End);
            cursor.insertText(qline);
            painted(bare);
            });
        row("appendHistoryLine", append, insert, "insertText at the end");
    }

    // Capacity: double the history until it no longer opens in a second.
    std::printf("--- opening ever longer histories\n");
    qint64 largest = 0;
    for (qint64 mib = 1; mib <= maxMiB; mib *= 2) {
        const QString path = dir.filePath(QStringLiteral("big.txt"));
        writeFile(path, historyBytes(mib * kMiB));
        box->clear();
        QElapsedTimer timer;
        timer.start();
        try {
            panel.load(path, {qsizetype(1) << 40, qsizetype(1) << 40}); // no capacity: it is what is measured here
        } catch (const std::exception &e) {
            std::printf("%5lld MiB: %s\n", static_cast<long long>(mib), e.what());
            break;
        }
        painted(box);
        const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        std::printf("%5lld MiB: %8.1f ms\n", static_cast<long long>(mib), ms);
        box->clear();
        QFile::remove(path);
        if (ms >= 1000)
            break;
        largest = mib;
    }
    std::printf("largest history opened in under a second: %lld MiB\n", static_cast<long long>(largest));

    // The box's capacity: what lies within it opens in a few seconds, what
    // lies beyond is refused before it is converted or laid out.
    std::printf("--- at and beyond the capacity (%lld characters, %lld lines)\n",
        static_cast<long long>(naklon::kHistoryCapacity.characters),
        static_cast<long long>(naklon::kHistoryCapacity.lines));
    const qint64 lines = naklon::kHistoryCapacity.lines;
    const qint64 fullLine = naklon::kHistoryCapacity.characters / lines - 1; // and its break
    struct Case {
        const char *what;
        qint64 lines;
        qint64 lineBytes;
    };
    const Case cases[] = {
        {"every line empty, lines full", lines - 1, 0},
        {"characters and lines full", lines - 1, fullLine},
        {"one line beyond (empty lines)", lines, 0},
        {"16 MiB of empty lines", 8 * kMiB, 0},
        {"64 MiB of one line", 1, 64 * kMiB},
    };
    for (const Case &one : cases) {
        const QString path = dir.filePath(QStringLiteral("capacity.txt"));
        const QByteArray line = QByteArray(one.lineBytes, 'a') + "\r\n";
        writeFile(path, line.repeated(one.lines));
        box->clear();
        QElapsedTimer timer;
        timer.start();
        const char *outcome = "opened";
        try {
            panel.load(path);
            painted(box);
        } catch (const std::exception &) {
            outcome = "refused";
        }
        std::printf("%-34s %9.1f ms  %s\n", one.what, static_cast<double>(timer.nsecsElapsed()) / 1e6, outcome);
        box->clear();
        QFile::remove(path);
    }
    return 0;
}
