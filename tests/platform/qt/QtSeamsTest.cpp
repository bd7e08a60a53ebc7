#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtMousePointer.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace quiverel;

class QtSeamsTest : public QObject {
    Q_OBJECT

private slots:
    void messageBoxHasOkOnlyAndNoIcon() {
        QString seen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = QString("%1|%2|%3|%4")
                       .arg(box->windowTitle(), box->text())
                       .arg(box->icon() == QMessageBox::NoIcon)
                       .arg(box->buttons().size());
            box->button(QMessageBox::Ok)->click();
        });
        QtMessageBox().show("検索対象ﾌｧｲﾙがありませんでした。", "Quiverel2000");
        QCOMPARE(seen, QString("Quiverel2000|検索対象ﾌｧｲﾙがありませんでした。|1|1"));
    }

    void busyPointerIsSetOnceAndRestored() {
        QtMousePointer pointer;
        pointer.set(MousePointer::Shape::Busy);
        pointer.set(MousePointer::Shape::Busy);
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        pointer.set(MousePointer::Shape::Default);
        QVERIFY(!QApplication::overrideCursor());
        pointer.set(MousePointer::Shape::Default);
        QVERIFY(!QApplication::overrideCursor());
    }

    void pointerLeftBusyIsRestoredAtTheEnd() {
        {
            QtMousePointer pointer;
            pointer.set(MousePointer::Shape::Busy);
        }
        QVERIFY(!QApplication::overrideCursor());
    }

    void eventPumpHandlesPendingEvents() {
        bool handled = false;
        QTimer::singleShot(0, [&] { handled = true; });
        QtEventPump().processPendingEvents();
        QVERIFY(handled);
    }

    void clipboardTakesText() {
        QtClipboard clipboard;
        QVERIFY(clipboard.setText("a\tｻｲｽﾞ\r\n"));
        QCOMPARE(QApplication::clipboard()->text(), QString("a\tｻｲｽﾞ\r\n"));
        // A program pasting asks for the bytes in UTF-8.
        QCOMPARE(QApplication::clipboard()->mimeData()->data("text/plain;charset=utf-8"),
                 QByteArray("a\tｻｲｽﾞ\r\n"));
        clipboard.clear();
        QCOMPARE(QApplication::clipboard()->text(), QString());
    }
};

QTEST_MAIN(QtSeamsTest)
#include "QtSeamsTest.moc"
