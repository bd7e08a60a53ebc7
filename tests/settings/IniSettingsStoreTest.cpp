#include "settings/QtSettingsStore.h"
#include "support/TestText.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace quiverel;
using quiverel::testing::utf8;

// The INI file that keeps the settings on Linux.
class IniSettingsStoreTest : public QObject {
    Q_OBJECT

private slots:
    void iniFileInTheUsersConfigFolder() {
        QTemporaryDir root;
        QtSettingsStore store(root.path());
        QCOMPARE(store.filePath("Quiverel2000"), root.filePath("Quiverel2000/Quiverel2000.ini"));
        QVERIFY(store.write("Quiverel2000", "Settings", "OptTrim", "/home/ｻｲｽﾞ, x"));
        QVERIFY(store.write("Quiverel2000", "Settings", "OptFolder", "1"));

        QSettings file(root.filePath("Quiverel2000/Quiverel2000.ini"), QSettings::IniFormat);
        QCOMPARE(file.childGroups(), QStringList{"Settings"});
        QCOMPARE(file.value("Settings/OptFolder").toString(), QString("1"));

        QtSettingsStore again(root.path());
        QCOMPARE(utf8(again.read("Quiverel2000", "Settings", "OptTrim", "-")),
                 QString("/home/ｻｲｽﾞ, x"));
        QCOMPARE(utf8(again.read("Quiverel2000", "Settings", "MainLeft", "1000")), QString("1000"));
        QCOMPARE(utf8(again.read("Quiverel2000", "Other", "OptFolder", "d")), QString("d"));
    }

    void absentKeyIsNotWrittenBack() {
        QTemporaryDir root;
        QtSettingsStore store(root.path());
        QCOMPARE(utf8(store.read("Quiverel2000", "Settings", "OptTrim", "x")), QString("x"));
        QVERIFY(!QFile::exists(store.filePath("Quiverel2000")));
    }

    void handEditedListReadsAsOneText() {
        QTemporaryDir root;
        QDir(root.path()).mkpath("Quiverel2000");
        QFile ini(root.filePath("Quiverel2000/Quiverel2000.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Settings]\nOptFindFiles=*.dll;*.exe\nOptTrim=*.txt,*.doc\n");
        ini.close();
        QtSettingsStore store(root.path());
        QCOMPARE(utf8(store.read("Quiverel2000", "Settings", "OptFindFiles", "")),
                 QString("*.dll;*.exe"));
        QCOMPARE(utf8(store.read("Quiverel2000", "Settings", "OptTrim", "")),
                 QString("*.txt,*.doc"));

        // Saving another value keeps the lists whole, written so that QSettings reads them too.
        QVERIFY(store.write("Quiverel2000", "Settings", "OptFolder", "0"));
        const QSettings file(ini.fileName(), QSettings::IniFormat);
        QCOMPARE(file.value("Settings/OptFindFiles").toString(), QString("*.dll;*.exe"));
        QCOMPARE(file.value("Settings/OptTrim").toString(), QString("*.txt,*.doc"));
    }

    void unwritableStoreReportsAndKeepsGoing() {
        // A regular file where the folder should be: nobody, not even root, can write below it.
        QTemporaryDir root;
        QFile blocker(root.filePath("config"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QtSettingsStore store(blocker.fileName());
        QVERIFY(!store.write("Quiverel2000", "Settings", "MainLeft", "5"));
        QCOMPARE(utf8(store.read("Quiverel2000", "Settings", "OptTrim", "d")), QString("d"));
    }
};

QTEST_GUILESS_MAIN(IniSettingsStoreTest)
#include "IniSettingsStoreTest.moc"
