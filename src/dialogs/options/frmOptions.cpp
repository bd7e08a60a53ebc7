#include "dialogs/options/frmOptions.h"

#include "dialogs/options/texts.h"
#include "generated/ProgramInfo.h"
#include "platform/MessageBox.h"
#include "settings/Options.h"
#include "settings/StoredOptions.h"
#include "widgets/EnterPressesButton.h"
#include "widgets/FixedDialog.h"
#include "widgets/KeyCodeAnalyze.h"
#include "widgets/KeyCodes.h"
#include "widgets/LabelBuddy.h"
#include "widgets/PlaceControl.h"
#include "widgets/Twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <limits>
#include <string>

namespace quiverel {

namespace {

QPushButton* placedButton(const char* text, QWidget* container, const char* name, int left) {
    QPushButton* button = placeControl(new QPushButton(QString::fromUtf8(text), container), name,
                                       left, 4455, 1095, 375);
    // The dialog has no default button: Enter presses only the button that has the focus.
    button->setAutoDefault(false);
    letEnterPressButton(*button);
    return button;
}

// A text box that holds any text the settings can: a stored pattern or trim text may be longer
// than a line edit's default limit of 32767 characters, which would cut it without a word.
QLineEdit* placedTextBox(QWidget* container, const char* name, int left, int top, int width) {
    QLineEdit* textBox = placeControl(new QLineEdit(container), name, left, top, width, 270);
    textBox->setMaxLength(std::numeric_limits<int>::max());
    return textBox;
}

// The option becomes the text box's text once that differs from what the box was given; a box
// still showing the option gives it back exactly, bytes a text box cannot hold included.
void takeOver(const QLineEdit& textBox, std::string& option) {
    const QString text = textBox.text();
    if (text != QString::fromStdString(option)) {
        option = text.toStdString();
    }
}

// Where the page of the selected tab stands, and where the other pages wait out of view.
constexpr int shownPageLeft = 210;
constexpr int hiddenPageLeft = -20000;

} // namespace

frmOptions::frmOptions(Options& options, SettingsStore& settingsStore, MessageBox& messageBox,
                       QWidget* parent)
    : QDialog(parent), m_options(options), m_settingsStore(settingsStore),
      m_messageBox(messageBox) {
    setUpFixedDialog(*this, "frmOptions", optionsTexts::caption, 6120, 4965);

    createControls();
    setFocusOrder();
    connectHandlers();
    Form_Load();
}

void frmOptions::createControls() {
    tbsOptions = placeControl(new QTabWidget(this), "tbsOptions", 105, 120, 5895, 4245);
    // The tab strip only draws the tab and its client area; the page lies over that area.
    tbsOptions->addTab(new QWidget, QString::fromUtf8(optionsTexts::searchTab));

    QWidget* page = placeControl(new QWidget(this), "picOptions(0)", 240, 480, 5685, 3780);
    picOptions.push_back(page);

    Frame1 = placeControl(new QGroupBox(QString::fromUtf8(optionsTexts::subFolderFrame), page),
                          "Frame1", 0, 240, 5295, 1095);
    Label2 = placeLabel(optionsTexts::targetFiles, Frame1, "Label2", 240, 360, 1335, 255);
    Label3 = placeLabel(optionsTexts::subFoldersOnly, Frame1, "Label3", 1440, 720, 2775, 255);
    // Created after the frame, so that the check box covers the gap in the frame's top border.
    Check1 = placeControl(new QCheckBox(QString::fromUtf8(optionsTexts::searchSubFolders), page),
                          "Check1", 120, 240, 1815, 255);
    Text1 = placedTextBox(page, "Text1", 1440, 600, 2775);
    Label1 = placeLabel(optionsTexts::trimLabel, page, "Label1", 120, 1560, 2535, 255);
    Text2 = placedTextBox(page, "Text2", 120, 1920, 5175);
    // The frame's caption is only the gap for the check box: it is named after the check box.
    Frame1->setAccessibleName(Check1->text());
    tieLabel(*Label2, *Text1);
    Text1->setAccessibleDescription(Label3->text());
    tieLabel(*Label1, *Text2);

    cmdOK = placedButton(optionsTexts::ok, this, "cmdOK", 2490);
    cmdCancel = placedButton(optionsTexts::cancel, this, "cmdCancel", 3720);
    cmdApply = placedButton(optionsTexts::apply, this, "cmdApply", 4920);
}

void frmOptions::setFocusOrder() {
    QWidget* const order[] = {tbsOptions, Check1, Text1, Text2, cmdOK, cmdCancel, cmdApply};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
    tbsOptions->setFocus();
}

void frmOptions::connectHandlers() {
    connect(Check1, &QCheckBox::stateChanged, this, &frmOptions::Check1_Click);
    connect(cmdApply, &QPushButton::clicked, this, &frmOptions::cmdApply_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    connect(tbsOptions, &QTabWidget::currentChanged, this, &frmOptions::tbsOptions_Click);
    // A click on the tab already selected changes nothing, yet lays the pages out as well.
    connect(tbsOptions, &QTabWidget::tabBarClicked, this, [this](int index) {
        if (index == tbsOptions->currentIndex()) {
            tbsOptions_Click();
        }
    });
    // Every key pressed in the dialog passes Form_KeyDown before the focused control gets it.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

bool frmOptions::eventFilter(QObject* watched, QEvent* event) {
    // An unhandled key travels on to the control's containers; only its first receiver counts.
    QWidget* keyReceiver = focusWidget() ? focusWidget() : this;
    if (event->type() == QEvent::KeyPress && watched == keyReceiver) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        // Shift turns Tab into Backtab; it is still the Tab key.
        const std::int16_t keyCode =
            key.key() == Qt::Key_Backtab ? keyCodeTab : virtualKeyCode(key);
        Form_KeyDown(keyCode, shiftMask(key));
    }
    return QDialog::eventFilter(watched, event);
}

void frmOptions::Form_Load() {
    setCheck1Value(m_options.OptFolder);
    applyEnablingRule();
    Text1->setText(QString::fromStdString(m_options.OptFindFiles));
    Text2->setText(QString::fromStdString(m_options.OptTrim));
}

void frmOptions::Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift) {
    bool flgShiftDown = false;
    bool flgAltDown = false; // Alt plays no part here
    bool flgCtrlDown = false;
    KeyCodeAnalyze(KeyCode, Shift, flgShiftDown, flgAltDown, flgCtrlDown);
    if (KeyCode != keyCodeTab || !flgCtrlDown) {
        return;
    }
    const int selected = tbsOptions->currentIndex() + 1;
    const int count = tbsOptions->count();
    if (!flgShiftDown) {
        selectTab(selected == count ? 1 : selected + 1);
    } else {
        selectTab(selected == 1 ? count : selected - 1);
    }
}

void frmOptions::Check1_Click() {
    // Gray is shown only for a stored 2; a click moves on to checked or unchecked and never
    // back to gray.
    if (Check1->checkState() != Qt::PartiallyChecked) {
        Check1->setTristate(false);
    }
    applyEnablingRule();
}

void frmOptions::cmdApply_Click() {
    m_options.OptFolder = check1Value();
    takeOver(*Text1, m_options.OptFindFiles);
    takeOver(*Text2, m_options.OptTrim);
    if (!saveOptions(m_settingsStore, m_options)) {
        m_messageBox.show(optionsTexts::notSaved, program::title);
    }
}

void frmOptions::cmdOK_Click() {
    cmdApply_Click();
    accept();
}

void frmOptions::cmdCancel_Click() {
    reject();
}

void frmOptions::tbsOptions_Click() {
    const int selectedPage = tbsOptions->currentIndex();
    for (int k = 0; k < static_cast<int>(picOptions.size()); ++k) {
        QWidget* page = picOptions[static_cast<std::size_t>(k)];
        const bool shown = k == selectedPage;
        page->move(twipsToPixelsX(*page, shown ? shownPageLeft : hiddenPageLeft), page->y());
        page->setEnabled(shown);
    }
}

std::int16_t frmOptions::check1Value() const {
    switch (Check1->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    case Qt::Unchecked:
        break;
    }
    return 0;
}

void frmOptions::setCheck1Value(std::int16_t value) {
    // 0, 1 and 2 are shown as they are. Any other stored value means, like 0, that folders
    // are not searched; it is shown unchecked and stored as 0 by the next "OK" or "更新".
    if (value == 2) {
        Check1->setTristate(true);
        Check1->setCheckState(Qt::PartiallyChecked);
    } else {
        Check1->setCheckState(value == 1 ? Qt::Checked : Qt::Unchecked);
    }
}

void frmOptions::applyEnablingRule() {
    const bool searchesFolders = check1Value() == 1;
    Text1->setEnabled(searchesFolders);
    Label2->setEnabled(searchesFolders);
    Label3->setEnabled(searchesFolders);
}

void frmOptions::selectTab(int index) {
    if (index - 1 == tbsOptions->currentIndex()) {
        tbsOptions_Click();
    } else {
        tbsOptions->setCurrentIndex(index - 1);
    }
}

} // namespace quiverel
