#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// Where the lister meets the system's terminal and streams; one implementation per platform.
namespace quiverel::cli {

// The program's arguments as UTF-8 (Windows hands them over as UTF-16, argv in the ANSI code
// page, which cannot hold every name).
std::vector<std::string> programArguments(int argc, char* argv[]);

// Readies the standard streams: bytes go out as written, with no line ends changed, and a
// terminal that can take the progress line's control sequences is asked to.
void prepareStandardStreams();

// Whether the stream is a terminal (a console on Windows).
bool isTerminal(std::FILE* stream);

// Writes UTF-8 text to the stream; a Windows console gets it as UTF-16, so that every
// character shows whatever its code page. False when the output failed.
bool writeText(std::FILE* stream, std::string_view text);

// A file opened for reading its bytes, by its UTF-8 path; nullptr, with errno set, when it cannot
// be.
std::FILE* openForReading(const std::string& path);

} // namespace quiverel::cli
