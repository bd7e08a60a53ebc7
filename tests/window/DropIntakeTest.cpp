#include "DropHelpers.h"
#include "MainWindowFixture.h"
#include "listing/PathText.h"
#include "support/TestText.h"
#include "widgets/FlexGridAdapter.h"
#include "window/CommandLine.h"
#include "window/ProcessingWindow.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolBar>
#include <QUrl>

using namespace quiverel;
using namespace quiverel::testing;

namespace {

using Shape = MousePointer::Shape;

// A folder of files: "b.txt", "A.txt", and "tree" holding three sub-folders of one file each.
class Files {
public:
    Files() {
        for (const char* path :
             {"b.txt", "A.txt", "tree/one/1.txt", "tree/two/2.txt", "tree/three/3.txt"}) {
            const QString file = m_root.filePath(path);
            QDir().mkpath(QFileInfo(file).path());
            QFile out(file);
            out.open(QIODevice::WriteOnly);
        }
    }
    QString path(const char* name) const { return m_root.filePath(name); }

private:
    QTemporaryDir m_root;
};

// The text of URLs as a drop source writes them; "{dir}" in each stands for folder, as a URL's
// path writes it ("/C:/…" on Windows).
QString withFolder(const QString& text, const QString& folder) {
    return QString(text).replace("{dir}", QUrl::fromLocalFile(folder).path());
}

QList<QUrl> encodedUrls(const QStringList& urls, const QString& folder) {
    QList<QUrl> list;
    for (const QString& url : urls) {
        list << QUrl::fromEncoded(withFolder(url, folder).toUtf8());
    }
    return list;
}

// On Windows a URL's host names a network share that this machine reaches (see
// LocalFilePathTest): only on Linux is a file of another host passed over.
constexpr bool hostsAreOtherMachines = pathSeparator == '/';

} // namespace

class DropIntakeTest : public QObject {
    Q_OBJECT

private slots:
    void droppedFilesAndFoldersAreListed() {
        Files files;
        MainWindowFixture f;
        f.load();
        const auto data = fileDrop({files.path("b.txt"), files.path("tree")});
        QVERIFY(dragEnter(f.gridView(), *data));
        QVERIFY(drop(f.gridView(), *data));
        QCOMPARE(column(f, 1), (QStringList{"1.TXT", "2.TXT", "3.TXT", "B.TXT"}));
        QCOMPARE(column(f, 0), (QStringList{"1", "2", "3", "4"}));
        QVERIFY(f.grid().Redraw());
        QCOMPARE(f.pointer.shapes, (std::vector{Shape::Busy, Shape::Default}));
        QVERIFY(f.messageBox.shown.empty());

        // The next drop replaces the list and reads the check boxes afresh.
        f.find<QCheckBox>("Check_Omoji")->setChecked(false);
        f.find<QCheckBox>("Check_Siji(1)")->setChecked(false);
        QVERIFY(drop(f.gridView(), *fileDrop({files.path("A.txt")})));
        QCOMPARE(column(f, 1), QStringList{"A.txt"});
        QCOMPARE(column(f, 2), QStringList{""});
        QCOMPARE(f.cell(0, 2), QString("ﾊﾟｽ名"));
    }

    void entriesAreListedInDropOrder() {
        // A path that does not exist ends the batch where it stands: what came before it stays.
        Files files;
        MainWindowFixture f;
        f.load();
        QVERIFY(drop(f.gridView(), *fileDrop({files.path("b.txt"), files.path("missing")})));
        QCOMPARE(column(f, 1), QStringList{"B.TXT"});
        QCOMPARE(column(f, 0), QStringList{""});
        QVERIFY(drop(f.gridView(), *fileDrop({files.path("missing"), files.path("b.txt")})));
        QCOMPARE(f.grid().Rows(), 1);
        QCOMPARE(f.messageBox.shown.size(), std::size_t{2});
        QCOMPARE(utf8(f.messageBox.shown[0].text), QString("検索対象ﾌｧｲﾙの指定に誤りがあります。"));
        QCOMPARE(utf8(f.messageBox.shown[0].title), QString("Quiverel2000"));
    }

    void dropWithoutFilesChangesNothing_data() {
        // What a drop carries: a text, or URLs written out with "{dir}" standing for the files'
        // folder. The URLs all name a file that is there, yet none of them a local file.
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("urls");
        QTest::newRow("text") << "/tmp" << QStringList{};
        if (hostsAreOtherMachines) {
            QTest::newRow("a file on another host")
                << "" << QStringList{"file://otherhost{dir}/b.txt"};
        }
        QTest::newRow("a name cut by a NUL") << "" << QStringList{"file://{dir}/b.txt%00zzz"};
        QTest::newRow("a relative path") << "" << QStringList{"file:b.txt"};
        QTest::newRow("a web page") << "" << QStringList{"https://localhost{dir}/b.txt"};
    }

    void dropWithoutFilesChangesNothing() {
        QFETCH(QString, text);
        QFETCH(QStringList, urls);
        Files files;
        // A relative path would be taken from where the program was started.
        const QString startFolder = QDir::currentPath();
        QDir::setCurrent(files.path(""));
        const auto back = qScopeGuard([&] { QDir::setCurrent(startFolder); });
        MainWindowFixture f;
        f.load();
        QSignalSpy redraws(static_cast<FlexGridAdapter*>(f.gridView().model()),
                           &FlexGridAdapter::redrawSwitched);
        QMimeData data;
        if (urls.isEmpty()) {
            data.setText(text);
        } else {
            data.setUrls(encodedUrls(urls, files.path("")));
        }
        QVERIFY(!dragEnter(f.gridView(), data));
        QVERIFY(!drop(f.gridView(), data));
        QCOMPARE(redraws.count(), 0);
        QVERIFY(f.pointer.shapes.empty());
        QVERIFY(f.messageBox.shown.empty());
        QCOMPARE(f.grid().Rows(), 2);
        QCOMPARE(f.cell(0, 1), QString("ﾌｧｲﾙ名"));
    }

    void onlyLocalFilesOfADropAreListed() {
        Files files;
        MainWindowFixture f;
        f.load();
        QMimeData data;
        QStringList urls{"file://localhost{dir}/A.txt", "file://{dir}/b.txt%00zzz", "file:b.txt",
                         "file:{dir}/tree/one"};
        if (hostsAreOtherMachines) {
            urls.prepend("file://otherhost{dir}/b.txt");
        }
        data.setUrls(encodedUrls(urls, files.path("")));
        QVERIFY(drop(f.gridView(), data));
        QCOMPARE(column(f, 1), (QStringList{"1.TXT", "A.TXT"}));
        QVERIFY(f.messageBox.shown.empty());
    }

    // Ctrl+V in the grid takes what a file manager copied as a drop of the same files.
    void pastedFilesAreListedAsADrop_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QStringList>("names");
        const QString foreign = hostsAreOtherMachines ? "file://otherhost{dir}/A.txt\r\n" : "";
        const QString uris =
            "file://{dir}/b.txt\r\n" + foreign + "file://localhost{dir}/tree/one\r\n";
        QTest::newRow("URL list") << "text/uri-list" << uris << QStringList{"1.TXT", "B.TXT"};
        QTest::newRow("GNOME's copied files") << "x-special/gnome-copied-files"
                                              << "copy\nfile://{dir}/tree\nfile://{dir}/A.txt"
                                              << QStringList{"1.TXT", "2.TXT", "3.TXT", "A.TXT"};
        QTest::newRow("GNOME's cut files") << "x-special/gnome-copied-files"
                                           << "cut\nfile://{dir}/b.txt" << QStringList{"B.TXT"};
        QTest::newRow("a path as text") << "text/plain"
                                        << "{dir}/b.txt" << QStringList{"KEPT"};
        QTest::newRow("only foreign files")
            << "text/uri-list" << foreign + "https://x{dir}/A.txt" << QStringList{"KEPT"};
    }
    void pastedFilesAreListedAsADrop() {
        QFETCH(QString, format);
        QFETCH(QString, content);
        QFETCH(QStringList, names);
        Files files;
        MainWindowFixture f;
        f.load();
        QFile kept(files.path("kept"));
        QVERIFY(kept.open(QIODevice::WriteOnly));
        kept.close();
        QVERIFY(drop(f.gridView(), *fileDrop({files.path("kept")})));
        auto* data = new QMimeData;
        data->setData(format, withFolder(content, files.path("")).toUtf8());
        QGuiApplication::clipboard()->setMimeData(data);
        f.pointer.shapes.clear();
        QTest::keyClick(&f.gridView(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(column(f, 1), names);
        QCOMPARE(f.pointer.shapes.size(), names == QStringList{"KEPT"} ? 0u : 2u);
        QVERIFY(f.messageBox.shown.empty());
        QVERIFY(f.clipboard.sets == 0);
    }

    void dropOfferedOnlyAsAMoveIsRefused() {
        Files files;
        MainWindowFixture f;
        f.load();
        QVERIFY(!drop(f.gridView(), *fileDrop({files.path("b.txt")}), Qt::MoveAction));
        QCOMPARE(f.grid().Rows(), 2);
        QVERIFY(f.pointer.shapes.empty());
    }

    void whileABatchRunsDropsAreRefusedAndTheWindowAnswers() {
        Files files;
        MainWindowFixture f;
        f.load();
        QVERIFY(f.showAndWait());
        QStringList during;
        f.pump.onPump = [&] {
            if (!during.isEmpty()) {
                return;
            }
            const auto second = fileDrop({files.path("A.txt")});
            during << QString("enter %1, drop %2")
                          .arg(dragEnter(f.gridView(), *second))
                          .arg(drop(f.gridView(), *second));
            f.action("mnuViewToolbar")->trigger();
            f.action("mnuEditCopy")->trigger();
        };
        QVERIFY(drop(f.gridView(), *fileDrop({files.path("tree")})));
        QCOMPARE(during, QStringList{"enter 0, drop 0"});
        QCOMPARE(column(f, 1), (QStringList{"1.TXT", "2.TXT", "3.TXT"}));
        QCOMPARE(f.pointer.shapes, (std::vector{Shape::Busy, Shape::Default}));
        QVERIFY(f.find<QToolBar>("tbToolBar")->isHidden());
        QVERIFY(!f.action("mnuViewToolbar")->isChecked());
        // After the batch the grid takes drops again.
        QVERIFY(drop(f.gridView(), *fileDrop({files.path("A.txt")})));
        QCOMPARE(column(f, 1), QStringList{"A.TXT"});
    }

    void closingDuringABatchEndsItQuietlyOnceTheDropIsOver() {
        Files files;
        int yieldsOfAWholeBatch = 0;
        {
            MainWindowFixture f;
            f.load();
            QVERIFY(drop(f.gridView(), *fileDrop({files.path("tree")})));
            yieldsOfAWholeBatch = f.pump.calls;
        }
        QVERIFY(yieldsOfAWholeBatch >= 3);
        // File > Exit at each moment the batch lets events through.
        for (int closeAt = 1; closeAt <= yieldsOfAWholeBatch; ++closeAt) {
            MainWindowFixture f;
            f.load();
            QVERIFY(f.showAndWait());
            f.pump.onPump = [&] {
                if (f.pump.calls == closeAt) {
                    f.settings.writes.clear();
                    f.action("mnuFileExit")->trigger();
                    QVERIFY(f.window->isVisible());
                }
            };
            QVERIFY(drop(f.gridView(), *fileDrop({files.path("tree")})));
            // The window outlives the delivery of its drop, then goes without a word.
            QVERIFY2(f.window->isVisible(), qPrintable(QString("close at %1").arg(closeAt)));
            QTRY_VERIFY(!f.window->isVisible());
            QCOMPARE(f.messageBox.shown.size(), std::size_t{0});
            QCOMPARE(f.settings.writes,
                     (std::vector<std::string>{"MainLeft", "MainTop", "MainWidth", "MainHeight"}));
        }
    }

    void processingWindowShowsAndCancels() {
        Files files;
        MainWindowFixture f;
        f.load({}, std::chrono::milliseconds(0));
        QVERIFY(f.showAndWait());
        auto* processing = f.window->findChild<ProcessingWindow*>();
        QVERIFY(processing);
        QStringList seen;
        f.pump.onPump = [&] {
            if (!seen.isEmpty()) {
                return;
            }
            const QStringList labels{processing->findChild<QLabel*>("lblProcessing")->text(),
                                     processing->findChild<QLabel*>("lblFound")->text()};
            auto* cancel = processing->findChild<QPushButton*>("cmdCancel");
            seen << QString("%1 '%2' %3 %4")
                        .arg(processing->isVisible())
                        .arg(processing->windowTitle())
                        .arg(labels.join('|'))
                        .arg(cancel->text());
            cancel->click();
        };
        QVERIFY(drop(f.gridView(), *fileDrop({files.path("tree"), files.path("b.txt")})));
        QCOMPARE(seen, QStringList{"1 '処理中' 処  理  中|0 ﾌｧｲﾙ ｷｬﾝｾﾙ"});
        QVERIFY(!processing->isVisible());
        // Cancelled before the first sub-folder was searched: nothing was listed.
        QCOMPARE(f.grid().Rows(), 1);
        QCOMPARE(f.pointer.shapes, (std::vector{Shape::Busy, Shape::Default}));

        // The next batch runs to its end.
        f.pump.onPump = nullptr;
        QVERIFY(drop(f.gridView(), *fileDrop({files.path("tree")})));
        QCOMPARE(f.grid().Rows(), 4);
    }

    void processingWindowWaitsForItsDelay() {
        Files files;
        MainWindowFixture f;
        f.load();
        bool shown = false;
        f.pump.onPump = [&] {
            shown |= f.window->findChild<ProcessingWindow*>()->isVisible();
        };
        QVERIFY(drop(f.gridView(), *fileDrop({files.path("tree")})));
        QVERIFY(f.pump.calls > 0);
        QVERIFY(!shown);
    }

    void commandLineIsListedThenNoticed() {
        Files files;
        MainWindowFixture f;
        std::vector<std::string> order;
        f.messageBox.onShow = [&](const std::string&) {
            order.push_back(f.window->isVisible() ? "visible" : "hidden");
        };
        f.load(commandLine({files.path("tree"), files.path("b.txt")}));
        QCOMPARE(column(f, 1), (QStringList{"1.TXT", "2.TXT", "3.TXT", "B.TXT"}));
        QCOMPARE(f.messageBox.shown.size(), std::size_t{1});
        QCOMPARE(utf8(f.messageBox.shown[0].text),
                 QString("ｼｮｰﾄｶｯﾄへﾄﾞﾛｯﾌﾟした場合は、ﾛﾝｸﾞﾌｧｲﾙﾈｰﾑに対応していません。"));
        QCOMPARE(utf8(f.messageBox.shown[0].title), QString("Quiverel"));
        QCOMPARE(order, std::vector<std::string>{"hidden"});
        QVERIFY(f.grid().Redraw());
    }

    // Each argument is one path, taken from the working folder on its own: a blank is part of
    // a name, never the working folder itself followed by a cut.
    void commandLineArgumentIsOnePath_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("fails");
        QTest::newRow("a name with a blank")
            << QStringList{"with space.txt"} << QStringList{"WITH SPACE.TXT"} << false;
        QTest::newRow("a single blank") << QStringList{" "} << QStringList{} << true;
        QTest::newRow("an empty argument") << QStringList{""} << QStringList{} << true;
        QTest::newRow("two paths in one argument")
            << QStringList{"b.txt A.txt"} << QStringList{} << true;
        QTest::newRow("a blank among paths")
            << QStringList{"A.txt", " ", "b.txt"} << QStringList{"A.TXT"} << true;
    }
    void commandLineArgumentIsOnePath() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, names);
        QFETCH(bool, fails);
        Files files;
        QFile spaced(files.path("with space.txt"));
        QVERIFY(spaced.open(QIODevice::WriteOnly));
        spaced.close();
        MainWindowFixture f;
        f.load(commandLine(arguments, files.path("")));
        QCOMPARE(column(f, 1), names);
        QStringList messages;
        for (const auto& shown : f.messageBox.shown) {
            messages << utf8(shown.text);
        }
        QStringList expected{"ｼｮｰﾄｶｯﾄへﾄﾞﾛｯﾌﾟした場合は、ﾛﾝｸﾞﾌｧｲﾙﾈｰﾑに対応していません。"};
        if (fails) {
            expected.prepend("検索対象ﾌｧｲﾙの指定に誤りがあります。");
        }
        QCOMPARE(messages, expected);
        QCOMPARE(f.pointer.shapes, (std::vector{Shape::Busy, Shape::Default}));
    }

    void commandLineOptionsComeFromTheStore() {
        Files files;
        MainWindowFixture f;
        f.settings.set("OptFolder", "0");
        // The trim string meets the paths after they were upper-cased.
        f.settings.set("OptTrim",
                       QDir::toNativeSeparators(files.path("") + "/").toUpper().toStdString());
        f.load(commandLine({files.path("tree"), files.path("tree/one/1.txt")}));
        QCOMPARE(column(f, 1), QStringList{"1.TXT"});
        QCOMPARE(column(f, 2), QStringList{QDir::toNativeSeparators("TREE/ONE/")});
    }
};

QTEST_MAIN(DropIntakeTest)
#include "DropIntakeTest.moc"
