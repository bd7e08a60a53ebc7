// Drives the main window offscreen on a tree, as a user does: the window loads, all seven
// column check boxes are ticked, the tree is dropped on the grid, and then every file row with
// the seven data columns is copied to the clipboard.
//   window-bench TREE   prints: batch_ns rows copy_ns copy_bytes max_gap_ns after_ns frame_ns
//                                rows_kb copy_peak_kb
//   window-bench --cancel-after MS TREE   prints: late_ns cancel_ns shown rows
// batch_ns is the drop handler's whole run (listing, sort, numbering, repainting switched back
// on); max_gap_ns the longest stretch of the batch without a chance to handle events, after_ns
// the time from the batch's end to the drop handler's (the grid taking the new rows), frame_ns
// the longest of 101 frames scrolling the full grid from top to bottom, rows_kb the program's
// resident memory once the batch is over (the rows in the grid), copy_peak_kb its peak resident
// memory while the copy runs. With
// --cancel-after, "ｷｬﾝｾﾙ" is clicked through the event loop MS milliseconds into the batch:
// late_ns is how long after that moment the click was handled (-1: not before the batch had
// ended), cancel_ns how long after that moment the batch had ended, shown whether the
// processing window was up when the click was handled; the exit code is 3 when the batch had
// ended before the click was due.
// Message boxes never block; the settings live in memory; the clipboard is Qt's (offscreen
// unless QT_QPA_PLATFORM says otherwise).

#include "grid/GridModel.h"
#include "platform/MessageBox.h"
#include "platform/MousePointer.h"
#include "platform/SettingsStore.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtProgramLauncher.h"
#include "platform/qt/QtSystemInfoLocator.h"
#include "widgets/FlexGridView.h"
#include "window/frmMain.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QDropEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

long long nanosecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(to - from).count();
}

// A figure of /proc/self/status in KiB ("VmRSS", "VmHWM"); 0 where it cannot be read.
long long statusKib(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(field + ":")) {
            return std::atoll(line.c_str() + field.size() + 1);
        }
    }
    return 0;
}

// Starts the peak resident memory afresh from what is resident now.
void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
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

// The main window on the seams above, loaded as the program loads it, with all seven columns
// chosen, shown offscreen.
class BenchWindow {
public:
    BenchWindow()
        : m_window(quiverel::MainWindowSetup{
              messageBox, m_settings, m_clipboard, pump, pointer, m_locator, m_launcher, {}}) {
        m_window.Form_Load();
        for (const char* box : {"Check_Siji(5)", "Check_Siji(6)"}) {
            m_window.findChild<QCheckBox*>(QString::fromLatin1(box))->setChecked(true);
        }
        m_window.show();
        QCoreApplication::processEvents();
        m_grid = m_window.findChild<quiverel::FlexGridView*>(QStringLiteral("MSFlexGrid1"));
        m_processing = m_window.findChild<QDialog*>(QStringLiteral("frmProcessing"));
    }

    // Drags the tree onto the grid and lets it go there; returns when the drop handler does.
    void dropTree(const QString& tree) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(tree)});
        const Qt::DropActions actions = Qt::CopyAction;
        QDragEnterEvent enter(QPoint(20, 20), actions, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_grid->viewport(), &enter);
        QDropEvent drop(QPointF(20, 20), actions, &data, Qt::LeftButton, Qt::NoModifier);
        pump.start();
        QCoreApplication::sendEvent(m_grid->viewport(), &drop);
        pump.note(pointer.restored);
    }

    // Clicks "ｷｬﾝｾﾙ" through the event loop after the delay; the moment it was handled and
    // whether the processing window showed then go to the two out-values.
    void clickCancelAfter(int ms, Clock::time_point& clicked, bool& shown) {
        auto* button = m_processing->findChild<QAbstractButton*>(QStringLiteral("cmdCancel"));
        QTimer::singleShot(ms, Qt::PreciseTimer, &m_window, [=, this, &clicked, &shown] {
            clicked = Clock::now();
            shown = m_processing->isVisible();
            button->click();
        });
    }

    // Scrolls the grid from top to bottom in even steps, painting each; the longest frame.
    long long longestScrollFrame() {
        QScrollBar& bar = *m_grid->verticalScrollBar();
        constexpr int frames = 100;
        long long longest = 0;
        for (int frame = 0; frame <= frames; ++frame) {
            const Clock::time_point before = Clock::now();
            bar.setValue(static_cast<int>(static_cast<long long>(bar.maximum()) * frame / frames));
            m_grid->viewport()->repaint();
            longest = std::max(longest, nanosecondsBetween(before, Clock::now()));
        }
        return longest;
    }

    // Selects every file row and the seven data columns and runs the copy command.
    void copyAllRows() {
        quiverel::GridModel& model = m_grid->grid();
        model.setRow(1);
        model.setCol(1);
        model.setRowSel(model.Rows() - 1);
        model.setColSel(7);
        m_window.findChild<QAction*>(QStringLiteral("mnuEditCopy"))->trigger();
    }

    // The size of the clipboard's text, read as a program pasting it would.
    static long long clipboardBytes() {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data == nullptr ? 0 : data->data(QStringLiteral("text/plain;charset=utf-8")).size();
    }

    int rows() const { return m_grid->grid().Rows() - 1; }

    PassingMessageBox messageBox;
    GapMeasuringPump pump;
    WatchedPointer pointer;

private:
    MemorySettingsStore m_settings;
    quiverel::QtClipboard m_clipboard;
    quiverel::QtSystemInfoLocator m_locator;
    quiverel::QtProgramLauncher m_launcher;
    quiverel::frmMain m_window;

    quiverel::FlexGridView* m_grid = nullptr;
    QDialog* m_processing = nullptr;
};

// The exit code when the batch was over before the click was due.
constexpr int endedBeforeClick = 3;

int benchCancel(BenchWindow& window, const QString& tree, int cancelAfterMs) {
    Clock::time_point clicked{};
    bool shown = false;
    const Clock::time_point due = Clock::now() + std::chrono::milliseconds(cancelAfterMs);
    window.clickCancelAfter(cancelAfterMs, clicked, shown);
    window.dropTree(tree);
    const Clock::time_point batchEnd = window.pointer.restored;
    if (batchEnd < due) {
        std::fprintf(stderr, "window-bench: the batch ended before the click was due\n");
        return endedBeforeClick;
    }
    // A click the batch never let through is handled only after it has ended.
    const long long late = clicked == Clock::time_point{} ? -1 : nanosecondsBetween(due, clicked);
    std::printf("%lld %lld %d %d\n", late, nanosecondsBetween(due, batchEnd), shown ? 1 : 0,
                window.rows());
    return 0;
}

int benchListAndCopy(BenchWindow& window, const QString& tree) {
    const Clock::time_point start = Clock::now();
    window.dropTree(tree);
    const Clock::time_point end = Clock::now();
    const Clock::time_point batchEnd = window.pointer.restored;
    if (window.rows() < 1) {
        std::fprintf(stderr, "window-bench: nothing listed: %s", window.messageBox.shown.c_str());
        return 1;
    }
    const long long scrollFrame = window.longestScrollFrame();
    const long long rowsKib = statusKib("VmRSS");
    resetPeakMemory();
    const Clock::time_point copyStart = Clock::now();
    window.copyAllRows();
    const Clock::time_point copyEnd = Clock::now();
    const long long copyPeakKib = statusKib("VmHWM");
    const long long copied = BenchWindow::clipboardBytes();
    if (copied == 0) {
        std::fprintf(stderr, "window-bench: nothing copied: %s", window.messageBox.shown.c_str());
        return 1;
    }
    std::printf("%lld %d %lld %lld %lld %lld %lld %lld %lld\n", nanosecondsBetween(start, end),
                window.rows(), nanosecondsBetween(copyStart, copyEnd), copied,
                window.pump.longestGap, nanosecondsBetween(batchEnd, end), scrollFrame, rowsKib,
                copyPeakKib);
    return 0;
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
        std::fprintf(stderr, "usage: window-bench [--cancel-after MS] TREE\n");
        return 64;
    }
    const QString tree = QString::fromLocal8Bit(argv[arg]);
    BenchWindow window;
    return cancelAfterMs >= 0 ? benchCancel(window, tree, cancelAfterMs)
                              : benchListAndCopy(window, tree);
}
