#pragma once

#include <QStatusBar>

class QLabel;
class QTimer;

namespace quiverel {

// The status bar sbStatusBar: panel 1 a text, panel 2 today's date, panel 3 the time of day,
// both kept current.
class MainStatusBar : public QStatusBar {
    Q_OBJECT

public:
    explicit MainStatusBar(QWidget* parent = nullptr);

    void setPanelText(const QString& text);
    QString panelText(int panel) const;

    // The narrowest the bar can be with every panel drawn: the date and the time whole, the text
    // panel with room inside its frame.
    int smallestWidth();

private:
    void showClock();

    QLabel* m_text;
    QLabel* m_date;
    QLabel* m_time;
    QTimer* m_clock;
};

} // namespace quiverel
