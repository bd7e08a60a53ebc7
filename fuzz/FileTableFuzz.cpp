// The argument text cut into a FileTable: entry 0 empty, one entry more than there are blanks,
// no blank in any entry, and the entries joined with blanks give the text back. Built from
// arguments (the input's pieces between zero bytes), the text keeps every argument, each
// relative one made absolute.

#include "FuzzCheck.h"
#include "window/CommandLine.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using quiverel::fuzzing::check;

void checkCut(const std::string& text, const quiverel::FileTable& table) {
    const auto blanks = static_cast<std::size_t>(std::count(text.begin(), text.end(), ' '));
    check(table.size() == blanks + 2, "one entry more than there are blanks, plus entry 0");
    check(table.front().empty(), "entry 0 is empty");
    std::string joined;
    for (std::size_t i = 1; i < table.size(); ++i) {
        check(table[i].find(' ') == std::string::npos, "no blank in an entry");
        joined += (i > 1 ? " " : "") + table[i];
    }
    check(joined == text, "the entries joined with blanks give the text");
}

std::vector<std::string> argumentsOf(std::string_view input) {
    std::vector<std::string> arguments;
    for (;;) {
        const auto zero = input.find('\0');
        arguments.emplace_back(input.substr(0, zero));
        if (zero == std::string_view::npos) {
            return arguments;
        }
        input.remove_prefix(zero + 1);
    }
}

// Without blanks in the arguments, each becomes one entry: empty ones stay empty, absolute
// ones stay as given, relative ones become absolute paths.
void checkArguments(const std::vector<std::string>& arguments) {
    const bool anyBlank = std::any_of(arguments.begin(), arguments.end(), [](const auto& a) {
        return a.find(' ') != std::string::npos;
    });
    const std::string text = quiverel::argumentText(arguments, "/work dir/sub");
    if (anyBlank) {
        checkCut(text, quiverel::fileTableFromArgumentText(text));
        return;
    }
    const std::string textInPlainFolder = quiverel::argumentText(arguments, "/work/sub");
    const auto table = quiverel::fileTableFromArgumentText(textInPlainFolder);
    checkCut(textInPlainFolder, table);
    check(table.size() == arguments.size() + 1, "one entry for each argument");
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const std::string& entry = table[i + 1];
        check(argument.empty() == entry.empty(), "only an empty argument gives an empty entry");
        if (argument.starts_with('/')) {
            check(entry == argument, "an absolute argument stays as given");
        } else if (!argument.empty()) {
            check(entry.starts_with('/'), "a relative argument becomes absolute");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    checkCut(input, quiverel::fileTableFromArgumentText(input));
    checkArguments(argumentsOf(input));
    return 0;
}
