#include "settings/StoredNumber.h"
#include "settings/StoredOptions.h"
#include "settings/WindowPlacement.h"
#include "support/FakePlatform.h"
#include "support/TestText.h"

#include <QTest>

#include <limits>

using namespace quiverel;
using quiverel::testing::FakeSettingsStore;
using quiverel::testing::utf8;

namespace {

// Records the keys in the order they are read.
class ReadRecordingStore : public FakeSettingsStore {
public:
    std::string read(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& defaultValue) override {
        reads.push_back(key);
        return FakeSettingsStore::read(application, section, key, defaultValue);
    }
    std::vector<std::string> reads;
};

QStringList keys(const std::vector<std::string>& list) {
    QStringList result;
    for (const std::string& key : list) {
        result << utf8(key);
    }
    return result;
}

} // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT

private slots:
    void readsStoredNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("asInt16");
        QTest::addColumn<float>("asSingle");
        QTest::newRow("whole") << "1000" << 1000 << 1000.0f;
        QTest::newRow("fraction") << "1012.5" << 1012 << 1012.5f;
        QTest::newRow("half to even") << "2.5" << 2 << 2.5f;
        QTest::newRow("negative") << "-135" << -135 << -135.0f;
        QTest::newRow("plus sign and blanks") << " +7 " << 7 << 7.0f;
        QTest::newRow("empty") << "" << -1 << -1.0f;
        QTest::newRow("not a number") << "abc" << -1 << -1.0f;
        QTest::newRow("number then text") << "12px" << -1 << -1.0f;
        QTest::newRow("past 16 bits") << "40000" << -1 << 40000.0f;
        QTest::newRow("past a single") << "1e39" << -1 << -1.0f;
        QTest::newRow("infinity") << "inf" << -1 << -1.0f;
    }
    void readsStoredNumbers() {
        QFETCH(QString, text);
        const std::string stored = text.toStdString();
        QTEST(int(storedInt16(stored, -1)), "asInt16");
        QTEST(storedSingle(stored, -1.0f), "asSingle");
    }

    void writesPlainDecimals() {
        QCOMPARE(utf8(formatSingle(1000.0f)), QString("1000"));
        QCOMPARE(utf8(formatSingle(1012.5f)), QString("1012.5"));
        QCOMPARE(utf8(formatSingle(-15.0f)), QString("-15"));
        QCOMPARE(utf8(formatSingle(123456789.0f)), QString("123456792"));
        for (const float value : {0.1f, 1016.6666f, 98765.43f}) {
            QCOMPARE(storedSingle(formatSingle(value), 0), value);
        }
    }

    void firstRunGivesTheDefaults() {
        ReadRecordingStore store;
        const Options options = readOptions(store);
        QCOMPARE(options.OptFolder, 1);
        QCOMPARE(utf8(options.OptFindFiles), QString("*.*"));
        QCOMPARE(utf8(options.OptTrim), QString());
        QCOMPARE(keys(store.reads), (QStringList{"OptFolder", "OptFindFiles", "OptTrim"}));
        QCOMPARE(readPlacement(store), (WindowPlacement{1000, 1000, 6500, 6500}));
        QCOMPARE(keys(store.reads).mid(3),
                 (QStringList{"MainLeft", "MainTop", "MainWidth", "MainHeight"}));
        QVERIFY(store.writes.empty());
    }

    void readsStoredOptions() {
        FakeSettingsStore store;
        store.set("OptFolder", "0");
        store.set("OptFindFiles", "*.exe;*.dll");
        store.set("OptTrim", "C:\\WORK\\");
        const Options options = readOptions(store);
        QCOMPARE(options.OptFolder, 0);
        QCOMPARE(utf8(options.OptFindFiles), QString("*.exe;*.dll"));
        QCOMPARE(utf8(options.OptTrim), QString("C:\\WORK\\"));
    }

    void emptyPatternStaysEmpty() {
        FakeSettingsStore store;
        store.set("OptFindFiles", "");
        QCOMPARE(utf8(readOptions(store).OptFindFiles), QString());
    }

    void damagedNumbersFallBackToDefaults() {
        FakeSettingsStore store;
        store.set("OptFolder", "yes");
        store.set("MainLeft", "");
        store.set("MainTop", "12abc");
        store.set("MainWidth", "7200");
        store.set("MainHeight", "1e40");
        QCOMPARE(readOptions(store).OptFolder, 1);
        QCOMPARE(readPlacement(store), (WindowPlacement{1000, 1000, 7200, 6500}));
    }

    void placementIsWrittenInOrder() {
        FakeSettingsStore store;
        QVERIFY(writePlacement(store, {1000, -45.5f, 6500, 32768}));
        QCOMPARE(keys(store.writes),
                 (QStringList{"MainLeft", "MainTop", "MainWidth", "MainHeight"}));
        QCOMPARE(utf8(store.value("MainLeft")), QString("1000"));
        QCOMPARE(utf8(store.value("MainTop")), QString("-45.5"));
        QCOMPARE(utf8(store.value("MainHeight")), QString("32768"));
        store.failWrites = true;
        QVERIFY(!writePlacement(store, {1, 2, 3, 4}));
        QCOMPARE(store.writes.size(), std::size_t{8});
    }
};

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "SettingsStoreTest.moc"
