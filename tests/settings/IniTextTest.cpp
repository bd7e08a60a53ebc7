// The settings file's INI text: QSettings reads what the program writes and the program reads
// what QSettings writes, text for text; damaged lines read as nothing rather than as junk.

#include "settings/IniText.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <random>
#include <string_view>

using namespace quiverel;

namespace {

QByteArray fileContent(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class IniTextTest : public QObject {
    Q_OBJECT

private slots:
    void sameTextsAsQSettings_data() {
        QTest::addColumn<QString>("text");
        const QStringList texts = {
            "plain",
            "*.exe;*.dll",
            "a,b",
            "a=b",
            " leading and trailing ",
            "  ",
            "",
            "@home",
            "@@twice",
            "@Rect(1 2 3 4)",
            "C:\\WORK\\",
            "quo\"te",
            "\"quoted\"",
            "tab\tand\nline\rbreaks",
            QString(QChar(1)) + "F1",
            QString(QChar(0)) + "1",
            "ｻｲｽﾞ 日本語 é \x7f",
            QString::fromUtf8("\xF0\x9F\x98\x80"),
            ";not a comment",
            "[not a section]",
            "%41 and \\x41",
            "ends in a backslash\\",
        };
        for (const QString& text : texts) {
            QTest::newRow(qPrintable(text.toUtf8().toPercentEncoding())) << text;
        }
    }

    void sameTextsAsQSettings() {
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QString byQt = dir.filePath("qt.ini");
        {
            QSettings settings(byQt, QSettings::IniFormat);
            settings.setValue("Settings/OptTrim", text);
        }
        QCOMPARE(parseIni(fileContent(byQt)).value("Settings").value("OptTrim"), text);

        const QString byUs = dir.filePath("ours.ini");
        QFile file(byUs);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(formatIni({{"Settings", {{"OptTrim", text}}}}));
        file.close();
        const QVariant read = QSettings(byUs, QSettings::IniFormat).value("Settings/OptTrim");
        QCOMPARE(read.typeId(), int(QMetaType::QString));
        QCOMPARE(read.toString(), text);
    }

    void sectionsAndKeysAsQSettingsNamesThem() {
        const IniValues values = {
            {"", {{"top", "level"}}},
            {"General", {{"named", "General"}}},
            {"Odd section", {{"odd key%", "1"}, {"日本", "2"}}},
        };
        QTemporaryDir dir;
        QFile file(dir.filePath("ours.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(formatIni(values));
        file.close();
        QSettings settings(file.fileName(), QSettings::IniFormat);
        QCOMPARE(settings.value("top").toString(), QString("level"));
        QCOMPARE(settings.value("General/named").toString(), QString("General"));
        QCOMPARE(settings.value("Odd section/odd key%").toString(), QString("1"));
        QCOMPARE(settings.value("Odd section/日本").toString(), QString("2"));

        QSettings byQt(dir.filePath("qt.ini"), QSettings::IniFormat);
        for (const QString& key : settings.allKeys()) {
            byQt.setValue(key, settings.value(key));
        }
        byQt.sync();
        QCOMPARE(parseIni(fileContent(byQt.fileName())), values);
    }

    void damagedLines_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("value"); // null: no value read
        QTest::newRow("no equals sign") << QByteArray("OptTrim") << QString();
        QTest::newRow("no key") << QByteArray("=x") << QString();
        QTest::newRow("comment") << QByteArray("; OptTrim=x") << QString();
        QTest::newRow("blanks around") << QByteArray("  OptTrim =  x y  ") << QString("x y");
        QTest::newRow("unquoted semicolons")
            << QByteArray("OptTrim=*.dll;*.exe ; all") << QString("*.dll;*.exe ; all");
        QTest::newRow("quoted blanks") << QByteArray("OptTrim=\" x \"") << QString(" x ");
        QTest::newRow("escaped blank at the end") << QByteArray("OptTrim=x\\ ") << QString("x ");
        QTest::newRow("unclosed quote") << QByteArray("OptTrim=\"/srv") << QString("/srv");
        QTest::newRow("lone backslash at the end") << QByteArray("OptTrim=x\\") << QString("x");
        QTest::newRow("octal escape") << QByteArray("OptTrim=\\101") << QString("A");
        QTest::newRow("hex escape past Unicode")
            << QByteArray("OptTrim=\\x110000a") << QString(QChar(0xFFFD));
        QTest::newRow("hex escape of a surrogate")
            << QByteArray("OptTrim=\\xD800") << QString(QChar(0xFFFD));
        QTest::newRow("hex escape without digits") << QByteArray("OptTrim=a\\xg") << QString("ag");
        QTest::newRow("unknown escape") << QByteArray("OptTrim=\\q") << QString("q");
        QTest::newRow("not UTF-8") << QByteArray("OptTrim=a\xff") << QString("a\uFFFD");
        QTest::newRow("byte array form") << QByteArray("OptTrim=@ByteArray(x)") << QString();
        QTest::newRow("variant form")
            << QByteArray("OptTrim=@Variant(\\0\\0\\0\\x7f)") << QString();
        QTest::newRow("invalid form") << QByteArray("OptTrim=@Invalid()") << QString();
        QTest::newRow("string form") << QByteArray("OptTrim=@String(x)") << QString("x");
        QTest::newRow("unknown form") << QByteArray("OptTrim=@Other(x)") << QString("@Other(x)");
    }

    void damagedLines() {
        QFETCH(QByteArray, line);
        QFETCH(QString, value);
        const IniValues values = parseIni("[Settings]\r\n" + line + "\r\nOptFolder=0");
        QCOMPARE(values.value("Settings").value("OptTrim"), value);
        QCOMPARE(values.value("Settings").contains("OptTrim"), !value.isNull());
        QCOMPARE(values.value("Settings").value("OptFolder"), QString("0"));
    }

    void randomTextsComeBackAsWritten() {
        std::mt19937 generator(11);
        std::uniform_int_distribution<char32_t> anyCharacter(0, 0x10FFFF);
        std::uniform_int_distribution<char32_t> asciiCharacter(0, 0x7F);
        for (int round = 0; round < 500; ++round) {
            QString text;
            for (int i = int(generator() % 24); i > 0; --i) {
                char32_t c = generator() % 2 ? asciiCharacter(generator) : anyCharacter(generator);
                if (c >= 0xD800 && c <= 0xDFFF) {
                    c = 'x'; // only whole characters are ever stored
                }
                text += QString::fromUcs4(&c, 1);
            }
            const IniValues values = {{"Settings", {{"OptTrim", text}, {"OptFolder", "1"}}}};
            QCOMPARE(parseIni(formatIni(values)), values);
        }
    }

    void junkReadsTheSameAfterItIsWrittenClean() {
        // What the store keeps of a damaged file is written back as it was read.
        qsizetype valuesRead = 0;
        for (unsigned seed = 1; seed <= 50; ++seed) {
            std::mt19937 generator(seed);
            QByteArray junk(4096, '\0');
            for (char& byte : junk) {
                // Mostly the characters INI text is made of, so that many lines parse.
                const std::string_view alphabet = "[]=;\"\\ \t\n\r@%xU0aF,";
                byte =
                    generator() % 3 ? alphabet[generator() % alphabet.size()] : char(generator());
            }
            const IniValues read = parseIni(junk);
            QCOMPARE(parseIni(formatIni(read)), read);
            for (const IniSection& section : read) {
                valuesRead += section.size();
            }
        }
        QVERIFY(valuesRead > 1000);
    }

    void sectionHeaders() {
        const IniValues values =
            parseIni("\xEF\xBB\xBFtop=1\n[ Settings ]\na=2\n[unclosed\nb=3\n[general]\nc=4\n"
                     "[%General]\nd=5\n[Sett%55ngs]\ne=6");
        const IniValues expected = {
            {"", {{"top", "1"}, {"c", "4"}}}, {"Settings", {{"a", "2"}}},
            {"unclosed", {{"b", "3"}}},       {"General", {{"d", "5"}}},
            {"SettUngs", {{"e", "6"}}},
        };
        QCOMPARE(values, expected);
    }
};

QTEST_GUILESS_MAIN(IniTextTest)
#include "IniTextTest.moc"
