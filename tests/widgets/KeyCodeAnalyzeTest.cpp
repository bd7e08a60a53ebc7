#include "widgets/KeyCodeAnalyze.h"

#include <QTest>

#include <cstdint>

using namespace quiverel;

class KeyCodeAnalyzeTest : public QObject {
    Q_OBJECT

private slots:
    void writesAllThreeFlags_data() {
        QTest::addColumn<int>("shift");
        QTest::addColumn<bool>("shiftDown");
        QTest::addColumn<bool>("altDown");
        QTest::addColumn<bool>("ctrlDown");
        QTest::newRow("none") << 0 << false << false << false;
        QTest::newRow("Shift") << 1 << true << false << false;
        QTest::newRow("Ctrl") << 2 << false << false << true;
        QTest::newRow("Shift+Ctrl") << 3 << true << false << true;
        QTest::newRow("Alt") << 4 << false << true << false;
        QTest::newRow("Shift+Alt") << 5 << true << true << false;
        QTest::newRow("Ctrl+Alt") << 6 << false << true << true;
        QTest::newRow("all three") << 7 << true << true << true;
        QTest::newRow("higher bits ignored") << (8 | 16 | 2) << false << false << true;
    }

    void writesAllThreeFlags() {
        QFETCH(int, shift);
        QFETCH(bool, shiftDown);
        QFETCH(bool, altDown);
        QFETCH(bool, ctrlDown);
        // The key code takes no part in the decoding.
        for (const std::int16_t keyCode : {std::int16_t(67), std::int16_t(9), std::int16_t(0)}) {
            // Start from the opposite of the expected flags: every one must be written.
            bool flgShiftDown = !shiftDown;
            bool flgAltDown = !altDown;
            bool flgCtrlDown = !ctrlDown;
            KeyCodeAnalyze(keyCode, static_cast<std::int16_t>(shift), flgShiftDown, flgAltDown,
                           flgCtrlDown);
            QCOMPARE(flgShiftDown, shiftDown);
            QCOMPARE(flgAltDown, altDown);
            QCOMPARE(flgCtrlDown, ctrlDown);
        }
    }
};

QTEST_GUILESS_MAIN(KeyCodeAnalyzeTest)
#include "KeyCodeAnalyzeTest.moc"
