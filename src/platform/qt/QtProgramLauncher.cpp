#include "platform/qt/QtProgramLauncher.h"

#include <QFileInfo>
#include <QProcess>
#include <QString>

namespace quiverel {

bool QtProgramLauncher::fileExists(const std::string& path) {
    return !path.empty() && QFileInfo(QString::fromStdString(path)).isFile();
}

bool QtProgramLauncher::startDetached(const std::string& path) {
    // The started program runs on after this one ends; nothing waits for it.
    return !path.empty() && QProcess::startDetached(QString::fromStdString(path), {});
}

} // namespace quiverel
