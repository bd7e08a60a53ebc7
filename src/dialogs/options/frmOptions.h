#pragma once

#include <QDialog>

#include <cstdint>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace quiverel {

class MessageBox;
class SettingsStore;
struct Options;

// The modal "ｵﾌﾟｼｮﾝ" dialog: shows the three shared options and, on "OK" and "更新", takes
// them over into options and writes them to the settings store. Build one for each opening
// (it fills its controls from options at construction) and run it with exec(); "OK",
// "ｷｬﾝｾﾙ", Esc and the window's close button end it.
class frmOptions : public QDialog {
    Q_OBJECT
public:
    frmOptions(Options& options, SettingsStore& settingsStore, MessageBox& messageBox,
               QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void setFocusOrder();
    void connectHandlers();

    void Form_Load();
    void Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift);
    void Check1_Click();
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void tbsOptions_Click();

    // Check1 holds 0 (unchecked), 1 (checked) or 2 (grayed).
    std::int16_t check1Value() const;
    void setCheck1Value(std::int16_t value);
    void applyEnablingRule();
    // Selects tab index (from 1); selecting the tab already selected lays the pages out again.
    void selectTab(int index);

    Options& m_options;
    SettingsStore& m_settingsStore;
    MessageBox& m_messageBox;

    QTabWidget* tbsOptions = nullptr;
    std::vector<QWidget*> picOptions; // one page per tab
    QCheckBox* Check1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdApply = nullptr;
};

} // namespace quiverel
