#include "listing/FileFacts.h"

#include "listing/PathText.h"
#include "listing/detail/FileSystem.h"

#include <exception>

namespace quiverel {
namespace {

void takeExtension(std::string_view fileName, std::string& extension) {
    const std::size_t dot = fileName.rfind('.');
    if (dot != std::string_view::npos) {
        extension.assign(fileName.substr(dot + 1));
        upperCaseAscii(extension);
    }
}

bool carriesVersion(const std::string& extension) {
    return extension == "EXE" || extension == "OCX" || extension == "DLL";
}

// An unreadable version resource gives no version; nothing reaches the caller.
std::optional<VersionNumbers> versionOf(const fs::FileRef& file) {
    try {
        return readFileVersion(file);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace

void analyseFile(const fs::FileRef& file, std::string_view displayPath, bool upperCase,
                 FileFacts& facts) {
    facts.displayPath.assign(displayPath);
    if (upperCase) {
        upperCaseAscii(facts.displayPath);
    }
    const std::size_t separator = facts.displayPath.rfind(pathSeparator);
    // Without a separator the whole text counts as the folder and the name is empty.
    facts.nameStart =
        separator == std::string::npos ? facts.displayPath.size() : separator + 1;

    struct stat status {};
    const bool statusRead = file.stat(status) == 0;
    facts.sizeBytes = statusRead ? static_cast<std::int64_t>(status.st_size) : 0;
    facts.modified.reset();
    if (statusRead) {
        facts.modified = static_cast<std::int64_t>(status.st_mtim.tv_sec);
    }

    facts.extension.clear();
    takeExtension(facts.fileName(), facts.extension);
    facts.carriesVersion = carriesVersion(facts.extension);
    facts.version.reset();
    if (facts.carriesVersion) {
        facts.version = versionOf(file);
    }
}

} // namespace quiverel
