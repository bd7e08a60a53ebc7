#include "window/CommandLine.h"
#include "support/TestText.h"
#include "window/MainWindowFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quiverel::testing;

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void oneEntryPerArgument_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("none") << QStringList{} << QStringList{""};
        QTest::newRow("absolute stays, in order")
            << QStringList{"/z", "/x/y"} << QStringList{"", "/z", "/x/y"};
        QTest::newRow("relative made absolute")
            << QStringList{"a", "sub/b.txt"} << QStringList{"", "/work/a", "/work/sub/b.txt"};
        QTest::newRow("dots resolved lexically")
            << QStringList{"./a", "../b", "."} << QStringList{"", "/work/a", "/b", "/work"};
        QTest::newRow("a \"..\" after a name is left to the kernel")
            << QStringList{"link/../t.txt"} << QStringList{"", "/work/link/../t.txt"};
        QTest::newRow("empty argument stays empty")
            << QStringList{"/a", "", "/b"} << QStringList{"", "/a", "", "/b"};
        QTest::newRow("blanks are part of the name")
            << QStringList{"/a b", "/c  d ", "\"/e f\""}
            << QStringList{"", "/a b", "/c  d ", "/work/\"/e f\""};
        QTest::newRow("a leading blank is a name in the working folder")
            << QStringList{" ", " /a"} << QStringList{"", "/work/ ", "/work/ /a"};
        QTest::newRow("bytes that are not UTF-8")
            << QStringList{QString::fromLatin1("n\xe9")}
            << QStringList{"", QString::fromLatin1("/work/n\xe9")};
    }
    void oneEntryPerArgument() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, expected);
        std::vector<std::string> native;
        for (const QString& argument : arguments) {
            native.push_back(argument.toLatin1().toStdString());
        }
        QCOMPARE(bytes(quiverel::fileTableFromArguments(native, "/work")), expected);
    }

    // A ".." after a link: Windows takes ".." off the text of the path before it reaches any
    // file, so only here does it lead where the link goes.
    void commandLineDotDotAfterALinkLeadsWhereTheKernelTakesIt() {
        QTemporaryDir root;
        const QDir dir(root.path());
        QVERIFY(dir.mkpath("real/inner"));
        QFile target(dir.filePath("real/target.txt"));
        QVERIFY(target.open(QIODevice::WriteOnly) && target.write(QByteArray(3000, 'x')) == 3000);
        target.close();
        QFile decoy(dir.filePath("target.txt")); // where a lexical ".." would wrongly lead
        QVERIFY(decoy.open(QIODevice::WriteOnly));
        decoy.close();
        QVERIFY(QFile::link(dir.filePath("real/inner"), dir.filePath("link")));

        MainWindowFixture f;
        f.load(commandLine({"link/../target.txt"}, root.path()));
        QCOMPARE(column(f, 3), QStringList{"3KB"});
    }
};

QTEST_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
