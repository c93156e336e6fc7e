// The history panels of the main window through their real buttons and the
// real shared file dialogs: the bytes of the files they write and read, the
// failures, the characters a box takes, and the names the dialogs offer.

#include "core/failures.h"
#include "history/history_box.h"
#include "history/history_dialogs.h"
#include "history/history_document.h"
#include "history/history_panel.h"
#include "support/history_append_rows.h"
#include "support/system_errors.h"
#include "support/window_test_support.h"
#include "main_window/zeverozozod.h"
#include "pages/stirrups.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QAction>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>
#include <QtGui/private/qzipreader_p.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <optional>

namespace {

struct PageControls {
    const char *memo;
    const char *clear;
    const char *open;
    const char *save;
};

constexpr PageControls kPages[] = {
    {"Memo1", "Button2", "Button4", "Button3"},
    {"Memo2", "Button7", "Button5", "Button8"},
    {"Memo3", "Button11", "Button9", "Button12"},
    {"Memo4", "Button15", "Button13", "Button16"},
    {"Memo5", "Button19", "Button17", "Button20"},
    {"Memo6", "Button23", "Button21", "Button24"},
};

// What a dialog showed when it came up.
struct Shown {
    QString dialog;    // its object name
    QString directory; // the folder it showed
    QString name;      // the name filled in
    QRect geometry;
    Qt::WindowModality modality;
};

// Answers the file dialogs the test expects, in order: a path typed into
// the name field and accepted, or a cancel. Any other modal window, or a
// dialog nobody expected, is closed and recorded, so a test never hangs.
class DialogDriver final {
public:
    DialogDriver()
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { poll(); });
        timer_.start();
    }

    void answer(std::optional<QString> path) { answers_.push_back(std::move(path)); }
    // Answers the next question box with the button of that text, or with
    // the Escape key for "Escape".
    void answerQuestion(const QString &button) { questionAnswers_.push_back(button); }

    QList<Shown> shown;
    QStringList questions; // the texts of the question boxes answered
    QStringList unexpected;
    int pending() const { return static_cast<int>(answers_.size() + questionAnswers_.size()); }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        auto *question = qobject_cast<QMessageBox *>(modal);
        if (question && !questionAnswers_.empty()) {
            questions << question->text();
            const QString button = questionAnswers_.front();
            questionAnswers_.pop_front();
            if (button == QStringLiteral("Escape")) {
                QTest::keyClick(question, Qt::Key_Escape);
                return;
            }
            for (QAbstractButton *choice : question->buttons()) {
                if (choice->text() == button)
                    choice->click();
            }
            return;
        }
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog || answers_.empty()) {
            unexpected << (modal->objectName().isEmpty() ? modal->windowTitle() : modal->objectName());
            modal->close();
            return;
        }
        auto *typed = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        shown.append({dialog->objectName(), dialog->directory().absolutePath(), typed ? typed->text() : QString(),
            dialog->frameGeometry(), dialog->windowModality()});
        const std::optional<QString> path = answers_.front();
        answers_.pop_front();
        if (!path) {
            dialog->reject();
            return;
        }
        // As a user typing into the name field: the file the dialog had
        // selected in its list is selected no more.
        if (auto *list = dialog->findChild<QAbstractItemView *>(QStringLiteral("listView")))
            list->clearSelection();
        typed->setText(*path);
        static_cast<QDialog *>(dialog)->accept(); // as the dialog's own button does
    }

    QTimer timer_;
    std::deque<std::optional<QString>> answers_;
    std::deque<QString> questionAnswers_;
};

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void sendText(QWidget *widget, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

} // namespace

class HistoryPanelTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        dir.emplace(); // fresh folders for every test
        home.emplace();
        QVERIFY(dir->isValid() && home->isValid());
        // The dialogs start in the working folder; the files are elsewhere.
        QDir::setCurrent(home->path());
        window = std::make_unique<TForm1>();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        driver = std::make_unique<DialogDriver>();
    }
    void cleanup()
    {
        if (driver) {
            QCOMPARE(driver->unexpected, QStringList());
            QCOMPARE(driver->pending(), 0);
        }
        driver.reset();
        window.reset();
    }

    void appendHistoryLine_data();
    void appendHistoryLine();
    void appendingOnlyInsertsAtTheEnd();
    void savedBytes_data();
    void savedBytes();
    void openedThenSaved_data();
    void openedThenSaved();
    void openShowsTheTextFromItsStart();
    void openingTheTextAlreadyThereLeavesTheBoxAlone();
    void failuresLeaveTheHistoryAsItWas_data();
    void failuresLeaveTheHistoryAsItWas();
    void aFileOverTheCapacityLeavesTheHistory_data();
    void aFileOverTheCapacityLeavesTheHistory();
    void charactersOutsideTheCodePage_data();
    void charactersOutsideTheCodePage();
    void oneUndoTakesBackACharacterAndItsQuestionMark();
    void firstSaveWritesTheOfferedName();
    void dialogsRememberTheirNames();
    void dialogIsPlacedModalAndGivesTheFocusBack();
    void rowsBreakOnlyAtBlanks_data();
    void rowsBreakOnlyAtBlanks();
    void dialogsWriteSizesInRussian_data();
    void dialogsWriteSizesInRussian();
    void aPdfGivesBackEveryLine();
    void theReportGoesToAWordProcessor();
    void closingAsksOnlyWhenAHistoryWouldBeLost_data();
    void closingAsksOnlyWhenAHistoryWouldBeLost();

private:
    QPlainTextEdit *memo(int page)
    {
        return window->findChild<QPlainTextEdit *>(QString::fromLatin1(kPages[page - 1].memo));
    }
    QPushButton *button(const char *name) { return window->findChild<QPushButton *>(QString::fromLatin1(name)); }
    void press(const char *name)
    {
        QPushButton *b = button(name);
        QVERIFY2(b, name);
        b->click();
    }
    void clear(int page) { press(kPages[page - 1].clear); }
    void open(int page, std::optional<QString> path)
    {
        driver->answer(std::move(path));
        press(kPages[page - 1].open);
    }
    void save(int page, std::optional<QString> path)
    {
        driver->answer(std::move(path));
        press(kPages[page - 1].save);
    }
    // Types `text` at the end of the box, as keys.
    void typeAtEnd(int page, const QString &text)
    {
        memo(page)->moveCursor(QTextCursor::End);
        for (const QChar c : text) {
            if (c == u'\n')
                QTest::keyClick(memo(page), Qt::Key_Return);
            else
                sendText(memo(page), QString(c));
        }
    }
    void act(int page, const QString &action)
    {
        if (action == QStringLiteral("clear"))
            clear(page);
        else if (action.startsWith(QStringLiteral("append:")))
            naklon::appendHistoryLine(memo(page), QStringView(action).mid(7));
        else if (action.startsWith(QStringLiteral("type:")))
            typeAtEnd(page, action.mid(5));
        else if (action == QStringLiteral("save"))
            save(page, path(QStringLiteral("kept.txt")));
        else if (action == QStringLiteral("open")) {
            writeFile(path(QStringLiteral("opened.txt")), "from a file\r\n");
            open(page, path(QStringLiteral("opened.txt")));
        } else
            QFAIL(qPrintable(action));
    }
    QString path(const QString &name) const { return dir->filePath(name); }

    std::optional<QTemporaryDir> dir;
    std::optional<QTemporaryDir> home;
    std::unique_ptr<TForm1> window;
    std::unique_ptr<DialogDriver> driver;
};

void HistoryPanelTest::appendHistoryLine_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("after");

    for (const naklon::test::HistoryAppendRow &row : naklon::test::kHistoryAppendRows) {
        QStringList lines;
        for (const char *line : row.lines)
            lines << QString::fromUtf8(line);
        QTest::newRow(row.name) << QString::fromUtf8(row.before) << lines << QString::fromUtf8(row.after);
    }
}

void HistoryPanelTest::appendHistoryLine()
{
    QFETCH(QString, before);
    QFETCH(QStringList, lines);
    QFETCH(QString, after);

    QPlainTextEdit box;
    box.setPlainText(before);
    for (const QString &line : lines)
        naklon::appendHistoryLine(&box, line);
    QCOMPARE(box.toPlainText(), after);
    QCOMPARE(box.textCursor().position(), after.size());
    QVERIFY(!box.textCursor().hasSelection());
}

void HistoryPanelTest::appendingOnlyInsertsAtTheEnd()
{
    QPlainTextEdit box;
    box.setPlainText(naklon::initialHistoryText());
    QCOMPARE(box.toPlainText(), QStringLiteral("\n"));
    for (int i = 0; i < 200; ++i)
        naklon::appendHistoryLine(&box, u"Поперечная сила   14,307.2 кг");

    // A long history is never rebuilt: one more line is one insertion at the
    // end, nothing removed.
    QList<QList<int>> changes;
    connect(box.document(), &QTextDocument::contentsChange, &box, [&changes](int position, int removed, int added) {
        changes.append({position, removed, added});
    });
    const int end = box.document()->characterCount() - 1;
    naklon::appendHistoryLine(&box, u"L");
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.front().at(0), end);
    QCOMPARE(changes.front().at(1), 0);
}

void HistoryPanelTest::savedBytes_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QByteArray>("file");

    const QString l1 = QStringLiteral("Бетон B20, арматура A300");
    const QString l2 = QStringLiteral("Q = 1 234,5 кг");
    const QByteArray b1 = "\xC1\xE5\xF2\xEE\xED B20, \xE0\xF0\xEC\xE0\xF2\xF3\xF0\xE0 A300";
    const QByteArray b2 = "Q = 1 234,5 \xEA\xE3";
    const QStringList calculation{"append:" + l1, "append:" + l2, "append:"};

    QTest::newRow("start: one empty line") << 1 << QStringList() << QByteArray("\r\n");
    QTest::newRow("after clear: 0 bytes") << 1 << QStringList{"clear"} << QByteArray();
    QTest::newRow("one calculation from start") << 1 << calculation << "\r\n" + b1 + "\r\n" + b2 + "\r\n\r\n";
    QTest::newRow("one calculation after clear")
        << 1 << QStringList{"clear"} + calculation << b1 + "\r\n" + b2 + "\r\n\r\n";
    QTest::newRow("typed text, then a result on its own line")
        << 1 << QStringList{"type:abc", "append:L1"} << QByteArray("\r\nabc\r\nL1");
    QTest::newRow("Enter typed is CR LF") << 1 << QStringList{"type:a\nб"} << QByteArray("\r\na\r\n\xE1");
    for (int page = 2; page <= 6; ++page) {
        QTest::addRow("page %d cleared and calculated", page)
            << page << QStringList{"clear", "append:" + l2, "append:"} << b2 + "\r\n\r\n";
    }
}

void HistoryPanelTest::savedBytes()
{
    QFETCH(int, page);
    QFETCH(QStringList, actions);
    QFETCH(QByteArray, file);
    RecordingReporter reporter;
    for (const QString &action : actions)
        act(page, action);
    save(page, path("saved.txt"));
    QCOMPARE(contents(path("saved.txt")), file);
    QCOMPARE(reporter.shown.size(), 0);

    // Saving over the file replaces it without a question.
    act(page, QStringLiteral("append:more"));
    save(page, path("saved.txt"));
    QVERIFY(contents(path("saved.txt")).startsWith(file.left(file.size() - 2)));
    QVERIFY(contents(path("saved.txt")) != file);
}

void HistoryPanelTest::openedThenSaved_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QByteArray>("saved");

    QTest::newRow("empty file, then a line lands on the first line")
        << QByteArray() << QStringList{"append:L1"} << QByteArray("L1\r\n");
    QTest::newRow("no final break, then L1, empty, L2")
        << QByteArray("x") << QStringList{"append:L1", "append:", "append:L2"} << QByteArray("x\r\nL1\r\nL2\r\n");
    QTest::newRow("LF only is saved with CR LF") << QByteArray("a\nb\n") << QStringList() << QByteArray("a\r\nb\r\n");
    QTest::newRow("CR only") << QByteArray("a\rb") << QStringList() << QByteArray("a\r\nb");
    QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QStringList() << QByteArray("a\r\n\r\nb");
    QTest::newRow("zero byte ends the text") << QByteArray("ab\r\n\0cd", 7) << QStringList() << QByteArray("ab\r\n");
    QTest::newRow("final break stays, append after it")
        << QByteArray("a\r\n") << QStringList{"append:b"} << QByteArray("a\r\nb\r\n");
    QTest::newRow("typed after loading") << QByteArray("a") << QStringList{"type:\nz"} << QByteArray("a\r\nz");
}

void HistoryPanelTest::openedThenSaved()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, actions);
    QFETCH(QByteArray, saved);
    RecordingReporter reporter;
    writeFile(path("in.txt"), file);
    open(2, path("in.txt"));
    for (const QString &action : actions)
        act(2, action);
    save(2, path("out.txt"));
    QCOMPARE(contents(path("out.txt")), saved);
    QCOMPARE(contents(path("in.txt")), file);
    QCOMPARE(reporter.shown.size(), 0);

    // Saved and opened again, the history is exactly as it was.
    const QString before = memo(2)->document()->toRawText();
    clear(2);
    open(2, path("out.txt"));
    QCOMPARE(reporter.shown, (QList<QPair<QString, QString>>()));
    QCOMPARE(memo(2)->document()->toRawText(), before);
}

void HistoryPanelTest::openShowsTheTextFromItsStart()
{
    QByteArray file;
    for (int i = 0; i < 500; ++i)
        file += "строка " + QByteArray::number(i) + "\r\n";
    writeFile(path("long.txt"), file);
    memo(3)->moveCursor(QTextCursor::End);
    // The busy cursor is up while the box is filled, and gone afterwards.
    QList<Qt::CursorShape> cursors;
    const auto sampler = connect(memo(3)->document(), &QTextDocument::contentsChanged, this, [&cursors] {
        const QCursor *shown = QGuiApplication::overrideCursor();
        cursors.append(shown ? shown->shape() : Qt::ArrowCursor);
    });
    open(3, path("long.txt"));
    disconnect(sampler);
    QVERIFY(!cursors.isEmpty());
    QCOMPARE(cursors.count(Qt::WaitCursor), cursors.size());
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QCOMPARE(memo(3)->document()->blockCount(), 501);
    QCOMPARE(memo(3)->textCursor().position(), 0);
    QVERIFY(!memo(3)->textCursor().hasSelection());
    QCOMPARE(memo(3)->verticalScrollBar()->value(), 0);
    QVERIFY(memo(3)->verticalScrollBar()->maximum() > 0);
}

void HistoryPanelTest::openingTheTextAlreadyThereLeavesTheBoxAlone()
{
    typeAtEnd(1, QStringLiteral("ab"));
    writeFile(path("same.txt"), "\r\nab");
    writeFile(path("other.txt"), "\r\nac");
    memo(1)->moveCursor(QTextCursor::Left);
    const int caret = memo(1)->textCursor().position();
    const int revision = memo(1)->document()->revision();

    open(1, path("same.txt"));
    QCOMPARE(memo(1)->document()->revision(), revision);
    QCOMPARE(memo(1)->textCursor().position(), caret);
    QVERIFY(memo(1)->document()->isUndoAvailable());

    open(1, path("other.txt"));
    QCOMPARE(memo(1)->toPlainText(), QStringLiteral("\nac"));
    QCOMPARE(memo(1)->textCursor().position(), 0);
}

// What a row of failuresLeaveTheHistoryAsItWas does with its file.
enum FileAction { OpenHistory, SaveHistory, SavePdf, SaveReportPdf, SaveReportOdt };

void HistoryPanelTest::failuresLeaveTheHistoryAsItWas_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("error");

    QTest::newRow("open: missing file") << int(OpenHistory) << "missing.txt" << system_errors::kNoFile;
    QTest::newRow("open: missing folder") << int(OpenHistory) << "nowhere/h.txt" << system_errors::kNoFolder;
    QTest::newRow("open: path through a regular file")
        << int(OpenHistory) << "plain.txt/h.txt" << system_errors::kFileAsFolder;
    QTest::newRow("save: missing folder") << int(SaveHistory) << "nowhere/h.txt" << system_errors::kNoFolder;
    QTest::newRow("save: path through a regular file")
        << int(SaveHistory) << "plain.txt/h.txt" << system_errors::kFileAsFolder;
    QTest::newRow("PDF: missing folder") << int(SavePdf) << "nowhere/h.pdf" << system_errors::kNoFolder;
    QTest::newRow("PDF: path through a regular file")
        << int(SavePdf) << "plain.txt/h.pdf" << system_errors::kFileAsFolder;
    QTest::newRow("report PDF: path through a regular file")
        << int(SaveReportPdf) << "plain.txt/r.pdf" << system_errors::kFileAsFolder;
    QTest::newRow("report ODT: missing folder") << int(SaveReportOdt) << "nowhere/r.odt" << system_errors::kNoFolder;
}

void HistoryPanelTest::failuresLeaveTheHistoryAsItWas()
{
    QFETCH(int, action);
    QFETCH(QString, name);
    QFETCH(int, error);
    RecordingReporter reporter;
    writeFile(path("plain.txt"), "x");
    act(5, QStringLiteral("append:L1"));
    const QString before = memo(5)->document()->toRawText();

    if (action == OpenHistory) {
        open(5, path(name));
    } else if (action == SaveHistory) {
        save(5, path(name));
    } else {
        const char *const documents[] = {"savePdfAction", "reportPdfAction", "reportOdtAction"};
        driver->answer(path(name));
        memo(5)->findChild<QAction *>(QString::fromLatin1(documents[action - SavePdf]))->trigger();
    }

    const QString message = QStringLiteral("Cannot %1 file \"%2\". %3.")
                                .arg(action == OpenHistory ? QStringLiteral("open") : QStringLiteral("create"),
                                    system_errors::shownPath(path(name)), system_errors::osText(error));
    QCOMPARE(reporter.shown.size(), 1);
    QCOMPARE(reporter.shown.first().first, message);
    QCOMPARE(memo(5)->document()->toRawText(), before);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QCOMPARE(contents(path("plain.txt")), QByteArray("x"));
    QCOMPARE(QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        QStringList{"plain.txt"});
}

void HistoryPanelTest::aFileOverTheCapacityLeavesTheHistory_data()
{
    QTest::addColumn<QByteArray>("file");

    // A box of 4 characters and 3 lines.
    QTest::newRow("five letters") << QByteArray("abcde");
    QTest::newRow("five LF breaks") << QByteArray("\n\n\n\n\n");
    QTest::newRow("three breaks: four lines") << QByteArray("\n\n\n");
}

void HistoryPanelTest::aFileOverTheCapacityLeavesTheHistory()
{
    QFETCH(QByteArray, file);
    writeFile(path("big.txt"), file);
    QWidget owner;
    auto *box = new QPlainTextEdit(&owner);
    naklon::HistoryDialogs dialogs(&owner);
    naklon::HistoryPanel panel(box, dialogs);
    naklon::appendHistoryLine(box, u"L1");
    box->moveCursor(QTextCursor::End);
    const int revision = box->document()->revision();
    QString message;
    try {
        panel.load(path("big.txt"), {4, 3});
    } catch (const naklon::Exception &e) {
        message = QString::fromUtf8(e.what());
    }
    QCOMPARE(message, QStringLiteral("Text exceeds memo capacity"));
    QCOMPARE(box->toPlainText(), QStringLiteral("L1\n"));
    QCOMPARE(box->document()->revision(), revision);
    QCOMPARE(box->textCursor().position(), 3);
}

void HistoryPanelTest::charactersOutsideTheCodePage_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("typed Cyrillic stays") << "key"
                                          << "Ёж"
                                          << "Ёж";
    QTest::newRow("typed euro sign stays") << "key"
                                           << "€"
                                           << "€";
    QTest::newRow("typed CJK") << "key"
                               << "中"
                               << "?";
    QTest::newRow("typed emoji: one code point, one mark") << "key"
                                                           << "😀"
                                                           << "?";
    QTest::newRow("pasted mixture") << "paste"
                                    << "a中b😀c≤d"
                                    << "a?b?c?d";
    QTest::newRow("pasted lines stay lines") << "paste"
                                             << "a\nб\r\nc"
                                             << "a\nб\nc";
    QTest::newRow("pasted zero") << "paste" << QStringLiteral("a") + QChar(0) + u'b' << "a?b";
    QTest::newRow("input method commit") << "im"
                                         << "≥ 5"
                                         << "? 5";
    QTest::newRow("appended from a field") << "append"
                                           << "x ≈ y"
                                           << "x ? y\n";
    QTest::newRow("Shift+Enter is a plain line break") << "shift-enter"
                                                       << ""
                                                       << "\n";
}

void HistoryPanelTest::charactersOutsideTheCodePage()
{
    QFETCH(QString, how);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QPlainTextEdit *box = memo(4);
    clear(4);
    box->setFocus();
    if (how == QStringLiteral("key")) {
        sendText(box, text);
    } else if (how == QStringLiteral("paste")) {
        QGuiApplication::clipboard()->setText(text);
        box->paste();
    } else if (how == QStringLiteral("im")) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(box, &event);
    } else if (how == QStringLiteral("append")) {
        naklon::appendHistoryLine(box, text);
    } else {
        QTest::keyClick(box, Qt::Key_Return, Qt::ShiftModifier);
    }
    QCOMPARE(box->toPlainText(), shown);
    QCOMPARE(box->document()->toRawText().contains(QChar::LineSeparator), false);
    // The caret stays after what came in.
    if (how != QStringLiteral("append"))
        QCOMPARE(box->textCursor().position(), box->document()->characterCount() - 1);
}

void HistoryPanelTest::oneUndoTakesBackACharacterAndItsQuestionMark()
{
    QPlainTextEdit *box = memo(1);
    box->setFocus();
    typeAtEnd(1, QStringLiteral("a"));
    QGuiApplication::clipboard()->setText(QStringLiteral("中中"));
    box->paste();
    QCOMPARE(box->toPlainText(), QStringLiteral("\na??"));
    box->undo();
    QCOMPARE(box->toPlainText(), QStringLiteral("\na"));
    box->redo();
    QCOMPARE(box->toPlainText(), QStringLiteral("\na??"));
}

void HistoryPanelTest::firstSaveWritesTheOfferedName()
{
    // Confirming the offered name as it is: "хомуты" in the folder the
    // dialog shows, with "txt" added.
    driver->answer(QStringLiteral("хомуты"));
    press("Button3");
    QCOMPARE(driver->shown.size(), 1);
    const Shown &shown = driver->shown.first();
    QCOMPARE(shown.dialog, QStringLiteral("SaveDialog1"));
    QCOMPARE(shown.name, QStringLiteral("хомуты"));
    QCOMPARE(contents(QDir(shown.directory).filePath(QStringLiteral("хомуты.txt"))), QByteArray("\r\n"));
}

void HistoryPanelTest::dialogsRememberTheirNames()
{
    RecordingReporter reporter;
    writeFile(path("a.txt"), "A");
    writeFile(path("b.txt"), "B");
    const QString cwd = QDir::currentPath();

    struct Step {
        int page;
        bool saving;
        std::optional<QString> answer;
        QString offeredFolder; // the folder and name the dialog showed
        QString offeredName;
    };
    const Step steps[] = {
        {4, false, std::nullopt, cwd, QString()},        // nothing opened yet; cancelled
        {1, false, path("a.txt"), cwd, QString()},       // still nothing after the cancel
        {4, false, std::nullopt, dir->path(), "a.txt"},  // page 4 offers page 1's file; cancelled
        {2, true, std::nullopt, cwd, "хомуты"},          // opening never changes the save name
        {6, false, path("b.txt"), dir->path(), "a.txt"}, // the cancel kept the name
        {3, true, path("saves/c"), cwd, "хомуты"},       // a name without extension: "txt" added
    };
    QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("saves")));
    for (const Step &step : steps) {
        if (step.saving)
            save(step.page, step.answer);
        else
            open(step.page, step.answer);
    }
    // After the saves and opens above: the save dialog offers the saved
    // file, the open dialog the last opened one.
    save(5, std::nullopt);
    open(5, std::nullopt);

    QCOMPARE(reporter.shown.size(), 0);
    QCOMPARE(driver->shown.size(), int(std::size(steps)) + 2);
    for (int i = 0; i < int(std::size(steps)); ++i) {
        const Shown &shown = driver->shown.at(i);
        QCOMPARE(shown.dialog, steps[i].saving ? QStringLiteral("SaveDialog1") : QStringLiteral("OpenDialog1"));
        QCOMPARE(shown.directory, steps[i].offeredFolder);
        QCOMPARE(shown.name, steps[i].offeredName);
    }
    QCOMPARE(driver->shown.at(6).directory, path("saves"));
    QCOMPARE(driver->shown.at(6).name, QStringLiteral("c.txt"));
    QCOMPARE(driver->shown.at(7).name, QStringLiteral("b.txt"));
    QCOMPARE(contents(path("saves/c.txt")), QByteArray("\r\n"));
    QCOMPARE(memo(1)->toPlainText(), QStringLiteral("A"));
    QCOMPARE(memo(6)->toPlainText(), QStringLiteral("B"));
    QCOMPARE(memo(4)->toPlainText(), QStringLiteral("\n"));
}

void HistoryPanelTest::dialogIsPlacedModalAndGivesTheFocusBack()
{
    QPushButton *saveButton = button("Button3");
    saveButton->setFocus();
    driver->answer(path("f.txt"));
    QTest::keyClick(saveButton, Qt::Key_Space);
    QCOMPARE(driver->shown.size(), 1);
    const Shown &shown = driver->shown.first();
    QCOMPARE(shown.modality, Qt::ApplicationModal);
    const QRect screen = window->screen()->geometry();
    QCOMPARE(shown.geometry.topLeft(), naklon::HistoryDialogs::placeOnScreen(screen, shown.geometry.size()));
    QTRY_COMPARE(QApplication::focusWidget(), saveButton);
    QCOMPARE(contents(path("f.txt")), QByteArray("\r\n"));
}

void HistoryPanelTest::dialogsWriteSizesInRussian_data()
{
    QTest::addColumn<int>("bytes");
    QTest::addColumn<QString>("shown");

    QTest::newRow("one") << 1 << "1 байт";
    QTest::newRow("three") << 3 << "3 байта";
    QTest::newRow("five") << 5 << "5 байт";
    QTest::newRow("twelve") << 12 << "12 байт";
    QTest::newRow("twenty-two") << 22 << "22 байта";
    // The decimal separator is the locale's, as in the date beside it.
    QTest::newRow("kilobytes") << 5000 << "4" + QLocale().decimalPoint() + "88 КБ";
}

void HistoryPanelTest::dialogsWriteSizesInRussian()
{
    QFETCH(int, bytes);
    QFETCH(QString, shown);
    QFile file(path("size.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(bytes, 'x'));
    file.close();

    naklon::HistoryDialogs dialogs(window.get());
    QAbstractProxyModel *list = dialogs.saveDialog()->proxyModel();
    auto *files = qobject_cast<QFileSystemModel *>(list->sourceModel());
    QVERIFY(files);
    const QModelIndex size = list->mapFromSource(files->index(path("size.txt"), 1));
    QCOMPARE(list->data(size, Qt::DisplayRole).toString(), shown);
}

void HistoryPanelTest::rowsBreakOnlyAtBlanks_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("line");

    const QString comma = "Поперечная сила Q при (2h0) 4,954.1кг и 14,307.2кг при Rsw=2,293.57";
    const QString point = "Поперечная сила Q при (2h0) 4.954,1кг и 14.307,2кг при Rsw=2.293,57";
    for (const int width : {433, 300, 200, 150})
        QTest::addRow("\",\" thousands, %d px", width) << width << comma;
    for (const int width : {433, 200})
        QTest::addRow("\".\" thousands, %d px", width) << width << point;
    QTest::newRow("a run longer than a row still breaks") << 150 << "Q=" + QString(60, QLatin1Char('7')) + " кг";
    QTest::newRow("a tab breaks as a blank does, 200 px")
        << 200 << "Поперечная сила\tQ при (2h0)\t4,954.1кг\tи\t14,307.2кг при\tRsw=2,293.57";
}

void HistoryPanelTest::rowsBreakOnlyAtBlanks()
{
    QFETCH(int, width);
    QFETCH(QString, line);

    auto *box = window->findChild<QPlainTextEdit *>(QString::fromLatin1(kPages[0].memo));
    box->resize(width, box->height());
    box->setPlainText(line);
    const QTextBlock block = box->document()->firstBlock();
    box->document()->documentLayout()->blockBoundingRect(block); // laid out as for painting
    const QTextLayout *layout = block.layout();
    if (width < 433)
        QVERIFY(layout->lineCount() > 1);
    QCOMPARE(block.lineCount(), layout->lineCount());
    QStringList rows;
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine row = layout->lineAt(i);
        const QString shown = line.mid(row.textStart(), row.textLength());
        const int end = row.textStart() + row.textLength();
        const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
        const bool atBlank = end == line.size() || blank(line.at(end - 1));
        QVERIFY2(atBlank || std::none_of(shown.begin(), shown.end(), blank), qPrintable(shown));
        QVERIFY2(row.naturalTextWidth() <= row.width() + 1 || !shown.trimmed().contains(QLatin1Char(' ')),
            qPrintable(shown));
        QString kept = shown;
        while (!kept.isEmpty() && blank(kept.back()))
            kept.chop(1);
        rows << kept;
    }
    // A printed history breaks its rows by the same rule, at the same places
    // for the same width and font.
    const QStringList printed =
        naklon::wrapAtBlanks(line, QFontMetricsF(box->font()), layout->lineAt(0).width(), box->tabStopDistance());
    QCOMPARE(printed, rows);
}

void HistoryPanelTest::aPdfGivesBackEveryLine()
{
    const QStringList lines{QStringLiteral("Класс бетона В20 Класс арматуры А300C1, площадь 0.57 см2, шаг 15см, "
                                           "сечение 20x40 и еще немного текста, чтобы строка не уместилась"),
        QStringLiteral("Поперечная сила   14,307.2 кг"), QString(), QStringLiteral("Q1 = 4.954,1кг Q2 = 2.293,57кг")};
    for (const QString &line : lines)
        naklon::appendHistoryLine(memo(1), line);
    driver->answer(path(QStringLiteral("history.pdf")));
    memo(1)->findChild<QAction *>(QStringLiteral("savePdfAction"))->trigger();
    // An archive's PDF: its XMP metadata names PDF/A-1b.
    const QByteArray pdf = contents(path(QStringLiteral("history.pdf")));
    QVERIFY(pdf.contains("pdfaid:part=\"1\"") && pdf.contains("pdfaid:conformance=\"B\""));

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    const QString pdffonts = QStandardPaths::findExecutable(QStringLiteral("pdffonts"));
    if (pdftotext.isEmpty() || pdffonts.isEmpty())
        QSKIP("poppler's pdftotext and pdffonts are not installed: the PDF cannot be read back");
    QProcess reader;
    reader.start(pdftotext,
        {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path(QStringLiteral("history.pdf")), QStringLiteral("-")});
    QVERIFY(reader.waitForFinished(10000));
    const QStringList text = QString::fromUtf8(reader.readAllStandardOutput()).split(u'\n');
    QVERIFY2(text.contains(QStringLiteral("Расчет наклонных сечений")), qPrintable(text.join(u'|')));
    QVERIFY(text.contains(QStringLiteral("Страница: Хомуты")));
    QVERIFY(text.contains(QStringLiteral("стр. 1 из 1")));
    // Every line in order, each number whole on one row.
    const QString all = text.join(u' ').simplified();
    qsizetype at = 0;
    for (const QString &line : lines) {
        at = all.indexOf(line.simplified(), at);
        QVERIFY2(at >= 0, qPrintable(line));
    }
    for (const char *number : {"14,307.2", "4.954,1кг", "2.293,57кг", "0.57"})
        QVERIFY2(std::any_of(text.begin(), text.end(),
                     [&](const QString &row) { return row.contains(QString::fromUtf8(number)); }),
            number);

    QProcess fonts;
    fonts.start(pdffonts, {path(QStringLiteral("history.pdf"))});
    QVERIFY(fonts.waitForFinished(10000));
    const QStringList table = QString::fromUtf8(fonts.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    QVERIFY(table.size() > 2); // the heading, a rule, a font
    for (const QString &font : table.mid(2))
        QVERIFY2(font.contains(QStringLiteral("Liberation")) && font.contains(QStringLiteral(" yes ")),
            qPrintable(font));
}

void HistoryPanelTest::theReportGoesToAWordProcessor()
{
    // Two checks on «Хомуты», in the locale's comma and blank.
    auto *panel = memo(1)->findChild<naklon::HistoryPanel *>();
    naklon::CalculationReport report;
    const naklon::StirrupsInput check{"20", "300", "15", "0.57", "20", "40", naklon::StirrupsMode::Check};
    naklon::calculateStirrups(check, {",", " "}, &report);
    panel->addReport(report);
    panel->addReport(report);

    driver->answer(path(QStringLiteral("report.odt")));
    memo(1)->findChild<QAction *>(QStringLiteral("reportOdtAction"))->trigger();
    QZipReader zip(path(QStringLiteral("report.odt")));
    QCOMPARE(zip.status(), QZipReader::NoError);
    const QString content = QString::fromUtf8(zip.fileData(QStringLiteral("content.xml")));
    // The subscripts stand in spans of a style set below the line, h0² has
    // its power above it, and the result has the history's digits, whole.
    QStringList lowered;
    QStringList raised;
    const QRegularExpression style(QStringLiteral("<style:style style:name=\"([^\"]+)\"[^>]*>\\s*"
                                                  "<style:text-properties[^>]*style:text-position=\"(sub|super)"));
    for (auto match = style.globalMatch(content); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        (found.captured(2) == QStringLiteral("sub") ? lowered : raised) << found.captured(1);
    }
    QVERIFY2(!lowered.isEmpty() && !raised.isEmpty(), qPrintable(content));
    const auto spans = [&](const QStringList &styles) {
        QStringList texts;
        const QRegularExpression span(QStringLiteral("<text:span text:style-name=\"([^\"]+)\">([^<]*)</text:span>"));
        for (auto match = span.globalMatch(content); match.hasNext();) {
            const QRegularExpressionMatch found = match.next();
            if (styles.contains(found.captured(1)))
                texts << found.captured(2);
        }
        return texts;
    };
    // Each of the two: R_bt in the strengths and the formula, A_sw and R_sw
    // in the tables and the formula, h_0 in the inputs and the formula.
    const QStringList below = spans(lowered);
    for (const auto &[subscript, times] : {std::pair{"bt", 4}, std::pair{"sw", 8}, std::pair{"0", 4}})
        QCOMPARE(below.count(QString::fromUtf8(subscript)), times);
    QVERIFY2(spans(raised).contains(QStringLiteral("2")), qPrintable(spans(raised).join(u'|')));
    QCOMPARE(content.count(QStringLiteral("14\u00A0307,2")), 2);
    QVERIFY(content.contains(QStringLiteral("Расчет выполнил: ________")));
    // A family the word processor knows: the box's own.
    QVERIFY(content.contains(QStringLiteral("fo:font-family=\"%1\"").arg(memo(1)->font().family())));

    // The clipboard: rich text a word processor pastes, and the report's
    // lines for anything else.
    memo(1)->findChild<QAction *>(QStringLiteral("reportCopyAction"))->trigger();
    const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
    QVERIFY(copied && copied->hasHtml() && copied->hasText());
    QVERIFY(copied->html().contains(QStringLiteral("vertical-align:sub")));
    QVERIFY(copied->html().contains(QStringLiteral("<table")));
    QCOMPARE(copied->text(), panel->reportDocumentLines().join(u'\n'));
}

void HistoryPanelTest::closingAsksOnlyWhenAHistoryWouldBeLost_data()
{
    QTest::addColumn<QStringList>("actions"); // "<page>:<action>"
    QTest::addColumn<QString>("answer");      // empty: no question may come
    QTest::addColumn<QString>("question");
    QTest::addColumn<bool>("closed");

    const QString first = QStringLiteral("История на странице «Хомуты» не сохранена. Закрыть программу?");
    QTest::newRow("nothing calculated: closes at once") << QStringList() << QString() << QString() << true;
    QTest::newRow("a calculation: asks, and closes") << QStringList{"1:append:L1"} << "Закрыть" << first << true;
    QTest::newRow("a calculation: asks, and stays") << QStringList{"1:append:L1"} << "Отмена" << first << false;
    QTest::newRow("Escape keeps the window") << QStringList{"1:append:L1"} << "Escape" << first << false;
    QTest::newRow("typing asks as well") << QStringList{"1:type:x"} << "Отмена" << first << false;
    QTest::newRow("two pages named in tab order")
        << QStringList{"6:append:L1", "1:append:L1"} << "Отмена"
        << "История на страницах «Хомуты», «Смятие» не сохранена. Закрыть программу?" << false;
    QTest::newRow("saved since: closes at once")
        << QStringList{"1:append:L1", "1:save"} << QString() << QString() << true;
    QTest::newRow("cleared since: closes at once")
        << QStringList{"3:append:L1", "3:clear"} << QString() << QString() << true;
    QTest::newRow("opened since: closes at once")
        << QStringList{"2:append:L1", "2:open"} << QString() << QString() << true;
    QTest::newRow("a calculation after saving asks")
        << QStringList{"1:save", "1:append:L2"} << "Закрыть" << first << true;
}

void HistoryPanelTest::closingAsksOnlyWhenAHistoryWouldBeLost()
{
    QFETCH(QStringList, actions);
    QFETCH(QString, answer);
    QFETCH(QString, question);
    QFETCH(bool, closed);

    RecordingReporter reporter;
    for (const QString &action : actions) {
        const qsizetype colon = action.indexOf(u':');
        act(action.left(colon).toInt(), action.mid(colon + 1));
    }
    if (!answer.isEmpty())
        driver->answerQuestion(answer);
    QCOMPARE(window->close(), closed);
    QCOMPARE(window->isVisible(), !closed);
    QCOMPARE(driver->questions, question.isEmpty() ? QStringList() : QStringList{question});
    QCOMPARE(reporter.shown.size(), 0);
}

QTEST_MAIN(HistoryPanelTest)
#include "history_panel_test.moc"
