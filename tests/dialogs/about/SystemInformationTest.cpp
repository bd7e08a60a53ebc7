#include "dialogs/about/SystemInformation.h"
#include "support/FakePlatform.h"
#include "support/FakeSystemInfo.h"

#include <QTest>

#include <string>

using namespace quiverel;
using namespace quiverel::testing;

namespace {

const ShownMessage unavailable{"現時点ではｼｽﾃﾑ情報を使用できません", "Quiverel2000"};

} // namespace

class SystemInformationTest : public QObject {
    Q_OBJECT

    FakeSystemInfoLocator locator;
    FakeProgramLauncher launcher;
    FakeMessageBox messageBox;

    SystemInformation sysInfo() { return SystemInformation(locator, launcher, messageBox); }

private slots:
    void init() {
        locator = FakeSystemInfoLocator();
        launcher = FakeProgramLauncher();
        messageBox = FakeMessageBox();
    }

    void neitherPathNorFolderShowsTheMessageOncePerPress() {
        SystemInformation info = sysInfo();
        info.StartSysInfo();
        info.StartSysInfo();
        QCOMPARE(messageBox.shown, (std::vector<ShownMessage>{unavailable, unavailable}));
        QVERIFY(launcher.started.empty());
        QCOMPARE(locator.calls, (std::vector<std::string>{"path", "folder", "path", "folder"}));
    }

    void thePathIsStartedAsItStands_data() {
        QTest::addColumn<bool>("starts");
        QTest::newRow("the program starts") << true;
        QTest::newRow("no such program") << false;
    }

    void thePathIsStartedAsItStands() {
        QFETCH(bool, starts);
        const std::string path = "/usr/bin/kinfocenter";
        locator.path = path;
        locator.inFolder = "/opt/msinfo/MSINFO32.EXE";
        if (starts) {
            launcher.startable.insert(path);
        }
        sysInfo().StartSysInfo();
        QCOMPARE(launcher.started, std::vector<std::string>{path});
        QVERIFY(launcher.tested.empty()); // the path is not tested before the start
        QCOMPARE(messageBox.shown.empty(), starts);
        QCOMPARE(locator.calls, std::vector<std::string>{"path"});
    }

    void withoutPathTheProgramInTheFolderIsTestedFirst_data() {
        QTest::addColumn<bool>("exists");
        QTest::newRow("file in the folder") << true;
        QTest::newRow("no file in the folder") << false;
    }

    void withoutPathTheProgramInTheFolderIsTestedFirst() {
        QFETCH(bool, exists);
        const std::string program = "/opt/msinfo/MSINFO32.EXE";
        locator.inFolder = program;
        if (exists) {
            launcher.files.insert(program);
            launcher.startable.insert(program);
        }
        sysInfo().StartSysInfo();
        QCOMPARE(launcher.tested, std::vector<std::string>{program});
        QCOMPARE(launcher.started,
                 exists ? std::vector<std::string>{program} : std::vector<std::string>{});
        QCOMPARE(messageBox.shown.empty(), exists);
    }
};

QTEST_GUILESS_MAIN(SystemInformationTest)
#include "SystemInformationTest.moc"
