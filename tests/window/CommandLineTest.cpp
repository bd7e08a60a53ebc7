#include "window/CommandLine.h"
#include "support/TestText.h"

#include <QTest>

using quiverel::testing::bytes;

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void cutsAtEveryBlank_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("one path") << QString("/a/b") << QStringList{"", "/a/b"};
        QTest::newRow("two paths") << QString("/a /b") << QStringList{"", "/a", "/b"};
        QTest::newRow("two blanks give an empty piece")
            << QString("/a  /b") << QStringList{"", "/a", "", "/b"};
        QTest::newRow("leading blank") << QString(" /a") << QStringList{"", "", "/a"};
        QTest::newRow("trailing blank") << QString("/a ") << QStringList{"", "/a", ""};
        QTest::newRow("a single blank") << QString(" ") << QStringList{"", "", ""};
        QTest::newRow("quotes are ordinary characters")
            << QString("\"/long name/x\"") << QStringList{"", "\"/long", "name/x\""};
        QTest::newRow("tabs do not separate") << QString("/a\t/b") << QStringList{"", "/a\t/b"};
    }
    void cutsAtEveryBlank() {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QCOMPARE(bytes(quiverel::fileTableFromArgumentText(text.toStdString())), expected);
    }

    void formsTheArgumentText_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << QStringList{} << QString();
        QTest::newRow("absolute stays") << QStringList{"/x/y", "/z"} << QString("/x/y /z");
        QTest::newRow("relative made absolute")
            << QStringList{"a", "sub/b.txt"} << QString("/work/a /work/sub/b.txt");
        QTest::newRow("dots resolved lexically")
            << QStringList{"./a", "../b", "."} << QString("/work/a /b /work");
        QTest::newRow("trailing separator kept") << QStringList{"sub/"} << QString("/work/sub/");
        QTest::newRow("a \"..\" after a name is left to the kernel")
            << QStringList{"link/../t.txt"} << QString("/work/link/../t.txt");
        QTest::newRow("empty argument stays empty")
            << QStringList{"/a", "", "/b"} << QString("/a  /b");
        QTest::newRow("blank inside an argument") << QStringList{"/a b"} << QString("/a b");
        QTest::newRow("bytes that are not UTF-8")
            << QStringList{QString::fromLatin1("n\xe9")} << QString::fromLatin1("/work/n\xe9");
    }
    void formsTheArgumentText() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        std::vector<std::string> native;
        for (const QString& argument : arguments) {
            native.push_back(argument.toLatin1().toStdString());
        }
        QCOMPARE(bytes(quiverel::argumentText(native, "/work")), expected);
    }
};

QTEST_APPLESS_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
