#include "dialogs/options/frmOptions.h"
#include "settings/Options.h"
#include "support/AccessibleNames.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <memory>

using namespace quiverel;
using namespace quiverel::testing;

namespace {

int pixels(int twips, int dpi) {
    return qRound(twips * dpi / 1440.0);
}

const std::vector<std::string> allThreeKeys = {"OptFolder", "OptFindFiles", "OptTrim"};

} // namespace

class frmOptionsTest : public QObject {
    Q_OBJECT

    Options options;
    FakeSettingsStore store;
    FakeMessageBox messageBox;
    std::unique_ptr<QWidget> owner;
    std::unique_ptr<frmOptions> dialog;

    void open(std::int16_t optFolder, const std::string& findFiles = "*.txt;*.dll",
              const std::string& trim = "C:/WORK") {
        options = Options{optFolder, findFiles, trim};
        dialog = std::make_unique<frmOptions>(options, store, messageBox, owner.get());
    }
    void showActive() {
        dialog->show();
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }
    template <typename Control> Control* control(const char* name) {
        return dialog->findChild<Control*>(QString::fromLatin1(name));
    }
    QCheckBox* check1() { return control<QCheckBox>("Check1"); }
    QLineEdit* text1() { return control<QLineEdit>("Text1"); }
    QLineEdit* text2() { return control<QLineEdit>("Text2"); }
    QWidget* page0() { return control<QWidget>("picOptions(0)"); }
    QTabWidget* tabStrip() { return control<QTabWidget>("tbsOptions"); }
    int pageLeft(int twips) { return pixels(twips, dialog->logicalDpiX()); }

private slots:
    void init() {
        store = FakeSettingsStore();
        messageBox = FakeMessageBox();
        owner = std::make_unique<QWidget>();
    }
    void cleanup() {
        dialog.reset();
        owner.reset();
    }

    void isAFixedModalDialogOfItsOwner() {
        open(1);
        QCOMPARE(dialog->parentWidget(), owner.get());
        QVERIFY(dialog->isModal());
        QCOMPARE(dialog->windowTitle(), QString("ｵﾌﾟｼｮﾝ"));
        const QSize client(pixels(6120, dialog->logicalDpiX()),
                           pixels(4965, dialog->logicalDpiY()));
        QCOMPARE(dialog->minimumSize(), client);
        QCOMPARE(dialog->maximumSize(), client);
        QVERIFY(!(dialog->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(dialog->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(dialog->windowFlags() & Qt::WindowCloseButtonHint);
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            QVERIFY2(!button->isDefault() && !button->autoDefault(),
                     qPrintable(button->objectName()));
        }
    }

    void placesEveryControl_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("tbsOptions") << "tbsOptions"
                                    << "frmOptions"
                                    << "検索条件" << QRect(105, 120, 5895, 4245);
        QTest::newRow("picOptions(0)") << "picOptions(0)"
                                       << "frmOptions"
                                       << "" << QRect(240, 480, 5685, 3780);
        QTest::newRow("Check1") << "Check1"
                                << "picOptions(0)"
                                << "サブフォルダも探す" << QRect(120, 240, 1815, 255);
        QTest::newRow("Frame1") << "Frame1"
                                << "picOptions(0)" << QString(17, QChar(0x3000))
                                << QRect(0, 240, 5295, 1095);
        QTest::newRow("Label2") << "Label2"
                                << "Frame1"
                                << "検索対象ﾌｧｲﾙ" << QRect(240, 360, 1335, 255);
        QTest::newRow("Text1") << "Text1"
                               << "picOptions(0)"
                               << "" << QRect(1440, 600, 2775, 270);
        QTest::newRow("Label3") << "Label3"
                                << "Frame1"
                                << "※ｻﾌﾞﾌｫﾙﾀﾞのみ有効" << QRect(1440, 720, 2775, 255);
        QTest::newRow("Label1") << "Label1"
                                << "picOptions(0)"
                                << "ﾊﾟｽ名左端から削除する文字列 ：" << QRect(120, 1560, 2535, 255);
        QTest::newRow("Text2") << "Text2"
                               << "picOptions(0)"
                               << "" << QRect(120, 1920, 5175, 270);
        QTest::newRow("cmdOK") << "cmdOK"
                               << "frmOptions"
                               << "OK" << QRect(2490, 4455, 1095, 375);
        QTest::newRow("cmdCancel") << "cmdCancel"
                                   << "frmOptions"
                                   << "ｷｬﾝｾﾙ" << QRect(3720, 4455, 1095, 375);
        QTest::newRow("cmdApply") << "cmdApply"
                                  << "frmOptions"
                                  << "更新" << QRect(4920, 4455, 1095, 375);
    }

    void placesEveryControl() {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QString, caption);
        QFETCH(QRect, twips);
        open(1, "", "");
        auto* widget = dialog->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget()->objectName(), container);
        const int dpiX = dialog->logicalDpiX();
        const int dpiY = dialog->logicalDpiY();
        QCOMPARE(widget->geometry(),
                 QRect(pixels(twips.x(), dpiX), pixels(twips.y(), dpiY),
                       pixels(twips.width(), dpiX), pixels(twips.height(), dpiY)));
        QString shown;
        if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
            QCOMPARE(tabs->count(), 1);
            shown = tabs->tabText(0);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            shown = button->text();
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            shown = frame->title();
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            shown = label->text();
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            shown = edit->text();
        }
        QCOMPARE(shown, caption);
    }

    void opensWithTheOptionsInMemory_data() {
        QTest::addColumn<int>("optFolder");
        QTest::addColumn<int>("checkState");
        QTest::addColumn<bool>("patternEnabled");
        QTest::newRow("1: searched") << 1 << int(Qt::Checked) << true;
        QTest::newRow("0: not searched") << 0 << int(Qt::Unchecked) << false;
        QTest::newRow("2: gray") << 2 << int(Qt::PartiallyChecked) << false;
        QTest::newRow("7: shown as not searched") << 7 << int(Qt::Unchecked) << false;
        QTest::newRow("-1: shown as not searched") << -1 << int(Qt::Unchecked) << false;
    }

    void opensWithTheOptionsInMemory() {
        QFETCH(int, optFolder);
        QFETCH(int, checkState);
        QFETCH(bool, patternEnabled);
        open(static_cast<std::int16_t>(optFolder), "*.exe", "C:/WORK/");
        QCOMPARE(int(check1()->checkState()), checkState);
        QCOMPARE(text1()->isEnabled(), patternEnabled);
        QCOMPARE(control<QLabel>("Label2")->isEnabled(), patternEnabled);
        QCOMPARE(control<QLabel>("Label3")->isEnabled(), patternEnabled);
        QVERIFY(text2()->isEnabled());
        QVERIFY(control<QLabel>("Label1")->isEnabled());
        QCOMPARE(text1()->text(), QString("*.exe"));
        QCOMPARE(text2()->text(), QString("C:/WORK/"));
        QCOMPARE(tabStrip()->currentIndex(), 0);
        QCOMPARE(page0()->x(), pageLeft(240));
        QVERIFY(store.writes.empty());
    }

    void opensWithTheFocusOnTheTabStripAndKeepsTheFocusOrder() {
        open(1);
        showActive();
        QVERIFY(tabStrip()->isAncestorOf(QApplication::focusWidget()));
        const QStringList order = {"Check1", "Text1", "Text2", "cmdOK", "cmdCancel", "cmdApply"};
        for (const QString& name : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(tabStrip()->isAncestorOf(QApplication::focusWidget()));
    }

    void uncheckingDisablesThePatternAndKeepsIt() {
        open(1, "*.log");
        check1()->click();
        QCOMPARE(check1()->checkState(), Qt::Unchecked);
        QVERIFY(!text1()->isEnabled());
        QVERIFY(!control<QLabel>("Label2")->isEnabled());
        QVERIFY(!control<QLabel>("Label3")->isEnabled());
        QCOMPARE(text1()->text(), QString("*.log"));

        control<QPushButton>("cmdOK")->click();
        QCOMPARE(store.value("OptFolder"), std::string("0"));
        QCOMPARE(store.value("OptFindFiles"), std::string("*.log"));
        QCOMPARE(options.OptFolder, std::int16_t(0));
        QCOMPARE(options.OptFindFiles, std::string("*.log"));
    }

    void grayTurnsCheckedOnAClickAndNeverComesBack() {
        open(2);
        check1()->click();
        QCOMPARE(check1()->checkState(), Qt::Checked);
        QVERIFY(text1()->isEnabled());
        check1()->click();
        QCOMPARE(check1()->checkState(), Qt::Unchecked);
        check1()->click();
        QCOMPARE(check1()->checkState(), Qt::Checked);
    }

    void okStoresAllThreeOptionsAndCloses_data() {
        QTest::addColumn<int>("optFolder");
        QTest::addColumn<QString>("storedFolder");
        QTest::newRow("1") << 1 << "1";
        QTest::newRow("0") << 0 << "0";
        QTest::newRow("2 stays 2") << 2 << "2";
        QTest::newRow("7 becomes 0") << 7 << "0";
    }

    void okStoresAllThreeOptionsAndCloses() {
        QFETCH(int, optFolder);
        QFETCH(QString, storedFolder);
        open(static_cast<std::int16_t>(optFolder), "*.*", "");
        dialog->show();
        control<QPushButton>("cmdOK")->click();

        QCOMPARE(store.writes, allThreeKeys);
        QCOMPARE(store.values.size(), std::size_t(3));
        QCOMPARE(QString::fromStdString(store.value("OptFolder")), storedFolder);
        QCOMPARE(store.value("OptFindFiles"), std::string("*.*"));
        QCOMPARE(store.value("OptTrim"), std::string(""));
        QCOMPARE(options.OptFolder, std::int16_t(storedFolder.toInt()));
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(messageBox.shown.empty());
    }

    void longAndOddStoredTextsComeBackWhole_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("untouched") << QString();
        QTest::newRow("typed at the end") << QString("x");
    }

    // Longer than a line edit holds by default, and a byte no text box can show.
    void longAndOddStoredTextsComeBackWhole() {
        QFETCH(QString, typed);
        std::string pattern;
        for (int part = 0; pattern.size() < 45000; ++part) {
            pattern += "*.p" + std::to_string(part) + ";";
        }
        pattern += "*.txt";
        const std::string trim = std::string(40000, 'T') + "\xff";
        open(1, pattern, trim);
        showActive();
        text1()->setFocus();
        QTest::keyClick(text1(), Qt::Key_End);
        QTest::keyClicks(text1(), typed);
        control<QPushButton>("cmdOK")->click();

        QCOMPARE(store.value("OptFindFiles"), pattern + typed.toStdString());
        QCOMPARE(store.value("OptTrim"), trim);
        QCOMPARE(options.OptFindFiles, pattern + typed.toStdString());
    }

    void applyStoresOnEveryPressAndStaysOpen() {
        open(1, "*.*", "");
        dialog->show();
        auto* apply = control<QPushButton>("cmdApply");
        apply->click();
        QTest::keyClicks(text2(), "C:/WORK");
        apply->click();
        QCOMPARE(store.writes, (std::vector<std::string>{"OptFolder", "OptFindFiles", "OptTrim",
                                                         "OptFolder", "OptFindFiles", "OptTrim"}));
        QCOMPARE(store.value("OptTrim"), std::string("C:/WORK"));
        QCOMPARE(options.OptTrim, std::string("C:/WORK"));
        QVERIFY(dialog->isVisible());
    }

    void cancelAfterApplyKeepsWhatApplyTookOver() {
        open(1, "*.*", "");
        dialog->show();
        QTest::keyClicks(text2(), "C:/A");
        control<QPushButton>("cmdApply")->click();
        QTest::keyClicks(text2(), "/B");
        text1()->clear();
        control<QPushButton>("cmdCancel")->click();

        QCOMPARE(options.OptTrim, std::string("C:/A"));
        QCOMPARE(options.OptFindFiles, std::string("*.*"));
        QCOMPARE(store.value("OptTrim"), std::string("C:/A"));
        QCOMPARE(store.writes.size(), std::size_t(3));
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
    }

    void escAndTheFrameCloseTakeNothingOver_data() {
        QTest::addColumn<bool>("byEsc");
        QTest::newRow("Esc") << true;
        QTest::newRow("window frame") << false;
    }

    void escAndTheFrameCloseTakeNothingOver() {
        QFETCH(bool, byEsc);
        open(1, "*.*", "old");
        showActive();
        text2()->setFocus();
        QTest::keyClicks(text2(), "new");
        check1()->click();
        if (byEsc) {
            QTest::keyClick(text2(), Qt::Key_Escape);
        } else {
            dialog->close();
        }
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(options.OptTrim, std::string("old"));
        QCOMPARE(options.OptFolder, std::int16_t(1));
        QVERIFY(store.writes.empty());

        // The next opening shows the options in memory again.
        open(options.OptFolder, options.OptFindFiles, options.OptTrim);
        QCOMPARE(text2()->text(), QString("old"));
    }

    void enterPressesNoButton() {
        open(1);
        showActive();
        text2()->setFocus();
        QTest::keyClick(text2(), Qt::Key_Return);
        QVERIFY(dialog->isVisible());
        QVERIFY(store.writes.empty());
    }

    void enterPressesTheFocusedButton_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<bool>("open");
        QTest::newRow("OK") << "cmdOK" << true << false;
        QTest::newRow("更新") << "cmdApply" << true << true;
        QTest::newRow("ｷｬﾝｾﾙ") << "cmdCancel" << false << false;
    }
    void enterPressesTheFocusedButton() {
        QFETCH(QString, button);
        QFETCH(bool, stored);
        QFETCH(bool, open);
        this->open(1);
        showActive();
        auto* focused = control<QPushButton>(button.toLatin1().constData());
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key_Return);
        QTRY_COMPARE(dialog->isVisible(), open);
        QCOMPARE(!store.writes.empty(), stored);
        QVERIFY(!focused->isDefault());
    }

    void everyControlHasAName() {
        open(1);
        showActive();
        QCOMPARE(unnamedControls(*dialog).join("; "), QString());
        QCOMPARE(text1()->accessibleName(), QString("検索対象ﾌｧｲﾙ"));
        QCOMPARE(control<QLabel>("Label1")->buddy(), text2());
    }

    void anEmptyPatternIsStoredEmpty() {
        open(1, "*.*", "");
        text1()->clear();
        control<QPushButton>("cmdOK")->click();
        QCOMPARE(options.OptFindFiles, std::string());
        QVERIFY(store.values.contains({"Quiverel2000", "Settings", "OptFindFiles"}));
        QCOMPARE(store.value("OptFindFiles"), std::string());
    }

    void textsAreTakenOverUnchanged() {
        open(1, "", "");
        text1()->insert(" *.txt ; ﾌｧｲﾙ* "); // typed as it stands
        QTest::keyClicks(text2(), "  C:/WORK  ");
        control<QPushButton>("cmdApply")->click();
        QCOMPARE(store.value("OptFindFiles"), std::string(" *.txt ; ﾌｧｲﾙ* "));
        QCOMPARE(store.value("OptTrim"), std::string("  C:/WORK  "));
    }

    void aStoreThatCannotBeWrittenIsReported() {
        open(0, "*.*", "");
        store.failWrites = true;
        QTest::keyClicks(text2(), "C:/X");
        control<QPushButton>("cmdApply")->click();
        QCOMPARE(store.writes, allThreeKeys);
        QCOMPARE(messageBox.shown,
                 (std::vector<ShownMessage>{{"設定を保存できませんでした。", "Quiverel2000"}}));
        // In effect for this run all the same.
        QCOMPARE(options.OptTrim, std::string("C:/X"));
    }

    void ctrlTabKeepsTheOneTabAndLaysThePageOut_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << int(Qt::ControlModifier);
        QTest::newRow("Ctrl+Shift+Tab")
            << int(Qt::Key_Backtab) << int(Qt::ControlModifier | Qt::ShiftModifier);
        QTest::newRow("Ctrl+Alt+Tab")
            << int(Qt::Key_Tab) << int(Qt::ControlModifier | Qt::AltModifier);
        QTest::newRow("Ctrl+Alt+Shift+Tab")
            << int(Qt::Key_Backtab)
            << int(Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    }

    void ctrlTabKeepsTheOneTabAndLaysThePageOut() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        open(1);
        showActive();
        text2()->setFocus();

        QTest::keyClick(text2(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));

        QCOMPARE(tabStrip()->currentIndex(), 0);
        QCOMPARE(page0()->x(), pageLeft(210));
        QCOMPARE(page0()->y(), pixels(480, dialog->logicalDpiY()));
        QVERIFY(page0()->isEnabled());
        QCOMPARE(QApplication::focusWidget(), text2());
    }

    void theLayoutEnablesThePageItShows() {
        open(1);
        showActive();
        page0()->setEnabled(false);
        QVERIFY(tabStrip()->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QVERIFY(page0()->isEnabled());
        QCOMPARE(page0()->x(), pageLeft(210));
    }

    void tabAloneOnlyMovesTheFocus_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("focus");
        QTest::newRow("Tab") << int(Qt::Key_Tab) << 0 << "cmdOK";
        QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << "Text1";
    }

    void tabAloneOnlyMovesTheFocus() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, focus);
        open(1);
        showActive();
        text2()->setFocus();
        QTest::keyClick(text2(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(page0()->x(), pageLeft(240));
    }

    void clickingTheSelectedTabLaysThePageOut() {
        open(1);
        showActive();
        QTabBar* bar = tabStrip()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
        QCOMPARE(page0()->x(), pageLeft(210));
    }
};

QTEST_MAIN(frmOptionsTest)
#include "frmOptionsTest.moc"
