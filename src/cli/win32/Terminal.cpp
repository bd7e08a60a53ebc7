#include "cli/Terminal.h"

#include "platform/files/win32/WidePath.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

namespace quiverel::cli {
namespace {

// The console behind the stream; nullptr when it goes to a file or a pipe.
HANDLE consoleOf(std::FILE* stream) {
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode) ? handle : nullptr;
}

} // namespace

std::vector<std::string> programArguments(int, char*[]) {
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) {
        texts.push_back(fs::utf8Text(arguments[i]));
    }
    ::LocalFree(arguments);
    return texts;
}

void prepareStandardStreams() {
    for (std::FILE* stream : {stdin, stdout, stderr}) {
        ::_setmode(::_fileno(stream), _O_BINARY);
        if (HANDLE console = consoleOf(stream)) {
            DWORD mode = 0;
            ::GetConsoleMode(console, &mode);
            ::SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
        }
    }
}

bool isTerminal(std::FILE* stream) {
    return consoleOf(stream) != nullptr;
}

bool writeText(std::FILE* stream, std::string_view text) {
    HANDLE console = consoleOf(stream);
    if (console == nullptr) {
        return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
    }
    // What the stream holds still goes first.
    std::fflush(stream);
    const std::wstring wide = fs::wideText(text);
    for (std::size_t done = 0; done < wide.size();) {
        DWORD written = 0;
        const auto piece = static_cast<DWORD>(std::min<std::size_t>(wide.size() - done, 8192));
        if (!::WriteConsoleW(console, wide.data() + done, piece, &written, nullptr) ||
            written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

std::FILE* openForReading(const std::string& path) {
    return ::_wfopen(fs::wideText(path).c_str(), L"rb");
}

} // namespace quiverel::cli
