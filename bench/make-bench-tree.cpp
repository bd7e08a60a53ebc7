// Makes the benchmark's folder tree, the same on every run:
//   make-bench-tree [--deep] [--pe-rich] TARGET FILES FOLDERS [DLL_FIXTURE]
// FILES files in FOLDERS folders (the target included), mixed-case names, about 2% hidden
// files and 1% hidden folders, 1% DLL files with a version resource (a copy of DLL_FIXTURE when
// it can be read, a generated image otherwise), the other files sparse, so the tree takes
// little disk space whatever sizes it shows. The tree is built beside TARGET and renamed into
// place when complete; an existing TARGET is left as it is.
// Folders hang at most eight levels deep. With --deep they run in long chains down to thirty
// levels, and the files lie only 10 to 30 levels deep where their folders below TARGET are 112
// to 240 bytes long (full paths of about 150 to 300 bytes below a short TARGET). With --pe-rich,
// every tenth file is an executable named .exe, .dll, .ocx or .EXE instead, each a generated
// image with a version resource of its own.

#include "MinimalPe.h"

#include <algorithm>
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

// Tree shapes: how deep folders go, and where files may lie.
struct Shape {
    int maxDepth;
    int leastFileDepth;
    std::size_t leastPath; // length of a file's folder below the target, its separator included
    std::size_t mostPath;
};
constexpr Shape shallow{8, 0, 0, std::string::npos};
constexpr Shape deep{30, 10, 112, 240};

// The folder's number in base 36: short, and unique among its neighbours.
std::string shortNumber(long number) {
    std::string digits;
    do {
        digits.insert(digits.begin(), "0123456789abcdefghijklmnopqrstuvwxyz"[number % 36]);
        number /= 36;
    } while (number > 0);
    return digits;
}

// The parent of the next folder: in a deep tree mostly one of the last few folders made, so
// that chains grow long, else any folder; never one at the deepest level.
std::size_t parentOf(Random& random, const std::vector<int>& depths, const Shape& shape) {
    const std::size_t count = depths.size();
    std::size_t parent = random.below(count);
    if (shape.maxDepth > shallow.maxDepth && random.percent(90)) {
        parent = count - 1 - random.below(std::min<std::size_t>(count, 4));
    }
    while (depths[parent] >= shape.maxDepth) {
        parent = random.below(count);
    }
    return parent;
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
    const auto option = [&](const char* name) {
        const bool given = argc > 1 && std::strcmp(argv[1], name) == 0;
        if (given) {
            --argc;
            ++argv;
        }
        return given;
    };
    const bool deepTree = option("--deep");
    const bool peRich = option("--pe-rich");
    if (argc < 4 || argc > 5) {
        std::fprintf(
            stderr,
            "usage: make-bench-tree [--deep] [--pe-rich] TARGET FILES FOLDERS [DLL_FIXTURE]\n");
        return 64;
    }
    const Shape& shape = deepTree ? deep : shallow;
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
    // Each folder hangs below an earlier one, at most the shape's levels deep.
    std::vector<std::string> folders{building};
    std::vector<int> depths{0};
    for (long i = 1; i < folderCount; ++i) {
        const std::size_t parent = parentOf(random, depths, shape);
        std::string name = word(random) + "_" + (deepTree ? shortNumber(i) : std::to_string(i));
        if (random.percent(1)) {
            name = "." + name;
        }
        folders.push_back(folders[parent] + "/" + name);
        depths.push_back(depths[parent] + 1);
        if (::mkdir(folders.back().c_str(), 0755) != 0) {
            fail("mkdir " + folders.back());
        }
    }

    // The folders files may lie in.
    std::vector<std::size_t> fileFolders;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const std::size_t below = folders[i].size() + 1 - building.size();
        if (depths[i] >= shape.leastFileDepth && below >= shape.leastPath &&
            below <= shape.mostPath) {
            fileFolders.push_back(i);
        }
    }
    if (fileFolders.empty()) {
        std::fprintf(stderr, "make-bench-tree: no folder of the shape asked for\n");
        return 1;
    }

    constexpr std::int64_t from = 788918400; // 1995-01-01
    constexpr std::int64_t span = 30LL * 365 * 24 * 3600;
    const long executableEvery = peRich ? 10 : 100;
    for (long i = 0; i < files; ++i) {
        const bool dll = i % executableEvery == 0;
        std::string name = fileName(random, dll);
        if (dll && peRich) {
            static const char* const kinds[] = {".exe", ".dll", ".ocx", ".EXE"};
            name.replace(name.size() - 4, 4, kinds[(i / executableEvery) % std::size(kinds)]);
        }
        const std::string path =
            folders[fileFolders[random.below(fileFolders.size())]] + "/" + name;
        const std::int64_t mtime = from + static_cast<std::int64_t>(random.below(span));
        if (!dll) {
            writeFile(path, std::string(), fileSize(random), mtime);
        } else if (!fixture.empty() && !peRich) {
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
