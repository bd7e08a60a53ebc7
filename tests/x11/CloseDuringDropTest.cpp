// The real program on a real X server: a big folder dropped on the grid by another client, and
// the window closed by its close button while the listing runs, at several moments of it.

#include "support/TempTree.h"

#include <gtest/gtest.h>

// Xlib's macros (None, Bool, Status ...) come last.
#include "XdndSession.h"

#include <fcntl.h>
#include <fstream>
#include <iterator>

using namespace quiverel::testing;
using namespace std::chrono_literals;

namespace {

constexpr int folders = 200;
constexpr int filesPerFolder = 500;

// A folder of 100,000 files, in memory where the machine offers it.
class BigTree {
public:
    BigTree() {
        std::string pattern =
            (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/q2k-XXXXXX");
        m_root = ::mkdtemp(pattern.data()) ? pattern : std::string();
        for (int folder = 0; folder < folders && !m_root.empty(); ++folder) {
            const std::string name = m_root + "/" + std::to_string(folder);
            ::mkdir(name.c_str(), 0755);
            for (int file = 0; file < filesPerFolder; ++file) {
                ::close(::creat((name + "/f" + std::to_string(file) + ".txt").c_str(), 0644));
            }
        }
    }
    ~BigTree() {
        if (!m_root.empty()) {
            removeTree(m_root);
        }
    }
    BigTree(const BigTree&) = delete;
    BigTree& operator=(const BigTree&) = delete;

    const std::string& root() const { return m_root; }

private:
    std::string m_root;
};

const BigTree& bigTree() {
    static const BigTree tree;
    return tree;
}

std::string fileText(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CloseDuringDrop : public ::testing::TestWithParam<std::chrono::milliseconds> {};

TEST_P(CloseDuringDrop, EndsTheProgramQuietlyWithStatusZero) {
    XvfbServer server;
    if (server.display().empty()) {
        GTEST_SKIP() << "no Xvfb";
    }
    const std::string& folder = bigTree().root();
    ASSERT_FALSE(folder.empty());
    XClient client(server.display());
    ASSERT_TRUE(client.connected());
    const TempTree config;
    const pid_t program =
        startProgram({QUIVEREL_APP}, {"DISPLAY=" + server.display(), "QT_QPA_PLATFORM=xcb",
                                      "XDG_CONFIG_HOME=" + config.root()});
    const Window window = client.waitForWindow("Brindlewick Quiverel2000", 10s);
    ASSERT_NE(window, None) << "the main window never appeared";

    ASSERT_TRUE(client.dropUris(window, "file://" + folder + "\r\n", 5s));
    std::this_thread::sleep_for(GetParam());
    client.requestClose(window);

    // A message box about the cancelled batch would keep the program from ending.
    const std::optional<int> status = waitForEnd(program, 10s);
    ASSERT_TRUE(status) << "still running 10 s after the close";
    ASSERT_TRUE(WIFEXITED(*status)) << "ended by signal " << WTERMSIG(*status);
    EXPECT_EQ(WEXITSTATUS(*status), 0);
    EXPECT_NE(fileText(config.path("Quiverel2000/Quiverel2000.ini")).find("MainWidth=6500"),
              std::string::npos);
}

// From the search of the first folders to the sort of the rows, as fast as the machine lists.
INSTANTIATE_TEST_SUITE_P(Moments, CloseDuringDrop, ::testing::Values(30ms, 250ms, 600ms));

} // namespace
