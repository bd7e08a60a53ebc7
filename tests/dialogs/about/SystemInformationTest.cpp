#include "dialogs/about/SystemInformation.h"
#include "support/FakePlatform.h"
#include "support/FakeSystemInfo.h"

#include <QTest>

#include <string>

using namespace quiverel;
using namespace quiverel::testing;
using Value = FakeRegistry::Value;

namespace {

const char* const pathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const folderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const ShownMessage unavailable{"現時点ではｼｽﾃﾑ情報を使用できません", "Quiverel2000"};

std::string withNul(const std::string& text) {
    return text + '\0';
}

} // namespace

class SystemInformationTest : public QObject {
    Q_OBJECT

    FakeRegistry registry;
    FakeProgramLauncher launcher;
    FakeMessageBox messageBox;

    SystemInformation sysInfo() { return SystemInformation(registry, launcher, messageBox); }

private slots:
    void init() {
        registry = FakeRegistry();
        launcher = FakeProgramLauncher();
        messageBox = FakeMessageBox();
    }

    void bothEntriesMissingShowsTheMessageOncePerPress() {
        SystemInformation info = sysInfo();
        info.StartSysInfo();
        info.StartSysInfo();
        QCOMPARE(messageBox.shown, (std::vector<ShownMessage>{unavailable, unavailable}));
        QVERIFY(launcher.started.empty());
        QCOMPARE(registry.calls, (std::vector<std::string>{"open " + std::string(pathKey),
                                                           "open " + std::string(folderKey),
                                                           "open " + std::string(pathKey),
                                                           "open " + std::string(folderKey)}));
    }

    void theFirstEntryIsStartedAsItStands_data() {
        QTest::addColumn<bool>("starts");
        QTest::newRow("the program starts") << true;
        QTest::newRow("no such program") << false;
    }

    void theFirstEntryIsStartedAsItStands() {
        QFETCH(bool, starts);
        const std::string path = "/usr/bin/kinfocenter";
        registry.set(pathKey, "PATH", {Registry::REG_SZ, withNul(path)});
        registry.set(folderKey, "MSINFO", {Registry::REG_SZ, withNul("/opt/msinfo")});
        if (starts) {
            launcher.startable.insert(path);
        }
        sysInfo().StartSysInfo();
        QCOMPARE(launcher.started, std::vector<std::string>{path});
        QVERIFY(launcher.tested.empty()); // the path is not tested before the start
        QCOMPARE(messageBox.shown.empty(), starts);
        QCOMPARE(registry.calls,
                 (std::vector<std::string>{"open " + std::string(pathKey), "query PATH", "close"}));
    }

    void onlyTheSecondEntryNamesTheProgramsFolder_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("program");
        QTest::newRow("file in the folder") << "/opt/msinfo" << true << "/opt/msinfo/MSINFO32.EXE";
        QTest::newRow("folder with a trailing separator")
            << "/opt/msinfo/" << true << "/opt/msinfo/MSINFO32.EXE";
        QTest::newRow("no file in the folder")
            << "/opt/msinfo" << false << "/opt/msinfo/MSINFO32.EXE";
    }

    void onlyTheSecondEntryNamesTheProgramsFolder() {
        QFETCH(QString, folder);
        QFETCH(bool, exists);
        QFETCH(QString, program);
        registry.set(pathKey, "OTHER", {Registry::REG_SZ, withNul("/wrong")});
        registry.set(folderKey, "MSINFO", {Registry::REG_SZ, withNul(folder.toStdString())});
        if (exists) {
            launcher.files.insert(program.toStdString());
            launcher.startable.insert(program.toStdString());
        }
        sysInfo().StartSysInfo();
        QCOMPARE(launcher.tested, std::vector<std::string>{program.toStdString()});
        QCOMPARE(launcher.started, exists ? std::vector<std::string>{program.toStdString()}
                                          : std::vector<std::string>{});
        QCOMPARE(messageBox.shown.empty(), exists);
        QCOMPARE(registry.openKeys(), std::size_t(0));
    }

    void aValueTooLongForTheBufferCountsAsMissing() {
        registry.set(pathKey, "PATH", {Registry::REG_SZ, withNul(std::string(1024, 'a'))});
        registry.set(folderKey, "MSINFO", {Registry::REG_SZ, withNul("/opt/msinfo")});
        launcher.files.insert("/opt/msinfo/MSINFO32.EXE");
        launcher.startable.insert("/opt/msinfo/MSINFO32.EXE");
        sysInfo().StartSysInfo();
        QCOMPARE(launcher.started, std::vector<std::string>{"/opt/msinfo/MSINFO32.EXE"});
        QVERIFY(messageBox.shown.empty());
    }

    void aValueFillingTheBufferWithoutNulLeadsStraightToTheMessage() {
        registry.set(pathKey, "PATH", {Registry::REG_SZ, std::string(1024, 'a')});
        registry.set(folderKey, "MSINFO", {Registry::REG_SZ, withNul("/opt/msinfo")});
        launcher.files.insert("/opt/msinfo/MSINFO32.EXE");
        launcher.startable.insert("/opt/msinfo/MSINFO32.EXE");
        sysInfo().StartSysInfo();
        QCOMPARE(messageBox.shown, std::vector<ShownMessage>{unavailable});
        QVERIFY(launcher.started.empty());
        QCOMPARE(registry.calls,
                 (std::vector<std::string>{"open " + std::string(pathKey), "query PATH", "close"}));
    }

    void aFirstEntryOfAnotherTypeYieldsNoUsablePath() {
        registry.set(pathKey, "PATH", {Registry::REG_DWORD, std::string("\x05\x00\x00\x00", 4)});
        sysInfo().StartSysInfo();
        QCOMPARE(launcher.started, std::vector<std::string>{"5"});
        QCOMPARE(messageBox.shown, std::vector<ShownMessage>{unavailable});
    }

    void getKeyValueReadsOneValue_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QByteArray>("keyVal");
        const QByteArray before = "before";
        const auto bytes = [](const char* data, int size) {
            return QByteArray(data, size);
        };
        QTest::newRow("REG_SZ") << 1 << bytes("C:/a b\0", 7) << true << QByteArray("C:/a b");
        QTest::newRow("REG_SZ cut at its first NUL")
            << 1 << bytes("abc\0def\0", 8) << true << QByteArray("abc");
        QTest::newRow("REG_SZ stored without NUL")
            << 1 << bytes("abc", 3) << true << QByteArray("abc");
        QTest::newRow("REG_SZ of 1023 characters and NUL")
            << 1 << (QByteArray(1023, 'x') + '\0') << true << QByteArray(1023, 'x');
        QTest::newRow("REG_SZ needing 1025 bytes")
            << 1 << (QByteArray(1024, 'x') + '\0') << false << QByteArray();
        QTest::newRow("REG_SZ empty") << 1 << bytes("\0", 1) << true << QByteArray();
        QTest::newRow("REG_DWORD") << 4 << bytes("\x2a\x00\x00\x00", 4) << true << QByteArray("42");
        QTest::newRow("REG_DWORD with zero bytes inside")
            << 4 << bytes("\x00\x01\x00\x00", 4) << true << QByteArray("256");
        QTest::newRow("REG_DWORD largest")
            << 4 << bytes("\xff\xff\xff\xff", 4) << true << QByteArray("4294967295");
        QTest::newRow("REG_BINARY leaves the text as passed")
            << 3 << bytes("\x01\x02\0", 3) << true << before;
        QTest::newRow("REG_EXPAND_SZ leaves the text as passed")
            << 2 << bytes("%PATH%\0", 7) << true << before;
    }

    void getKeyValueReadsOneValue() {
        QFETCH(int, type);
        QFETCH(QByteArray, data);
        QFETCH(bool, result);
        QFETCH(QByteArray, keyVal);
        registry.set("K", "V", {static_cast<std::uint32_t>(type), data.toStdString()});
        std::string value = "before";
        QCOMPARE(sysInfo().GetKeyValue(Registry::HKEY_LOCAL_MACHINE, "K", "V", value), result);
        QCOMPARE(QByteArray::fromStdString(value), keyVal);
        QCOMPARE(registry.calls, (std::vector<std::string>{"open K", "query V", "close"}));
        QCOMPARE(registry.lastOptions, 0u);
        QCOMPARE(registry.lastAccess, 0x2003Fu);
        QCOMPARE(registry.openKeys(), std::size_t(0));
    }

    void getKeyValueFailsForAMissingKeyOrValue() {
        registry.set("K", "V", {Registry::REG_SZ, withNul("x")});
        std::string value = "before";
        QVERIFY(!sysInfo().GetKeyValue(Registry::HKEY_LOCAL_MACHINE, "Missing", "V", value));
        QCOMPARE(value, std::string());
        value = "before";
        QVERIFY(!sysInfo().GetKeyValue(Registry::HKEY_LOCAL_MACHINE, "K", "Missing", value));
        QCOMPARE(value, std::string());
        // The missing key was never opened, so only the second look-up closes one.
        QCOMPARE(registry.calls,
                 (std::vector<std::string>{"open Missing", "open K", "query Missing", "close"}));
    }

    void getKeyValueThrowsForABufferWithoutNulAndClosesTheKey() {
        registry.set("K", "V", {3u, std::string(1024, '\x7f')});
        std::string value = "before";
        QVERIFY_THROWS_EXCEPTION(
            UnterminatedRegistryValue,
            sysInfo().GetKeyValue(Registry::HKEY_LOCAL_MACHINE, "K", "V", value));
        QCOMPARE(registry.openKeys(), std::size_t(0));
    }
};

QTEST_APPLESS_MAIN(SystemInformationTest)
#include "SystemInformationTest.moc"
