// Drives the main window offscreen on a tree, as a user does: the window loads, all seven
// column check boxes are ticked, the tree is dropped on the grid, and then every file row with
// the seven data columns is copied to the clipboard.
//   window-bench TREE   prints: batch_ns rows copy_ns copy_bytes max_gap_ns after_ns
//   window-bench --cancel-after MS TREE   prints: late_ns cancel_ns shown rows
// batch_ns is the drop handler's whole run (listing, sort, numbering, repainting switched back
// on); max_gap_ns the longest stretch of the batch without a chance to handle events, after_ns
// the time from the batch's end to the drop handler's (the grid taking the new rows). With
// --cancel-after, "ｷｬﾝｾﾙ" is clicked through the event loop MS milliseconds into the batch:
// late_ns is how long after that moment the click was handled (-1: not before the batch had
// ended), cancel_ns how long after that moment the batch had ended, shown whether the
// processing window was up when the click was handled.
// Message boxes never block; the settings live in memory; the clipboard is Qt's (offscreen
// unless QT_QPA_PLATFORM says otherwise).

#include "about/QtProgramLauncher.h"
#include "about/SystemInfoRegistry.h"
#include "app/FlexGridView.h"
#include "app/QtClipboard.h"
#include "app/QtEventPump.h"
#include "app/frmMain.h"
#include "listing/GridModel.h"
#include "platform/MessageBox.h"
#include "platform/MousePointer.h"
#include "platform/SettingsStore.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

long long nanosecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(to - from).count();
}

// Message boxes that return at once; the texts are kept for the report.
class PassingMessageBox : public quiverel::MessageBox {
public:
    void show(const std::string& text, const std::string&) override { shown += text + "\n"; }
    std::string shown;
};

class MemorySettingsStore : public quiverel::SettingsStore {
public:
    std::string read(const std::string&, const std::string&, const std::string& key,
                     const std::string& defaultValue) override {
        const auto found = m_values.find(key);
        return found == m_values.end() ? defaultValue : found->second;
    }
    bool write(const std::string&, const std::string&, const std::string& key,
               const std::string& value) override {
        m_values[key] = value;
        return true;
    }

private:
    std::map<std::string, std::string> m_values;
};

// The window restores the default pointer right after the batch has returned.
class WatchedPointer : public quiverel::MousePointer {
public:
    void set(Shape shape) override {
        if (shape == Shape::Default) {
            restored = Clock::now();
        }
    }
    Clock::time_point restored;
};

// Qt's event pump, noting the longest time between two calls.
class GapMeasuringPump : public quiverel::EventPump {
public:
    void start() {
        m_last = Clock::now();
        longestGap = 0;
    }
    void processPendingEvents() override {
        note(Clock::now());
        m_events.processPendingEvents();
    }
    void note(Clock::time_point now) {
        longestGap = std::max(longestGap, nanosecondsBetween(m_last, now));
        m_last = now;
    }
    long long longestGap = 0;

private:
    quiverel::QtEventPump m_events;
    Clock::time_point m_last;
};

// Drags the tree onto the grid and lets it go there.
void dropOnGrid(quiverel::FlexGridView& grid, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const Qt::DropActions actions = Qt::CopyAction;
    QDragEnterEvent enter(QPoint(20, 20), actions, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(grid.viewport(), &enter);
    QDropEvent drop(QPointF(20, 20), actions, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(grid.viewport(), &drop);
}

[[noreturn]] void usage() {
    std::fprintf(stderr, "usage: window-bench [--cancel-after MS] TREE\n");
    std::exit(64);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    int cancelAfterMs = -1;
    int arg = 1;
    if (arg + 1 < argc && std::strcmp(argv[arg], "--cancel-after") == 0) {
        cancelAfterMs = std::atoi(argv[arg + 1]);
        arg += 2;
    }
    if (arg + 1 != argc) {
        usage();
    }
    const QString tree = QString::fromLocal8Bit(argv[arg]);

    PassingMessageBox messageBox;
    MemorySettingsStore settings;
    quiverel::QtClipboard clipboard;
    GapMeasuringPump pump;
    WatchedPointer pointer;
    quiverel::SystemInfoRegistry registry;
    quiverel::QtProgramLauncher launcher;
    quiverel::frmMain window(quiverel::MainWindowSetup{
        messageBox, settings, clipboard, pump, pointer, registry, launcher, {}});
    window.Form_Load();
    for (const char* box : {"Check_Siji(5)", "Check_Siji(6)"}) {
        window.findChild<QCheckBox*>(QString::fromLatin1(box))->setChecked(true);
    }
    window.show();
    QCoreApplication::processEvents();

    auto& grid = *window.findChild<quiverel::FlexGridView*>(QStringLiteral("MSFlexGrid1"));
    auto* processing = window.findChild<QDialog*>(QStringLiteral("frmProcessing"));
    auto* cancelButton = processing->findChild<QAbstractButton*>(QStringLiteral("cmdCancel"));

    const Clock::time_point start = Clock::now();
    const Clock::time_point clickDue = start + std::chrono::milliseconds(cancelAfterMs);
    Clock::time_point clicked{};
    bool shownAtClick = false;
    if (cancelAfterMs >= 0) {
        QTimer::singleShot(cancelAfterMs, Qt::PreciseTimer, &window, [&] {
            clicked = Clock::now();
            shownAtClick = processing->isVisible();
            cancelButton->click();
        });
    }
    pump.start();
    dropOnGrid(grid, tree);
    const Clock::time_point end = Clock::now();
    const Clock::time_point batchEnd = pointer.restored;
    pump.note(batchEnd);
    const int rows = grid.grid().Rows() - 1;

    if (cancelAfterMs >= 0) {
        if (batchEnd < clickDue) {
            std::fprintf(stderr, "window-bench: the batch ended before the click was due\n");
            return 1;
        }
        // A click the batch never let through is handled only after it has ended.
        const long long late =
            clicked == Clock::time_point{} ? -1 : nanosecondsBetween(clickDue, clicked);
        std::printf("%lld %lld %d %d\n", late, nanosecondsBetween(clickDue, batchEnd),
                    shownAtClick ? 1 : 0, rows);
        return 0;
    }
    if (rows < 1) {
        std::fprintf(stderr, "window-bench: nothing listed: %s", messageBox.shown.c_str());
        return 1;
    }

    quiverel::GridModel& model = grid.grid();
    model.setRow(1);
    model.setCol(1);
    model.setRowSel(model.Rows() - 1);
    model.setColSel(7);
    auto* copy = window.findChild<QAction*>(QStringLiteral("mnuEditCopy"));
    const Clock::time_point copyStart = Clock::now();
    copy->trigger();
    const Clock::time_point copyEnd = Clock::now();
    const qsizetype copied = QGuiApplication::clipboard()->text().toUtf8().size();
    if (copied == 0) {
        std::fprintf(stderr, "window-bench: nothing copied: %s", messageBox.shown.c_str());
        return 1;
    }

    std::printf("%lld %d %lld %lld %lld %lld\n", nanosecondsBetween(start, end), rows,
                nanosecondsBetween(copyStart, copyEnd), static_cast<long long>(copied),
                pump.longestGap, nanosecondsBetween(batchEnd, end));
    return 0;
}
