#include "settings/QtSettingsStore.h"

#include "settings/IniText.h"

#include <QStandardPaths>

#include <utility>

namespace quiverel {
namespace {

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

QtSettingsStore::QtSettingsStore(QString configRoot) : m_configRoot(std::move(configRoot)) {}

QString QtSettingsStore::userConfigRoot() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString QtSettingsStore::filePath(const std::string& application) const {
    const QString name = qText(application);
    return m_configRoot + '/' + name + '/' + name + QStringLiteral(".ini");
}

void QtSettingsStore::note(const std::string& application, SettingsFileProblem problem) {
    const auto [last, first] = m_lastProblem.try_emplace(application, problem);
    if ((first || last->second != problem) && problem != SettingsFileProblem::None) {
        qWarning("%s", qUtf8Printable(settingsFileProblemText(problem, filePath(application))));
    }
    last->second = problem;
}

std::string QtSettingsStore::read(const std::string& application, const std::string& section,
                                  const std::string& key, const std::string& defaultValue) {
    const SettingsFileContent content = readSettingsFile(filePath(application));
    note(application, content.problem);
    const IniValues values = parseIni(content.text);
    const auto group = values.constFind(qText(section));
    if (group == values.constEnd()) {
        return defaultValue;
    }
    const auto value = group->constFind(qText(key));
    return value == group->constEnd() ? defaultValue : value->toStdString();
}

bool QtSettingsStore::write(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& value) {
    // After a stuck lock was waited for in vain, the writes that follow (the other keys of the
    // same save, the next resizes) do not wait again until one of them gets through.
    const auto last = m_lastProblem.find(application);
    const bool stuck = last != m_lastProblem.end() && last->second == SettingsFileProblem::Locked;
    const SettingsFileProblem problem = rewriteSettingsFile(
        filePath(application),
        [&](const QByteArray& text) {
            IniValues values = parseIni(text);
            values[qText(section)][qText(key)] = qText(value);
            // Escaping can make the text longer than the file it was read from: what the
            // reader would refuse is never written, and the longest other values make room.
            const FittedIni fitted =
                formatIniWithin(values, maxSettingsFileSize, qText(section), qText(key));
            if (fitted.leftOut > 0 && fitted.text.size() <= maxSettingsFileSize) {
                qWarning("%s",
                         qUtf8Printable(QStringLiteral("The settings file %1 would grow past %2 "
                                                       "bytes: its %3 longest other values were "
                                                       "left out.")
                                            .arg(filePath(application))
                                            .arg(maxSettingsFileSize)
                                            .arg(fitted.leftOut)));
            }
            return fitted.text;
        },
        stuck ? std::chrono::milliseconds(0) : settingsLockPatience);
    note(application, problem);
    return problem == SettingsFileProblem::None;
}

} // namespace quiverel
