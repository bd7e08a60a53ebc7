#include "cli/Terminal.h"

#include <unistd.h>

namespace quiverel::cli {

std::vector<std::string> programArguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv, argv + argc);
}

void prepareStandardStreams() {}

bool isTerminal(std::FILE* stream) {
    return ::isatty(::fileno(stream)) == 1;
}

bool writeText(std::FILE* stream, std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

std::FILE* openForReading(const std::string& path) {
    return std::fopen(path.c_str(), "rb");
}

} // namespace quiverel::cli
