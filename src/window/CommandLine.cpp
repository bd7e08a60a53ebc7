#include "window/CommandLine.h"

#include "listing/AbsolutePath.h"

namespace quiverel {

FileTable fileTableFromArguments(const std::vector<std::string>& arguments,
                                 const std::string& workingDirectory) {
    FileTable table(1);
    table.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments) {
        table.push_back(absolutePath(argument, workingDirectory));
    }
    return table;
}

} // namespace quiverel
