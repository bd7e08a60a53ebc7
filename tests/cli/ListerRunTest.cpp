// The lister runs the listing core in this very process, which holds no window platform: no Qt
// library is loaded, no event pump or message box exists, and the rows still come sorted and
// numbered, the failures told on standard error.

#include "cli/ListerRun.h"
#include "SystemProcess.h"
#include "cli/TableFormat.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace quiverel::cli {
namespace {

// Runs the lister with its output in a temporary file; returns what it wrote.
std::string listed(const ListerSettings& settings, int& status) {
    std::FILE* out = std::tmpfile();
    EXPECT_NE(out, nullptr);
    status = runLister(settings, out);
    std::string text;
    std::rewind(out);
    for (int c = std::fgetc(out); c != EOF; c = std::fgetc(out)) {
        text += static_cast<char>(c);
    }
    std::fclose(out);
    return text;
}

TEST(ListerRunTest, ListsThroughTheCoreWithoutAnyWindowPlatform) {
    testing::TempTree tree;
    tree.makeFolder("sub");
    tree.makeFile("b.txt");
    tree.makeFile("sub/A.txt");
    ListerSettings settings;
    settings.upperCase = false;
    settings.columns = {true, false, false, false, false, false, false};
    settings.paths = {tree.root()};
    int status = -1;
    EXPECT_EQ(listed(settings, status), "1\tA.txt\t\t\t\t\t\t\n2\tb.txt\t\t\t\t\t\t\n");
    EXPECT_EQ(status, exitCode::listed);

    settings.strict = true;
    settings.paths.push_back(tree.path("missing"));
    ::testing::internal::CaptureStderr();
    const std::string rows = listed(settings, status);
    const std::string messages = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, exitCode::failed);
    EXPECT_EQ(rows, "\tA.txt\t\t\t\t\t\t\n\tb.txt\t\t\t\t\t\t\n")
        << "the rows before the failure stay, in the order found";
    std::string named; // as a message names a path: escaped like a cell
    appendTsvCell(named, tree.path("missing"));
    EXPECT_NE(messages.find(named), std::string::npos) << messages;

    EXPECT_FALSE(testing::qtIsLoaded());
}

} // namespace
} // namespace quiverel::cli
