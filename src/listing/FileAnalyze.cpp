#include "listing/FileAnalyze.h"

#include "listing/FileSystem.h"
#include "listing/FileVersionGet.h"
#include "listing/PathText.h"

#include <cstdio>
#include <ctime>
#include <exception>

namespace quiverel {
namespace {

static_assert(sizeof(std::time_t) >= 8, "time stamps past 2038 need a 64-bit time_t");

constexpr long long blockSize = 1024;

// Decimal digits of value grouped in threes from the right with ",".
std::string groupThousands(unsigned long long value) {
    std::string digits = std::to_string(value);
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, 1, ',');
    }
    return digits;
}

void splitAtLastSeparator(const std::string& fullPath, FileFields& fields) {
    const std::size_t separator = fullPath.rfind(pathSeparator);
    if (separator != std::string::npos) {
        fields.strFileName = fullPath.substr(separator + 1);
    }
    fields.strPathName = fullPath.substr(0, fullPath.size() - fields.strFileName.size());
}

std::string extensionOf(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? std::string() : toUpperAscii(fileName.substr(dot + 1));
}

bool carriesVersion(const std::string& extension) {
    return extension == "EXE" || extension == "OCX" || extension == "DLL";
}

// An unreadable version resource leaves the text empty; nothing reaches the caller.
std::string readVersion(const std::string& nativePath) {
    std::string version;
    try {
        FileVersionGet(nativePath, version);
    } catch (const std::exception&) {
        version.clear();
    }
    return version;
}

} // namespace

std::string formatSizeKB(long long bytes) {
    // Whole 1024-byte blocks plus one, so an empty file shows as 1KB and 1024 bytes as 2KB. No
    // file has fewer than zero bytes; such a count shows as an empty file.
    const long long counted = bytes < 0 ? 0 : bytes;
    return groupThousands(static_cast<unsigned long long>(counted / blockSize + 1)) + "KB";
}

std::string formatStamp(long long secondsSinceEpoch) {
    const auto time = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm local{};
    if (localtime_r(&time, &local) == nullptr) {
        return {};
    }
    char text[64];
    std::snprintf(text, sizeof text, "%04lld/%02d/%02d %02d:%02d", local.tm_year + 1900LL,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min);
    return text;
}

void FileAnalyze(const std::string& nativePath, std::string& strFullPathFileName,
                 FileFields& fields, bool flgOmoji) {
    fields = FileFields{};
    if (flgOmoji) {
        strFullPathFileName = toUpperAscii(strFullPathFileName);
    }
    splitAtLastSeparator(strFullPathFileName, fields);

    struct stat status {};
    const bool statusRead = fs::statPath(nativePath, status) == 0;
    fields.strSizeKB = formatSizeKB(statusRead ? static_cast<long long>(status.st_size) : 0);
    if (statusRead) {
        fields.strStamp = formatStamp(static_cast<long long>(status.st_mtim.tv_sec));
    }

    fields.strKaku = extensionOf(fields.strFileName);
    fields.strVer = carriesVersion(fields.strKaku) ? readVersion(nativePath) : "-";
}

} // namespace quiverel
