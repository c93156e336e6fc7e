// Reading and writing history files: the bytes that reach the history, the
// bytes a history is written as, and what a box can hold. How each kind of
// file and each failure is met is the file layer's (tests/files/).

#include "core/failures.h"
#include "history/history_file.h"
#include "history/windows1251_text.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <optional>
#include <string>

namespace {

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
