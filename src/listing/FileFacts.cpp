#include "listing/FileFacts.h"

#include "listing/LetterCase.h"
#include "listing/PathText.h"
#include "listing/detail/ListingFailure.h"
#include "platform/files/FileSystem.h"

#include <system_error>

namespace quiverel {
namespace {

void takeExtension(std::string_view fileName, std::string& extension) {
    const std::size_t dot = fileName.rfind('.');
    if (dot != std::string_view::npos) {
        extension.assign(fileName.substr(dot + 1));
        upperCase(extension);
    }
}

bool isVersionExtension(const std::string& extension) {
    return extension == "EXE" || extension == "OCX" || extension == "DLL";
}

// A file whose facts cannot be read for want of descriptors or memory is not a file without
// them: the listing cannot go on as if it were.
[[noreturn]] void failShort(const std::string& fullPath, int error) {
    throw ListingFailure(fullPath, fs::errorText(error));
}

// An unreadable version resource gives no version.
std::optional<VersionNumbers> versionOf(const fs::FileRef& file, const fs::FileStatus& status,
                                        const std::string& fullPath) {
    try {
        return readFileVersion(file, status);
    } catch (const std::system_error& shortage) {
        failShort(fullPath, shortage.code().value());
    }
}

} // namespace

bool carriesVersion(std::string_view fileName) {
    std::string extension;
    takeExtension(fileName, extension);
    return isVersionExtension(extension);
}

void analyseFile(const fs::FileRef& file, std::string_view displayPath, bool upperCase,
                 FileFacts& facts) {
    facts.displayPath.assign(displayPath);
    if (upperCase) {
        quiverel::upperCase(facts.displayPath);
    }
    const std::size_t separator = facts.displayPath.rfind(pathSeparator);
    // Without a separator the whole text counts as the folder and the name is empty.
    facts.nameStart = separator == std::string::npos ? facts.displayPath.size() : separator + 1;

    fs::FileStatus status;
    const int error = file.stat(status);
    if (fs::isShortOfResources(error)) {
        failShort(facts.displayPath, error);
    }
    const bool statusRead = error == 0;
    facts.sizeBytes = statusRead ? status.sizeBytes : 0;
    facts.modified.reset();
    if (statusRead) {
        facts.modified = status.modifiedSeconds;
    }

    facts.extension.clear();
    takeExtension(facts.fileName(), facts.extension);
    facts.carriesVersion = isVersionExtension(facts.extension);
    facts.version.reset();
    if (facts.carriesVersion && statusRead) {
        facts.version = versionOf(file, status, facts.displayPath);
    }
}

} // namespace quiverel
