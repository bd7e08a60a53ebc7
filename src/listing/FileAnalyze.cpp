#include "listing/FileAnalyze.h"

#include "listing/FileSystem.h"
#include "listing/FileVersionGet.h"
#include "listing/ListingFailure.h"
#include "listing/PathText.h"

#include <cstdio>
#include <ctime>
#include <system_error>

namespace quiverel {
namespace {

static_assert(sizeof(std::time_t) >= 8, "time stamps past 2038 need a 64-bit time_t");

constexpr long long blockSize = 1024;

void clearFields(FileFields& fields) {
    fields.strPathName.clear();
    fields.strFileName.clear();
    fields.strSizeKB.clear();
    fields.strStamp.clear();
    fields.strVer.clear();
    fields.strKaku.clear();
}

void splitAtLastSeparator(const std::string& fullPath, FileFields& fields) {
    const std::size_t separator = fullPath.rfind(pathSeparator);
    if (separator != std::string::npos) {
        fields.strFileName.assign(fullPath, separator + 1);
    }
    fields.strPathName.assign(fullPath, 0, fullPath.size() - fields.strFileName.size());
}

void takeExtension(const std::string& fileName, std::string& extension) {
    const std::size_t dot = fileName.rfind('.');
    if (dot != std::string::npos) {
        extension.assign(fileName, dot + 1);
        upperCaseAscii(extension);
    }
}

bool carriesVersion(const std::string& extension) {
    return extension == "EXE" || extension == "OCX" || extension == "DLL";
}

// A file whose facts cannot be read for want of descriptors or memory is not a file without
// them: the listing cannot go on as if it were.
[[noreturn]] void failShort(const std::string& fullPath, int error) {
    throw ListingFailure(fullPath, fs::errorText(error));
}

// An unreadable version resource leaves the text empty.
void readVersion(const fs::FileRef& file, const std::string& fullPath, std::string& version) {
    try {
        FileVersionGet(file, version);
    } catch (const std::system_error& shortage) {
        failShort(fullPath, shortage.code().value());
    }
}

void appendDigits(std::string& out, int value, int width) {
    char digits[4];
    for (int i = width - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    out.append(digits, static_cast<std::size_t>(width));
}

} // namespace

std::string formatSizeKB(long long bytes) {
    std::string text;
    appendSizeKB(text, bytes);
    return text;
}

void appendSizeKB(std::string& out, long long bytes) {
    // Whole 1024-byte blocks plus one, so an empty file shows as 1KB and 1024 bytes as 2KB. No
    // file has fewer than zero bytes; such a count shows as an empty file.
    const long long counted = bytes < 0 ? 0 : bytes;
    auto blocks = static_cast<unsigned long long>(counted / blockSize + 1);
    // Decimal digits grouped in threes from the right with ",", written from the right.
    char text[32];
    char* at = text + sizeof text;
    for (int digit = 0; blocks != 0 || digit == 0; ++digit) {
        if (digit != 0 && digit % 3 == 0) {
            *--at = ',';
        }
        *--at = static_cast<char>('0' + blocks % 10);
        blocks /= 10;
    }
    out.append(at, static_cast<std::size_t>(text + sizeof text - at));
    out += "KB";
}

std::string formatStamp(long long secondsSinceEpoch) {
    std::string text;
    appendStamp(text, secondsSinceEpoch);
    return text;
}

void appendStamp(std::string& out, long long secondsSinceEpoch) {
    const auto time = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm local{};
    if (localtime_r(&time, &local) == nullptr) {
        return;
    }
    const long long year = local.tm_year + 1900LL;
    if (year < 0 || year > 9999) {
        char text[64];
        std::snprintf(text, sizeof text, "%04lld/%02d/%02d %02d:%02d", year, local.tm_mon + 1,
                      local.tm_mday, local.tm_hour, local.tm_min);
        out += text;
        return;
    }
    appendDigits(out, static_cast<int>(year), 4);
    out += '/';
    appendDigits(out, local.tm_mon + 1, 2);
    out += '/';
    appendDigits(out, local.tm_mday, 2);
    out += ' ';
    appendDigits(out, local.tm_hour, 2);
    out += ':';
    appendDigits(out, local.tm_min, 2);
}

void FileAnalyze(const std::string& nativePath, std::string& strFullPathFileName,
                 FileFields& fields, bool flgOmoji) {
    FileAnalyze(fs::FileRef::atPath(nativePath), strFullPathFileName, fields, flgOmoji);
}

void FileAnalyze(const fs::FileRef& file, std::string& strFullPathFileName, FileFields& fields,
                 bool flgOmoji) {
    clearFields(fields);
    if (flgOmoji) {
        upperCaseAscii(strFullPathFileName);
    }
    splitAtLastSeparator(strFullPathFileName, fields);

    struct stat status {};
    const int error = file.stat(status);
    if (fs::isShortOfResources(error)) {
        failShort(strFullPathFileName, error);
    }
    const bool statusRead = error == 0;
    appendSizeKB(fields.strSizeKB, statusRead ? static_cast<long long>(status.st_size) : 0);
    if (statusRead) {
        appendStamp(fields.strStamp, static_cast<long long>(status.st_mtim.tv_sec));
    }

    takeExtension(fields.strFileName, fields.strKaku);
    if (carriesVersion(fields.strKaku)) {
        readVersion(file, strFullPathFileName, fields.strVer);
    } else {
        fields.strVer.push_back('-'); // to the text cleared above
    }
}

} // namespace quiverel
