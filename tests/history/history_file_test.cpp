// Reading and writing history files: the bytes that reach the history, the
// bytes a history is written as, and every way a file can fail.

#include "core/failures.h"
#include "history/history_file.h"
#include "history/windows1251_text.h"
#include "support/system_errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <functional>
#include <optional>
#include <string>

namespace {

using system_errors::kFileAsFolder;
using system_errors::kFolderAsFile;
using system_errors::kNoFile;
using system_errors::kNoFolder;
using system_errors::osText;
using system_errors::shownPath;

// Nobody else has the file open.
constexpr QIODevice::OpenMode kNotHeld = QIODevice::NotOpen;

QByteArray fileContents(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The message a call throws, empty when it throws nothing.
QString thrownBy(const std::function<void()> &call)
{
    try {
        call();
    } catch (const naklon::Exception &e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

// `file` five folders down from where the test's files are, so that its
// full path is longer than 259 characters: п…п/п…п/п…п/п…п/п…п/<file>
QString deepName(const QString &file)
{
    return QStringList(5, QString(60, QChar(0x043F))).join(u'/') + u'/' + file;
}

} // namespace

class HistoryFileTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        dir.emplace(); // a fresh folder for every test
        QVERIFY(dir->isValid());
    }

    void reading_data();
    void reading();
    void everyNonZeroByteComesBackAsItWas();
    void writingATextGivesItsBytes_data();
    void writingATextGivesItsBytes();
    void openFailures_data();
    void openFailures();
    void createFailures_data();
    void createFailures();
    void capacity_data();
    void capacity();

private:
    QString path(const QString &name) const { return dir->filePath(name); }
    std::optional<QTemporaryDir> dir;
};

void HistoryFileTest::reading_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("history");

    QTest::newRow("empty file") << "h.txt" << QByteArray() << QString();
    QTest::newRow("CR LF kept, final break too") << "h.txt" << QByteArray("a\r\nb\r\n") << "a\nb\n";
    QTest::newRow("LF only") << "h.txt" << QByteArray("a\nb\n") << "a\nb\n";
    QTest::newRow("CR only") << "h.txt" << QByteArray("a\rb\r") << "a\nb\n";
    QTest::newRow("LF CR is two breaks") << "h.txt" << QByteArray("a\n\rb") << "a\n\nb";
    QTest::newRow("CR CR LF is two breaks") << "h.txt" << QByteArray("a\r\r\nb") << "a\n\nb";
    QTest::newRow("no final break") << "h.txt" << QByteArray("x") << "x";
    QTest::newRow("stops at the first zero byte") << "h.txt" << QByteArray("ab\0c\nd", 6) << "ab";
    QTest::newRow("zero byte first") << "h.txt" << QByteArray("\0abc", 4) << QString();
    QTest::newRow("Cyrillic, no-break space, 0x98")
        << "h.txt" << QByteArray("\xD5\xEE\xEC\xF3\xF2\xFB\xA0\x98\xB9") << QString::fromUtf8("Хомуты\u00A0\u0098№");
    QTest::newRow("lone CR at the very end") << "h.txt" << QByteArray("a\r") << "a\n";
    QTest::newRow("a path over 259 characters") << deepName("h.txt") << QByteArray("a\r\nb") << "a\nb";
}

void HistoryFileTest::reading()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, file);
    QFETCH(QString, history);
    QVERIFY(QDir(dir->path()).mkpath(QFileInfo(path(name)).path()));
    writeFile(path(name), file);
    QCOMPARE(naklon::readHistoryFile(path(name)), history);
}

void HistoryFileTest::everyNonZeroByteComesBackAsItWas()
{
    // Every byte value from 1 to 255, with CR and LF together as one break
    // so that the file is already in the form a history is saved in.
    QByteArray bytes;
    for (int value = 1; value < 256; ++value) {
        if (value == '\n')
            continue;
        bytes.append(value == '\r' ? QByteArray("\r\n") : QByteArray(1, static_cast<char>(value)));
    }
    writeFile(path("all.txt"), bytes);
    const QString history = naklon::readHistoryFile(path("all.txt"));
    QCOMPARE(history.size(), 254);
    naklon::saveHistoryFile(path("again.txt"), naklon::historyBytesFromText(history));
    QCOMPARE(fileContents(path("again.txt")), bytes);
}

void HistoryFileTest::writingATextGivesItsBytes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("history");
    QTest::addColumn<QByteArray>("file");

    QTest::newRow("empty history: 0 bytes") << "w.txt" << QString() << QByteArray();
    QTest::newRow("start: CR LF") << "w.txt" << QStringLiteral("\n") << QByteArray("\r\n");
    QTest::newRow("document line breaks")
        << "w.txt" << QString::fromUtf8("a\u2029б\u2028") << QByteArray("a\r\n\xE1\r\n");
    QTest::newRow("last line without a break") << "w.txt" << QStringLiteral("L1\nL2") << QByteArray("L1\r\nL2");
    QTest::newRow("outside the code page") << "w.txt" << QString::fromUtf8("中 😀 ≤") << QByteArray("? ? ?");
    QTest::newRow("lone surrogate") << "w.txt" << QString(QChar(0xD800)) + u'x' << QByteArray("?x");
    QTest::newRow("a path over 259 characters") << deepName("w.txt") << "L1\nL2\n" << QByteArray("L1\r\nL2\r\n");
}

void HistoryFileTest::writingATextGivesItsBytes()
{
    QFETCH(QString, name);
    QFETCH(QString, history);
    QFETCH(QByteArray, file);
    QVERIFY(QDir(dir->path()).mkpath(QFileInfo(path(name)).path()));
    naklon::saveHistoryFile(path(name), naklon::historyBytesFromText(history));
    QCOMPARE(fileContents(path(name)), file);
    // And over the file it made.
    naklon::saveHistoryFile(path(name), naklon::historyBytesFromText(history));
    QCOMPARE(fileContents(path(name)), file);
}

void HistoryFileTest::openFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("error");
    QTest::addColumn<QIODevice::OpenMode>("held"); // how another program has plain.txt open

    QTest::newRow("missing file") << "missing.txt" << kNoFile << kNotHeld;
    QTest::newRow("missing folder") << "nowhere/h.txt" << kNoFolder << kNotHeld;
    QTest::newRow("a folder given as the file") << "folder" << kFolderAsFile << kNotHeld;
    QTest::newRow("path through a regular file") << "plain.txt/h.txt" << kFileAsFolder << kNotHeld;
    QTest::newRow("missing folder, a path over 259 characters")
        << "nowhere/" + deepName("h.txt") << kNoFolder << kNotHeld;
#ifdef Q_OS_WIN
    QTest::newRow("held open for writing by another program")
        << "plain.txt" << int(ERROR_SHARING_VIOLATION) << (QIODevice::WriteOnly | QIODevice::Append);
#endif
}

void HistoryFileTest::openFailures()
{
    QFETCH(QString, name);
    QFETCH(int, error);
    QFETCH(QIODevice::OpenMode, held);
    QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("folder")));
    writeFile(path("plain.txt"), "x");
    QFile other(path("plain.txt"));
    if (held != kNotHeld)
        QVERIFY(other.open(held));
    QCOMPARE(thrownBy([&] { naklon::readHistoryFile(path(name)); }),
        QStringLiteral("Cannot open file \"%1\". %2").arg(shownPath(path(name)), osText(error)));
}

void HistoryFileTest::createFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("error");
    QTest::addColumn<QIODevice::OpenMode>("held"); // how another program has plain.txt open
    QTest::addColumn<bool>("readOnly");            // plain.txt may not be written

    QTest::newRow("missing folder") << "nowhere/h.txt" << kNoFolder << kNotHeld << false;
    QTest::newRow("a folder given as the file") << "folder" << kFolderAsFile << kNotHeld << false;
    QTest::newRow("path through a regular file") << "plain.txt/h.txt" << kFileAsFolder << kNotHeld << false;
    QTest::newRow("missing folder, a path over 259 characters")
        << "nowhere/" + deepName("h.txt") << kNoFolder << kNotHeld << false;
#ifdef Q_OS_WIN
    QTest::newRow("held open for reading by another program: the old file kept")
        << "plain.txt" << int(ERROR_SHARING_VIOLATION) << QIODevice::OpenMode(QIODevice::ReadOnly) << false;
    QTest::newRow("read-only file: the old file kept") << "plain.txt" << int(ERROR_ACCESS_DENIED) << kNotHeld << true;
#endif
}

void HistoryFileTest::createFailures()
{
    QFETCH(QString, name);
    QFETCH(int, error);
    QFETCH(QIODevice::OpenMode, held);
    QFETCH(bool, readOnly);
    QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("folder")));
    writeFile(path("plain.txt"), "x");
    const QFile::Permissions permissions = QFile::permissions(path("plain.txt"));
    const QFile::Permissions writable = QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther;
    if (readOnly)
        QVERIFY(QFile::setPermissions(path("plain.txt"), permissions & ~writable));
    QFile other(path("plain.txt"));
    if (held != kNotHeld)
        QVERIFY(other.open(held));
    const QString message = thrownBy([&] { naklon::saveHistoryFile(path(name), "new"); });
    other.close();
    QVERIFY(QFile::setPermissions(path("plain.txt"), permissions));
    QCOMPARE(message, QStringLiteral("Cannot create file \"%1\". %2").arg(shownPath(path(name)), osText(error)));
    QCOMPARE(fileContents(path("plain.txt")), QByteArray("x"));
    QCOMPARE(QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        (QStringList{"folder", "plain.txt"}));
    QVERIFY(QDir(path("folder")).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

void HistoryFileTest::capacity_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("lines"); // the capacity in lines
    QTest::addColumn<bool>("fits");

    // Capacity 4 characters; a line break is one character of the box.
    QTest::newRow("exactly full") << QByteArray("abcd") << 5 << true;
    QTest::newRow("one over") << QByteArray("abcde") << 5 << false;
    QTest::newRow("CR LF counts once") << QByteArray("ab\r\nc") << 5 << true;
    QTest::newRow("bytes enough for two boxes, all CR LF") << QByteArray("\r\n\r\n\r\n\r\n") << 5 << true;
    QTest::newRow("LF only, one over") << QByteArray("\n\n\n\n\n") << 5 << false;
    QTest::newRow("long tail after a zero byte") << QByteArray("abc\0", 4) + QByteArray(100, 'z') << 5 << true;
    QTest::newRow("far beyond, no zero byte") << QByteArray(100, 'z') << 5 << false;
    // Fewer lines allowed: a text has one line more than it has breaks.
    QTest::newRow("lines exactly full") << QByteArray("a\r\nb") << 2 << true;
    QTest::newRow("one line over by a final break") << QByteArray("a\r\nb\r\n") << 2 << false;
    QTest::newRow("lone CRs are lines too") << QByteArray("\r\r\r") << 3 << false;
    QTest::newRow("lines beyond a zero byte do not count") << QByteArray("a\0\n\n\n", 5) << 1 << true;
}

void HistoryFileTest::capacity()
{
    QFETCH(QByteArray, file);
    QFETCH(int, lines);
    QFETCH(bool, fits);
    writeFile(path("c.txt"), file);
    const QString message = thrownBy([&] { naklon::readHistoryFile(path("c.txt"), {4, lines}); });
    QCOMPARE(message, fits ? QString() : QStringLiteral("Text exceeds memo capacity"));
}

QTEST_MAIN(HistoryFileTest)
#include "history_file_test.moc"
