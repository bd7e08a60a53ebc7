// The command line's FileTable, built from arguments (the input's pieces between zero bytes):
// entry 0 empty and one entry per argument, each kept whole whatever blanks it holds, each
// relative one made absolute against the working folder on its own.

#include "FuzzCheck.h"
#include "window/CommandLine.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using quiverel::fuzzing::check;

const std::string workingDirectory = "/work dir/sub";

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

// A plain name: no separator and no "." or ".." step, so nothing of it is resolved.
bool isPlainName(const std::string& argument) {
    return !argument.empty() && argument.find('/') == std::string::npos && argument != "." &&
           argument != "..";
}

void checkArguments(const std::vector<std::string>& arguments) {
    const auto table = quiverel::fileTableFromArguments(arguments, workingDirectory);
    check(table.size() == arguments.size() + 1, "one entry for each argument, plus entry 0");
    check(table.front().empty(), "entry 0 is empty");
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const std::string& entry = table[i + 1];
        check(argument.empty() == entry.empty(), "only an empty argument gives an empty entry");
        if (argument.starts_with('/')) {
            check(entry == argument, "an absolute argument stays as given");
        } else if (isPlainName(argument)) {
            check(entry == workingDirectory + "/" + argument,
                  "a plain name is taken whole from the working folder");
        } else if (!argument.empty()) {
            check(entry.starts_with('/'), "a relative argument becomes absolute");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkArguments(argumentsOf(std::string_view(reinterpret_cast<const char*>(data), size)));
    return 0;
}
