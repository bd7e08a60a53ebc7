#include "widgets/FlexGridView.h"
#include "grid/GridModel.h"
#include "widgets/Twips.h"
#include "window/DataSet_RowMidashi.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <string>

using namespace quiverel;

namespace {

// A grid with its heading row and rows data rows whose cells read "r<row>c<col>".
void fill(GridModel& grid, int rows) {
    DataSet_RowMidashi(grid);
    grid.setRows(rows + 1);
    for (int row = 1; row <= rows; ++row) {
        for (int col = 0; col < grid.Cols(); ++col) {
            grid.setRow(row);
            grid.setCol(col);
            grid.setText(col == 0 ? std::to_string(row)
                                  : "r" + std::to_string(row) + "c" + std::to_string(col));
        }
    }
}

struct Selection {
    int row, col, rowSel, colSel;
    bool operator==(const Selection&) const = default;
};

Selection selectionOf(const GridModel& grid) {
    return {grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()};
}

char* toString(const Selection& s) {
    return qstrdup(
        QString("(%1,%2)-(%3,%4)").arg(s.row).arg(s.col).arg(s.rowSel).arg(s.colSel).toLatin1());
}

QModelIndex cell(const QTableView& view, int gridRow, int gridCol) {
    return view.model()->index(gridRow - 1, gridCol - 1);
}

QPoint centre(const QTableView& view, int gridRow, int gridCol) {
    return view.visualRect(cell(view, gridRow, gridCol)).center();
}

} // namespace

class FlexGridViewTest : public QObject {
    Q_OBJECT

private slots:
    void headingRowAndNumberColumnAreTheHeaders() {
        GridModel grid;
        fill(grid, 3);
        FlexGridView view(grid);
        const QAbstractItemModel& model = *view.model();
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.columnCount(), 7);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QString("ﾌｧｲﾙ名"));
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QString("ｻｲｽﾞ(KB)"));
        QCOMPARE(model.headerData(6, Qt::Horizontal).toString(), QString("拡張子"));
        QCOMPARE(model.headerData(1, Qt::Vertical).toString(), QString("2"));
        QCOMPARE(model.data(model.index(1, 2)).toString(), QString("r2c3"));
        QCOMPARE(model.flags(model.index(0, 0)), Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }

    void alignmentFollowsTheColumn_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        const int left = Qt::AlignLeft | Qt::AlignVCenter;
        const int right = Qt::AlignRight | Qt::AlignVCenter;
        QTest::newRow("general number") << 3 << "1234" << right;
        QTest::newRow("general grouped number") << 3 << " 1,234.5 " << right;
        QTest::newRow("general size text") << 3 << "12KB" << left;
        QTest::newRow("general stamp") << 5 << "2024/01/02 10:00" << left;
        QTest::newRow("general empty") << 5 << "" << left;
        QTest::newRow("left-aligned number") << 1 << "1234" << left;
        QTest::newRow("left-aligned name") << 7 << "EXE" << left;
    }
    void alignmentFollowsTheColumn() {
        QFETCH(int, col);
        QFETCH(QString, text);
        GridModel grid;
        fill(grid, 1);
        grid.setRow(1);
        grid.setCol(col);
        grid.setText(text.toStdString());
        FlexGridView view(grid);
        QTEST(view.model()->data(cell(view, 1, col), Qt::TextAlignmentRole).toInt(), "expected");
    }

    void numbersAreRightAlignedHeadingsLeft() {
        GridModel grid;
        fill(grid, 2);
        FlexGridView view(grid);
        const QAbstractItemModel& model = *view.model();
        QCOMPARE(model.headerData(0, Qt::Vertical, Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignRight | Qt::AlignVCenter));
        QCOMPARE(model.headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignLeft | Qt::AlignVCenter));
    }

    void columnWidthsComeFromTheGridAndGoBack() {
        GridModel grid;
        fill(grid, 2);
        FlexGridView view(grid);
        view.resize(600, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const double dpi = view.logicalDpiX();
        const int widths[] = {500, 1000, 1000, 1000, 800, 1000, 2000, 1000};
        for (int col = 1; col < 8; ++col) {
            QCOMPARE(view.horizontalHeader()->sectionSize(col - 1),
                     twipsToPixels(widths[col], dpi));
        }
        QCOMPARE(view.verticalHeader()->width(), twipsToPixels(500, dpi));

        QCOMPARE(view.horizontalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        view.allowDropsAndColumnResizing();
        QCOMPARE(view.horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
        QCOMPARE(view.verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        view.horizontalHeader()->resizeSection(1, 150);
        QCOMPARE(grid.ColWidth(2), qRound(pixelsToTwips(150, dpi)));

        // The number column's edge drags like any column border.
        QWidget* numbers = view.verticalHeader()->viewport();
        const auto mouse = [&](QEvent::Type type, int x, Qt::MouseButtons buttons) {
            QMouseEvent event(type, QPointF(x, 5), numbers->mapToGlobal(QPointF(x, 5)),
                              Qt::LeftButton, buttons, Qt::NoModifier);
            QCoreApplication::sendEvent(numbers, &event);
        };
        const int edge = view.verticalHeader()->width() - 1;
        mouse(QEvent::MouseButtonPress, edge, Qt::LeftButton);
        mouse(QEvent::MouseMove, 90, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, 90, Qt::NoButton);
        QCOMPARE(grid.ColWidth(0), qRound(pixelsToTwips(90, dpi)));
        QCOMPARE(view.verticalHeader()->width(), 90);
        // A press away from the edge selects a row as before.
        mouse(QEvent::MouseButtonPress, 10, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, 10, Qt::NoButton);
        QCOMPARE(grid.ColWidth(0), qRound(pixelsToTwips(90, dpi)));
        QCOMPARE(grid.Row(), 1);
        QCOMPARE(grid.ColSel(), 7);

        grid.setColWidth(0, 1000);
        QCOMPARE(view.verticalHeader()->width(), twipsToPixels(1000, dpi));
        grid.setColWidth(4, 1500);
        QCOMPARE(view.horizontalHeader()->sectionSize(3), twipsToPixels(1500, dpi));
    }

    void viewFollowsTheGridsSelection() {
        GridModel grid;
        fill(grid, 6);
        FlexGridView view(grid);
        grid.setRow(3);
        grid.setCol(2);
        grid.setRowSel(5);
        grid.setColSel(4);
        QCOMPARE(view.currentIndex(), cell(view, 3, 2));
        const QItemSelection selection = view.selectionModel()->selection();
        QCOMPARE(selection.size(), 1);
        QCOMPARE(selection.first().topLeft(), cell(view, 3, 2));
        QCOMPARE(selection.first().bottomRight(), cell(view, 5, 4));

        // A current cell in the number column has no cell in the view.
        grid.setRow(6);
        grid.setCol(0);
        QVERIFY(!view.currentIndex().isValid());
        QVERIFY(view.selectionModel()->selection().isEmpty());
    }

    void gridFollowsTheUser() {
        GridModel grid;
        fill(grid, 6);
        FlexGridView view(grid);
        view.resize(900, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centre(view, 2, 2));
        QCOMPARE(selectionOf(grid), (Selection{2, 2, 2, 2}));
        // Shift-click: the current cell stays where the user started, the block reaches to the
        // click, and Shift+Up moves that far corner.
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier, centre(view, 4, 5));
        QCOMPARE(selectionOf(grid), (Selection{2, 2, 4, 5}));
        QTest::keyClick(&view, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(selectionOf(grid), (Selection{2, 2, 3, 5}));

        // After selecting everything the grid's block starts at the top-left cell.
        view.selectAll();
        QCOMPARE(selectionOf(grid), (Selection{1, 1, 6, 7}));
        QCOMPARE(view.currentIndex(), cell(view, 1, 1));
    }

    void redrawOffHoldsEverythingUntilOneReset() {
        GridModel grid;
        fill(grid, 5);
        FlexGridView view(grid);
        QAbstractItemModel& model = *view.model();
        // Checks that every change the model reports keeps it consistent.
        const QAbstractItemModelTester tester(
            &model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removals(&model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);

        grid.setRedraw(false);
        QVERIFY(!view.updatesEnabled());
        grid.setRows(1);
        // The view still knows five rows; their cells are gone and read empty.
        QCOMPARE(model.rowCount(), 5);
        QCOMPARE(model.data(model.index(4, 0)).toString(), QString());
        grid.setRows(301);
        for (int row = 1; row <= 300; ++row) {
            grid.setRow(row);
            grid.setCol(1);
            grid.setText("n" + std::to_string(row));
        }
        grid.setCol(1);
        grid.setSort(GridModel::flexSortStringNoCaseAscending);
        QCOMPARE(resets.count() + inserts.count() + removals.count() + changes.count(), 0);

        grid.setRedraw(true);
        QCOMPARE(resets.count(), 1);
        QCOMPARE(inserts.count() + removals.count() + changes.count(), 0);
        QCOMPARE(model.rowCount(), 300);
        QVERIFY(view.updatesEnabled());
        QCOMPARE(view.currentIndex(), cell(view, grid.Row(), grid.Col()));
    }

    void textsChangedWhileHeldArriveAsOneBlock() {
        GridModel grid;
        fill(grid, 5);
        FlexGridView view(grid);
        QAbstractItemModel& model = *view.model();
        // Checks that every change the model reports keeps it consistent.
        const QAbstractItemModelTester tester(
            &model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        grid.setRedraw(false);
        for (const auto& [row, col] : {std::pair{2, 3}, std::pair{4, 1}}) {
            grid.setRow(row);
            grid.setCol(col);
            grid.setText("new");
        }
        QCOMPARE(changes.count(), 0);
        grid.setRedraw(true);
        QCOMPARE(resets.count(), 0);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.first().at(0).toModelIndex(), cell(view, 2, 1));
        QCOMPARE(changes.first().at(1).toModelIndex(), cell(view, 4, 3));
    }

    void viewChangesWhileHeldDoNotReachTheGrid() {
        GridModel grid;
        fill(grid, 5);
        FlexGridView view(grid);
        grid.setRow(2);
        grid.setCol(2);
        grid.setRedraw(false);
        grid.setRows(2);
        // The view still shows five rows; choosing one that is gone must not touch the grid.
        view.selectionModel()->setCurrentIndex(cell(view, 5, 3),
                                               QItemSelectionModel::ClearAndSelect);
        QCOMPARE(selectionOf(grid), (Selection{1, 2, 1, 2}));
        grid.setRedraw(true);
        QCOMPARE(view.currentIndex(), cell(view, 1, 2));
    }

    void withRedrawOnEachChangeIsReported() {
        GridModel grid;
        fill(grid, 2);
        FlexGridView view(grid);
        QAbstractItemModel& model = *view.model();
        // Checks that every change the model reports keeps it consistent.
        const QAbstractItemModelTester tester(
            &model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removals(&model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy headers(&model, &QAbstractItemModel::headerDataChanged);
        grid.setRows(10);
        QCOMPARE(inserts.count(), 1);
        QCOMPARE(model.rowCount(), 9);
        grid.setRows(4);
        QCOMPARE(removals.count(), 1);
        QCOMPARE(model.rowCount(), 3);
        grid.setRow(3);
        grid.setCol(0);
        grid.setText("3");
        QCOMPARE(headers.count(), 1);
        QCOMPARE(model.headerData(2, Qt::Vertical).toString(), QString("3"));
    }

    void layoutHoldKeepsRedrawOff() {
        GridModel grid;
        fill(grid, 1);
        FlexGridView view(grid);
        view.holdRepaint();
        QVERIFY(!view.updatesEnabled());
        grid.setRedraw(false);
        view.releaseRepaint();
        QVERIFY(!view.updatesEnabled());
        grid.setRedraw(true);
        QVERIFY(view.updatesEnabled());
    }

    void aMillionRowsShareOneHeight() {
        GridModel grid;
        DataSet_RowMidashi(grid);
        FlexGridView view(grid);
        view.resize(600, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        grid.setRedraw(false);
        grid.setRows(1'000'001);
        grid.setRow(1'000'000);
        grid.setCol(1);
        grid.setText("last");
        grid.setRedraw(true);
        QCOMPARE(view.model()->rowCount(), 1'000'000);
        view.scrollToBottom();
        QCOMPARE(view.rowAt(view.viewport()->height() - 2), 999'999);
        QCOMPARE(view.verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        QCOMPARE(view.rowHeight(999'999), view.rowHeight(0));
    }
};

QTEST_MAIN(FlexGridViewTest)
#include "FlexGridViewTest.moc"
