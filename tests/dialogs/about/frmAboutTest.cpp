#include "dialogs/about/frmAbout.h"
#include "support/AccessibleNames.h"
#include "support/FakePlatform.h"
#include "support/FakeSystemInfo.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace quiverel;
using namespace quiverel::testing;

namespace {

int pixels(int twips, int dpi) {
    return qRound(twips * dpi / 1440.0);
}

} // namespace

class frmAboutTest : public QObject {
    Q_OBJECT

    FakeSystemInfoLocator locator;
    FakeProgramLauncher launcher;
    FakeMessageBox messageBox;
    std::unique_ptr<QWidget> owner;
    std::unique_ptr<frmAbout> box;

    void open() { box = std::make_unique<frmAbout>(locator, launcher, messageBox, owner.get()); }
    void showActive() {
        box->show();
        box->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(box.get()));
    }
    QLabel* label(const char* name) { return box->findChild<QLabel*>(name); }
    QPushButton* button(const char* name) { return box->findChild<QPushButton*>(name); }
    QRect pixelRect(int left, int top, int width, int height) {
        const int x = box->logicalDpiX();
        const int y = box->logicalDpiY();
        return {pixels(left, x), pixels(top, y), pixels(width, x), pixels(height, y)};
    }

private slots:
    void init() {
        locator = FakeSystemInfoLocator();
        launcher = FakeProgramLauncher();
        messageBox = FakeMessageBox();
        owner = std::make_unique<QWidget>();
    }
    void cleanup() {
        box.reset();
        owner.reset();
    }

    void isAFixedModalBoxOfItsOwner() {
        open();
        QCOMPARE(box->windowTitle(), QString("Quiverel2000のﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(box->parentWidget(), owner.get());
        QVERIFY(box->isModal());
        const QSize client = pixelRect(0, 0, 5655, 2805).size();
        QCOMPARE(box->minimumSize(), client);
        QCOMPARE(box->maximumSize(), client);
        QVERIFY(!(box->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(box->windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    void fillsTheLabelsOnEveryOpening() {
        for (int opening = 0; opening < 2; ++opening) {
            open();
            QCOMPARE(label("lblTitle")->text(), QString("Quiverel2000"));
            QCOMPARE(label("lblVersion")->text(), QString("Version 0.9.0"));
            QCOMPARE(label("lblDescription")->text(), QString("Copyright (C) 2026 Brindlewick"));
            QCOMPARE(label("lblDisclaimer")->text(), QString());
        }
        QCOMPARE(label("lblTitle")->font().pointSizeF(), 9.75);
        QCOMPARE(label("lblTitle")->font().weight(), QFont::Normal);
    }

    void placesEveryControl_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("caption");
        QTest::newRow("picIcon") << "picIcon" << QRect(240, 240, 540, 540) << "";
        QTest::newRow("lblTitle") << "lblTitle" << QRect(1050, 240, 3885, 480) << "";
        QTest::newRow("lblVersion") << "lblVersion" << QRect(1050, 780, 3885, 225) << "";
        QTest::newRow("lblDescription") << "lblDescription" << QRect(1050, 1125, 3885, 450) << "";
        QTest::newRow("lblDisclaimer") << "lblDisclaimer" << QRect(255, 1905, 3750, 825) << "";
        QTest::newRow("cmdOK") << "cmdOK" << QRect(4125, 1905, 1380, 345) << "OK";
        QTest::newRow("cmdSysInfo")
            << "cmdSysInfo" << QRect(4140, 2355, 1365, 345) << "ｼｽﾃﾑ情報(&S)...";
    }

    void placesEveryControl() {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QFETCH(QString, caption);
        open();
        auto* widget = box->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget(), box.get());
        QCOMPARE(widget->geometry(),
                 pixelRect(twips.x(), twips.y(), twips.width(), twips.height()));
        if (auto* pushButton = qobject_cast<QPushButton*>(widget)) {
            QCOMPARE(pushButton->text(), caption);
        }
    }

    void drawsAnEtchedSeparator() {
        open();
        auto* gray = box->findChild<QWidget*>("Line1(1)");
        auto* white = box->findChild<QWidget*>("Line1(0)");
        QVERIFY(gray && white);
        const int dpiX = box->logicalDpiX();
        const int dpiY = box->logicalDpiY();
        QCOMPARE(gray->geometry(), QRect(QPoint(pixels(225, dpiX), pixels(1710, dpiY)),
                                         QPoint(pixels(5450, dpiX) - 1, pixels(1710, dpiY))));
        QCOMPARE(white->geometry(), QRect(QPoint(pixels(240, dpiX), pixels(1725, dpiY)),
                                          QPoint(pixels(5450, dpiX) - 1, pixels(1725, dpiY) + 1)));
        QCOMPARE(gray->palette().color(QPalette::Window), QColor(128, 128, 128));
        QCOMPARE(white->palette().color(QPalette::Window), QColor(Qt::white));
        QVERIFY(gray->autoFillBackground() && white->autoFillBackground());
    }

    void okIsTheDefaultAndHoldsTheFocusFirst() {
        open();
        showActive();
        QVERIFY(button("cmdOK")->isDefault());
        QCOMPARE(QApplication::focusWidget(), button("cmdOK"));
        QTest::keyClick(button("cmdOK"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button("cmdSysInfo"));
    }

    void okEnterAndEscCloseTheBox_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("OK") << 0;
        QTest::newRow("Enter") << 1;
        QTest::newRow("Esc") << 2;
        QTest::newRow("window frame") << 3;
    }

    void okEnterAndEscCloseTheBox() {
        QFETCH(int, how);
        open();
        showActive();
        switch (how) {
        case 0:
            button("cmdOK")->click();
            break;
        case 1:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            break;
        case 2:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            break;
        default:
            box->close();
        }
        QVERIFY(!box->isVisible());
        QVERIFY(locator.calls.empty());
    }

    void enterPressesTheFocusedSystemInformationButton() {
        open();
        showActive();
        button("cmdSysInfo")->setFocus();
        QTest::keyClick(button("cmdSysInfo"), Qt::Key_Return);
        QVERIFY(!locator.calls.empty());
        QVERIFY(box->isVisible());
        QCOMPARE(unnamedControls(*box).join("; "), QString());
    }

    void systemInformationUnavailableKeepsTheBoxOpen() {
        open();
        showActive();
        button("cmdSysInfo")->click();
        button("cmdSysInfo")->click();
        QCOMPARE(messageBox.shown, (std::vector<ShownMessage>{
                                       {"現時点ではｼｽﾃﾑ情報を使用できません", "Quiverel2000"},
                                       {"現時点ではｼｽﾃﾑ情報を使用できません", "Quiverel2000"}}));
        QVERIFY(box->isVisible());
    }

    void systemInformationStartsTheProgramLocated() {
        locator.path = "/usr/bin/kinfocenter";
        launcher.startable.insert("/usr/bin/kinfocenter");
        open();
        showActive();
        button("cmdSysInfo")->click();
        QCOMPARE(launcher.started, std::vector<std::string>{"/usr/bin/kinfocenter"});
        QVERIFY(messageBox.shown.empty());
        QVERIFY(box->isVisible());
    }
};

QTEST_MAIN(frmAboutTest)
#include "frmAboutTest.moc"
