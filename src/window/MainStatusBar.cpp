#include "window/MainStatusBar.h"

#include <QDateTime>
#include <QLabel>
#include <QLayout>
#include <QTimer>

namespace quiverel {
namespace {

constexpr int msPerMinute = 60 * 1000;

QLabel* addPanel(QStatusBar& bar, const char* name, int stretch) {
    auto* panel = new QLabel(&bar);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setContentsMargins(2, 0, 2, 0);
    bar.addPermanentWidget(panel, stretch);
    return panel;
}

} // namespace

MainStatusBar::MainStatusBar(QWidget* parent)
    : QStatusBar(parent), m_text(addPanel(*this, "sbrText", 1)),
      m_date(addPanel(*this, "sbrDate", 0)), m_time(addPanel(*this, "sbrTime", 0)),
      m_clock(new QTimer(this)) {
    setObjectName(QStringLiteral("sbStatusBar"));
    // A narrow window cuts the text short rather than pushing the clock out of sight.
    m_text->setMinimumWidth(2 * m_text->frameWidth() + 1);
    m_text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_clock->setSingleShot(true);
    connect(m_clock, &QTimer::timeout, this, &MainStatusBar::showClock);
    showClock();
}

void MainStatusBar::setPanelText(const QString& text) {
    m_text->setText(text);
}

int MainStatusBar::smallestWidth() {
    // The bar lays its panels out only once it shows.
    reformat();
    return layout()->minimumSize().width();
}

QString MainStatusBar::panelText(int panel) const {
    const QLabel* panels[] = {m_text, m_date, m_time};
    return panel >= 1 && panel <= 3 ? panels[panel - 1]->text() : QString();
}

void MainStatusBar::showClock() {
    const QDateTime now = QDateTime::currentDateTime();
    m_date->setText(now.toString(QStringLiteral("yyyy/MM/dd")));
    m_time->setText(now.toString(QStringLiteral("H:mm")));
    // Wake again just after the minute turns.
    const int msIntoMinute = now.time().msecsSinceStartOfDay() % msPerMinute;
    m_clock->start(msPerMinute - msIntoMinute + 50);
}

} // namespace quiverel
