#include "dialogs/about/SystemInfoRegistry.h"

#include "dialogs/about/SystemInformation.h"

#include <QStandardPaths>
#include <QString>

#include <algorithm>

namespace quiverel {

namespace {

std::string installedSystemInfoProgram() {
    for (const std::string& name : SystemInfoRegistry::systemInfoPrograms()) {
        const QString path = QStandardPaths::findExecutable(QString::fromStdString(name));
        if (!path.isEmpty()) {
            return path.toStdString();
        }
    }
    return {};
}

} // namespace

const std::vector<std::string>& SystemInfoRegistry::systemInfoPrograms() {
    static const std::vector<std::string> programs = {"kinfocenter", "hardinfo2", "hardinfo",
                                                      "cpu-x", "gnome-control-center"};
    return programs;
}

bool SystemInfoRegistry::openKey(Handle root, const std::string& keyName, std::uint32_t /*options*/,
                                 std::uint32_t /*access*/, Handle& key) {
    if (root != HKEY_LOCAL_MACHINE || keyName != sysInfoPathKey) {
        return false;
    }
    std::string program = installedSystemInfoProgram();
    if (program.empty()) {
        return false;
    }
    key = m_nextHandle++;
    m_openKeys.emplace(key, std::move(program));
    return true;
}

bool SystemInfoRegistry::queryValue(Handle key, const std::string& valueName, std::uint32_t& type,
                                    unsigned char* data, std::uint32_t& dataSize) {
    const auto open = m_openKeys.find(key);
    if (open == m_openKeys.end() || valueName != sysInfoPathValue) {
        return false;
    }
    const std::string& path = open->second;
    const auto needed = static_cast<std::uint32_t>(path.size() + 1); // with its NUL
    if (needed > dataSize) {
        dataSize = needed;
        return false;
    }
    std::copy_n(path.c_str(), needed, data);
    type = REG_SZ;
    dataSize = needed;
    return true;
}

void SystemInfoRegistry::closeKey(Handle key) {
    m_openKeys.erase(key);
}

} // namespace quiverel
