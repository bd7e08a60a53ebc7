#include "DropHelpers.h"
#include "MainWindowFixture.h"
#include "support/TestText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <functional>

using namespace quiverel;
using namespace quiverel::testing;

namespace {

const ShownMessage nothingSelected{"ｺﾋﾟｰ範囲が選択されていません。", "Quiverel"};
const ShownMessage sysInfoUnavailable{"現時点ではｼｽﾃﾑ情報を使用できません", "Quiverel2000"};

// A folder of empty files; each is listed as "<NAME>  <path name>  1KB  -  <time stamp>".
class Folder {
public:
    explicit Folder(const QStringList& files) {
        for (const QString& file : files) {
            const QString path = m_root.filePath(file);
            QDir().mkpath(QFileInfo(path).path());
            QFile(path).open(QIODevice::WriteOnly);
        }
    }
    QString path(const QString& name = {}) const {
        return name.isEmpty() ? m_root.path() : m_root.filePath(name);
    }

private:
    QTemporaryDir m_root;
};

// Runs `inside` with the modal dialog the window opens once `open` has run, then closes the
// dialog if `inside` left it open, so that a failing check never leaves a test waiting.
// Returns the dialog `inside` saw (gone by then) for the test to compare with.
QString whileModal(const std::function<void()>& open, const std::function<void(QDialog&)>& inside) {
    QString seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            return;
        }
        seen = dialog->objectName();
        inside(*dialog);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
    open();
    return seen;
}

template <typename Control> Control* control(QDialog& dialog, const char* name) {
    return dialog.findChild<Control*>(QString::fromLatin1(name));
}

void click(QDialog& dialog, const char* button) {
    QTest::mouseClick(control<QPushButton>(dialog, button), Qt::LeftButton);
}

// Row, Col, RowSel, ColSel.
QList<int> selectionOf(const GridModel& grid) {
    return {grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()};
}

void select(GridModel& grid, int row, int col, int rowSel, int colSel) {
    grid.setRow(row);
    grid.setCol(col);
    grid.setRowSel(rowSel);
    grid.setColSel(colSel);
}

} // namespace

class MainWindowCommandsTest : public QObject {
    Q_OBJECT

    // A shown, active main window listing three empty files A.TXT, B.TXT, C.TXT.
    void listThreeFiles(MainWindowFixture& f, const Folder& folder) {
        f.load();
        QVERIFY(f.showAndWait());
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QVERIFY(drop(f.gridView(), *fileDrop({folder.path()})));
        QCOMPARE(column(f, 1), (QStringList{"A.TXT", "B.TXT", "C.TXT"}));
    }

    void copyWith(MainWindowFixture& f, const QString& how) {
        if (how == "menu") {
            f.action("mnuEditCopy")->trigger();
        } else if (how == "toolbar") {
            auto* toolBar = f.find<QToolBar>("tbToolBar");
            for (QAction* button : toolBar->actions()) {
                if (button->data().toString() == "Copy") {
                    QTest::mouseClick(toolBar->widgetForAction(button), Qt::LeftButton);
                }
            }
        } else {
            // "<modifiers> in the grid" or "<modifiers> elsewhere"
            Qt::KeyboardModifiers modifiers = Qt::ControlModifier;
            modifiers.setFlag(Qt::ShiftModifier, how.contains("Shift"));
            modifiers.setFlag(Qt::AltModifier, how.contains("Alt"));
            pressKey(f, how.endsWith("grid"), Qt::Key_C, modifiers);
        }
    }

    // Presses the key with the focus in the grid or on another control of the window.
    void pressKey(MainWindowFixture& f, bool inTheGrid, Qt::Key key,
                  Qt::KeyboardModifiers modifiers) {
        QWidget* target =
            inTheGrid ? static_cast<QWidget*>(&f.gridView()) : f.find<QCheckBox>("Check_Omoji");
        target->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), target);
        QTest::keyClick(target, key, modifiers);
    }

    // One thing the user does, as the table of the selection test writes it.
    void perform(MainWindowFixture& f, const QString& step) {
        FlexGridView& view = f.gridView();
        const QStringList words = step.split(' ');
        const auto number = [&](int k) {
            return words[k].toInt();
        };
        const auto centre = [&](int row, int col) {
            return view.visualRect(view.model()->index(row - 1, col - 1)).center();
        };
        const QString& what = words[0];
        if (what == "corner") {
            QTest::mouseClick(view.findChild<QAbstractButton*>(), Qt::LeftButton);
        } else if (what == "heading") {
            QHeaderView* headings = view.horizontalHeader();
            QTest::mouseClick(headings->viewport(), Qt::LeftButton, {},
                              QPoint(headings->sectionViewportPosition(number(1) - 1) + 10, 5));
        } else if (what == "number") {
            QHeaderView* numbers = view.verticalHeader();
            QTest::mouseClick(numbers->viewport(), Qt::LeftButton, {},
                              QPoint(10, numbers->sectionViewportPosition(number(1) - 1) + 5));
        } else if (what == "click" || what == "Shift+click") {
            QTest::mouseClick(view.viewport(), Qt::LeftButton,
                              what == "click" ? Qt::NoModifier : Qt::ShiftModifier,
                              centre(number(1), number(2)));
        } else if (what == "drag") {
            QTest::mousePress(view.viewport(), Qt::LeftButton, {}, centre(number(1), number(2)));
            QTest::mouseMove(view.viewport(), centre(number(3), number(4)));
            QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, centre(number(3), number(4)));
        } else if (what == "focus") {
            QWidget* control = f.find(words[1].toLatin1().constData());
            control->setFocus(Qt::OtherFocusReason);
            QTRY_COMPARE(QApplication::focusWidget(), control);
        } else {
            const QKeySequence key(what);
            QTest::keyClick(static_cast<QWidget*>(nullptr), key[0].key(),
                            key[0].keyboardModifiers());
        }
    }

private slots:
    void everyWayToCopyCopiesTheSelectionOnce_data() {
        QTest::addColumn<QString>("how");
        for (const char* how :
             {"menu", "toolbar", "Ctrl in the grid", "Ctrl+Shift in the grid",
              "Ctrl+Alt in the grid", "Ctrl+Shift+Alt in the grid", "Ctrl elsewhere"}) {
            QTest::newRow(how) << QString(how);
        }
    }

    void everyWayToCopyCopiesTheSelectionOnce() {
        QFETCH(QString, how);
        Folder folder({"b.txt", "a.txt", "c.txt"});
        MainWindowFixture f;
        listThreeFiles(f, folder);
        const QString pathName = f.cell(1, 2);
        QVERIFY(pathName.startsWith(QDir::toNativeSeparators(folder.path()).toUpper()));
        f.messageBox.shown.clear();
        f.pointer.shapes.clear();
        // Dragged from the bottom-right corner up to the top-left one.
        select(f.grid(), 3, 4, 2, 1);

        copyWith(f, how);

        QCOMPARE(f.clipboard.sets, 1);
        QCOMPARE(utf8(f.clipboard.text),
                 QString("B.TXT\t%1\t1KB\t-\r\nC.TXT\t%1\t1KB\t-\r\n").arg(pathName));
        QCOMPARE(f.messageBox.shown,
                 (std::vector<ShownMessage>{
                     {"Col : 1～4  Row : 2～3  をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰしました。", "Quiverel"}}));
        QCOMPARE(f.pointer.shapes,
                 (std::vector{MousePointer::Shape::Busy, MousePointer::Shape::Default}));
        QCOMPARE(selectionOf(f.grid()), (QList<int>{2, 1, 3, 4}));
        QVERIFY(f.grid().Redraw());
    }

    void otherKeysDoNotCopy_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("inTheGrid");
        QTest::newRow("C") << int(Qt::Key_C) << 0 << true;
        QTest::newRow("Shift+C") << int(Qt::Key_C) << int(Qt::ShiftModifier) << true;
        QTest::newRow("Alt+C") << int(Qt::Key_C) << int(Qt::AltModifier) << true;
        QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier) << true;
        QTest::newRow("Ctrl+X") << int(Qt::Key_X) << int(Qt::ControlModifier) << true;
        QTest::newRow("Ctrl+Shift+V")
            << int(Qt::Key_V) << int(Qt::ControlModifier | Qt::ShiftModifier) << true;
        // The view's own copy key would put the current cell alone on the clipboard.
        QTest::newRow("Ctrl+Insert") << int(Qt::Key_Insert) << int(Qt::ControlModifier) << true;
        // Away from the grid only the menu's own Ctrl+C copies.
        QTest::newRow("Ctrl+Shift+C elsewhere")
            << int(Qt::Key_C) << int(Qt::ControlModifier | Qt::ShiftModifier) << false;
        QTest::newRow("Ctrl+Alt+C elsewhere")
            << int(Qt::Key_C) << int(Qt::ControlModifier | Qt::AltModifier) << false;
    }

    void otherKeysDoNotCopy() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, inTheGrid);
        Folder folder({"a.txt", "b.txt", "c.txt"});
        MainWindowFixture f;
        listThreeFiles(f, folder);
        f.messageBox.shown.clear();
        select(f.grid(), 1, 1, 2, 2);
        QGuiApplication::clipboard()->setText("kept");

        pressKey(f, inTheGrid, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

        QVERIFY(f.messageBox.shown.empty());
        QCOMPARE(f.clipboard.clears + f.clipboard.sets, 0);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("kept"));
    }

    void everySelectionTheUserMakesIsTheGridsAndIsCopied_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QList<int>>("selection"); // Row, Col, RowSel, ColSel
        // The listing leaves the current cell at (3, 0) with the focus in the grid.
        QTest::newRow("corner button") << QStringList{"corner"} << QList<int>{1, 1, 3, 7};
        QTest::newRow("Ctrl+A") << QStringList{"Ctrl+A"} << QList<int>{1, 1, 3, 7};
        QTest::newRow("heading") << QStringList{"heading 2"} << QList<int>{1, 2, 3, 2};
        QTest::newRow("No. cell") << QStringList{"number 2"} << QList<int>{2, 1, 2, 7};
        QTest::newRow("click") << QStringList{"click 2 3"} << QList<int>{2, 3, 2, 3};
        QTest::newRow("drag up and left") << QStringList{"drag 3 4 1 2"} << QList<int>{3, 4, 1, 2};
        QTest::newRow("Shift+click")
            << QStringList{"click 1 5", "Shift+click 2 3"} << QList<int>{1, 5, 2, 3};
        QTest::newRow("keys from the listing's current cell")
            << QStringList{"Right", "Shift+Right", "Shift+Up"} << QList<int>{3, 1, 2, 2};
        QTest::newRow("keys after a click")
            << QStringList{"click 1 1", "Down", "Right", "Shift+Down", "Shift+Right"}
            << QList<int>{2, 2, 3, 3};
        QTest::newRow("Tab into the grid moves nothing")
            << QStringList{"focus Check_Omoji", "Tab"} << QList<int>{3, 0, 3, 0};
    }

    void everySelectionTheUserMakesIsTheGridsAndIsCopied() {
        QFETCH(QStringList, steps);
        QFETCH(QList<int>, selection);
        Folder folder({"a.txt", "b.txt", "c.txt"});
        MainWindowFixture f;
        listThreeFiles(f, folder);
        // The grid took the focus when the window opened.
        QCOMPARE(QApplication::focusWidget(), &f.gridView());
        f.messageBox.shown.clear();

        for (const QString& step : steps) {
            perform(f, step);
        }
        QCOMPARE(selectionOf(f.grid()), selection);
        QCOMPARE(QApplication::focusWidget(), &f.gridView());
        // What the view shows selected is that block's data cells, and they are what is copied.
        const int top = std::min(selection[0], selection[2]);
        const int bottom = std::max(selection[0], selection[2]);
        const int left = std::max(1, std::min(selection[1], selection[3]));
        const int right = std::max(selection[1], selection[3]);
        QModelIndexList block;
        QString copied;
        for (int row = top; row <= bottom; ++row) {
            for (int col = left; col <= right; ++col) {
                block << f.gridView().model()->index(row - 1, col - 1);
                copied += f.cell(row, col) + (col == right ? "\r\n" : "\t");
            }
        }
        QModelIndexList shown = f.gridView().selectionModel()->selectedIndexes();
        std::sort(shown.begin(), shown.end());
        QCOMPARE(shown, block);

        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_C, Qt::ControlModifier);
        if (selection[1] == 0) {
            QCOMPARE(f.messageBox.shown, std::vector{nothingSelected});
            QCOMPARE(f.clipboard.sets, 0);
            return;
        }
        QCOMPARE(utf8(f.clipboard.text), copied);
        QCOMPARE(f.messageBox.shown.size(), std::size_t(1));
        QCOMPARE(selectionOf(f.grid()), (QList<int>{top, left, bottom, right}));
    }

    void aSelectionTouchingTheHeadingOrTheNumbersIsRefused_data() {
        QTest::addColumn<bool>("rightAfterTheBatch");
        QTest::addColumn<QList<int>>("selection"); // Row, Col, RowSel, ColSel
        QTest::newRow("right after the batch") << true << QList<int>{};
        QTest::newRow("up into the heading row") << false << QList<int>{2, 3, 0, 1};
        QTest::newRow("across the number column") << false << QList<int>{1, 0, 3, 2};
    }

    void aSelectionTouchingTheHeadingOrTheNumbersIsRefused() {
        QFETCH(bool, rightAfterTheBatch);
        QFETCH(QList<int>, selection);
        Folder folder({"a.txt", "b.txt", "c.txt"});
        MainWindowFixture f;
        listThreeFiles(f, folder);
        if (rightAfterTheBatch) {
            QCOMPARE((QList<int>{f.grid().Row(), f.grid().Col()}), (QList<int>{3, 0}));
        } else {
            select(f.grid(), selection[0], selection[1], selection[2], selection[3]);
        }
        f.messageBox.shown.clear();

        f.action("mnuEditCopy")->trigger();

        QCOMPARE(f.messageBox.shown, std::vector{nothingSelected});
        QCOMPARE(f.clipboard.clears + f.clipboard.sets, 0);
        QVERIFY(f.grid().Redraw());
    }

    void copyingWaitsForNoRunningBatch() {
        Folder folder({"one/a.txt", "two/b.txt"});
        MainWindowFixture f;
        listThreeFiles(f, Folder({"a.txt", "b.txt", "c.txt"}));
        select(f.grid(), 1, 1, 2, 2);
        f.gridView().setFocus();
        f.messageBox.shown.clear();
        int yields = 0;
        f.pump.onPump = [&] {
            if (++yields == 1) {
                f.action("mnuEditCopy")->trigger();
                QTest::keyClick(&f.gridView(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
            }
        };
        QVERIFY(drop(f.gridView(), *fileDrop({folder.path()})));
        QVERIFY(yields > 0);
        QVERIFY(f.messageBox.shown.empty());
        QCOMPARE(f.clipboard.clears + f.clipboard.sets, 0);
        QCOMPARE(column(f, 1), (QStringList{"A.TXT", "B.TXT"}));
    }

    void optionsOpenOwnedAndModalAndTheNextDropUsesThem() {
        Folder folder({"a.txt", "b.log", "sub/c.log"});
        // The trim string: the first character of the folder's path ("/", or the drive letter).
        const QString root = QDir::toNativeSeparators(folder.path()).toUpper();
        const QString lead = root.left(1);
        const QString separator = QDir::separator();
        MainWindowFixture f;
        listThreeFiles(f, Folder({"a.txt", "b.txt", "c.txt"}));
        f.settings.writes.clear();
        QWidget* owner = nullptr;
        bool modal = false;
        const QString opened = whileModal([&] { f.action("mnuViewOptions")->trigger(); },
                                          [&](QDialog& dialog) {
                                              owner = dialog.parentWidget();
                                              modal = dialog.isModal();
                                              control<QLineEdit>(dialog, "Text1")->setText("*.LOG");
                                              control<QLineEdit>(dialog, "Text2")->setText(lead);
                                              click(dialog, "cmdOK");
                                          });
        QCOMPARE(opened, QString("frmOptions"));
        QCOMPARE(owner, f.window.get());
        QVERIFY(modal);
        QCOMPARE(f.settings.writes,
                 (std::vector<std::string>{"OptFolder", "OptFindFiles", "OptTrim"}));
        QCOMPARE(utf8(f.settings.value("OptFolder")), QString("1"));
        QCOMPARE(utf8(f.settings.value("OptFindFiles")), QString("*.LOG"));
        QCOMPARE(utf8(f.settings.value("OptTrim")), lead);
        // The rows already listed stay as they are.
        QCOMPARE(column(f, 1), (QStringList{"A.TXT", "B.TXT", "C.TXT"}));

        QVERIFY(drop(f.gridView(), *fileDrop({folder.path()})));
        QCOMPARE(column(f, 1), (QStringList{"B.LOG", "C.LOG"}));
        // The first character was taken off the front of each path name.
        QCOMPARE(column(f, 2), (QStringList{root.mid(1) + separator,
                                            root.mid(1) + separator + "SUB" + separator}));

        QString shown;
        whileModal([&] { f.action("mnuViewOptions")->trigger(); },
                   [&](QDialog& dialog) {
                       shown = control<QLineEdit>(dialog, "Text1")->text();
                       control<QLineEdit>(dialog, "Text1")->setText("*.*");
                       click(dialog, "cmdCancel");
                   });
        QCOMPARE(shown, QString("*.LOG"));
        QCOMPARE(f.window->options().OptFindFiles, std::string("*.LOG"));
    }

    void aPatternClearedInTheOptionsListsEveryFile() {
        Folder folder({"a.txt", "b.log", "sub/c"});
        MainWindowFixture f;
        f.load();
        whileModal([&] { f.action("mnuViewOptions")->trigger(); },
                   [&](QDialog& dialog) {
                       auto* pattern = control<QLineEdit>(dialog, "Text1");
                       QTest::keyClick(pattern, Qt::Key_A, Qt::ControlModifier);
                       QTest::keyClick(pattern, Qt::Key_Delete);
                       click(dialog, "cmdOK");
                   });
        QCOMPARE(f.window->options().OptFindFiles, std::string());

        QVERIFY(drop(f.gridView(), *fileDrop({folder.path()})));
        QCOMPARE(column(f, 1), (QStringList{"A.TXT", "B.LOG", "C"}));
        QVERIFY(drop(f.gridView(), *fileDrop({folder.path("b.log")})));
        QCOMPARE(column(f, 1), QStringList{"B.LOG"});
        QVERIFY(f.messageBox.shown.empty());
    }

    void optionsTakenOverDuringABatchApplyFromItsNextFolder() {
        Folder first({"one/a.txt", "one/deeper/b.txt"});
        Folder second({"c.txt"});
        MainWindowFixture f;
        f.load();
        QVERIFY(f.showAndWait());
        int yields = 0;
        f.pump.onPump = [&] {
            if (++yields != 1) {
                return;
            }
            whileModal([&] { f.action("mnuViewOptions")->trigger(); },
                       [&](QDialog& dialog) {
                           control<QCheckBox>(dialog, "Check1")->setChecked(false);
                           click(dialog, "cmdOK");
                       });
        };
        QVERIFY(drop(f.gridView(), *fileDrop({first.path(), second.path()})));
        QVERIFY(yields > 0);
        QCOMPARE(f.window->options().OptFolder, std::int16_t(0));
        QCOMPARE(utf8(f.settings.value("OptFolder")), QString("0"));
        // The folder being searched is listed in full; the next one is no longer searched.
        QCOMPARE(column(f, 1), (QStringList{"A.TXT", "B.TXT"}));
    }

    void aBatchEndingUnderTheOptionsDialogUpdatesTheGrid() {
        Folder folder({"a.txt", "b.txt"});
        MainWindowFixture f;
        f.load();
        QVERIFY(f.showAndWait());
        bool dropped = false;
        whileModal([&] { f.action("mnuViewOptions")->trigger(); },
                   [&](QDialog& dialog) {
                       dropped = drop(f.gridView(), *fileDrop({folder.path()}));
                       click(dialog, "cmdCancel");
                   });
        QVERIFY(dropped);
        QCOMPARE(column(f, 1), (QStringList{"A.TXT", "B.TXT"}));
        QVERIFY(f.grid().Redraw());
        QVERIFY(f.window->isVisible());
    }

    void closingWithTheOptionsOpenDuringABatchCancelsItThenCloses() {
        Folder folder({"one/a.txt", "two/b.txt", "three/c.txt"});
        MainWindowFixture f;
        f.load();
        QVERIFY(f.showAndWait());
        int yields = 0;
        bool stillShownUnderTheDialog = false;
        f.pump.onPump = [&] {
            if (++yields != 1) {
                return;
            }
            whileModal([&] { f.action("mnuViewOptions")->trigger(); },
                       [&](QDialog& dialog) {
                           f.window->close();
                           stillShownUnderTheDialog = f.window->isVisible() && dialog.isVisible();
                           click(dialog, "cmdCancel");
                       });
        };
        QVERIFY(drop(f.gridView(), *fileDrop({folder.path()})));
        QVERIFY(stillShownUnderTheDialog);
        QCOMPARE(yields, 1);
        QTRY_VERIFY(!f.window->isVisible());
        QVERIFY(f.grid().Rows() < 4);
    }

    void aboutBoxShowsTheVersionAndStartsSystemInformation() {
        MainWindowFixture f;
        f.load();
        QVERIFY(f.showAndWait());
        QWidget* owner = nullptr;
        QString caption;
        QString version;
        std::size_t messagesAfterFirstPress = 0;
        bool openAfterFirstPress = false;
        const QString opened = whileModal([&] { f.action("mnuHelpAbout")->trigger(); },
                                          [&](QDialog& box) {
                                              owner = box.parentWidget();
                                              caption = box.windowTitle();
                                              version = control<QLabel>(box, "lblVersion")->text();
                                              click(box, "cmdSysInfo");
                                              messagesAfterFirstPress = f.messageBox.shown.size();
                                              openAfterFirstPress = box.isVisible();
                                              f.systemInfoLocator.path = "/usr/bin/kinfocenter";
                                              f.launcher.startable.insert("/usr/bin/kinfocenter");
                                              click(box, "cmdSysInfo");
                                              click(box, "cmdOK");
                                          });
        QCOMPARE(opened, QString("frmAbout"));
        QCOMPARE(owner, f.window.get());
        QCOMPARE(caption, QString("Quiverel2000のﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(version, QString("Version 0.9.0"));
        QCOMPARE(messagesAfterFirstPress, std::size_t(1));
        QVERIFY(openAfterFirstPress);
        QCOMPARE(f.messageBox.shown, std::vector{sysInfoUnavailable});
        QCOMPARE(f.launcher.started, std::vector<std::string>{"/usr/bin/kinfocenter"});
    }
};

QTEST_MAIN(MainWindowCommandsTest)
#include "MainWindowCommandsTest.moc"
