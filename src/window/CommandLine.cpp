#include "window/CommandLine.h"

#include "listing/AbsolutePath.h"

namespace quiverel {

std::string argumentText(const std::vector<std::string>& arguments,
                         const std::string& workingDirectory) {
    std::string text;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0) {
            text += ' ';
        }
        text += absolutePath(arguments[i], workingDirectory);
    }
    return text;
}

FileTable fileTableFromArgumentText(const std::string& text) {
    FileTable table(1);
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type blank = text.find(' ', start);
        if (blank == std::string::npos) {
            table.push_back(text.substr(start));
            return table;
        }
        table.push_back(text.substr(start, blank - start));
        start = blank + 1;
    }
}

} // namespace quiverel
