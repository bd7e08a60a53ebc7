#include "window/CopyCommand.h"
#include "grid/GridModel.h"
#include "grid/GridObserver.h"
#include "support/FakePlatform.h"
#include "window/texts.h"

#include <QTest>

#include <string>
#include <vector>

using namespace quiverel;
using namespace quiverel::testing;
using Shape = MousePointer::Shape;

namespace {

// Remembers how Redraw was switched.
class RedrawLog : public GridObserver {
public:
    void gridShapeChanged(std::int32_t, std::int32_t) override {}
    void gridCellsChanged(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
    void gridColumnFormatChanged(std::int32_t) override {}
    void gridSelectionChanged() override {}
    void gridRedrawChanged(bool redraw) override { switches.push_back(redraw); }
    std::vector<bool> switches;
};

// A clipboard that notes the state of the grid and the pointer at the moment it is written.
class WatchingClipboard : public FakeClipboard {
public:
    WatchingClipboard(const GridModel& grid, const FakeMousePointer& pointer)
        : m_grid(grid), m_pointer(pointer) {}
    bool setText(std::string newText) override {
        redrawWhileSet = m_grid.Redraw();
        busyWhileSet = !m_pointer.shapes.empty() && m_pointer.shapes.back() == Shape::Busy;
        return FakeClipboard::setText(std::move(newText));
    }
    bool redrawWhileSet = true;
    bool busyWhileSet = false;

private:
    const GridModel& m_grid;
    const FakeMousePointer& m_pointer;
};

struct Selection {
    int row, col, rowSel, colSel;
};

} // namespace

Q_DECLARE_METATYPE(Selection)

class CopyCommandTest : public QObject {
    Q_OBJECT

    // A grid of eight columns and `rows` file rows; cell (r, c) reads "r<r>c<c>", except the
    // cells the test overwrites.
    void fill(int rows) {
        grid.setCols(8);
        grid.setRows(rows + 1);
        for (int r = 0; r <= rows; ++r) {
            for (int c = 0; c < 8; ++c) {
                grid.setRow(r);
                grid.setCol(c);
                grid.setText("r" + std::to_string(r) + "c" + std::to_string(c));
            }
        }
    }
    void setCell(int row, int col, const std::string& text) {
        grid.setRow(row);
        grid.setCol(col);
        grid.setText(text);
    }
    void select(const Selection& s) {
        grid.setRow(s.row);
        grid.setCol(s.col);
        grid.setRowSel(s.rowSel);
        grid.setColSel(s.colSel);
    }
    void verifySelection(int row, int col, int rowSel, int colSel) {
        QCOMPARE(grid.Row(), row);
        QCOMPARE(grid.Col(), col);
        QCOMPARE(grid.RowSel(), rowSel);
        QCOMPARE(grid.ColSel(), colSel);
    }

    GridModel grid;
    RedrawLog redrawLog;
    FakeMessageBox messageBox;
    FakeMousePointer pointer;
    WatchingClipboard clipboard{grid, pointer};

private slots:
    void init() {
        grid.setObserver(nullptr);
        fill(12);
        setCell(4, 5, "");                     // an empty cell, as in an unchosen column
        setCell(4, 6, "\"C:\\a b\\x,y.txt\""); // copied as it stands, quotes and all
        setCell(4, 7, "拡張子");
        messageBox = FakeMessageBox();
        pointer = FakeMousePointer();
        clipboard.text = "earlier";
        clipboard.clears = clipboard.sets = 0;
        clipboard.failSet = false;
        redrawLog.switches.clear();
        grid.setObserver(&redrawLog);
    }

    void copiesTheSelectedBlock_data() {
        QTest::addColumn<Selection>("selection");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");

        const QString rows12 = "r1c1\tr1c2\tr1c3\r\nr2c1\tr2c2\tr2c3\r\n";
        const QString message12 = "Col : 1～3  Row : 1～2  をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰしました。";
        QTest::newRow("2 x 3 dragged down and right")
            << Selection{1, 1, 2, 3} << rows12 << message12;
        QTest::newRow("2 x 3 dragged up and left") << Selection{2, 3, 1, 1} << rows12 << message12;
        QTest::newRow("2 x 3 dragged up and right") << Selection{2, 1, 1, 3} << rows12 << message12;
        QTest::newRow("2 x 3 dragged down and left")
            << Selection{1, 3, 2, 1} << rows12 << message12;
        QTest::newRow("one cell") << Selection{5, 3, 5, 3} << QString("r5c3\r\n")
                                  << QString(
                                         "Col : 3～3  Row : 5～5  をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰしました。");
        QTest::newRow("empty cell and cell texts unchanged")
            << Selection{4, 4, 4, 7} << QString("r4c4\t\t\"C:\\a b\\x,y.txt\"\t拡張子\r\n")
            << QString("Col : 4～7  Row : 4～4  をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰしました。");
        QString tenRows;
        for (int r = 1; r <= 10; ++r) {
            tenRows += QString("r%1c1\tr%1c2\tr%1c3\r\n").arg(r);
        }
        QTest::newRow("ten rows") << Selection{10, 3, 1, 1} << tenRows
                                  << QString(
                                         "Col : 1～3  Row : 1～10  をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰしました。");
    }

    void copiesTheSelectedBlock() {
        QFETCH(Selection, selection);
        QFETCH(QString, text);
        QFETCH(QString, message);
        select(selection);
        const Selection normalised{
            std::min(selection.row, selection.rowSel), std::min(selection.col, selection.colSel),
            std::max(selection.row, selection.rowSel), std::max(selection.col, selection.colSel)};
        bool redrawWhileShown = true;
        messageBox.onShow = [&](const std::string&) {
            redrawWhileShown = grid.Redraw();
        };

        CopyCommand(grid, messageBox, clipboard, pointer).copySelection();

        QCOMPARE(QString::fromStdString(clipboard.text), text);
        QCOMPARE(clipboard.clears, 1);
        QCOMPARE(clipboard.sets, 1);
        QCOMPARE(messageBox.shown.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(messageBox.shown[0].text), message);
        QCOMPARE(messageBox.shown[0].title, std::string("Quiverel"));
        QCOMPARE(pointer.shapes, (std::vector<Shape>{Shape::Busy, Shape::Default}));
        QVERIFY(clipboard.busyWhileSet);
        QVERIFY(!clipboard.redrawWhileSet);
        QVERIFY(!redrawWhileShown);
        QCOMPARE(redrawLog.switches, (std::vector<bool>{false, true}));
        verifySelection(normalised.row, normalised.col, normalised.rowSel, normalised.colSel);
    }

    // Many rows of files in shared folders, the first row far shorter than the rest: the text
    // comes out whole, byte for byte, however its room was guessed.
    void copiesManyRowsOfLongPathsWhole() {
        constexpr int rows = 9000;
        grid.setObserver(nullptr);
        fill(rows);
        std::string expected;
        for (int r = 1; r <= rows; ++r) {
            const std::string folder =
                r == 1 ? "/" : "/ARCHIVE/ｶﾅ漢字/" + std::string(r % 300, 'D') + "/";
            const std::string name = "F" + std::to_string(r) + ".DLL";
            const std::string texts[] = {name, folder, "1KB", "1.2.3.4", folder + name};
            for (int c = 1; c <= 5; ++c) {
                setCell(r, c, texts[c - 1]);
                expected += texts[c - 1] + (c == 5 ? "\r\n" : "\t");
            }
        }
        select({1, 1, rows, 5});
        CopyCommand(grid, messageBox, clipboard, pointer).copySelection();
        QVERIFY(clipboard.text == expected);
    }

    void refusesABlockTouchingHeadingRowOrNumberColumn_data() {
        QTest::addColumn<Selection>("selection");
        QTest::addColumn<Selection>("normalised");
        QTest::newRow("right after a batch: last row, column 0")
            << Selection{12, 0, 12, 0} << Selection{12, 0, 12, 0};
        QTest::newRow("current cell in the heading row")
            << Selection{0, 2, 3, 4} << Selection{0, 2, 3, 4};
        QTest::newRow("far corner in the heading row")
            << Selection{3, 4, 0, 2} << Selection{0, 2, 3, 4};
        QTest::newRow("current cell in the number column")
            << Selection{2, 0, 5, 3} << Selection{2, 0, 5, 3};
        QTest::newRow("far corner in the number column")
            << Selection{5, 3, 2, 0} << Selection{2, 0, 5, 3};
        QTest::newRow("the corner cell") << Selection{0, 0, 0, 0} << Selection{0, 0, 0, 0};
    }

    void refusesABlockTouchingHeadingRowOrNumberColumn() {
        QFETCH(Selection, selection);
        QFETCH(Selection, normalised);
        select(selection);
        bool redrawWhileShown = true;
        messageBox.onShow = [&](const std::string&) {
            redrawWhileShown = grid.Redraw();
        };

        CopyCommand(grid, messageBox, clipboard, pointer).copySelection();

        QCOMPARE(messageBox.shown,
                 (std::vector<ShownMessage>{{"ｺﾋﾟｰ範囲が選択されていません。", "Quiverel"}}));
        QCOMPARE(clipboard.text, std::string("earlier"));
        QCOMPARE(clipboard.clears, 0);
        QCOMPARE(clipboard.sets, 0);
        QVERIFY(pointer.shapes.empty());
        QVERIFY(!redrawWhileShown);
        QCOMPARE(redrawLog.switches, (std::vector<bool>{false, true}));
        verifySelection(normalised.row, normalised.col, normalised.rowSel, normalised.colSel);
    }

    void aClipboardThatCannotBeWrittenIsReportedAndLeavesTheGridIntact() {
        select({3, 4, 1, 2});
        clipboard.failSet = true;

        CopyCommand(grid, messageBox, clipboard, pointer).copySelection();

        QCOMPARE(messageBox.shown, (std::vector<ShownMessage>{{copyTexts::failed, "Quiverel"}}));
        QCOMPARE(pointer.shapes, (std::vector<Shape>{Shape::Busy, Shape::Default}));
        QCOMPARE(redrawLog.switches, (std::vector<bool>{false, true}));
        verifySelection(1, 2, 3, 4);
        QCOMPARE(grid.Rows(), 13);
        QCOMPARE(grid.TextMatrix(3, 4), std::string_view("r3c4"));

        // The next copy, with the clipboard free again, works as usual.
        clipboard.failSet = false;
        CopyCommand(grid, messageBox, clipboard, pointer).copySelection();
        QCOMPARE(clipboard.text, std::string("r1c2\tr1c3\tr1c4\r\nr2c2\tr2c3\tr2c4\r\n"
                                             "r3c2\tr3c3\tr3c4\r\n"));
        QCOMPARE(messageBox.shown.size(), std::size_t(2));
    }
};

QTEST_APPLESS_MAIN(CopyCommandTest)
#include "CopyCommandTest.moc"
