#pragma once

#include <string>

namespace quiverel {

namespace fs {
class FileRef;
}

// The texts of one grid row derived from a file.
struct FileFields {
    std::string strPathName; // folder part, up to and including the last separator
    std::string strFileName; // name part, after the last separator
    std::string strSizeKB;   // "###,###,##0KB": whole 1024-byte blocks plus one
    std::string strStamp;    // "yyyy/mm/dd hh:mm" local time; empty when unreadable
    std::string strVer;      // version text for EXE, OCX and DLL files, "-" for the others
    std::string strKaku;     // extension after the last dot, upper case
};

// Derives the fields of the file at nativePath. strFullPathFileName holds the path's display
// text; when flgOmoji is true it comes back upper-cased and the fields derive from that text.
// Every file query uses nativePath. Each step stands by itself: a failing step leaves its field
// as cleared and the others still run. But a file that cannot be reached for want of descriptors
// or memory throws ListingFailure naming it: its fields would be wrong, not missing.
void FileAnalyze(const std::string& nativePath, std::string& strFullPathFileName,
                 FileFields& fields, bool flgOmoji);
// The same for a file given by path or by its name inside an open folder. The fields keep the
// room of their earlier texts, so analysing file after file into the same fields allocates little.
void FileAnalyze(const fs::FileRef& file, std::string& strFullPathFileName, FileFields& fields,
                 bool flgOmoji);

// The size text for a byte count: 0 -> "1KB", 1024 -> "2KB", 123456789 -> "120,564KB".
std::string formatSizeKB(long long bytes);
void appendSizeKB(std::string& out, long long bytes);

// "yyyy/mm/dd hh:mm" in local time; empty when the time cannot be converted.
std::string formatStamp(long long secondsSinceEpoch);
void appendStamp(std::string& out, long long secondsSinceEpoch);

} // namespace quiverel
