// History files under injected faults: a file that is gone or replaced
// between the dialog and the read, a file whose size says nothing of its
// contents, a write that the system stops part-way, and a folder that
// disappears before the save. Each is reported with its message and loses
// nothing: the old file stays as it was and no partial file is left.

#include "history/history_file.h"

#include "core/failures.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <string>
#include <sys/resource.h>

namespace naklon {
namespace {

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

std::string messageOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Exception &failure) {
        return failure.what();
    }
    return "(no failure)";
}

class HistoryFileFaults : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

    QString path(const QString &name) const { return folder_.filePath(name); }
    QStringList entries() const { return QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir folder_;
};

TEST_F(HistoryFileFaults, AFileRemovedAfterTheDialogCannotBeOpened)
{
    const QString name = path("хомуты.txt");
    writeFile(name, "L1\r\n");
    QFile::remove(name); // between the dialog's choice and the read
    EXPECT_EQ(messageOf([&] { readHistoryFile(name); }),
              "Cannot open file \"" + name.toStdString() + "\". No such file or directory");
}

TEST_F(HistoryFileFaults, AFileReplacedByAShorterOneReadsWhatIsThere)
{
    const QString name = path("h.txt");
    writeFile(name, QByteArray(100000, 'x'));
    writeFile(name, "short\nfile"); // shrunk after the dialog showed it
    EXPECT_EQ(readHistoryFile(name), QStringLiteral("short\nfile"));
}

TEST_F(HistoryFileFaults, AFileWhoseSizeSaysNothingIsReadToItsEnd)
{
    // Files of /proc report a size of 0 and have contents.
    const QByteArray contents = contentsOf(QStringLiteral("/proc/self/mountinfo"));
    ASSERT_GT(contents.size(), 0);
    const QString text = readHistoryFile(QStringLiteral("/proc/self/mountinfo"));
    EXPECT_GE(text.size(), contents.size() / 2); // the mount table changes little between the reads
    EXPECT_TRUE(text.endsWith(u'\n'));
}

TEST_F(HistoryFileFaults, AFolderRemovedBeforeTheSaveIsReported)
{
    const QString inner = path("gone");
    ASSERT_TRUE(QDir().mkdir(inner));
    const QString name = inner + QStringLiteral("/h.txt");
    ASSERT_TRUE(QDir().rmdir(inner));
    EXPECT_EQ(messageOf([&] { saveHistoryFile(name, "L1\r\n"); }),
              "Cannot create file \"" + name.toStdString() + "\". No such file or directory");
    EXPECT_FALSE(QFile::exists(inner));
}

// The system refuses every byte of a file beyond a size limit (as a full
// disk would): the write stops part-way.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

struct ShortWriteRow {
    const char *name;
    qsizetype historyBytes;
    rlim_t limit;
};

class HistoryFileShortWrites : public HistoryFileFaults, public testing::WithParamInterface<ShortWriteRow> {};

TEST_P(HistoryFileShortWrites, KeepTheOldFileAndLeaveNothingElse)
{
    const ShortWriteRow &row = GetParam();
    const QString name = path("h.txt");
    const QByteArray old = "old history\r\n";
    writeFile(name, old);
    const QByteArray history(row.historyBytes, 'L');
    std::string message;
    {
        const FileSizeLimit limit(row.limit);
        message = messageOf([&] { saveHistoryFile(name, history); });
    }
    EXPECT_EQ(message, "Stream write error");
    EXPECT_EQ(contentsOf(name), old);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("h.txt")});
}

INSTANTIATE_TEST_SUITE_P(Rows, HistoryFileShortWrites,
    testing::Values(
        ShortWriteRow{"nothing_fits", 10, 0},
        ShortWriteRow{"small_history_stops_in_the_middle", 1000, 500},
        ShortWriteRow{"stops_in_the_middle", 100000, 4096},
        ShortWriteRow{"last_byte_refused", 65536, 65535},
        ShortWriteRow{"large_history", 8 * 1024 * 1024, 1024 * 1024}),
    [](const testing::TestParamInfo<ShortWriteRow> &info) { return std::string(info.param.name); });

TEST_F(HistoryFileFaults, AWriteThatFitsTheLimitExactlySucceeds)
{
    const QString name = path("h.txt");
    const QByteArray history(4096, 'L');
    {
        const FileSizeLimit limit(4096);
        saveHistoryFile(name, history);
    }
    EXPECT_EQ(contentsOf(name), history);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("h.txt")});
}

} // namespace
} // namespace naklon
