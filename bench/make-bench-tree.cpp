// Makes the benchmark's folder tree, the same on every run:
//   make-bench-tree TARGET FILES FOLDERS [DLL_FIXTURE]
// FILES files in FOLDERS folders (the target included), mixed-case names, about 2% hidden
// files and 1% hidden folders, 1% DLL files with a version resource (a copy of DLL_FIXTURE when
// it can be read, a generated image otherwise), the other files sparse, so the tree takes
// little disk space whatever sizes it shows. The tree is built beside TARGET and renamed into
// place when complete; an existing TARGET is left as it is.

#include "MinimalPe.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using quiverel::bench::minimalVersionDll;

// splitmix64: a fixed sequence for a fixed seed, on every platform.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::uint64_t below(std::uint64_t bound) { return next() % bound; }
    bool percent(unsigned share) { return below(100) < share; }

private:
    std::uint64_t m_state;
};

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "make-bench-tree: %s: %s\n", what.c_str(), std::strerror(errno));
    std::exit(1);
}

std::string word(Random& random) {
    static const char* const syllables[] = {"ka",  "Re", "mon", "TO", "sa",  "Lin", "ex",  "Dat",
                                            "pro", "Vi", "og",  "NU", "ber", "Fo",  "qui", "z"};
    std::string text;
    const std::uint64_t count = 1 + random.below(4);
    for (std::uint64_t i = 0; i < count; ++i) {
        text += syllables[random.below(std::size(syllables))];
    }
    return text;
}

std::string fileName(Random& random, bool dll) {
    static const char* const extensions[] = {".txt", ".TXT", ".cpp", ".h",   ".jpg",    ".Png",
                                             ".xml", ".log", "",     ".doc", ".tar.gz", ".Csv"};
    std::string name = word(random);
    if (random.percent(40)) {
        name += std::to_string(random.below(1000));
    }
    if (random.percent(10)) {
        name += " " + word(random);
    }
    name += dll ? (random.percent(50) ? ".dll" : ".DLL")
                : extensions[random.below(std::size(extensions))];
    return random.percent(2) ? "." + name : name;
}

std::string readFixture(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : std::string();
}

// A size spread over several orders of magnitude: most files small, some large.
off_t fileSize(Random& random) {
    const std::uint64_t magnitude = random.below(8);
    return static_cast<off_t>(random.below(std::uint64_t{1} << (3 * magnitude + 4)));
}

void writeFile(const std::string& path, const std::string& content, off_t size,
               std::int64_t mtime) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno == EEXIST) {
            return; // the same name drawn twice in one folder: one file is enough
        }
        fail("create " + path);
    }
    const bool written = content.empty() ? ::ftruncate(fd, size) == 0
                                         : ::write(fd, content.data(), content.size()) ==
                                               static_cast<ssize_t>(content.size());
    const timespec times[2] = {{mtime, 0}, {mtime, 0}};
    if (!written || ::futimens(fd, times) != 0) {
        fail("write " + path);
    }
    ::close(fd);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 4 || argc > 5) {
        std::fprintf(stderr, "usage: make-bench-tree TARGET FILES FOLDERS [DLL_FIXTURE]\n");
        return 64;
    }
    const std::string target = argv[1];
    const long files = std::atol(argv[2]);
    const long folderCount = std::atol(argv[3]);
    if (files < 0 || folderCount < 1) {
        std::fprintf(stderr, "make-bench-tree: FILES must be 0 or more, FOLDERS 1 or more\n");
        return 64;
    }
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        return 0;
    }
    const std::string fixture = argc == 5 ? readFixture(argv[4]) : std::string();

    const std::string building = target + ".partial";
    if (::mkdir(building.c_str(), 0755) != 0) {
        fail("mkdir " + building);
    }

    Random random(20001);
    // Each folder hangs below an earlier one, at most eight levels deep.
    std::vector<std::string> folders{building};
    std::vector<int> depths{0};
    for (long i = 1; i < folderCount; ++i) {
        std::size_t parent = random.below(folders.size());
        while (depths[parent] >= 8) {
            parent = random.below(folders.size());
        }
        std::string name = word(random) + "_" + std::to_string(i);
        if (random.percent(1)) {
            name = "." + name;
        }
        folders.push_back(folders[parent] + "/" + name);
        depths.push_back(depths[parent] + 1);
        if (::mkdir(folders.back().c_str(), 0755) != 0) {
            fail("mkdir " + folders.back());
        }
    }

    constexpr std::int64_t from = 788918400; // 1995-01-01
    constexpr std::int64_t span = 30LL * 365 * 24 * 3600;
    for (long i = 0; i < files; ++i) {
        const bool dll = i % 100 == 0;
        const std::string path =
            folders[random.below(folders.size())] + "/" + fileName(random, dll);
        const std::int64_t mtime = from + static_cast<std::int64_t>(random.below(span));
        if (!dll) {
            writeFile(path, std::string(), fileSize(random), mtime);
        } else if (!fixture.empty()) {
            writeFile(path, fixture, 0, mtime);
        } else {
            const long d = i / 100;
            writeFile(path,
                      minimalVersionDll(static_cast<std::uint16_t>(1 + d % 20),
                                        static_cast<std::uint16_t>(d % 100),
                                        static_cast<std::uint16_t>(d % 5000),
                                        static_cast<std::uint16_t>(d % 7)),
                      0, mtime);
        }
    }

    if (::rename(building.c_str(), target.c_str()) != 0) {
        fail("rename " + building);
    }
    return 0;
}
