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
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <string>

namespace {

std::string freshHome;

// Qt's settings in the user's registry, as "key=value" (none but on Windows).
QStringList qtRegistrySettings()
{
    QStringList settings;
#ifdef Q_OS_WIN
    const QSettings registry(QStringLiteral("HKEY_CURRENT_USER\\Software\\QtProject"), QSettings::NativeFormat);
    for (const QString &key : registry.allKeys()) {
        QString value;
        QDebug(&value) << registry.value(key);
        settings << key + QLatin1Char('=') + value;
    }
#endif
    return settings;
}

} // namespace

class FreshHomeTest : public QObject {
    Q_OBJECT

private slots:
    void nothingIsStoredBetweenRuns();
};

void FreshHomeTest::nothingIsStoredBetweenRuns()
{
    const QStringList registryBefore = qtRegistrySettings();
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
    // Nor in the registry, where Qt keeps its settings on Windows.
    QCOMPARE(qtRegistrySettings(), registryBefore);
}

int main(int argc, char **argv)
{
    const QTemporaryDir home(QDir::tempPath() + QStringLiteral("/naklon-home-XXXXXX"));
    if (!home.isValid())
        return 2;
    const QString root = home.path();
    freshHome = root.toStdString();
    qputenv("HOME", QFile::encodeName(root));
    for (const char *variable : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        qputenv(variable, QFile::encodeName(root + QLatin1Char('/') + QLatin1String(variable)));
    // The session's own folder, which a desktop always has.
    const QString run = root + QStringLiteral("/run");
    QDir().mkdir(run);
    QFile::setPermissions(run, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(run));

    naklon::NaklonApplication application(argc, argv);
    FreshHomeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "fresh_home_test.moc"
