// A run of the program in a fresh home folder: start with the real
// application object, open and cancel both file dialogs, close the main
// window. Nothing may be left behind: no settings, no cache, no history.

#include "app/naklon_application.h"
#include "app/start_up.h"
#include "main_window/zeverozozod.h"
#include "reference_window/unit2.h"

#include <QDirIterator>
#include <QFileDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <cstdlib>
#include <string>

namespace {

std::string freshHome;

} // namespace

class FreshHomeTest : public QObject {
    Q_OBJECT

private slots:
    void nothingIsStoredBetweenRuns();
};

void FreshHomeTest::nothingIsStoredBetweenRuns()
{
    int cancelled = 0;
    QTimer canceller;
    canceller.setInterval(20);
    connect(&canceller, &QTimer::timeout, &canceller, [&cancelled] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            dialog->reject();
            ++cancelled;
        }
    });
    canceller.start();
    {
        naklon::ProgramWindows windows = naklon::createProgramWindows();
        windows.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(windows.main.get()));
        // "Открыть" and "Сохранить" on "Хомуты", then both again on "Смятие".
        auto *tabs = windows.main->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
        for (const char *button : {"Button4", "Button3", "Button21", "Button24"}) {
            auto *press = windows.main->findChild<QPushButton *>(QString::fromLatin1(button));
            for (int page = 0; page < tabs->count(); ++page) {
                if (tabs->widget(page)->isAncestorOf(press))
                    tabs->setCurrentIndex(page);
            }
            press->click();
        }
        windows.main->close();
    }
    QCOMPARE(cancelled, 4);

    QStringList created;
    QDirIterator files(QString::fromStdString(freshHome),
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (files.hasNext())
        created << files.next();
    created.removeAll(QString::fromStdString(freshHome + "/run"));
    QCOMPARE(created, QStringList());
}

int main(int argc, char **argv)
{
    std::string root = QDir::tempPath().toStdString() + "/naklon-home-XXXXXX";
    if (!mkdtemp(root.data()))
        return 2;
    freshHome = root;
    setenv("HOME", root.c_str(), 1);
    for (const char *variable : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        setenv(variable, (root + "/" + variable).c_str(), 1);
    // The session's own folder, which a desktop always has.
    const std::string run = root + "/run";
    QDir().mkdir(QString::fromStdString(run));
    QFile::setPermissions(QString::fromStdString(run),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    setenv("XDG_RUNTIME_DIR", run.c_str(), 1);

    int result = 0;
    {
        naklon::NaklonApplication application(argc, argv);
        FreshHomeTest test;
        result = QTest::qExec(&test, argc, argv);
    }
    QDir(QString::fromStdString(root)).removeRecursively();
    return result;
}

#include "fresh_home_test.moc"
