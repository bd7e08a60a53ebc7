#include "listing/pe/FileVersion.h"

#include "listing/PeFixtures.h"
#include "listing/pe/PeVersionReader.h"
#include "platform/files/FileSystem.h"
#include "support/TempTree.h"

#include <functional>
#include <gtest/gtest.h>

namespace quiverel {
namespace {

using namespace quiverel::testing;

// The version text of the file at the path; empty when it has none or cannot be found.
std::string versionAt(const std::string& path) {
    fs::FileStatus status;
    if (fs::statPath(path, status) != 0) {
        return std::string();
    }
    const auto version = readFileVersion(fs::FileRef::atPath(path), status);
    return version ? versionText(*version) : std::string();
}

TEST(FileVersionTest, ReadsTheFixedFileVersionOfEachFixture) {
    struct Case {
        const char* fixture;
        const char* text;
    };
    const Case cases[] = {
        {"version-1.5.0.12.dll", "1.05.12"},         // PE32+ DLL, build 0
        {"version-10.2.0.0.exe", "10.02.0"},         // PE32 EXE
        {"version-4.0.1381.1.dll", "4.00.90505217"}, // PE32 DLL, minor 0
        {"version-6.0.81.76.exe", "6.00.5308492"},   // PE32+ EXE
        {"version-7.10.0.0.dll", "7.10.0"},
        {"version-2.123.4.5.exe", "2.123.262149"},
        {"version-32768.0.32768.0.dll", "32768.00.2147483648"},
        {"version-65535.65535.65535.65535.exe", "65535.65535.4294967295"},
        {"version-named-two-languages.exe", "3.01.7"}, // named resource, first language
        {"no-version.exe", ""},                        // other resources only
        {"no-resources.dll", ""},
    };
    for (const auto& c : cases) {
        const std::string text = versionAt(peFixturePath(c.fixture));
        EXPECT_EQ(text, c.text) << c.fixture;

        const std::string bytes = readPeFixture(c.fixture);
        EXPECT_EQ(parseExactCopy(bytes).has_value(), *c.text != '\0') << c.fixture;
    }
}

TEST(FileVersionTest, GivesNoTextForWhatIsNotARegularFile) {
    TempTree tree;
    const std::string folder = tree.makeFolder("folder.dll");
    for (const auto& path : {folder, tree.path("missing.dll"), std::string()}) {
        EXPECT_EQ(versionAt(path), "") << path;
    }
}

// Where the structures of a well-formed fixture sit in its file, found by walking it the way
// the format describes; every structure is assumed to lie in the resource section.
struct PeLayout {
    std::size_t pe = 0;             // "PE\0\0"
    std::size_t coff = 0;           // COFF file header
    std::size_t optional = 0;       // optional header
    std::size_t directoryCount = 0; // NumberOfRvaAndSizes
    std::size_t resourceEntry = 0;  // data directory entry 2
    std::size_t resourceSection = 0;
    std::size_t root = 0;      // resource directory, type level
    std::size_t typeEntry = 0; // the entry of type 16
    std::size_t nameDirectory = 0;
    std::size_t languageDirectory = 0;
    std::size_t dataEntry = 0;
    std::size_t versionInfo = 0; // VS_VERSIONINFO
    std::size_t fixedInfo = 0;   // VS_FIXEDFILEINFO

    static PeLayout of(const std::string& b) {
        PeLayout l;
        l.pe = le32At(b, 0x3C);
        l.coff = l.pe + 4;
        l.optional = l.coff + 20;
        l.directoryCount = l.optional + (le16At(b, l.optional) == 0x20B ? 108 : 92);
        l.resourceEntry = l.directoryCount + 4 + 2 * 8;
        const std::uint32_t rootRva = le32At(b, l.resourceEntry);
        const std::size_t sections = l.optional + le16At(b, l.coff + 16);
        for (std::size_t i = 0; i < le16At(b, l.coff + 2); ++i) {
            const std::size_t header = sections + i * 40;
            const std::uint32_t rva = le32At(b, header + 12);
            if (rootRva >= rva && rootRva < rva + le32At(b, header + 16)) {
                l.resourceSection = header;
            }
        }
        const auto fileOf = [&](std::uint32_t rva) {
            return le32At(b, l.resourceSection + 20) + rva - le32At(b, l.resourceSection + 12);
        };
        const auto below = [&](std::size_t entry) {
            return l.root + (le32At(b, entry + 4) & 0x7FFFFFFF);
        };
        l.root = fileOf(rootRva);
        const std::size_t typeCount = le16At(b, l.root + 12) + le16At(b, l.root + 14);
        for (std::size_t i = 0; i < typeCount; ++i) {
            if (le32At(b, l.root + 16 + i * 8) == 16) {
                l.typeEntry = l.root + 16 + i * 8;
            }
        }
        l.nameDirectory = below(l.typeEntry);
        l.languageDirectory = below(l.nameDirectory + 16);
        l.dataEntry = below(l.languageDirectory + 16);
        l.versionInfo = fileOf(le32At(b, l.dataEntry));
        l.fixedInfo = l.versionInfo + 40;
        return l;
    }
};

TEST(FileVersionTest, GivesNoTextForBrokenImages) {
    using Mutation = std::function<void(std::string&, const PeLayout&)>;
    struct Case {
        const char* name;
        Mutation mutate;
    };
    constexpr std::uint32_t directory = 0x80000000;
    const Case cases[] = {
        {"empty file",
         [](auto& b, auto&) {
             b.clear();
         }},
        {"cut inside the DOS header",
         [](auto& b, auto&) {
             b.resize(0x3E);
         }},
        {"cut inside the PE signature",
         [](auto& b, auto& l) {
             b.resize(l.pe + 2);
         }},
        {"cut inside the COFF header",
         [](auto& b, auto& l) {
             b.resize(l.coff + 10);
         }},
        {"cut inside the optional header",
         [](auto& b, auto& l) {
             b.resize(l.optional + 64);
         }},
        {"cut inside the section table",
         [](auto& b, auto& l) {
             b.resize(l.resourceSection + 20);
         }},
        {"cut inside the resource directory",
         [](auto& b, auto& l) {
             b.resize(l.root + 20);
         }},
        {"cut inside the version block",
         [](auto& b, auto& l) {
             b.resize(l.versionInfo + 20);
         }},
        {"cut inside the fixed file information",
         [](auto& b, auto& l) {
             b.resize(l.fixedInfo + 20);
         }},
        {"no MZ",
         [](auto& b, auto&) {
             b[0] = 'Z';
         }},
        {"no PE signature",
         [](auto& b, auto& l) {
             b[l.pe + 1] = 'X';
         }},
        {"e_lfanew far past the end",
         [](auto& b, auto&) {
             put32At(b, 0x3C, 0xFFFFFFF0);
         }},
        {"e_lfanew at the last two bytes",
         [](auto& b, auto&) {
             put32At(b, 0x3C, static_cast<std::uint32_t>(b.size() - 2));
         }},
        {"unknown optional header kind",
         [](auto& b, auto& l) {
             put16At(b, l.optional, 0x107);
         }},
        {"optional header too short for the resource entry",
         [](auto& b, auto& l) {
             put16At(b, l.coff + 16, 64);
         }},
        {"only two data directories",
         [](auto& b, auto& l) {
             put32At(b, l.directoryCount, 2);
         }},
        {"resource directory of size zero",
         [](auto& b, auto& l) {
             put32At(b, l.resourceEntry + 4, 0);
         }},
        {"resource directory outside every section",
         [](auto& b, auto& l) {
             put32At(b, l.resourceEntry, 0x7FFF0000);
         }},
        {"resource directory at the highest address",
         [](auto& b, auto& l) {
             put32At(b, l.resourceEntry, 0xFFFFFFFF);
         }},
        {"section data past the end of the file",
         [](auto& b, auto& l) {
             put32At(b, l.resourceSection + 20, static_cast<std::uint32_t>(b.size() + 0x200));
         }},
        {"section data at the highest file offset",
         [](auto& b, auto& l) {
             put32At(b, l.resourceSection + 20, 0xFFFFFE00);
         }},
        {"section table longer than the file",
         [](auto& b, auto& l) {
             put16At(b, l.coff + 2, 0xFFFF);
         }},
        {"type directory without entries",
         [](auto& b, auto& l) {
             put16At(b, l.root + 12, 0);
             put16At(b, l.root + 14, 0);
         }},
        {"type directory with more entries than the file holds",
         [](auto& b, auto& l) {
             put16At(b, l.root + 14, 0xFFFF);
         }},
        {"no entry of the version type",
         [](auto& b, auto& l) {
             put32At(b, l.typeEntry, 17);
         }},
        {"version type entry points back at the root",
         [=](auto& b, auto& l) {
             put32At(b, l.typeEntry + 4, directory);
         }},
        {"name directory points back at itself",
         [=](auto& b, auto& l) {
             put32At(b, l.nameDirectory + 20,
                     directory | static_cast<std::uint32_t>(l.nameDirectory - l.root));
         }},
        {"language entry is a directory",
         [=](auto& b, auto& l) {
             put32At(b, l.languageDirectory + 20,
                     directory | static_cast<std::uint32_t>(l.dataEntry - l.root));
         }},
        {"version type entry is not a directory",
         [](auto& b, auto& l) {
             put32At(b, l.typeEntry + 4, le32At(b, l.typeEntry + 4) & 0x7FFFFFFF);
         }},
        {"name entry points past the end",
         [=](auto& b, auto& l) {
             put32At(b, l.nameDirectory + 20, directory | 0x7FFFFFF0);
         }},
        {"version data of length zero",
         [](auto& b, auto& l) {
             put32At(b, l.dataEntry + 4, 0);
         }},
        {"version data outside every section",
         [](auto& b, auto& l) {
             put32At(b, l.dataEntry, 0xFFFFFFF0);
         }},
        {"version block of length zero",
         [](auto& b, auto& l) {
             put16At(b, l.versionInfo, 0);
         }},
        {"fixed file information shorter than its record",
         [](auto& b, auto& l) {
             put16At(b, l.versionInfo + 2, 20);
         }},
        {"another key than VS_VERSION_INFO",
         [](auto& b, auto& l) {
             b[l.versionInfo + 6] = 'X';
         }},
        {"wrong fixed-info signature",
         [](auto& b, auto& l) {
             put32At(b, l.fixedInfo, 0xFEEF04BE);
         }},
    };
    TempTree tree;
    for (const char* fixture : {"version-1.5.0.12.dll", "version-10.2.0.0.exe"}) {
        const std::string good = readPeFixture(fixture);
        const PeLayout layout = PeLayout::of(good);
        const std::string goodPath = tree.makeFile("good.dll", good);
        ASSERT_NE(versionAt(goodPath), "")
            << fixture; // the layout below is of a file that reads well
        for (const auto& c : cases) {
            std::string broken = good;
            c.mutate(broken, layout);
            ASSERT_NE(broken, good) << c.name;
            EXPECT_FALSE(parseExactCopy(broken)) << c.name;

            EXPECT_EQ(versionAt(tree.makeFile("broken.dll", broken)), "")
                << fixture << ": " << c.name;
        }
    }
}

} // namespace
} // namespace quiverel
