#pragma once

// A main window on the seam's test doubles, and the ways a test reaches its controls.

#include "grid/GridModel.h"
#include "support/FakePlatform.h"
#include "support/FakeSystemInfo.h"
#include "widgets/FlexGridView.h"
#include "widgets/Twips.h"
#include "window/CommandLine.h"
#include "window/frmMain.h"

#include <QAction>
#include <QStringList>
#include <QTest>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace quiverel::testing {

// A settings store that lets a test look at the window each time a key is read.
class WatchedSettingsStore : public FakeSettingsStore {
public:
    std::string read(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& defaultValue) override {
        if (onRead) {
            onRead(key);
        }
        return FakeSettingsStore::read(application, section, key, defaultValue);
    }
    std::function<void(const std::string& key)> onRead;
};

struct MainWindowFixture {
    FakeMessageBox messageBox;
    WatchedSettingsStore settings;
    FakeClipboard clipboard;
    FakeEventPump pump;
    FakeMousePointer pointer;
    FakeSystemInfoLocator systemInfoLocator;
    FakeProgramLauncher launcher;
    std::unique_ptr<frmMain> window;

    frmMain& make(FileTable commandLine = {},
                  std::chrono::milliseconds processingDelay = std::chrono::hours(1)) {
        window = std::make_unique<frmMain>(
            MainWindowSetup{messageBox, settings, clipboard, pump, pointer, systemInfoLocator,
                            launcher, std::move(commandLine), processingDelay});
        return *window;
    }
    frmMain& load(FileTable commandLine = {},
                  std::chrono::milliseconds processingDelay = std::chrono::hours(1)) {
        make(std::move(commandLine), processingDelay);
        window->Form_Load();
        return *window;
    }
    bool showAndWait() {
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }

    template <typename T = QWidget> T* find(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QAction* action(const char* name) const { return find<QAction>(name); }
    FlexGridView& gridView() const { return *find<FlexGridView>("MSFlexGrid1"); }
    GridModel& grid() const { return gridView().grid(); }
    QString cell(int row, int col) const {
        const std::string_view text = grid().TextMatrix(row, col);
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }

    int pxX(double twips) const { return twipsToPixels(twips, window->logicalDpiX()); }
    int pxY(double twips) const { return twipsToPixels(twips, window->logicalDpiY()); }
    double twipsY(int pixels) const { return pixelsToTwips(pixels, window->logicalDpiY()); }
};

// The command line of a window started with arguments from the folder workingDirectory.
inline FileTable commandLine(const QStringList& arguments, const QString& workingDirectory = "/") {
    std::vector<std::string> native;
    for (const QString& argument : arguments) {
        native.push_back(argument.toStdString());
    }
    return fileTableFromArguments(native, workingDirectory.toStdString());
}

// The texts of one column of the file rows, top to bottom.
inline QStringList column(const MainWindowFixture& f, int col) {
    QStringList cells;
    for (int row = 1; row < f.grid().Rows(); ++row) {
        cells << f.cell(row, col);
    }
    return cells;
}

} // namespace quiverel::testing
