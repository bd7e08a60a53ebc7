#include "platform/qt/QtEventPump.h"

#include <QCoreApplication>

namespace quiverel {
namespace {

constexpr qint64 roundIntervalMs = 10;

} // namespace

void QtEventPump::processPendingEvents() {
    if (m_sinceLastRound.isValid() && m_sinceLastRound.elapsed() < roundIntervalMs) {
        return;
    }
    QCoreApplication::processEvents();
    m_sinceLastRound.start();
}

} // namespace quiverel
