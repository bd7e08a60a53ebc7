#include "platform/qt/QtProgramLauncher.h"
#include "dialogs/about/SystemInfoRegistry.h"
#include "dialogs/about/SystemInformation.h"
#include "support/FakePlatform.h"
#include "support/FakeSystemInfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <array>

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

class LinuxStandInsTest : public QObject {
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
        SystemInfoRegistry registry;
        Registry::Handle key = 0;
        const bool opened =
            registry.openKey(Registry::HKEY_LOCAL_MACHINE, sysInfoPathKey, 0, 0x2003F, key);
        QCOMPARE(opened, !answer.isEmpty());
        if (!opened) {
            return;
        }
        std::array<unsigned char, 1024> buffer{};
        std::uint32_t type = 0;
        std::uint32_t size = 1024;
        QVERIFY(registry.queryValue(key, sysInfoPathValue, type, buffer.data(), size));
        const std::string expected = bin->filePath(answer).toStdString();
        QCOMPARE(type, Registry::REG_SZ);
        QCOMPARE(size, std::uint32_t(expected.size() + 1));
        QCOMPARE(std::string(reinterpret_cast<const char*>(buffer.data())), expected);
        registry.closeKey(key);
    }

    void answersNothingElse() {
        makeProgram(bin->filePath("hardinfo"));
        SystemInfoRegistry registry;
        Registry::Handle key = 0;
        QVERIFY(!registry.openKey(Registry::HKEY_LOCAL_MACHINE, sysInfoFolderKey, 0, 0x2003F, key));
        QVERIFY(!registry.openKey(0x80000001, sysInfoPathKey, 0, 0x2003F, key));
        QVERIFY(registry.openKey(Registry::HKEY_LOCAL_MACHINE, sysInfoPathKey, 0, 0x2003F, key));
        std::array<unsigned char, 1024> buffer{};
        std::uint32_t type = 0;
        std::uint32_t size = 1024;
        QVERIFY(!registry.queryValue(key, "OTHER", type, buffer.data(), size));
        registry.closeKey(key);
        QVERIFY(!registry.queryValue(key, sysInfoPathValue, type, buffer.data(), size));
    }

    void aBufferTooSmallIsToldTheSizeItNeeds() {
        makeProgram(bin->filePath("cpu-x"));
        SystemInfoRegistry registry;
        Registry::Handle key = 0;
        QVERIFY(registry.openKey(Registry::HKEY_LOCAL_MACHINE, sysInfoPathKey, 0, 0x2003F, key));
        std::array<unsigned char, 8> buffer{};
        std::uint32_t type = 0;
        std::uint32_t size = 8;
        QVERIFY(!registry.queryValue(key, sysInfoPathValue, type, buffer.data(), size));
        QCOMPARE(size, std::uint32_t(bin->filePath("cpu-x").toUtf8().size() + 1));
        QCOMPARE(buffer[0], 0);
        registry.closeKey(key);
    }

    void startsTheProgramFoundThroughTheStandIn() {
        const QString marker = bin->filePath("started");
        makeProgram(bin->filePath("hardinfo"),
                    "#!/bin/sh\n/usr/bin/touch '" + marker.toUtf8() + "'\n");
        SystemInfoRegistry registry;
        QtProgramLauncher launcher;
        FakeMessageBox messageBox;
        SystemInformation(registry, launcher, messageBox).StartSysInfo();
        QVERIFY(messageBox.shown.empty());
        QTRY_VERIFY(QFile::exists(marker));
    }

    void withNoProgramInstalledTheMessageShows() {
        SystemInfoRegistry registry;
        QtProgramLauncher launcher;
        FakeMessageBox messageBox;
        SystemInformation(registry, launcher, messageBox).StartSysInfo();
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

QTEST_GUILESS_MAIN(LinuxStandInsTest)
#include "LinuxStandInsTest.moc"
