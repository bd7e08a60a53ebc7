#pragma once

#include "dialogs/about/SystemInformation.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace quiverel {

class MessageBox;
class ProgramLauncher;
class SystemInfoLocator;

// The About box: title, version and copyright, and the button that starts the platform's
// system-information program. Build one for each opening (the labels are filled at
// construction) and run it with exec(); "OK", Enter, Esc and the window's close button end it.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(SystemInfoLocator& locator, ProgramLauncher& launcher, MessageBox& messageBox,
             QWidget* parent);

private:
    void createControls();
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    SystemInformation m_systemInformation;

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
};

} // namespace quiverel
