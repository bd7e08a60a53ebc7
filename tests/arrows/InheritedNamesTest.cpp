// The names the window inherited (forms, controls, click handlers, Hungarian flags) stay at the
// window's edge: the core, the grid, the lister and the platform's seam use plain words. Every
// identifier of those folders is checked here, outside comments and literals.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool isWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// Whether an identifier is one of the inherited kind: a flg, ctl or frm prefix before a capital
// (flgOmoji, m_ctlGrid, frmMain), or Form_ or _Click anywhere in it (Form_Load, mnuEdit_Click).
bool isInheritedName(std::string_view name) {
    if (name.find("Form_") != std::string_view::npos ||
        name.find("_Click") != std::string_view::npos) {
        return true;
    }
    if (name.starts_with("m_")) {
        name.remove_prefix(2);
    }
    for (const std::string_view prefix : {"flg", "ctl", "frm"}) {
        if (name.starts_with(prefix) &&
            (name.size() == prefix.size() ||
             std::isupper(static_cast<unsigned char>(name[prefix.size()])) != 0)) {
            return true;
        }
    }
    return false;
}

// The source with its comments and its string and character literals blanked out.
std::string codeOnly(std::string_view source) {
    std::string code;
    std::size_t i = 0;
    const auto skipTo = [&](std::string_view end) {
        const std::size_t at = source.find(end, i);
        i = at == std::string_view::npos ? source.size() : at + end.size();
        code += ' ';
    };
    while (i < source.size()) {
        const std::string_view rest = source.substr(i);
        if (rest.starts_with("//")) {
            skipTo("\n");
        } else if (rest.starts_with("/*")) {
            skipTo("*/");
        } else if (rest.starts_with("R\"") && (i == 0 || !isWordChar(source[i - 1]))) {
            const std::size_t open = rest.find('(');
            i += 2;
            skipTo(")" + std::string(rest.substr(2, open - 2)) + "\"");
        } else if (rest.front() == '"' || rest.front() == '\'') {
            const char quote = rest.front();
            for (++i; i < source.size() && source[i] != quote; ++i) {
                i += source[i] == '\\' ? 1 : 0;
            }
            ++i;
            code += ' ';
        } else {
            code += rest.front();
            ++i;
        }
    }
    return code;
}

std::vector<std::string> inheritedNames(std::string_view source) {
    const std::string code = codeOnly(source);
    std::vector<std::string> found;
    for (std::size_t i = 0; i < code.size();) {
        std::size_t end = i;
        while (end < code.size() && isWordChar(code[end])) {
            ++end;
        }
        if (end == i) {
            ++i;
            continue;
        }
        const std::string_view name = std::string_view(code).substr(i, end - i);
        if (std::isdigit(static_cast<unsigned char>(name.front())) == 0 && isInheritedName(name)) {
            found.emplace_back(name);
        }
        i = end;
    }
    return found;
}

TEST(InheritedNamesTest, OnlyIdentifiersOfTheInheritedKindAreFound) {
    const struct {
        std::string_view source;
        std::vector<std::string> found;
    } cases[] = {
        {"bool flgOmoji = m_flgCheck[0];", {"flgOmoji", "m_flgCheck"}},
        {"void f(Grid& ctlMSFlexGrid1) { frmMain::Form_Load(); }",
         {"ctlMSFlexGrid1", "frmMain", "Form_Load"}},
        {"copy.mnuEditCopy_Click();", {"mnuEditCopy_Click"}},
        {"int ioctl, fcntl, frame, ctl, flag, flgs, deflgX, Form, Clicked;", {"ctl"}},
        {"// flgOmoji in a comment\n/* frmMain */ x = \"Form_Load\" + 'f';", {}},
        {"auto s = R\"(ctlGrid \" flgX)\"; int after_Click;", {"after_Click"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(inheritedNames(c.source), c.found) << c.source;
    }
}

TEST(InheritedNamesTest, TheCoreTheGridTheListerAndThePlatformUsePlainNames) {
    const std::filesystem::path src = std::filesystem::path(QUIVEREL_SOURCE_DIR) / "src";
    int files = 0;
    for (const char* folder : {"listing", "grid", "cli", "platform", "kit"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(src / folder)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) {
                continue;
            }
            ++files;
            std::ifstream in(entry.path());
            std::stringstream source;
            source << in.rdbuf();
            EXPECT_EQ(inheritedNames(source.str()), std::vector<std::string>())
                << entry.path().lexically_relative(src).generic_string();
        }
    }
    EXPECT_GT(files, 50) << "the sources were not found under " << src;
}

} // namespace
