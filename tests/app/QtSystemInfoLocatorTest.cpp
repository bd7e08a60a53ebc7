#include "platform/qt/QtSystemInfoLocator.h"
#include "dialogs/about/SystemInformation.h"
#include "platform/qt/QtProgramLauncher.h"
#include "support/FakePlatform.h"
#include "support/FakeSystemInfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quiverel;
using namespace quiverel::testing;

namespace {

void makeProgram(const QString& path, const QByteArray& script = "#!/bin/sh\n") {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(script);
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

} // namespace

class QtSystemInfoLocatorTest : public QObject {
    Q_OBJECT

    QByteArray savedPath;
    std::unique_ptr<QTemporaryDir> bin;

    // Only the test's own folder is searched for programs.
    void searchOnly(const QStringList& folders) {
        qputenv("PATH", folders.join(':').toLocal8Bit());
    }

private slots:
    void init() {
        savedPath = qgetenv("PATH");
        bin = std::make_unique<QTemporaryDir>();
        QVERIFY(bin->isValid());
        searchOnly({bin->path()});
    }
    void cleanup() { qputenv("PATH", savedPath); }

    void theFirstInstalledProgramOfTheListAnswers_data() {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("answer");
        QTest::newRow("none") << QStringList{} << QString();
        QTest::newRow("KDE before all")
            << QStringList{"gnome-control-center", "hardinfo", "kinfocenter"} << "kinfocenter";
        QTest::newRow("HardInfo 2 before HardInfo")
            << QStringList{"hardinfo", "hardinfo2"} << "hardinfo2";
        QTest::newRow("GNOME last")
            << QStringList{"gnome-control-center"} << "gnome-control-center";
        QTest::newRow("not in the list") << QStringList{"msinfo32"} << QString();
    }

    void theFirstInstalledProgramOfTheListAnswers() {
        QFETCH(QStringList, installed);
        QFETCH(QString, answer);
        for (const QString& name : installed) {
            makeProgram(bin->filePath(name));
        }
        QtSystemInfoLocator locator;
        const std::optional<std::string> path = locator.programPath();
        QCOMPARE(path.has_value(), !answer.isEmpty());
        if (path) {
            QCOMPARE(*path, bin->filePath(answer).toStdString());
        }
        QVERIFY(!locator.programInFolder());
    }

    void startsTheProgramItFinds() {
        const QString marker = bin->filePath("started");
        makeProgram(bin->filePath("hardinfo"),
                    "#!/bin/sh\n/usr/bin/touch '" + marker.toUtf8() + "'\n");
        QtSystemInfoLocator locator;
        QtProgramLauncher launcher;
        FakeMessageBox messageBox;
        SystemInformation(locator, launcher, messageBox).StartSysInfo();
        QVERIFY(messageBox.shown.empty());
        QTRY_VERIFY(QFile::exists(marker));
    }

    void withNoProgramInstalledTheMessageShows() {
        QtSystemInfoLocator locator;
        QtProgramLauncher launcher;
        FakeMessageBox messageBox;
        SystemInformation(locator, launcher, messageBox).StartSysInfo();
        QCOMPARE(messageBox.shown.size(), std::size_t(1));
    }

    void launcherTellsFilesFromFoldersAndFailedStarts() {
        QtProgramLauncher launcher;
        const QString file = bin->filePath("tool");
        makeProgram(file);
        QVERIFY(launcher.fileExists(file.toStdString()));
        QVERIFY(!launcher.fileExists(bin->path().toStdString()));
        QVERIFY(!launcher.fileExists(bin->filePath("missing").toStdString()));
        QVERIFY(!launcher.fileExists(""));
        QVERIFY(!launcher.startDetached(bin->filePath("missing").toStdString()));
        QVERIFY(!launcher.startDetached(""));
    }
};

QTEST_GUILESS_MAIN(QtSystemInfoLocatorTest)
#include "QtSystemInfoLocatorTest.moc"
