#include "window/frmMain.h"

#include "dialogs/about/frmAbout.h"
#include "dialogs/options/frmOptions.h"
#include "generated/ProgramInfo.h"
#include "platform/MessageBox.h"
#include "platform/MousePointer.h"
#include "settings/StoredOptions.h"
#include "widgets/FlexGridView.h"
#include "widgets/KeyCodeAnalyze.h"
#include "widgets/KeyCodes.h"
#include "widgets/PlaceControl.h"
#include "widgets/Twips.h"
#include "window/DataSet_RowMidashi.h"
#include "window/GridColumns.h"
#include "window/LayoutStep.h"
#include "window/MainStatusBar.h"
#include "window/MainToolBar.h"
#include "window/OuterPlacement.h"
#include "window/ProcessingWindow.h"
#include "window/Resources.h"
#include "window/texts.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMenuBar>
#include <QToolBar>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace quiverel {
namespace {

// Check_Omoji sits after the column check boxes (window/GridColumns.h).
constexpr CheckBoxPlace checkOmojiPlace = {7440, 1455};
constexpr int checkBoxHeight = 255;

QString qText(const char* text) {
    return QString::fromUtf8(text);
}

// Room for the title bar with its buttons and for the menu bar.
constexpr double minimumWidthTwips = 2040;
constexpr double minimumHeightTwips = 1200;

// Pixels enough for twips: rounded up, so that what the twips hold fits whole.
int pixelsHolding(double twips, double dpi) {
    return static_cast<int>(std::ceil(twips / pixelsToTwips(1, dpi)));
}

} // namespace

frmMain::frmMain(MainWindowSetup setup, QWidget* parent)
    : QMainWindow(parent), m_setup(std::move(setup)), m_processing(new ProcessingWindow(this)),
      m_batchPump(
          m_setup.eventPump, *m_processing, [this] { return m_batch.filesFound(); },
          m_setup.processingDelay),
      m_batch(
          m_options, [this] { return readCheckSiji(); }, m_batchPump, m_batchMessages) {
    initResources();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(qText(mainTexts::caption));
    setWindowIcon(QIcon(QStringLiteral(":/app/quiverel2000.png")));
    // The placement alone decides the size: the controls' size hints never hold it back.
    setMinimumSize(1, 1);
    buildControls();
    connectCommands();
}

frmMain::~frmMain() {
    // Controls being taken down must not reach the window's handlers any more.
    m_client->removeEventFilter(this);
    MSFlexGrid1->viewport()->removeEventFilter(this);
    MSFlexGrid1->removeEventFilter(this);
    // The grid's view watches m_grid: it goes first.
    delete MSFlexGrid1;
}

void frmMain::buildControls() {
    m_client = new QWidget(this);
    setCentralWidget(m_client);

    tbToolBar = buildToolBar(m_client);
    fitToolBar();

    const auto placeCheckBox = [this](const char* name, const char* caption, CheckBoxPlace place) {
        // The layout step sets the top.
        return placeControl(new QCheckBox(qText(caption), m_client), name, place.left, 0,
                            place.width, checkBoxHeight);
    };
    for (std::size_t k = 0; k < Check_Siji.size(); ++k) {
        const std::string name = "Check_Siji(" + std::to_string(k) + ")";
        const GridColumn& column = checkSijiColumn(k);
        Check_Siji[k] = placeCheckBox(name.c_str(), column.checkBoxCaption, column.checkBox);
    }
    Check_Omoji = placeCheckBox("Check_Omoji", mainTexts::checkOmoji, checkOmojiPlace);

    MSFlexGrid1 = new FlexGridView(m_grid, m_client);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setAccessibleName(qText(mainTexts::gridName));
    MSFlexGrid1->setAccessibleDescription(qText(mainTexts::dropPrompt));

    sbStatusBar = new MainStatusBar(this);
    setStatusBar(sbStatusBar);

    m_menu = buildMainMenu(*menuBar());

    m_client->installEventFilter(this);
    MSFlexGrid1->installEventFilter(this);
    MSFlexGrid1->viewport()->installEventFilter(this);
}

void frmMain::connectCommands() {
    connect(m_menu.mnuFileExit, &QAction::triggered, this, &frmMain::mnuFileExit_Click);
    connect(m_menu.mnuFilePrint, &QAction::triggered, this, &frmMain::mnuFilePrint_Click);
    connect(m_menu.mnuEditCopy, &QAction::triggered, this, &frmMain::mnuEditCopy_Click);
    connect(m_menu.mnuViewToolbar, &QAction::triggered, this, &frmMain::mnuViewToolbar_Click);
    connect(m_menu.mnuViewStatusBar, &QAction::triggered, this, &frmMain::mnuViewStatusBar_Click);
    connect(m_menu.mnuViewOptions, &QAction::triggered, this, &frmMain::mnuViewOptions_Click);
    connect(m_menu.mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
    connect(tbToolBar, &QToolBar::actionTriggered, this,
            [this](QAction* button) { tbToolBar_ButtonClick(button->data().toString()); });
    connect(m_processing, &ProcessingWindow::cancelRequested, this, [this] { m_batch.cancel(); });
}

void frmMain::Form_Load() {
    // The folder search reads the file system itself: there are no list controls to hide.
    MSFlexGrid1->allowDropsAndColumnResizing();
    for (std::size_t k = 0; k < Check_Siji.size(); ++k) {
        Check_Siji[k]->setChecked(checkSijiColumn(k).checkedAtStart);
    }
    Check_Omoji->setChecked(true);
    Form_GetSetting();
    DataSet_RowMidashi(m_grid);
    m_options = readOptions(m_setup.settings);
    m_menu.mnuHelpContents->setEnabled(false);
    m_menu.mnuHelpSearch->setEnabled(false);
    sbStatusBar->setPanelText(qText(mainTexts::dropPrompt));
    // The list is what the user works with: the keys go to it from the start.
    MSFlexGrid1->setFocus();
    listCommandLine();
}

void frmMain::listCommandLine() {
    if (m_setup.commandLine.size() < 2) {
        return;
    }
    // The window is still hidden: the grid takes the whole listing in one go.
    m_grid.setRedraw(false);
    listFileTable(m_setup.commandLine);
    m_grid.setRedraw(true);
    m_setup.messageBox.show(mainTexts::commandLineNotice, mainTexts::commandLineNoticeTitle);
}

void frmMain::listFileTable(const FileTable& fileTable) {
    m_setup.mousePointer.set(MousePointer::Shape::Busy);
    const bool flgOmoji = Check_Omoji->checkState() != Qt::Unchecked;
    m_batchPump.start();
    m_batch.DataSet_AllRow(m_grid, fileTable, m_options.OptTrim, flgOmoji);
    m_batchPump.finish();
    m_setup.mousePointer.set(MousePointer::Shape::Default);
}

ColumnFlags frmMain::readCheckSiji() const {
    ColumnFlags flgCheck{};
    for (std::size_t k = 0; k < flgCheck.size(); ++k) {
        flgCheck[k] = Check_Siji[k]->checkState() != Qt::Unchecked;
    }
    return flgCheck;
}

bool frmMain::MSFlexGrid1_OLEDragDrop(const QMimeData& dropped) {
    return listDroppedFiles(fileTableFromDrop(dropped));
}

void frmMain::MSFlexGrid1_Paste() {
    if (const QMimeData* copied = QGuiApplication::clipboard()->mimeData()) {
        listDroppedFiles(fileTableFromClipboard(*copied));
    }
}

bool frmMain::listDroppedFiles(const std::optional<FileTable>& fileTable) {
    // Nothing may interleave with a running batch, nor start once the window is closing.
    if (m_batch.isRunning() || m_closeAfterBatch || !fileTable) {
        return false;
    }
    m_grid.setRedraw(false);
    listFileTable(*fileTable);
    m_grid.setRedraw(true);
    if (m_closeAfterBatch) {
        // The drop is still being delivered to the window: it closes once that is over.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
    return true;
}

void frmMain::MSFlexGrid1_KeyDown(std::int16_t KeyCode, std::int16_t Shift) {
    // Plain Ctrl+C is usually taken by the Edit menu's shortcut before the grid sees it; a press
    // runs the copy command once either way.
    bool flgShiftDown = false;
    bool flgAltDown = false;
    bool flgCtrlDown = false;
    KeyCodeAnalyze(KeyCode, Shift, flgShiftDown, flgAltDown, flgCtrlDown);
    if (flgCtrlDown && KeyCode == keyCodeC) {
        mnuEditCopy_Click();
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize) {
        fitToolBar();
    } else if (watched == MSFlexGrid1 || watched == MSFlexGrid1->viewport()) {
        if (m_dropTarget.takeDragEvent(*event)) {
            return true;
        }
        if (watched == MSFlexGrid1 && event->type() == QEvent::KeyPress) {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            MSFlexGrid1_KeyDown(virtualKeyCode(key), shiftMask(key));
            if (key.matches(QKeySequence::Paste)) {
                MSFlexGrid1_Paste();
                return true;
            }
            // Copying is the copy command's job, never the view's own one-cell copy.
            return key.matches(QKeySequence::Copy);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::fitToolBar() {
    // The toolbar spans the top of the window, as a bar aligned to the top does.
    tbToolBar->setGeometry(0, 0, m_client->width(), tbToolBar->sizeHint().height());
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    m_placement.settleOuterSize();
    Form_Resize();
}

void frmMain::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    m_placement.settleOuterSize();
}

void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        Form_Resize();
    }
}

LayoutInput frmMain::layoutInput() const {
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    const QRect outer = frameGeometry();
    LayoutInput input;
    input.windowWidth = pixelsToTwips(outer.width(), dpiX);
    input.windowHeight = pixelsToTwips(outer.height(), dpiY);
    input.toolbarVisible = !tbToolBar->isHidden();
    input.toolbarHeight = pixelsToTwips(tbToolBar->height(), dpiY);
    input.statusBarVisible = !sbStatusBar->isHidden();
    input.statusBarHeight = pixelsToTwips(sbStatusBar->height(), dpiY);
    return input;
}

QSize frmMain::smallestUsableSize() const {
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    // Room for the grid where the layout step places it, showing its heading and one row.
    const QSize grid = MSFlexGrid1->smallestUsefulSize();
    // Before the window first shows, the bars have the heights they will take only as hints.
    LayoutInput bars = layoutInput();
    bars.toolbarHeight = pixelsToTwips(tbToolBar->sizeHint().height(), dpiY);
    bars.statusBarHeight = pixelsToTwips(sbStatusBar->sizeHint().height(), dpiY);
    const WindowSize window = smallestWindowFor(bars, pixelsToTwips(grid.width(), dpiX),
                                                pixelsToTwips(grid.height(), dpiY));
    // The status bar's panels need room to draw their frames, the clock's whole.
    const int statusBarWidth = sbStatusBar->isHidden() ? 0 : sbStatusBar->smallestWidth();
    return {
        std::max(pixelsHolding(std::max(window.width, minimumWidthTwips), dpiX), statusBarWidth),
        pixelsHolding(std::max(window.height, minimumHeightTwips), dpiY)};
}

void frmMain::Form_Resize() {
    const LayoutResult layout = computeLayout(layoutInput());

    MSFlexGrid1->holdRepaint();
    MSFlexGrid1->setGeometry(
        twipsRect(*this, layout.gridLeft, layout.gridTop, layout.gridWidth, layout.gridHeight));
    MSFlexGrid1->releaseRepaint();
    Form_SaveSetting();
    const int checkBoxTop = twipsToPixelsY(*this, layout.checkBoxTop);
    for (QCheckBox* box : Check_Siji) {
        box->move(box->x(), checkBoxTop);
    }
    Check_Omoji->move(Check_Omoji->x(), checkBoxTop);
}

void frmMain::Form_GetSetting() {
    m_placement.restore(m_setup.settings, smallestUsableSize());
}

void frmMain::Form_SaveSetting() {
    m_placement.save(m_setup.settings);
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (m_batch.isRunning()) {
        // The batch stops at its next check, quietly; the window closes once it has ended.
        m_closeAfterBatch = true;
        m_batchMessages.shut();
        m_batch.cancel();
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void frmMain::Form_Unload() {
    Form_SaveSetting();
    unloadOtherWindows();
}

void frmMain::unloadOtherWindows() {
    // Direct children are listed in the order they were created: the latest closes first.
    const QList<QWidget*> children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (auto child = children.crbegin(); child != children.crend(); ++child) {
        if ((*child)->isWindow()) {
            (*child)->close();
        }
    }
}

void frmMain::mnuFileExit_Click() {
    close();
}

void frmMain::mnuFilePrint_Click() {
    m_setup.messageBox.show(mainTexts::printNotice, program::title);
}

void frmMain::mnuEditCopy_Click() {
    // While a batch rewrites the grid there is nothing settled to copy.
    if (m_batch.isRunning()) {
        return;
    }
    m_copy.copySelection();
}

void frmMain::toggleBar(QWidget& bar, QAction& entry) {
    // The check mark always tells whether the bar shows.
    const bool show = bar.isHidden();
    bar.setVisible(show);
    entry.setChecked(show);
    Form_Resize();
}

void frmMain::mnuViewToolbar_Click() {
    toggleBar(*tbToolBar, *m_menu.mnuViewToolbar);
}

void frmMain::mnuViewStatusBar_Click() {
    toggleBar(*sbStatusBar, *m_menu.mnuViewStatusBar);
}

void frmMain::mnuViewOptions_Click() {
    // A batch yielding to events may be running below: it reads the options again at its next
    // folder, so what "OK" or "更新" takes over applies from there on.
    frmOptions dialog(m_options, m_setup.settings, m_setup.messageBox, this);
    dialog.exec();
}

void frmMain::mnuHelpAbout_Click() {
    frmAbout about(m_setup.systemInfoLocator, m_setup.programLauncher, m_setup.messageBox, this);
    about.exec();
}

void frmMain::tbToolBar_ButtonClick(const QString& key) {
    if (key == QLatin1String("Print")) {
        mnuFilePrint_Click();
    } else if (key == QLatin1String("Copy")) {
        mnuEditCopy_Click();
    }
}

} // namespace quiverel
