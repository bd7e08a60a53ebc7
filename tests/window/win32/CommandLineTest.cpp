#include "window/CommandLine.h"
#include "support/TestText.h"

#include <QTest>

using quiverel::testing::utf8;

// Windows hands the arguments over split at blanks outside quotation marks, the quotation marks
// taken out: each one arrives here as one path, in UTF-8.
class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void oneEntryPerArgument_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("none") << QStringList{} << QStringList{""};
        QTest::newRow("absolute stays, in order")
            << QStringList{"Z:\\tmp\\a b", "D:\\", "\\\\server\\share\\x"}
            << QStringList{"", "Z:\\tmp\\a b", "D:\\", "\\\\server\\share\\x"};
        QTest::newRow("relative from the working folder")
            << QStringList{"a", "sub/b.txt", "..\\c"}
            << QStringList{"", "C:\\work\\a", "C:\\work\\sub\\b.txt", "C:\\c"};
        QTest::newRow("from the root of the working folder's drive")
            << QStringList{"\\top"} << QStringList{"", "C:\\top"};
        QTest::newRow("empty and blank")
            << QStringList{"", " "} << QStringList{"", "", "C:\\work\\ "};
        QTest::newRow("Japanese names")
            << QStringList{"Z:\\ｼｽﾃﾑ\\資料.txt"} << QStringList{"", "Z:\\ｼｽﾃﾑ\\資料.txt"};
    }
    void oneEntryPerArgument() {
        QFETCH(QStringList, arguments);
        std::vector<std::string> native;
        for (const QString& argument : arguments) {
            native.push_back(argument.toStdString());
        }
        QStringList table;
        for (const std::string& entry : quiverel::fileTableFromArguments(native, "C:\\work")) {
            table << utf8(entry);
        }
        QTEST(table, "expected");
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
