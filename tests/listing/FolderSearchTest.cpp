#include "listing/FolderSearch.h"

#include "listing/LetterCase.h"
#include "listing/ListingControl.h"
#include "listing/PathText.h"
#include "listing/WildcardPattern.h"
#include "listing/detail/FolderPath.h"
#include "listing/detail/ListingFailure.h"
#include "listing/detail/NameList.h"
#include "support/ChildProcess.h"
#include "support/FakePlatform.h"
#include "support/PosixTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>

namespace quiverel {
namespace {

using testing::childCannotRun;
using testing::FakeEventPump;
using testing::PosixTree;
using testing::runInChild;

// Collects the paths the search hands over into sFound, keeping one spare empty element last,
// and counts them.
void collectFiles(const WildcardPattern& pattern, const std::string& folder,
                  std::vector<std::string>& sFound, ListingControl& control) {
    if (sFound.empty()) {
        sFound.emplace_back();
    }
    searchFolder(pattern, folder, control, [&](const std::string& at, const NameList& files) {
        for (std::size_t i = 0; i < files.size(); ++i) {
            sFound.back() = childPath(at, files[i]);
            sFound.emplace_back();
        }
        control.countFound(static_cast<long long>(files.size()));
        return true;
    });
}

class FolderSearchTest : public ::testing::Test {
protected:
    // Runs the search the way the batch does: sFound starts as one empty element.
    std::vector<std::string> search(const std::string& folder, std::string_view pattern = "*.*") {
        const auto parsed = WildcardPattern::parse(pattern);
        EXPECT_TRUE(parsed.has_value()) << pattern;
        std::vector<std::string> sFound(1);
        collectFiles(*parsed, folder, sFound, control);
        EXPECT_FALSE(sFound.empty());
        EXPECT_EQ(sFound.back(), "") << "the spare element must stay last";
        sFound.pop_back();
        return sFound;
    }

    std::vector<std::string> paths(std::initializer_list<std::string_view> relative) const {
        std::vector<std::string> result;
        for (const auto path : relative) {
            result.push_back(tree.path(path));
        }
        return result;
    }

    PosixTree tree;
    FakeEventPump pump;
    ListingControl control{[this] {
        pump.processPendingEvents();
    }};
};

// Sub-folders (each in full, ascending) come before a folder's own files (ascending).
class OrderedTree : public FolderSearchTest {
protected:
    void SetUp() override {
        for (const char* folder : {"Zeta", "alpha", "alpha/sub", "beta", "Beta", ".hidden"}) {
            tree.makeFolder(folder);
        }
        for (const char* file : {"b.txt", "a.txt", "A.txt", "c.dat", "Zeta/z.txt", "alpha/a2.txt",
                                 "alpha/sub/deep.txt", "Beta/x.TXT", ".hidden/h.txt"}) {
            tree.makeFile(file);
        }
    }
};

TEST_F(OrderedTree, SubFoldersComeFirstThenOwnFilesInFoldedNameOrder) {
    struct Case {
        std::string_view pattern;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"*.*", paths({"alpha/sub/deep.txt", "alpha/a2.txt", "Beta/x.TXT", "Zeta/z.txt", "A.txt",
                       "a.txt", "b.txt", "c.dat"})},
        {"*.TXT", paths({"alpha/sub/deep.txt", "alpha/a2.txt", "Beta/x.TXT", "Zeta/z.txt", "A.txt",
                         "a.txt", "b.txt"})},
        {" *.dat ; a* ", paths({"alpha/a2.txt", "A.txt", "a.txt", "c.dat"})},
        {"nothing.here", {}},
    };
    for (const auto& c : cases) {
        pump.calls = 0;
        control.resetFound();
        EXPECT_EQ(search(tree.root(), c.pattern), c.expected) << c.pattern;
        EXPECT_EQ(pump.calls, 5) << "one yield per descent: alpha, alpha/sub, Beta, beta, Zeta";
        EXPECT_EQ(control.filesFound(), static_cast<long long>(c.expected.size()));
    }
}

TEST_F(OrderedTree, YieldsBeforeEachDescentAndCollectsOwnFilesLast) {
    std::vector<std::size_t> foundAtEachYield;
    std::vector<std::string> sFound(1);
    pump.onPump = [&] {
        foundAtEachYield.push_back(sFound.size() - 1);
    };
    collectFiles(*WildcardPattern::parse("*.*"), tree.root(), sFound, control);
    // Before alpha, alpha/sub, Beta, beta and Zeta: nothing of the root's own files yet.
    EXPECT_EQ(foundAtEachYield, (std::vector<std::size_t>{0, 0, 2, 3, 3}));
    EXPECT_EQ(sFound.size(), 9u);
}

TEST_F(OrderedTree, TrailingSeparatorsGiveTheSameResult) {
    const auto plain = search(tree.root());
    EXPECT_EQ(search(tree.root() + "/"), plain);
    EXPECT_EQ(search(tree.root() + "//"), plain);
    EXPECT_EQ(search(tree.path("alpha/")), paths({"alpha/sub/deep.txt", "alpha/a2.txt"}));
}

TEST_F(OrderedTree, CancelDuringAYieldStopsTheSearchAtOnce) {
    pump.onPump = [&] {
        if (pump.calls == 3) { // before Beta: alpha is done
            control.cancel();
        }
    };
    EXPECT_EQ(search(tree.root()), paths({"alpha/sub/deep.txt", "alpha/a2.txt"}));
    EXPECT_EQ(pump.calls, 3);
}

TEST(FolderPathTest, BuildsPathsWithoutDoubledSeparators) {
    struct Case {
        std::string_view folder;
        std::string_view name;
        std::string path;
    };
    const Case cases[] = {
        {"/", "etc", "/etc"},       {"//", "etc", "/etc"},        {"/home", "a.txt", "/home/a.txt"},
        {"/home/", "a", "/home/a"}, {"/home///", "a", "/home/a"}, {"rel", "a", "rel/a"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(childPath(folderText(c.folder), c.name), c.path) << c.folder;
    }
    EXPECT_EQ(folderText("/"), "/");
    EXPECT_EQ(folderText("/home/"), "/home");
    EXPECT_EQ(folderText(""), "");
}

TEST_F(FolderSearchTest, FoldersWithNothingToCollectAddNothing) {
    tree.makeFolder("empty");
    tree.makeFolder("nomatch");
    tree.makeFile("nomatch/a.dat");
    tree.makeFolder("nested");
    tree.makeFolder("nested/inner");
    const std::pair<std::string, int> cases[] = {{"empty", 0}, {"nomatch", 0}, {"nested", 1}};
    for (const auto& [folder, descents] : cases) {
        pump.calls = 0;
        EXPECT_EQ(search(tree.path(folder), "*.txt"), std::vector<std::string>()) << folder;
        EXPECT_EQ(pump.calls, descents) << folder;
    }
}

TEST_F(FolderSearchTest, FolderOfOnlySubFoldersGivesWhatTheyHold) {
    tree.makeFolder("only");
    tree.makeFolder("only/two");
    tree.makeFolder("only/one");
    tree.makeFile("only/two/f2.txt");
    tree.makeFile("only/one/f1.txt");
    EXPECT_EQ(search(tree.path("only")), paths({"only/one/f1.txt", "only/two/f2.txt"}));
}

TEST_F(FolderSearchTest, PassesOverHiddenEntriesLinksToFoldersAndNonRegularFiles) {
    tree.makeFile("visible.txt", "data");
    tree.makeFile(".hidden.txt");
    tree.makeFolder(".hiddenDir");
    tree.makeFile(".hiddenDir/inside.txt");
    tree.makeFolder("sub");
    tree.makeFile("sub/s.txt");
    tree.makeLink("visible.txt", "linkToFile.txt");
    tree.makeLink("sub", "linkToFolder");
    tree.makeLink("missing.txt", "broken.txt");
    ASSERT_EQ(::mkfifo(tree.path("pipe.txt").c_str(), 0644), 0);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(sock, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = tree.path("socket.txt");
    ASSERT_LT(socketPath.size(), sizeof(address.sun_path));
    std::strcpy(address.sun_path, socketPath.c_str());
    ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);

    EXPECT_EQ(search(tree.root()), paths({"sub/s.txt", "linkToFile.txt", "visible.txt"}));
    EXPECT_EQ(pump.calls, 1) << "only sub is descended into";
    ::close(sock);
}

TEST_F(FolderSearchTest, MatchesDisplayTextButReturnsNativeBytes) {
    tree.makeFile("\xff.txt");
    tree.makeFile("ab.txt");
    EXPECT_EQ(search(tree.root(), "?.txt"), paths({"\xff.txt"}));
}

TEST_F(FolderSearchTest, FolderThatCannotBeListedThrows) {
    const std::string file = tree.makeFile("plain.txt");
    const std::pair<std::string, int> cases[] = {
        {tree.path("missing"), ENOENT},
        {file, ENOTDIR},
        {file + "/", ENOTDIR},
        {"", ENOENT},
    };
    for (const auto& [folder, error] : cases) {
        std::vector<std::string> sFound(1);
        try {
            collectFiles(*WildcardPattern::parse("*.*"), folder, sFound, control);
            ADD_FAILURE() << "no failure for " << folder;
        } catch (const ListingFailure& failure) {
            EXPECT_EQ(failure.path(), toDisplayText(folderText(folder)));
            EXPECT_STREQ(failure.what(), std::strerror(error));
        }
        EXPECT_EQ(sFound, std::vector<std::string>(1));
    }
}

TEST_F(FolderSearchTest, UnreadableSubFolderThrowsWithItsPath) {
    // Root may read anything, so the search runs in a child that gives up its privileges.
    ASSERT_EQ(::chmod(tree.root().c_str(), 0755), 0);
    tree.makeFolder("a");
    tree.makeFile("a/first.txt");
    const std::string locked = tree.makeFolder("locked");
    tree.makeFile("locked/secret.txt");
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    const int outcome = runInChild([&] {
        constexpr uid_t nobody = 65534;
        if (::geteuid() == 0 && (::setresgid(nobody, nobody, nobody) != 0 ||
                                 ::setresuid(nobody, nobody, nobody) != 0)) {
            return childCannotRun;
        }
        std::vector<std::string> sFound(1);
        try {
            collectFiles(*WildcardPattern::parse("*.*"), tree.root(), sFound, control);
        } catch (const ListingFailure& failure) {
            const bool expected = failure.path() == locked &&
                                  std::string(failure.what()) == std::strerror(EACCES) &&
                                  sFound.size() == 2;
            return expected ? 0 : 2;
        }
        return 1;
    });
    ASSERT_EQ(::chmod(locked.c_str(), 0755), 0);
    if (outcome == childCannotRun) {
        GTEST_SKIP() << "privileges cannot be dropped here";
    }
    EXPECT_EQ(outcome, 0) << "1: no failure, 2: wrong path, reason or results";
}

TEST_F(FolderSearchTest, DeepTreeNeedsFewDescriptors) {
    constexpr int levels = 2000;
    const std::string deepest = tree.makeChain("", levels, "level-folder", "f.txt");
    ASSERT_GT(deepest.size(), 5u * PATH_MAX);
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &limit), 0);
    ASSERT_LT(static_cast<rlim_t>(64), limit.rlim_cur) << "the lowered limit must be a real cut";
    const int outcome = runInChild([&] {
        const rlimit fewDescriptors{64, 64};
        if (::setrlimit(RLIMIT_NOFILE, &fewDescriptors) != 0) {
            return childCannotRun;
        }
        std::vector<std::string> sFound(1);
        collectFiles(*WildcardPattern::parse("*.txt"), tree.root(), sFound, control);
        if (sFound.size() != levels + 1 || pump.calls != levels) {
            return 2;
        }
        const bool deepestFirst = sFound.front() == deepest + "/f.txt" &&
                                  sFound[levels - 1] == tree.path("level-folder/f.txt");
        return deepestFirst ? 0 : 4;
    });
    ASSERT_NE(outcome, childCannotRun);
    EXPECT_EQ(outcome, 0) << "2: wrong count, 3: failure (descriptors?), 4: wrong order";
}

TEST_F(FolderSearchTest, LargeFolderListsInFull) {
    constexpr int files = 40000;
    const testing::OpenFolder folder(::open(tree.root().c_str(), O_RDONLY | O_DIRECTORY));
    for (int i = 0; i < files; ++i) {
        char name[32];
        std::snprintf(name, sizeof(name), i % 2 == 0 ? "F%05d.txt" : "f%05d.txt", i);
        const int fd = ::openat(folder.get(), name, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0) << name;
        ::close(fd);
    }
    const auto found = search(tree.root());
    ASSERT_EQ(found.size(), static_cast<std::size_t>(files));
    EXPECT_EQ(found.front(), tree.path("F00000.txt"));
    EXPECT_EQ(found.back(), tree.path("f39999.txt"));
    EXPECT_TRUE(std::is_sorted(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return compareFolded(a, b) < 0;
    }));
}

TEST_F(FolderSearchTest, FolderThatLeadsBackIntoItsTreeIsNotEntered) {
    tree.makeFile("top.txt");
    const std::string loop = tree.makeFolder("loop");
    tree.makeFolder("other");
    tree.makeFile("other/o.txt");
    const int outcome = runInChild([&] {
        // A private mount namespace keeps the bind mount away from everyone else; without
        // privileges, a user namespace of our own grants the right to mount there.
        const bool privateMounts =
            ::unshare(CLONE_NEWNS) == 0 || ::unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0;
        if (!privateMounts || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount(tree.root().c_str(), loop.c_str(), nullptr, MS_BIND, nullptr) != 0) {
            return childCannotRun;
        }
        std::vector<std::string> sFound(1);
        collectFiles(*WildcardPattern::parse("*.*"), tree.root(), sFound, control);
        const std::vector<std::string> expected = {tree.path("other/o.txt"), tree.path("top.txt"),
                                                   ""};
        return sFound == expected ? 0 : 2;
    });
    if (outcome == childCannotRun) {
        GTEST_SKIP() << "no private bind mount here";
    }
    EXPECT_EQ(outcome, 0);
}

} // namespace
} // namespace quiverel
