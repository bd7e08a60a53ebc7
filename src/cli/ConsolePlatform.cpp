#include "cli/ConsolePlatform.h"

#include <cstdio>

namespace quiverel::cli {

void StandardErrorMessageBox::show(const std::string& text, const std::string&) {
    std::fprintf(stderr, "%s\n", text.c_str());
}

} // namespace quiverel::cli
