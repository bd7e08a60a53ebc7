#include "window/LayoutStep.h"

#include <QTest>

#include <cmath>

using quiverel::computeLayout;
using quiverel::LayoutInput;
using quiverel::LayoutResult;
using quiverel::roundToInt16;
using quiverel::smallestWindowFor;
using quiverel::WindowSize;

class LayoutStepTest : public QObject {
    Q_OBJECT

private slots:
    void roundsHalvesToEvenAndSaturates_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("half down to even") << 0.5 << 0;
        QTest::newRow("half up to even") << 1.5 << 2;
        QTest::newRow("two and a half") << 2.5 << 2;
        QTest::newRow("negative half") << -0.5 << 0;
        QTest::newRow("negative one and a half") << -1.5 << -2;
        QTest::newRow("below half") << 760.49 << 760;
        QTest::newRow("above half") << 760.51 << 761;
        QTest::newRow("top of range") << 32767.4 << 32767;
        QTest::newRow("half past the top") << 32767.5 << 32767;
        QTest::newRow("far past the top") << 1e9 << 32767;
        QTest::newRow("bottom of range") << -32768.0 << -32768;
        QTest::newRow("far past the bottom") << -1e9 << -32768;
        QTest::newRow("not a number") << std::nan("") << 0;
    }
    void roundsHalvesToEvenAndSaturates() {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(roundToInt16(value), expected);
    }

    void laysOutTheWindow_data() {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<bool>("toolbar");
        QTest::addColumn<bool>("statusBar");
        QTest::addColumn<int>("gridTop");
        QTest::addColumn<int>("gridWidth");
        QTest::addColumn<int>("gridHeight");
        QTest::addColumn<int>("checkBoxTop");
        // Toolbar 420 high, status bar 300 high.
        QTest::newRow("both bars")
            << 6500.0 << 6500.0 << true << true << 760 << 6360 << 4740 << 480;
        QTest::newRow("toolbar hidden")
            << 6500.0 << 6500.0 << false << true << 250 << 6360 << 5250 << 0;
        // Hiding the status bar grows the grid by exactly the bar's height.
        QTest::newRow("status bar hidden")
            << 6500.0 << 6500.0 << true << false << 760 << 6360 << 5040 << 480;
        QTest::newRow("both hidden")
            << 6500.0 << 6500.0 << false << false << 250 << 6360 << 5550 << 0;
        QTest::newRow("too small: negative sizes become 1")
            << 100.0 << 1000.0 << true << true << 760 << 1 << 1 << 480;
        QTest::newRow("exactly zero stays 0")
            << 140.0 << 1760.0 << true << true << 760 << 0 << 0 << 480;
        QTest::newRow("half a twip rounds to even")
            << 140.5 << 1760.5 << true << true << 760 << 0 << 0 << 480;
        QTest::newRow("huge window saturates")
            << 90000.0 << 90000.0 << true << true << 760 << 32767 << 32767 << 480;
    }
    void laysOutTheWindow() {
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(bool, toolbar);
        QFETCH(bool, statusBar);
        LayoutInput input;
        input.windowWidth = width;
        input.windowHeight = height;
        input.toolbarVisible = toolbar;
        input.toolbarHeight = 420;
        input.statusBarVisible = statusBar;
        input.statusBarHeight = 300;
        const LayoutResult result = computeLayout(input);
        QTEST(int(result.gridTop), "gridTop");
        QCOMPARE(result.gridLeft, 10);
        QTEST(int(result.gridWidth), "gridWidth");
        QTEST(int(result.gridHeight), "gridHeight");
        QTEST(int(result.checkBoxTop), "checkBoxTop");
    }

    void gridEndsAtTheStatusAllowance() {
        // Fractional bar heights are rounded before they take part.
        for (const bool toolbar : {true, false}) {
            for (const bool statusBar : {true, false}) {
                LayoutInput input{7000.25, 8000.75, toolbar, 421.6, statusBar, 299.5};
                const LayoutResult result = computeLayout(input);
                const int statusAllowance = statusBar ? 1000 : 700;
                QCOMPARE(result.gridTop + result.gridHeight, 8001 - statusAllowance);
            }
        }
    }

    void smallestWindowJustHoldsTheGrid() {
        for (const bool toolbar : {true, false}) {
            for (const bool statusBar : {true, false}) {
                const LayoutInput bars{0, 0, toolbar, 421.6, statusBar, 299.5};
                const WindowSize smallest = smallestWindowFor(bars, 1200.4, 735.5);
                LayoutInput input = bars;
                input.windowWidth = smallest.width;
                input.windowHeight = smallest.height;
                const LayoutResult fits = computeLayout(input);
                QVERIFY(fits.gridWidth >= 1200 && fits.gridHeight >= 735);
                input.windowWidth -= 1;
                input.windowHeight -= 1;
                const LayoutResult tooSmall = computeLayout(input);
                QVERIFY(tooSmall.gridWidth < 1200 && tooSmall.gridHeight < 735);
            }
        }
    }
};

QTEST_APPLESS_MAIN(LayoutStepTest)
#include "LayoutStepTest.moc"
