#include "dialogs/about/frmAbout.h"

#include "dialogs/about/texts.h"
#include "generated/ProgramInfo.h"
#include "widgets/FixedDialog.h"
#include "widgets/GothicFont.h"
#include "widgets/PlaceControl.h"
#include "widgets/Twips.h"

#include <QLabel>
#include <QPushButton>

#include <string>

namespace quiverel {

namespace {

// The box's labels wrap their lines; their texts are set on opening.
QLabel* placedLabel(QWidget* container, const char* name, int left, int top, int width,
                    int height) {
    QLabel* label = placeLabel("", container, name, left, top, width, height);
    label->setWordWrap(true);
    return label;
}

// A horizontal line from left to right (twips) at top, thickness pixels thick, below the
// labels and buttons.
void placeLine(QWidget* container, const char* name, const QColor& color, int left, int right,
               int top, int thickness) {
    auto* line = new QWidget(container);
    line->setObjectName(QString::fromLatin1(name));
    const QPoint from = twipsPoint(*line, left, top);
    line->setGeometry(from.x(), from.y(), twipsToPixelsX(*line, right) - from.x(), thickness);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, color);
    line->setPalette(palette);
    line->setAutoFillBackground(true);
    line->lower();
}

QString versionLine() {
    return QString::fromUtf8(aboutTexts::versionPrefix) + QString::fromUtf8(program::versionText);
}

} // namespace

frmAbout::frmAbout(SystemInfoLocator& locator, ProgramLauncher& launcher, MessageBox& messageBox,
                   QWidget* parent)
    : QDialog(parent), m_systemInformation(locator, launcher, messageBox) {
    setUpFixedDialog(*this, "frmAbout", aboutTexts::caption, 5655, 2805);

    createControls();
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    Form_Load();
}

void frmAbout::createControls() {
    picIcon = placeControl(new QLabel(this), "picIcon", 240, 240, 540, 540);
    picIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picIcon->setPixmap(windowIcon().pixmap(32, 32));

    lblTitle = placedLabel(this, "lblTitle", 1050, 240, 3885, 480);
    QFont titleFont = gothicFont(9.75);
    titleFont.setWeight(QFont::Normal);
    lblTitle->setFont(titleFont);
    lblVersion = placedLabel(this, "lblVersion", 1050, 780, 3885, 225);
    lblDescription = placedLabel(this, "lblDescription", 1050, 1125, 3885, 450);

    // An etched separator: a gray line with a white one just below it.
    placeLine(this, "Line1(1)", QColor(128, 128, 128), 225, 5450, 1710, 1);
    placeLine(this, "Line1(0)", Qt::white, 240, 5450, 1725, 2);

    lblDisclaimer = placedLabel(this, "lblDisclaimer", 255, 1905, 3750, 825);

    cmdOK = placeControl(new QPushButton(QString::fromUtf8(aboutTexts::ok), this), "cmdOK", 4125,
                         1905, 1380, 345);
    cmdOK->setDefault(true);
    cmdSysInfo = placeControl(new QPushButton(QString::fromUtf8(aboutTexts::sysInfo), this),
                              "cmdSysInfo", 4140, 2355, 1365, 345);
    QWidget::setTabOrder(cmdOK, cmdSysInfo);
    cmdOK->setFocus();
}

void frmAbout::Form_Load() {
    lblVersion->setText(versionLine());
    lblTitle->setText(QString::fromUtf8(program::title));
    lblDescription->setText(QString::fromUtf8(aboutTexts::copyright));
    lblDisclaimer->clear();
}

void frmAbout::cmdOK_Click() {
    accept();
}

void frmAbout::cmdSysInfo_Click() {
    m_systemInformation.StartSysInfo();
}

} // namespace quiverel
