#include "MainWindowFixture.h"
#include "support/AccessibleNames.h"
#include "support/TestText.h"
#include "window/LayoutStep.h"
#include "window/MainStatusBar.h"
#include "window/ProcessingWindow.h"
#include "window/texts.h"

#include <QCheckBox>
#include <QDate>
#include <QDialog>
#include <QFontInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

#include <array>

using namespace quiverel;
using namespace quiverel::testing;

namespace {

QString checkBoxName(int k) {
    return QString("Check_Siji(%1)").arg(k);
}

// Records, as each watched window closes, its name and how many store writes came before.
class CloseRecorder : public QObject {
public:
    explicit CloseRecorder(const FakeSettingsStore& store) : m_store(store) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close) {
            closes << QString("%1 after %2 writes")
                          .arg(watched->objectName())
                          .arg(m_store.writes.size());
        }
        return false;
    }
    QStringList closes;

private:
    const FakeSettingsStore& m_store;
};

// The layout the window should have now, from its own bar and window sizes.
LayoutResult expectedLayout(const MainWindowFixture& f) {
    const double dpiX = f.window->logicalDpiX();
    const QToolBar* toolBar = f.find<QToolBar>("tbToolBar");
    const QStatusBar* statusBar = f.find<QStatusBar>("sbStatusBar");
    return computeLayout({pixelsToTwips(f.window->frameGeometry().width(), dpiX),
                          f.twipsY(f.window->frameGeometry().height()), !toolBar->isHidden(),
                          f.twipsY(toolBar->height()), !statusBar->isHidden(),
                          f.twipsY(statusBar->height())});
}

QRect expectedGridGeometry(const MainWindowFixture& f) {
    const LayoutResult layout = expectedLayout(f);
    return {f.pxX(layout.gridLeft), f.pxY(layout.gridTop), f.pxX(layout.gridWidth),
            f.pxY(layout.gridHeight)};
}

} // namespace

class frmMainTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlOfTheWindowsHasAName() {
        MainWindowFixture f;
        f.load();
        QVERIFY(f.showAndWait());
        QCOMPARE(unnamedControls(*f.window).join("; "), QString());
        auto& processing = *f.window->findChild<ProcessingWindow*>();
        processing.showProgress(12);
        QCOMPARE(unnamedControls(processing).join("; "), QString());
        QCOMPARE(f.gridView().accessibleDescription(),
                 QString("ファイル及びフォルダをスプレッド上にドロップして下さい"));
    }

    void loadPreparesTheWindowHidden() {
        MainWindowFixture f;
        frmMain& window = f.load();
        QVERIFY(!window.isVisible());
        QVERIFY(f.messageBox.shown.empty());
        QVERIFY(f.pointer.shapes.empty());
        QCOMPARE(window.windowTitle(), QString("Brindlewick Quiverel2000"));

        QCOMPARE(f.grid().Rows(), 2);
        QCOMPARE(f.grid().Cols(), 8);
        QCOMPARE(f.grid().Row(), 1);
        QCOMPARE(f.grid().Col(), 1);
        QCOMPARE(f.cell(0, 0), QString("No."));
        QCOMPARE(f.cell(0, 6), QString("ﾌﾙﾊﾟｽﾌｧｲﾙ名"));
        QVERIFY(f.gridView().viewport()->acceptDrops());
        QCOMPARE(f.gridView().horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
        QCOMPARE(f.gridView().verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);

        const Options& options = window.options();
        QCOMPARE(options.OptFolder, 1);
        QCOMPARE(utf8(options.OptFindFiles), QString("*.*"));
        QCOMPARE(utf8(options.OptTrim), QString());

        auto* statusBar = f.find<MainStatusBar>("sbStatusBar");
        QCOMPARE(statusBar->panelText(1),
                 QString("ファイル及びフォルダをスプレッド上にドロップして下さい"));
        QCOMPARE(statusBar->panelText(2), QDate::currentDate().toString("yyyy/MM/dd"));
        QVERIFY(QRegularExpression("^\\d{1,2}:\\d\\d$").match(statusBar->panelText(3)).hasMatch());
    }

    void checkBoxesStartInTheirPlaces() {
        MainWindowFixture f;
        f.load();
        QVERIFY(f.showAndWait());
        const QStringList captions{"ﾌｧｲﾙ名",   "ﾊﾟｽ名",       "ｻｲｽﾞ",   "Ver.",
                                   "ﾀｲﾑｽﾀﾝﾌﾟ", "ﾌﾙﾊﾟｽﾌｧｲﾙ名", "拡張子", "大文字にする"};
        const int lefts[] = {120, 1080, 1920, 2640, 3360, 4560, 6120, 7440};
        const int widths[] = {975, 975, 975, 975, 1215, 1455, 855, 1455};
        const bool checked[] = {true, true, true, true, true, false, false, true};
        for (int k = 0; k < 8; ++k) {
            const QString name = k < 7 ? checkBoxName(k) : QString("Check_Omoji");
            auto* box = f.find<QCheckBox>(name.toLatin1().constData());
            QVERIFY2(box, qPrintable(name));
            QCOMPARE(box->text(), captions[k]);
            QCOMPARE(box->isChecked(), checked[k]);
            QCOMPARE(box->geometry(),
                     QRect(f.pxX(lefts[k]), f.pxY(480), f.pxX(widths[k]), f.pxY(255)));
        }
    }

    void menusToolbarAndFont() {
        MainWindowFixture f;
        f.load();
        const struct {
            const char* name;
            QString caption;
            QKeySequence shortcut;
            bool checked;
            bool enabled;
        } entries[] = {
            {"mnuFileExit", "終了(&X)", {}, false, true},
            {"mnuFilePrint", "印刷(&P)...", QKeySequence("Ctrl+P"), false, true},
            {"mnuEditCopy", "ｺﾋﾟｰ(&C)", QKeySequence("Ctrl+C"), false, true},
            {"mnuViewToolbar", "ﾂｰﾙ ﾊﾞｰ(&T)", {}, true, true},
            {"mnuViewStatusBar", "ｽﾃｰﾀｽ ﾊﾞｰ(&B)", {}, true, true},
            {"mnuViewOptions", "ｵﾌﾟｼｮﾝ(&O)...", {}, false, true},
            {"mnuHelpContents", "目次(&C)", {}, false, false},
            {"mnuHelpSearch", "ﾄﾋﾟｯｸの検索(&S)...", {}, false, false},
            {"mnuHelpAbout", "ﾊﾞｰｼﾞｮﾝ情報(&A)", {}, false, true},
        };
        for (const auto& entry : entries) {
            QAction* action = f.action(entry.name);
            QVERIFY2(action, entry.name);
            QCOMPARE(action->text(), entry.caption);
            QCOMPARE(action->shortcut(), entry.shortcut);
            QCOMPARE(action->isChecked(), entry.checked);
            QCOMPARE(action->isEnabled(), entry.enabled);
        }
        QStringList menus;
        for (QAction* menu : f.window->menuBar()->actions()) {
            menus << menu->text();
        }
        QCOMPARE(menus, (QStringList{"ﾌｧｲﾙ(&F)", "編集(&E)", "表示(&V)", "ﾍﾙﾌﾟ(&H)"}));
        QStringList viewEntries;
        for (QAction* entry : f.find<QMenu>("mnuView")->actions()) {
            viewEntries << (entry->isSeparator() ? QString("-") : entry->objectName());
        }
        QCOMPARE(viewEntries,
                 (QStringList{"mnuViewToolbar", "mnuViewStatusBar", "-", "mnuViewOptions"}));

        QStringList buttons;
        for (QAction* button : f.find<QToolBar>("tbToolBar")->actions()) {
            buttons << button->data().toString() + " " + button->toolTip();
            QVERIFY(!button->icon().pixmap(16, 16).isNull());
        }
        QCOMPARE(buttons, (QStringList{"Print 印刷", "Copy ｺﾋﾟｰ"}));
        QCOMPARE(f.find<QToolBar>("tbToolBar")->iconSize(), QSize(16, 16));

        const QFont font = f.gridView().font();
        QCOMPARE(font.family(), QString("ＭＳ Ｐゴシック"));
        QCOMPARE(font.pointSize(), 9);
        QVERIFY2(QStringList({"IPAPGothic", "Noto Sans CJK JP"}).contains(QFontInfo(font).family()),
                 qPrintable(QFontInfo(font).family()));
    }

    void loadStepsRunInOrder() {
        QTemporaryDir folder;
        QFile file(folder.filePath("listed.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        MainWindowFixture f;
        QStringList seen;
        f.settings.onRead = [&](const std::string& key) {
            if (key == "MainLeft") {
                // Grid and check boxes are ready; the heading row comes after the placement.
                seen << QString("placement: drops %1, Check_Siji(5) %2, headings %3")
                            .arg(f.gridView().viewport()->acceptDrops())
                            .arg(f.find<QCheckBox>("Check_Siji(5)")->isChecked())
                            .arg(f.grid().Cols());
            } else if (key == "OptFolder") {
                seen << QString("options: heading %1, window %2, help %3, status '%4'")
                            .arg(f.cell(0, 1))
                            .arg(f.window->frameGeometry().width() == f.pxX(6500))
                            .arg(f.action("mnuHelpContents")->isEnabled())
                            .arg(f.find<MainStatusBar>("sbStatusBar")->panelText(1));
            }
        };
        f.messageBox.onShow = [&](const std::string& text) {
            seen << QString("notice: %1, help %2, status set %3, visible %4, rows %5, pointer %6")
                        .arg(utf8(text))
                        .arg(f.action("mnuHelpSearch")->isEnabled())
                        .arg(!f.find<MainStatusBar>("sbStatusBar")->panelText(1).isEmpty())
                        .arg(f.window->isVisible())
                        .arg(f.grid().Rows())
                        .arg(f.pointer.shapes.size());
        };
        f.load(commandLine({file.fileName()}));
        QCOMPARE(seen, (QStringList{
                           "placement: drops 1, Check_Siji(5) 0, headings 2",
                           "options: heading ﾌｧｲﾙ名, window 1, help 1, status ''",
                           "notice: ｼｮｰﾄｶｯﾄへﾄﾞﾛｯﾌﾟした場合は、ﾛﾝｸﾞﾌｧｲﾙﾈｰﾑに対応していません。, "
                           "help 0, status set 1, visible 0, rows 2, pointer 2",
                       }));
        QCOMPARE(utf8(f.messageBox.shown.back().title), QString("Quiverel"));
        QCOMPARE(f.pointer.shapes,
                 (std::vector{MousePointer::Shape::Busy, MousePointer::Shape::Default}));
        QCOMPARE(f.cell(1, 1), QString("LISTED.TXT"));
        QCOMPARE(f.cell(1, 0), QString("1"));
    }

    void layoutFollowsTheBars() {
        MainWindowFixture f;
        f.load();
        QVERIFY(f.showAndWait());
        auto* grid = &f.gridView();
        auto* toolBar = f.find<QToolBar>("tbToolBar");
        QCOMPARE(toolBar->width(), f.window->centralWidget()->width());
        const QRect first = grid->geometry();
        QCOMPARE(first, expectedGridGeometry(f));
        QCOMPARE(first.top(), f.pxY(roundToInt16(f.twipsY(toolBar->height()) + 90) + 250));
        QCOMPARE(first.left(), f.pxX(10));

        f.action("mnuViewToolbar")->trigger();
        QVERIFY(toolBar->isHidden());
        QVERIFY(!f.action("mnuViewToolbar")->isChecked());
        QCOMPARE(grid->geometry(), expectedGridGeometry(f));
        QCOMPARE(grid->y(), f.pxY(250));
        QCOMPARE(f.find<QCheckBox>("Check_Omoji")->y(), 0);
        QCOMPARE(f.find<QCheckBox>("Check_Siji(0)")->y(), 0);

        f.action("mnuViewToolbar")->trigger();
        QVERIFY(!toolBar->isHidden());
        QVERIFY(f.action("mnuViewToolbar")->isChecked());
        QCOMPARE(grid->geometry(), first);
        QCOMPARE(f.find<QCheckBox>("Check_Siji(6)")->y(), f.pxY(480));

        auto* statusBar = f.find<QStatusBar>("sbStatusBar");
        const int barHeight = statusBar->height();
        f.action("mnuViewStatusBar")->trigger();
        QVERIFY(statusBar->isHidden());
        QVERIFY(!f.action("mnuViewStatusBar")->isChecked());
        QCOMPARE(grid->geometry(), expectedGridGeometry(f));
        QVERIFY(qAbs(grid->height() - first.height() - barHeight) <= 1);
        f.action("mnuViewStatusBar")->trigger();
        QCOMPARE(grid->geometry(), first);
    }

    void tooSmallAWindowKeepsGoing() {
        MainWindowFixture f;
        f.load();
        QVERIFY(f.showAndWait());
        f.window->resize(4, 4);
        QCOMPARE(f.gridView().geometry(), expectedGridGeometry(f));
        QCOMPARE(f.gridView().size(), QSize(0, 0));
        QCOMPARE(f.find<QCheckBox>("Check_Siji(3)")->y(), f.pxY(480));
    }

    void firstRunPlacementSurvivesARun() {
        MainWindowFixture f;
        f.load();
        QCOMPARE(f.window->frameGeometry(),
                 QRect(f.pxX(1000), f.pxY(1000), f.pxX(6500), f.pxY(6500)));
        QVERIFY(f.showAndWait());
        f.window->close();
        for (const auto& [key, value] : {std::pair{"MainLeft", "1000"},
                                         {"MainTop", "1000"},
                                         {"MainWidth", "6500"},
                                         {"MainHeight", "6500"}}) {
            QCOMPARE(utf8(f.settings.value(key)), QString(value));
        }
    }

    void storedPlacementIsHeldToTheDesktop_data() {
        // MainLeft, MainTop, MainWidth, MainHeight; where the window opens and with what size.
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("opensAt");
        QTest::addColumn<QString>("size");
        QTest::newRow("fits") << QStringList{"1500", "2000", "9000", "7215.5"} << "stored"
                              << "stored";
        for (const char* huge : {"1e30", "2147483647", "500000"}) {
            QTest::newRow(huge) << QStringList{"1000", "1000", huge, huge} << "stored"
                                << "desktop";
        }
        for (const char* tiny : {"0", "1", "-500", "1e-45", "-1e30"}) {
            QTest::newRow(tiny) << QStringList{"1000", "1000", tiny, tiny} << "stored"
                                << "minimum";
        }
        QTest::newRow("off every screen")
            << QStringList{"40000", "30000", "9000", "7000"} << "default"
            << "stored";
        QTest::newRow("title bar above the screen")
            << QStringList{"1500", "-3000", "9000", "7000"} << "default"
            << "stored";
        QTest::newRow("partly right of the screen")
            << QStringList{"9000", "1500", "9000", "7000"} << "stored"
            << "stored";
    }

    void storedPlacementIsHeldToTheDesktop() {
        QFETCH(QStringList, stored);
        QFETCH(QString, opensAt);
        QFETCH(QString, size);
        const std::array<std::string, 4> keys{"MainLeft", "MainTop", "MainWidth", "MainHeight"};
        MainWindowFixture f;
        for (std::size_t k = 0; k < keys.size(); ++k) {
            f.settings.set(keys[k], stored[static_cast<int>(k)].toStdString());
        }
        // Nothing the window draws complains, however small it opens.
        QTest::failOnWarning(QRegularExpression("."));
        f.load();
        QVERIFY(f.showAndWait());
        const QRect desktop = f.window->screen()->availableGeometry();
        const QPoint topLeft =
            opensAt == "default" ? QPoint(f.pxX(1000), f.pxY(1000))
                                 : QPoint(f.pxX(stored[0].toDouble()), f.pxY(stored[1].toDouble()));
        auto* grid = f.window->findChild<FlexGridView*>("MSFlexGrid1");
        // The smallest window shows the grid's heading and one row, and is no larger.
        const QSize outer = size == "desktop" ? desktop.size()
                            : size == "minimum"
                                ? f.window->frameGeometry().size()
                                : QSize(f.pxX(stored[2].toDouble()), f.pxY(stored[3].toDouble()));
        QCOMPARE(f.window->frameGeometry(), QRect(topLeft, outer));
        const QSize gridNeeds = grid->smallestUsefulSize();
        QVERIFY(grid->width() >= gridNeeds.width() && grid->height() >= gridNeeds.height());
        if (size == "minimum") {
            QVERIFY(grid->height() < gridNeeds.height() + f.pxY(30));
        }
        f.window->close();
        if (size == "stored") {
            QCOMPARE(utf8(f.settings.value("MainHeight")), stored[3]);
        }

        // What was stored back opens the same window again.
        MainWindowFixture next;
        next.settings.values = f.settings.values;
        next.load();
        QVERIFY(next.showAndWait());
        QCOMPARE(next.window->frameGeometry(), QRect(topLeft, outer));
    }

    void resizingStoresThePlacement() {
        MainWindowFixture f;
        f.load();
        QVERIFY(f.showAndWait());
        f.settings.writes.clear();
        f.window->resize(f.pxX(8000), f.pxY(5000));
        QCOMPARE(f.settings.writes,
                 (std::vector<std::string>{"MainLeft", "MainTop", "MainWidth", "MainHeight"}));
        // The outer width, frame included.
        QCOMPARE(utf8(f.settings.value("MainWidth")),
                 QString::number(
                     pixelsToTwips(f.window->frameGeometry().width(), f.window->logicalDpiX())));
        QVERIFY(f.window->frameGeometry().width() > f.pxX(8000));
    }

    void minimizedWindowStoresNothing() {
        MainWindowFixture f;
        f.load();
        QVERIFY(f.showAndWait());
        f.window->resize(f.pxX(7500), f.pxY(6000));
        const std::string width = f.settings.value("MainWidth");
        f.settings.writes.clear();
        f.window->showMinimized();
        QVERIFY(f.window->isMinimized());
        f.window->close();
        QVERIFY(f.settings.writes.empty());
        QCOMPARE(f.settings.value("MainWidth"), width);
    }

    void maximizedBoundsReopenAsANormalWindow() {
        MainWindowFixture f;
        f.load();
        QVERIFY(f.showAndWait());
        f.window->showMaximized();
        QTRY_VERIFY(f.window->isMaximized());
        QTRY_COMPARE(f.window->frameGeometry(), f.window->screen()->availableGeometry());
        const QRect maximized = f.window->frameGeometry();
        f.window->close();

        MainWindowFixture next;
        next.settings.values = f.settings.values;
        next.load();
        QVERIFY(next.showAndWait());
        QVERIFY(!next.window->isMaximized());
        QCOMPARE(next.window->frameGeometry(), maximized);
    }

    void storeThatCannotBeWrittenLosesNothing() {
        MainWindowFixture f;
        f.settings.set("OptFindFiles", "*.txt");
        f.settings.set("OptTrim", "/home/");
        f.settings.failWrites = true;
        f.load();
        QVERIFY(f.showAndWait());
        f.window->resize(300, 200);
        f.window->close();
        QVERIFY(!f.settings.writes.empty());
        QCOMPARE(utf8(f.window->options().OptFindFiles), QString("*.txt"));
        QCOMPARE(utf8(f.window->options().OptTrim), QString("/home/"));
    }

    void printAnnouncesItIsUnderDevelopment() {
        MainWindowFixture f;
        f.load();
        QVERIFY(f.showAndWait());
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.action("mnuFilePrint")->trigger();
        f.find<QToolBar>("tbToolBar")->actions().at(0)->trigger();
        QTest::keyClick(f.window.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(f.messageBox.shown.size(), std::size_t{3});
        for (const ShownMessage& message : f.messageBox.shown) {
            QCOMPARE(utf8(message.text), QString("開発中です"));
            QCOMPARE(utf8(message.title), QString("Quiverel2000"));
        }
        QCOMPARE(f.grid().Rows(), 2);
        QCOMPARE(f.cell(0, 1), QString("ﾌｧｲﾙ名"));
        QVERIFY(f.pointer.shapes.empty());
    }

    void closingStoresThenUnloadsTheOtherWindowsLatestFirst() {
        MainWindowFixture f;
        f.load();
        QVERIFY(f.showAndWait());
        CloseRecorder recorder(f.settings);
        for (const char* name : {"older", "newer"}) {
            auto* other = new QDialog(f.window.get());
            other->setObjectName(name);
            other->installEventFilter(&recorder);
            other->show();
        }
        f.window->installEventFilter(&recorder);
        f.settings.writes.clear();
        f.action("mnuFileExit")->trigger();
        QCOMPARE(recorder.closes, (QStringList{"frmMain after 0 writes", "newer after 4 writes",
                                               "older after 4 writes"}));
        QVERIFY(!f.window->isVisible());
        for (QDialog* other : f.window->findChildren<QDialog*>()) {
            QVERIFY(!other->isVisible());
        }
    }
};

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
