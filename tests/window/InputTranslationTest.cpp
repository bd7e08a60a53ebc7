#include "support/TestText.h"
#include "widgets/CellAlignment.h"
#include "widgets/KeyCodes.h"
#include "window/DropPaths.h"

#include <QDir>
#include <QKeyEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

using namespace quiverel;
using quiverel::testing::bytes;

class InputTranslationTest : public QObject {
    Q_OBJECT

private slots:
    void dropCarriesLocalFilesInOrder() {
        // A folder of this machine as a URL writes it ("/tmp", "/C:/…" on Windows), and the
        // native path the drop gives for it.
        const QString folder = QDir::tempPath();
        const QString urlPath = QUrl::fromLocalFile(folder).path();
        const std::string native = QDir::toNativeSeparators(folder + '/').toStdString();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(folder + "/b folder"), QUrl("https://example.org/x"),
                      QUrl::fromEncoded(("file://" + urlPath + "/a%E9").toUtf8()),
                      QUrl::fromLocalFile(folder + "/ｻｲｽﾞ")});
        const std::optional<FileTable> table = fileTableFromDrop(data);
        QVERIFY(table);
        QCOMPARE(bytes(*table), (QStringList{"", bytes(native + "b folder"),
                                             bytes(native + "a\xe9"), bytes(native + "ｻｲｽﾞ")}));
    }

    void dropWithoutLocalFilesCarriesNothing() {
        QMimeData text;
        text.setText("/tmp/a");
        QVERIFY(!fileTableFromDrop(text));
        QMimeData web;
        web.setUrls({QUrl("https://example.org/a")});
        QVERIFY(!fileTableFromDrop(web));
    }

    void keyEventsBecomeKeyCodes_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("mask");
        QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier) << 67 << 2;
        QTest::newRow("C alone") << int(Qt::Key_C) << 0 << 67 << 0;
        QTest::newRow("Ctrl+Shift+Alt+C")
            << int(Qt::Key_C) << int(Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier)
            << 67 << 7;
        QTest::newRow("Shift+digit") << int(Qt::Key_5) << int(Qt::ShiftModifier) << 53 << 1;
        QTest::newRow("Alt+F4") << int(Qt::Key_F4) << int(Qt::AltModifier) << 115 << 4;
        QTest::newRow("down arrow") << int(Qt::Key_Down) << 0 << 40 << 0;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 13 << 0;
        QTest::newRow("unnamed key") << int(Qt::Key_Eacute) << 0 << 0 << 0;
    }
    void keyEventsBecomeKeyCodes() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
        QTEST(int(virtualKeyCode(event)), "code");
        QTEST(int(shiftMask(event)), "mask");
    }

    void textsThatReadAsNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::newRow("whole") << "42" << true;
        QTest::newRow("negative fraction") << "-3.25" << true;
        QTest::newRow("leading point") << ".5" << true;
        QTest::newRow("trailing point") << "7." << true;
        QTest::newRow("exponent") << "1e5" << true;
        QTest::newRow("grouped") << "1,234,567" << true;
        QTest::newRow("blanks around") << "  8  " << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("sign only") << "-" << false;
        QTest::newRow("point only") << "." << false;
        QTest::newRow("unfinished exponent") << "1e" << false;
        QTest::newRow("unit after") << "12KB" << false;
        QTest::newRow("leading comma") << ",5" << false;
        QTest::newRow("date") << "2024/01/02" << false;
        QTest::newRow("full-width digits") << "１２" << false;
    }
    void textsThatReadAsNumbers() {
        QFETCH(QString, text);
        QTEST(looksNumeric(text.toStdString()), "numeric");
    }
};

QTEST_GUILESS_MAIN(InputTranslationTest)
#include "InputTranslationTest.moc"
