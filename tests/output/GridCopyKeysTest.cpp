#include "app/QtClipboard.h"
#include "output/GridCopyKeyFilter.h"
#include "output/KeyCodeAnalyze.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

using namespace quiverel;

// A main window like the program's: an Edit menu whose copy entry has the shortcut Ctrl+C,
// a grid with the copy-key filter installed, and one more control that can take the focus.
class CopyKeysWindow : public QMainWindow {
public:
    CopyKeysWindow() {
        auto* central = new QWidget(this);
        auto* layout = new QVBoxLayout(central);
        grid = new QTableView(central);
        model.setRowCount(4);
        model.setColumnCount(3);
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 3; ++c) {
                model.setItem(r, c, new QStandardItem(QString("cell %1 %2").arg(r).arg(c)));
            }
        }
        grid->setModel(&model);
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->installEventFilter(new GridCopyKeyFilter([this] { ++gridCopies; }, grid));
        button = new QPushButton("other", central);
        layout->addWidget(grid);
        layout->addWidget(button);
        setCentralWidget(central);

        QAction* copy = menuBar()->addMenu("Edit")->addAction("Copy");
        copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
        connect(copy, &QAction::triggered, this, [this] { ++menuCopies; });
    }

    QStandardItemModel model;
    QTableView* grid = nullptr;
    QPushButton* button = nullptr;
    int gridCopies = 0;
    int menuCopies = 0;
};

class GridCopyKeysTest : public QObject {
    Q_OBJECT

private slots:
    void keyCodeAnalyzeWritesAllThreeFlags_data() {
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
    }

    void keyCodeAnalyzeWritesAllThreeFlags() {
        QFETCH(int, shift);
        QFETCH(bool, shiftDown);
        QFETCH(bool, altDown);
        QFETCH(bool, ctrlDown);
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

    void eachPressCopiesOnce_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("focusOnGrid");
        QTest::addColumn<int>("gridCopies");
        QTest::addColumn<int>("menuCopies");
        const int ctrl = Qt::ControlModifier;
        const int shift = Qt::ShiftModifier;
        const int alt = Qt::AltModifier;
        QTest::newRow("Ctrl+C in the grid") << int(Qt::Key_C) << ctrl << true << 1 << 0;
        QTest::newRow("Ctrl+Shift+C in the grid")
            << int(Qt::Key_C) << (ctrl | shift) << true << 1 << 0;
        QTest::newRow("Ctrl+Alt+C in the grid") << int(Qt::Key_C) << (ctrl | alt) << true << 1 << 0;
        QTest::newRow("Ctrl+Shift+Alt+C in the grid")
            << int(Qt::Key_C) << (ctrl | shift | alt) << true << 1 << 0;
        QTest::newRow("C in the grid") << int(Qt::Key_C) << 0 << true << 0 << 0;
        QTest::newRow("Shift+C in the grid") << int(Qt::Key_C) << shift << true << 0 << 0;
        QTest::newRow("Alt+C in the grid") << int(Qt::Key_C) << alt << true << 0 << 0;
        QTest::newRow("Ctrl+V in the grid") << int(Qt::Key_V) << ctrl << true << 0 << 0;
        QTest::newRow("Ctrl+X in the grid") << int(Qt::Key_X) << ctrl << true << 0 << 0;
        QTest::newRow("Ctrl+C elsewhere: the menu") << int(Qt::Key_C) << ctrl << false << 0 << 1;
    }

    void eachPressCopiesOnce() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, focusOnGrid);
        QFETCH(int, gridCopies);
        QFETCH(int, menuCopies);
        CopyKeysWindow window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QWidget* target = focusOnGrid ? static_cast<QWidget*>(window.grid) : window.button;
        target->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), target);

        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

        QCOMPARE(window.gridCopies, gridCopies);
        QCOMPARE(window.menuCopies, menuCopies);
    }

    void theGridKeepsItsOwnKeys() {
        CopyKeysWindow window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.grid->setFocus();
        window.grid->setCurrentIndex(window.model.index(0, 0));

        QTest::keyClick(window.grid, Qt::Key_Down);
        QCOMPARE(window.grid->currentIndex(), window.model.index(1, 0));
        QTest::keyClick(window.grid, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(window.grid->selectionModel()->selectedIndexes().size(), 2);
        QCOMPARE(window.gridCopies + window.menuCopies, 0);
    }

    void theViewsOwnCopyKeyDoesNotReplaceTheClipboard() {
        CopyKeysWindow window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.grid->setFocus();
        window.grid->setCurrentIndex(window.model.index(2, 1));
        QGuiApplication::clipboard()->setText("kept");

        QTest::keyClick(window.grid, Qt::Key_Insert, Qt::ControlModifier);

        QCOMPARE(QGuiApplication::clipboard()->text(), QString("kept"));
        QCOMPARE(window.gridCopies + window.menuCopies, 0);
    }

    void qtClipboardHoldsTheTextItWasGiven() {
        QtClipboard clipboard;
        clipboard.clear();
        QVERIFY(clipboard.setText("ﾌｧｲﾙ名\tb\r\n\t\r\n"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("ﾌｧｲﾙ名\tb\r\n\t\r\n"));
    }
};

QTEST_MAIN(GridCopyKeysTest)
#include "GridCopyKeysTest.moc"
