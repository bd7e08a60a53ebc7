#include "platform/qt/QtSystemInfoLocator.h"

#include <QStandardPaths>
#include <QString>

namespace quiverel {

const std::vector<std::string>& QtSystemInfoLocator::systemInfoPrograms() {
    static const std::vector<std::string> programs = {"kinfocenter", "hardinfo2", "hardinfo",
                                                      "cpu-x", "gnome-control-center"};
    return programs;
}

std::optional<std::string> QtSystemInfoLocator::programPath() {
    for (const std::string& name : systemInfoPrograms()) {
        const QString path = QStandardPaths::findExecutable(QString::fromStdString(name));
        if (!path.isEmpty()) {
            return path.toStdString();
        }
    }
    return std::nullopt;
}

std::optional<std::string> QtSystemInfoLocator::programInFolder() {
    return std::nullopt;
}

} // namespace quiverel
