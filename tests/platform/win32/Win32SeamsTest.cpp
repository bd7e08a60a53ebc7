#include "platform/files/win32/WidePath.h"
#include "platform/win32/RegistryText.h"
#include "platform/win32/Win32ProgramLauncher.h"
#include "platform/win32/Win32SystemInfoLocator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

using namespace quiverel;

namespace {

// A registry value as a test writes it: its type and its data's bytes.
struct StoredValue {
    DWORD type = REG_SZ;
    std::vector<BYTE> data;
};

StoredValue text(const std::wstring& value, bool withEnd = true) {
    const auto* bytes = reinterpret_cast<const BYTE*>(value.c_str());
    return {REG_SZ, std::vector<BYTE>(bytes, bytes + (value.size() + (withEnd ? 1 : 0)) * 2)};
}

StoredValue number(DWORD value) {
    const auto* bytes = reinterpret_cast<const BYTE*>(&value);
    return {REG_DWORD, std::vector<BYTE>(bytes, bytes + sizeof value)};
}

// A registry tree of the test's own under HKEY_CURRENT_USER, standing in for the machine's
// HKEY_LOCAL_MACHINE; removed when it goes.
class MachineKeys {
public:
    MachineKeys()
        : m_path(L"Software\\Quiverel2000 tests\\machine-" +
                 std::to_wstring(QCoreApplication::applicationPid())) {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &m_root, nullptr);
    }
    ~MachineKeys() {
        ::RegCloseKey(m_root);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    }
    HKEY root() const { return m_root; }

    void put(const wchar_t* key, const wchar_t* name, const std::optional<StoredValue>& value) {
        if (!value) {
            return;
        }
        HKEY created = nullptr;
        QCOMPARE(::RegCreateKeyExW(m_root, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created,
                                   nullptr),
                 ERROR_SUCCESS);
        QCOMPARE(::RegSetValueExW(created, name, 0, value->type, value->data.data(),
                                  DWORD(value->data.size())),
                 ERROR_SUCCESS);
        ::RegCloseKey(created);
    }

private:
    std::wstring m_path;
    HKEY m_root = nullptr;
};

using Answer = std::optional<std::string>;

} // namespace

Q_DECLARE_METATYPE(std::optional<StoredValue>)
Q_DECLARE_METATYPE(Answer)

class Win32SeamsTest : public QObject {
    Q_OBJECT

private slots:
    void locatorReadsTheTwoEntries_data() {
        QTest::addColumn<std::optional<StoredValue>>("path");
        QTest::addColumn<std::optional<StoredValue>>("folder");
        QTest::addColumn<Answer>("programPath");
        QTest::addColumn<Answer>("programInFolder");
        const std::optional<StoredValue> none;
        const std::wstring full(511, L'x');
        QTest::newRow("neither") << none << none << Answer() << Answer();
        QTest::newRow("the full path, as it stands")
            << std::optional(text(L"C:\\Tools\\ｼｽﾃﾑ情報.exe")) << none
            << Answer("C:\\Tools\\ｼｽﾃﾑ情報.exe") << Answer();
        QTest::newRow("the folder") << none << std::optional(text(L"C:\\Tools")) << Answer()
                                    << Answer("C:\\Tools\\MSINFO32.EXE");
        QTest::newRow("the folder with its separator")
            << none << std::optional(text(L"C:\\Tools\\")) << Answer()
            << Answer("C:\\Tools\\MSINFO32.EXE");
        QTest::newRow("a number") << std::optional(number(1234)) << none << Answer("1234")
                                  << Answer();
        QTest::newRow("another type gives no text")
            << std::optional(StoredValue{REG_BINARY, {'a', 'b'}}) << none << Answer("") << Answer();
        QTest::newRow("the buffer full but for the end")
            << std::optional(text(full)) << none << Answer(std::string(511, 'x')) << Answer();
        QTest::newRow("past the buffer counts as missing")
            << std::optional(text(full + L"xx")) << std::optional(text(full + L"xx")) << Answer()
            << Answer();
        // Without an end no program can be started: the search ends with the message.
        QTest::newRow("the buffer full without an end")
            << std::optional(text(full + L"x", false)) << std::optional(text(full + L"x", false))
            << Answer("") << Answer("");
        QTest::newRow("cut at the first NUL")
            << std::optional(text(std::wstring(L"C:\\a.exe\0junk", 13))) << none
            << Answer("C:\\a.exe") << Answer();
    }
    void locatorReadsTheTwoEntries() {
        QFETCH(std::optional<StoredValue>, path);
        QFETCH(std::optional<StoredValue>, folder);
        MachineKeys keys;
        keys.put(L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH", path);
        keys.put(L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO", folder);
        Win32SystemInfoLocator locator(keys.root());
        QTEST(locator.programPath(), "programPath");
        QTEST(locator.programInFolder(), "programInFolder");
    }

    void readsAKeyOfTheMachine() {
        // An ordinary user may read HKEY_LOCAL_MACHINE, not change it: a look-up asks for no more.
        const RegistryText found = readRegistryText(
            HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot");
        QCOMPARE(found.outcome, RegistryTextOutcome::Read);
        QVERIFY(!found.text.empty());
    }

    void launcherTestsAndStartsPrograms() {
        QTemporaryDir folder;
        QFile file(folder.filePath("file.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        Win32ProgramLauncher launcher;
        QVERIFY(launcher.fileExists(QDir::toNativeSeparators(file.fileName()).toStdString()));
        QVERIFY(!launcher.fileExists(QDir::toNativeSeparators(folder.path()).toStdString()));
        QVERIFY(!launcher.fileExists(folder.filePath("none.exe").toStdString()));
        QVERIFY(!launcher.fileExists(""));

        wchar_t system[MAX_PATH] = {};
        QVERIFY(::GetSystemDirectoryW(system, MAX_PATH) > 0);
        const std::string hostname = fs::utf8Text(system) + "\\hostname.exe";
        QVERIFY(launcher.fileExists(hostname));
        QVERIFY(launcher.startDetached(hostname));
        QVERIFY(!launcher.startDetached(folder.filePath("none.exe").toStdString()));
        QVERIFY(!launcher.startDetached(QDir::toNativeSeparators(folder.path()).toStdString()));
        QVERIFY(!launcher.startDetached(""));
    }
};

QTEST_GUILESS_MAIN(Win32SeamsTest)
#include "Win32SeamsTest.moc"
