#include "settings/win32/RegistrySettingsStore.h"
#include "platform/files/win32/WidePath.h"
#include "settings/StoredOptions.h"
#include "settings/WindowPlacement.h"
#include "support/TestText.h"

#include <QCoreApplication>
#include <QTest>

#include <windows.h>

#include <sddl.h>

#include <optional>
#include <string>

using namespace quiverel;
using quiverel::testing::utf8;

namespace {

// A registry tree of the test's own under HKEY_CURRENT_USER, removed when it goes.
class TestRoot {
public:
    TestRoot()
        : m_path("Software\\Quiverel2000 tests\\" +
                 std::to_string(QCoreApplication::applicationPid())) {}
    ~TestRoot() {
        allowWrites("Quiverel2000\\Settings");
        ::RegDeleteTreeW(HKEY_CURRENT_USER, fs::wideText(m_path).c_str());
    }
    const std::string& path() const { return m_path; }
    std::wstring key(const std::string& below) const { return fs::wideText(m_path + '\\' + below); }

    // The value as the registry holds it: its type and text.
    std::optional<std::pair<DWORD, std::wstring>> value(const std::string& name) const {
        wchar_t data[256] = {};
        DWORD type = REG_NONE;
        DWORD size = sizeof data - sizeof(wchar_t);
        if (::RegGetValueW(HKEY_CURRENT_USER, key("Quiverel2000\\Settings").c_str(),
                           fs::wideText(name).c_str(), RRF_RT_ANY, &type, data,
                           &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        return std::pair{type, std::wstring(data)};
    }

    void put(const std::string& name, DWORD type, const void* data, DWORD size) const {
        HKEY settings = nullptr;
        QCOMPARE(::RegCreateKeyExW(HKEY_CURRENT_USER, key("Quiverel2000\\Settings").c_str(), 0,
                                   nullptr, 0, KEY_SET_VALUE, nullptr, &settings, nullptr),
                 ERROR_SUCCESS);
        QCOMPARE(::RegSetValueExW(settings, fs::wideText(name).c_str(), 0, type,
                                  static_cast<const BYTE*>(data), size),
                 ERROR_SUCCESS);
        ::RegCloseKey(settings);
    }

    // Everyone may read the key, and nobody may write it: the registry refuses the store's writes.
    void denyWrites(const std::string& below) const {
        secure(below, L"D:P(D;;0x6;;;WD)(A;;KR;;;WD)");
    }
    void allowWrites(const std::string& below) const { secure(below, L"D:P(A;;KA;;;WD)"); }

private:
    void secure(const std::string& below, const wchar_t* rights) const {
        HKEY opened = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, key(below).c_str(), 0, WRITE_DAC, &opened) !=
            ERROR_SUCCESS) {
            return;
        }
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (::ConvertStringSecurityDescriptorToSecurityDescriptorW(rights, SDDL_REVISION_1,
                                                                   &descriptor, nullptr)) {
            ::RegSetKeySecurity(opened, DACL_SECURITY_INFORMATION, descriptor);
            ::LocalFree(descriptor);
        }
        ::RegCloseKey(opened);
    }

    std::string m_path;
};

const std::string application = "Quiverel2000";
const std::string section = "Settings";

} // namespace

class RegistrySettingsStoreTest : public QObject {
    Q_OBJECT

private slots:
    void settingsLiveWhereSuchProgramsKeepThem() {
        QCOMPARE(utf8(RegistrySettingsStore().keyPath(application, section)),
                 QString("Software\\VB and VBA Program Settings\\Quiverel2000\\Settings"));
    }

    void textsAreStoredAsStringValues_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("a number") << "1000";
        QTest::newRow("a pattern") << "*.exe;*.dll";
        QTest::newRow("empty") << "";
        QTest::newRow("half-width katakana and kanji") << "C:\\ｼｽﾃﾑ\\資料\\";
        QTest::newRow("blanks and quotes") << " \"a b\" ";
        QTest::newRow("past the BMP") << "𠮷.txt";
    }
    void textsAreStoredAsStringValues() {
        QFETCH(QString, text);
        const TestRoot root;
        RegistrySettingsStore store(root.path());
        QVERIFY(store.write(application, section, "OptTrim", text.toStdString()));
        QCOMPARE(root.value("OptTrim"), (std::pair{DWORD(REG_SZ), text.toStdWString()}));
        QCOMPARE(utf8(RegistrySettingsStore(root.path())
                          .read(application, section, "OptTrim", "default")),
                 text);
    }

    void optionsAndPlacementGoThroughTheSevenKeys() {
        const TestRoot root;
        RegistrySettingsStore store(root.path());
        QVERIFY(saveOptions(store, Options{0, "*.txt", "Z:\\srv\\"}));
        QVERIFY(writePlacement(store, WindowPlacement{-45.5f, 1000, 1e30f, 6500}));
        QCOMPARE(root.value("OptFolder")->second, std::wstring(L"0"));
        QCOMPARE(root.value("MainTop")->second, std::wstring(L"1000"));
        QCOMPARE(root.value("MainLeft")->second, std::wstring(L"-45.5"));
        // An absurd width is kept as it is; the window decides what it can show.
        QCOMPARE(readPlacement(store).width, 1e30f);
        QCOMPARE(utf8(readOptions(store).OptFindFiles), QString("*.txt"));
    }

    void absentKeyGivesTheDefaultAndIsNotWrittenBack() {
        const TestRoot root;
        RegistrySettingsStore store(root.path());
        QCOMPARE(utf8(store.read(application, section, "OptTrim", "x")), QString("x"));
        HKEY created = nullptr;
        QCOMPARE(::RegOpenKeyExW(HKEY_CURRENT_USER, root.key("Quiverel2000").c_str(), 0, KEY_READ,
                                 &created),
                 LSTATUS(ERROR_FILE_NOT_FOUND));
    }

    void valuesThisProgramNeverWritesReadAsAbsent() {
        const TestRoot root;
        const DWORD number = 7;
        root.put("OptFolder", REG_DWORD, &number, sizeof number);
        const std::wstring huge(RegistrySettingsStore::maxSettingsValueBytes, L'x');
        root.put("OptTrim", REG_SZ, huge.c_str(), DWORD(huge.size() * sizeof(wchar_t)));
        // Written by another program without its closing NUL.
        root.put("OptFindFiles", REG_SZ, L"*.ocx", 5 * sizeof(wchar_t));
        RegistrySettingsStore store(root.path());
        QCOMPARE(utf8(store.read(application, section, "OptFolder", "1")), QString("1"));
        QCOMPARE(utf8(store.read(application, section, "OptTrim", "")), QString());
        QCOMPARE(utf8(store.read(application, section, "OptFindFiles", "")), QString("*.ocx"));
        QCOMPARE(root.value("OptFolder")->first, DWORD(REG_DWORD)); // left as it was
    }

    void valueTooLongIsNotSavedAndKeepsTheOldOne() {
        const TestRoot root;
        RegistrySettingsStore store(root.path());
        QVERIFY(store.write(application, section, "OptTrim", "C:\\old\\"));
        QVERIFY(!store.write(application, section, "OptTrim",
                             std::string(RegistrySettingsStore::maxSettingsValueBytes, 'x')));
        QCOMPARE(utf8(store.read(application, section, "OptTrim", "")), QString("C:\\old\\"));
        QVERIFY(store.write(application, section, "MainLeft", "5"));
    }

    void unwritableKeyReportsAndKeepsGoing() {
        const TestRoot root;
        RegistrySettingsStore store(root.path());
        QVERIFY(store.write(application, section, "OptTrim", "kept"));
        root.denyWrites("Quiverel2000\\Settings");
        QVERIFY(!store.write(application, section, "OptTrim", "lost"));
        QVERIFY(!writePlacement(store, WindowPlacement{1, 2, 3, 4}));
        QCOMPARE(utf8(store.read(application, section, "OptTrim", "")), QString("kept"));
        QCOMPARE(utf8(store.read(application, section, "MainLeft", "1000")), QString("1000"));
    }
};

QTEST_GUILESS_MAIN(RegistrySettingsStoreTest)
#include "RegistrySettingsStoreTest.moc"
