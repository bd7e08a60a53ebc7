#include "widgets/CellTextDelegate.h"
#include "widgets/GothicFont.h"

#include <QHelpEvent>
#include <QImage>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QToolTip>

using namespace quiverel;

namespace {

// A table of the texts in columns of the given widths, the second column right-aligned, painted
// with the delegate given or with the styled one.
QImage paintedTable(const QStringList& texts, const QList<int>& widths,
                    QAbstractItemDelegate* delegate) {
    QStandardItemModel model(static_cast<int>(texts.size()), static_cast<int>(widths.size()));
    for (int row = 0; row < texts.size(); ++row) {
        for (int col = 0; col < widths.size(); ++col) {
            auto* item = new QStandardItem(texts[row]);
            if (col == 1) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            model.setItem(row, col, item);
        }
    }
    QTableView view;
    view.setFont(gothicFont());
    view.setWordWrap(false);
    view.setModel(&model);
    if (delegate != nullptr) {
        view.setItemDelegate(delegate);
    }
    for (int col = 0; col < widths.size(); ++col) {
        view.setColumnWidth(col, widths[col]);
    }
    view.resize(900, 400);
    view.selectionModel()->select(model.index(1, 0), QItemSelectionModel::Select);
    return view.grab().toImage();
}

} // namespace

class CellTextDelegateTest : public QObject {
    Q_OBJECT

private slots:
    void paintsLongTextsAsTheStyledDelegateDoes() {
        const QString path = QStringLiteral("/WORK/PROJECTS/2026/QUARTERLY-REPORTS/DRAFTS/");
        const QString lineBreakPastTheCut = path.repeated(3) + QLatin1Char('\n') + path;
        const QStringList texts = {
            path.repeated(7),                                             // ASCII, long
            QStringLiteral("ｶﾅﾌｫﾙﾀﾞ/").repeated(40),                      // half-width katakana
            QStringLiteral("漢字のフォルダ/").repeated(40),               // full width
            QStringLiteral("l.i/").repeated(120),                         // narrow characters
            QStringLiteral("/TMP/\u05E9\u05DC\u05D5\u05DD").repeated(60), // right to left within
            QStringLiteral("e\u0301").repeated(200),                      // combining accents
            QStringLiteral("\U0001F600x").repeated(150),                  // beyond the basic plane
            lineBreakPastTheCut,
            QStringLiteral("SHORT.TXT"),
        };
        const QList<int> widths = {1, 40, 150, 400};
        CellTextDelegate delegate;
        const QImage cut = paintedTable(texts, widths, &delegate);
        const QImage whole = paintedTable(texts, widths, nullptr);
        QCOMPARE(cut, whole);

        // And the long ones were cut.
        const QFontMetrics metrics(gothicFont());
        QVERIFY(visiblePart(texts[0], metrics, 150).size() < texts[0].size());
        QVERIFY(visiblePart(texts[2], metrics, 150).size() < texts[2].size());
        QCOMPARE(visiblePart(lineBreakPastTheCut, metrics, 150), lineBreakPastTheCut);
    }

    void aCutCellShowsItsWholeTextAsTooltip_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("fits") << "A.TXT"
                              << "";
        QTest::newRow("cut") << "/WORK/PROJECTS/2026/REPORTS/DRAFT ONE.TXT"
                             << "<p style='white-space:pre'>/WORK/PROJECTS/2026/REPORTS/DRAFT "
                                "ONE.TXT</p>";
        QTest::newRow("markup stays text") << "<b>NAME</b> WITH  TWO BLANKS AND MORE.TXT"
                                           << "<p style='white-space:pre'>&lt;b&gt;NAME&lt;/b&gt; "
                                              "WITH  TWO BLANKS AND MORE.TXT</p>";
    }
    void aCutCellShowsItsWholeTextAsTooltip() {
        QFETCH(QString, text);
        QFETCH(QString, tooltip);
        QStandardItemModel model(1, 1);
        model.setItem(0, 0, new QStandardItem(text));
        QTableView view;
        CellTextDelegate delegate;
        view.setItemDelegate(&delegate);
        view.setModel(&model);
        view.setColumnWidth(0, 120);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QToolTip::hideText();
        const QPoint cell = view.visualRect(model.index(0, 0)).center();
        QHelpEvent help(QEvent::ToolTip, cell, view.viewport()->mapToGlobal(cell));
        QCoreApplication::sendEvent(view.viewport(), &help);
        QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), tooltip);
    }
};

QTEST_MAIN(CellTextDelegateTest)
#include "CellTextDelegateTest.moc"
