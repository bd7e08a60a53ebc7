#pragma once

#include "grid/GridModel.h"
#include "listing/RowTexts.h"
#include "settings/Options.h"
#include "window/BatchListing.h"
#include "window/BatchPump.h"
#include "window/CopyCommand.h"
#include "window/DropPaths.h"
#include "window/FileTable.h"
#include "window/MainMenu.h"
#include "window/MessageGate.h"
#include "window/OuterPlacement.h"

#include <QMainWindow>

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

class QCheckBox;
class QMimeData;
class QToolBar;

namespace quiverel {

class Clipboard;
class EventPump;
class FlexGridView;
class MainStatusBar;
class MessageBox;
class MousePointer;
class ProcessingWindow;
class ProgramLauncher;
class SystemInfoLocator;
class SettingsStore;
struct LayoutInput;

// What the main window needs from outside: the platform and the command line.
struct MainWindowSetup {
    MessageBox& messageBox;
    SettingsStore& settings;
    Clipboard& clipboard;
    EventPump& eventPump;
    MousePointer& mousePointer;
    // Where the About box finds the system-information program, and how it starts it.
    SystemInfoLocator& systemInfoLocator;
    ProgramLauncher& programLauncher;
    // The paths of the command line, one entry per argument; the load step lists them. A
    // table without entries 1 to n: the program was started without paths.
    FileTable commandLine;
    // How long a batch runs before the processing window shows.
    std::chrono::milliseconds processingDelay = std::chrono::seconds(1);
};

// The main window: menus, toolbar, the row of column check boxes, the list grid MSFlexGrid1
// and the status bar. Files and folders dropped on the grid are listed into it.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    explicit frmMain(MainWindowSetup setup, QWidget* parent = nullptr);
    ~frmMain() override;

    // The load step: prepares the controls, restores the placement, writes the heading row,
    // reads the options and lists the command line, all while the window is still hidden.
    void Form_Load();

    // The options shared with the listing and the options dialog.
    Options& options() { return m_options; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Resize();
    void Form_Unload();
    void Form_GetSetting();
    void Form_SaveSetting();

    void mnuFileExit_Click();
    void mnuFilePrint_Click();
    void mnuEditCopy_Click();
    void mnuViewToolbar_Click();
    void mnuViewStatusBar_Click();
    void mnuViewOptions_Click();
    void mnuHelpAbout_Click();
    void tbToolBar_ButtonClick(const QString& key);
    // Lists a drop of files and folders; false (nothing changed) for a drop without files
    // or while a batch runs.
    bool MSFlexGrid1_OLEDragDrop(const QMimeData& dropped);
    // Lists the files a file manager put on the clipboard, as a drop of them would; any other
    // clipboard content changes nothing.
    void MSFlexGrid1_Paste();
    bool listDroppedFiles(const std::optional<FileTable>& fileTable);
    void MSFlexGrid1_KeyDown(std::int16_t KeyCode, std::int16_t Shift);

    void buildControls();
    void connectCommands();
    void listCommandLine();
    void listFileTable(const FileTable& fileTable);
    ColumnFlags readCheckSiji() const;
    void toggleBar(QWidget& bar, QAction& entry);
    // What the layout step reads of the window now.
    LayoutInput layoutInput() const;
    // The smallest outer size a stored placement opens with, in pixels.
    QSize smallestUsableSize() const;
    void fitToolBar();
    void unloadOtherWindows();

    MainWindowSetup m_setup;
    Options m_options;
    GridModel m_grid;
    CopyCommand m_copy{m_grid, m_setup.messageBox, m_setup.clipboard, m_setup.mousePointer};

    QWidget* m_client = nullptr;
    QToolBar* tbToolBar = nullptr;
    std::array<QCheckBox*, cell::count> Check_Siji{};
    QCheckBox* Check_Omoji = nullptr;
    FlexGridView* MSFlexGrid1 = nullptr;
    MainStatusBar* sbStatusBar = nullptr;
    MainMenu m_menu{};

    ProcessingWindow* m_processing;
    BatchPump m_batchPump;
    // The batch's messages: silenced once the window is closing.
    MessageGate m_batchMessages{m_setup.messageBox};
    BatchListing m_batch;

    DropTarget m_dropTarget{[this] { return m_batch.isRunning(); },
                            [this](const QMimeData& dropped) {
                                return MSFlexGrid1_OLEDragDrop(dropped);
                            }};
    // The window was closed while a batch ran: it closes once the batch has ended and the
    // handler that ran the batch has returned.
    bool m_closeAfterBatch = false;
    // The outer placement read at load, and written back as the window moves and resizes.
    OuterPlacement m_placement{*this};
};

} // namespace quiverel
