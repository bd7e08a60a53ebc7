#pragma once

// A temporary folder tree holding what a user's disk can throw at the listing: link loops, a
// link to "/", a chain of folders far deeper than PATH_MAX, one folder of 100,000 files, names
// no terminal likes, a FIFO that looks like a program, a 5 GiB sparse file, time stamps far
// from today, a folder that can be locked and a file that can be made to vanish.
//
//   loop/       inside.txt; here -> "."; up -> ".."; self -> "self"; slash -> "/"
//   deep/       level/level/... (2,000 folders) holding bottom.txt at the bottom
//   many/       n000000.txt ... n099999.txt, empty (hard links to two files)
//   names/      the hostileNames() files; x.exe, a FIFO
//   odd?folder/ inner.txt, in a folder named with a byte that is never UTF-8 and a line break
//   sparse/     huge.dll, 5 GiB of which nothing is written
//   stamps/     before-1970.txt, after-2038.txt, year-9999.txt
//   stamps-link -> stamps
//   vanish/     sub/kept.txt, gone.txt, stays.txt
//   locked/     secret.txt; the folder itself is locked only while a test asks for it
//
// Every file but those in stamps/ is modified at fixedTime. The tree is readable by everyone
// (modes 0755 and 0644), so a test may also list it under another user.

#include "support/PosixTree.h"

#include <array>
#include <cstdio>
#include <fcntl.h>
#include <grp.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace quiverel::testing {

inline constexpr int deepLevels = 2000;
inline constexpr int manyFiles = 100000;
inline constexpr long long sparseBytes = 5LL << 30;
inline constexpr long long fixedTime = 981173106;             // 2001-02-03 04:05:06 UTC
inline constexpr const char* fixedStamp = "2001/02/03 04:05"; // fixedTime as listed in UTC

// A file name as the file system holds it, the text the listing shows for it and its
// extension.
struct HostileName {
    std::string native;
    std::string display;
    std::string extension;
};

// The files of names/, in the listing's order (file names compared with letters folded).
inline const std::vector<HostileName>& hostileNames() {
    static const std::vector<HostileName> names = {
        {"  blanks.txt  ", "  blanks.txt  ", "TXT  "},
        {"\"quoted\" 'name'.txt", "\"quoted\" 'name'.txt", "TXT"},
        {"back\\slash.txt", "back\\slash.txt", "TXT"},
        // A lone byte that is never UTF-8, then a sequence cut short.
        {"bad\xff-\xe3\x81.txt", "bad\uFFFD-\uFFFD\uFFFD.txt", "TXT"},
        {"line\nbreak.txt", "line\nbreak.txt", "TXT"},
        {"tab\tname.txt", "tab\tname.txt", "TXT"},
        {"ﾃｽﾄ漢字.txt", "ﾃｽﾄ漢字.txt", "TXT"},
    };
    return names;
}

// The folder holding inner.txt, as the file system holds its name and as the listing shows it.
inline constexpr const char* oddFolderNative = "odd\xfe\nfolder";
inline constexpr const char* oddFolderDisplay = "odd\uFFFD\nfolder";

// The text with the letters a to z upper-cased, as the listing's upper-case option does.
inline std::string upperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

struct StampedFile {
    const char* name;
    long long seconds; // UTC
    const char* stamp; // as listed in UTC
};

// The files of stamps/, in the listing's order.
inline constexpr std::array<StampedFile, 3> stampedFiles = {{
    {"after-2038.txt", 2214131696, "2040/02/29 12:34"},
    {"before-1970.txt", -14182940, "1969/07/20 20:17"},
    {"year-9999.txt", 253402300799LL, "9999/12/31 23:59"},
}};

inline constexpr const char* vanishingFile = "vanish/gone.txt";

class HostileTree {
public:
    HostileTree() {
        const mode_t previousMask = ::umask(022);
        ::chmod(m_tree.root().c_str(), 0755);
        makeLoop();
        makeDeep();
        makeMany();
        makeNames();
        m_tree.makeFolder(oddFolderNative);
        file(std::string(oddFolderNative) + "/inner.txt");
        makeSparse();
        makeStamps();
        makeVanish();
        m_tree.makeFolder("locked");
        file("locked/secret.txt");
        ::umask(previousMask);
    }

    const std::string& root() const { return m_tree.root(); }
    std::string path(std::string_view relative) const { return m_tree.path(relative); }

    // The folder holding bottom.txt, some 12,000 bytes from the root.
    const std::string& deepest() const { return m_deepest; }

    // The stamp listed in UTC for a file of stamps/. A file system may cap what it keeps: ext4
    // ends its time stamps in May 2446 (in January 2038 with small inodes); tmpfs and btrfs keep
    // the year 9999. Any other outcome gives a text naming it, for the failing comparison.
    std::string listedStamp(const StampedFile& stamped) const {
        struct Cap {
            long long seconds;
            const char* stamp;
        };
        constexpr Cap caps[] = {{15032385535LL, "2446/05/10 22:38"},
                                {2147483647, "2038/01/19 03:14"}};
        struct stat status {};
        if (::stat(path(std::string("stamps/") + stamped.name).c_str(), &status) != 0) {
            throwSystemError(std::string("stat ") + stamped.name);
        }
        const long long held = status.st_mtim.tv_sec;
        if (held == stamped.seconds) {
            return stamped.stamp;
        }
        for (const Cap& cap : caps) {
            if (held == cap.seconds) {
                return cap.stamp;
            }
        }
        return "(the file system kept " + std::to_string(held) + " seconds)";
    }

    // Puts back the file that a test made vanish.
    void restoreVanishingFile() const { file(vanishingFile); }

private:
    // An empty file modified at fixedTime (or at `seconds`), made in the tree.
    void file(const std::string& relative, std::string_view content = {},
              long long seconds = fixedTime) const {
        const std::string made = m_tree.makeFile(relative, content);
        setTime(made, seconds);
    }

    static void setTime(const std::string& path, long long seconds) {
        const timespec times[2] = {{seconds, 0}, {seconds, 0}};
        if (::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0) {
            throwSystemError("utimensat " + path);
        }
    }

    void makeLoop() {
        m_tree.makeFolder("loop");
        file("loop/inside.txt");
        m_tree.makeLink(".", "loop/here");
        m_tree.makeLink("..", "loop/up");
        m_tree.makeLink("self", "loop/self");
        m_tree.makeLink("/", "loop/slash");
    }

    // The chain is made through descriptors: its far end is beyond any path a call takes.
    void makeDeep() {
        m_tree.makeFolder("deep");
        m_deepest = m_tree.makeChain("deep", deepLevels, "level", "");
        OpenFolder folder(::open(path("deep").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        for (int level = 0; level < deepLevels && folder.get() >= 0; ++level) {
            folder.reset(::openat(folder.get(), "level", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        }
        createAt(folder.get(), "bottom.txt");
    }

    // Most names are hard links to a few files (ext4 allows 65,000 links to one): the folder
    // holds 100,000 entries at the cost of two inodes, all with the same time stamp.
    void makeMany() {
        constexpr int namesPerFile = 50000;
        const OpenFolder folder(
            ::open(m_tree.makeFolder("many").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        char first[16] = {};
        for (int i = 0; i < manyFiles; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "n%06d.txt", i);
            if (i % namesPerFile == 0) {
                createAt(folder.get(), name);
                std::snprintf(first, sizeof first, "%s", name);
            } else if (::linkat(folder.get(), first, folder.get(), name, 0) != 0) {
                throwSystemError(std::string("link ") + name);
            }
        }
    }

    // An empty file modified at fixedTime in the open folder.
    static void createAt(int folderFd, const char* name) {
        const int fd = ::openat(folderFd, name, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        const timespec times[2] = {{fixedTime, 0}, {fixedTime, 0}};
        if (fd < 0 || ::futimens(fd, times) != 0) {
            throwSystemError(std::string("create ") + name);
        }
        ::close(fd);
    }

    void makeNames() const {
        m_tree.makeFolder("names");
        for (const HostileName& name : hostileNames()) {
            file("names/" + name.native, "hostile");
        }
        const std::string fifo = path("names/x.exe");
        if (::mkfifo(fifo.c_str(), 0644) != 0) {
            throwSystemError("mkfifo " + fifo);
        }
        setTime(fifo, fixedTime);
    }

    void makeSparse() const {
        m_tree.makeFolder("sparse");
        const std::string huge = path("sparse/huge.dll");
        if (::truncate(m_tree.makeFile("sparse/huge.dll").c_str(), sparseBytes) != 0) {
            throwSystemError("truncate " + huge);
        }
        setTime(huge, fixedTime);
    }

    void makeStamps() const {
        m_tree.makeFolder("stamps");
        for (const StampedFile& stamped : stampedFiles) {
            file(std::string("stamps/") + stamped.name, {}, stamped.seconds);
        }
        m_tree.makeLink("stamps", "stamps-link");
    }

    void makeVanish() const {
        m_tree.makeFolder("vanish");
        m_tree.makeFolder("vanish/sub");
        file("vanish/sub/kept.txt");
        file(vanishingFile);
        file("vanish/stays.txt");
    }

    PosixTree m_tree;
    std::string m_deepest;
};

// The tree of this test run, shared by its suites: made at the first call, removed when the
// run ends.
inline const HostileTree& sharedHostileTree() {
    static const HostileTree tree;
    return tree;
}

// Locks a folder of the tree (mode 0, or the mode given) for the lifetime of the guard.
class LockedFolder {
public:
    explicit LockedFolder(std::string folder, mode_t mode = 0) : m_folder(std::move(folder)) {
        if (::chmod(m_folder.c_str(), mode) != 0) {
            throwSystemError("chmod " + m_folder);
        }
    }
    ~LockedFolder() { ::chmod(m_folder.c_str(), 0755); }
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;

private:
    std::string m_folder;
};

// Gives up root's rights for good (to the user and group "nobody"); false when that fails.
// Without root there is nothing to give up.
inline bool dropPrivileges() {
    constexpr uid_t nobody = 65534;
    return ::geteuid() != 0 ||
           (::setgroups(0, nullptr) == 0 && ::setresgid(nobody, nobody, nobody) == 0 &&
            ::setresuid(nobody, nobody, nobody) == 0);
}

} // namespace quiverel::testing
