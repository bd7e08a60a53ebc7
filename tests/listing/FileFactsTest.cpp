#include "listing/FileFacts.h"

#include "listing/FactTexts.h"
#include "listing/LetterCase.h"
#include "listing/PathText.h"
#include "platform/files/FileSystem.h"
#include "support/TempTree.h"
#include "support/ZoneGuard.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

namespace quiverel {
namespace {

using testing::nativeSeparators;
using testing::setLength;
using testing::setModified;
using testing::ZoneGuard;

std::string fixture(const char* name) {
    return std::string(QUIVEREL_TEST_DATA) + "/pe/" + name;
}

struct Texts {
    std::string folder, fileName, size, stamp, version, extension;
};

struct Analysed {
    std::string display;
    Texts fields;
};

Analysed textsOf(const FileFacts& facts) {
    FactTexts texts;
    const RowTexts& row = texts.of(facts);
    return {facts.displayPath,
            {std::string(row[cell::folder]), std::string(row[cell::fileName]),
             std::string(row[cell::size]), std::string(row[cell::stamp]),
             std::string(row[cell::version]), std::string(row[cell::extension])}};
}

// Analyses the file at nativePath shown as display, into facts that may hold an earlier file's.
Analysed analyse(const std::string& nativePath, const std::string& display, bool upperCase,
                 FileFacts&& facts = {}) {
    analyseFile(fs::FileRef::atPath(nativePath), display, upperCase, facts);
    return textsOf(facts);
}

TEST(FileFactsTest, SplitsTheDisplayTextAtTheLastSeparator) {
    struct Case {
        std::string display;
        std::string pathName;
        std::string fileName;
        std::string extension;
        std::string version;
    };
    const Case cases[] = {
        {"/data/README", "/data/", "README", "", "-"},
        {"/data/ARCHIVE.TAR.GZ", "/data/", "ARCHIVE.TAR.GZ", "GZ", "-"},
        {"/data/archive.tar.gz", "/data/", "archive.tar.gz", "GZ", "-"},
        {"/home/.PROFILE", "/home/", ".PROFILE", "PROFILE", "-"},
        {"/data/NAME.", "/data/", "NAME.", "", "-"},
        {"/dir.d/noext", "/dir.d/", "noext", "", "-"},
        {"/", "/", "", "", "-"},
        {"/data/", "/data/", "", "", "-"},
        {"README.TXT", "README.TXT", "", "", "-"},
        {"/README", "/", "README", "", "-"},
        {"/ｶﾅ/名前.txt", "/ｶﾅ/", "名前.txt", "TXT", "-"},
        {"/data/setup.é", "/data/", "setup.é", "É", "-"},
        {"/gone/tool.DLL", "/gone/", "tool.DLL", "DLL", ""},
        {"/gone/tool.exe.bak", "/gone/", "tool.exe.bak", "BAK", "-"},
    };
    testing::TempTree tree;
    const std::string missing = tree.path("not-there");
    for (const auto& c : cases) {
        const std::string display = nativeSeparators(c.display);
        const Analysed a = analyse(missing, display, false);
        EXPECT_EQ(a.display, display);
        EXPECT_EQ(a.fields.folder, nativeSeparators(c.pathName)) << c.display;
        EXPECT_EQ(a.fields.fileName, c.fileName) << c.display;
        EXPECT_EQ(a.fields.extension, c.extension) << c.display;
        EXPECT_EQ(a.fields.version, c.version) << c.display;
    }
}

TEST(FileFactsTest, UpperCasesTheTextsButQueriesTheFileAsGiven) {
    testing::TempTree tree;
    tree.makeFolder("win");
    std::filesystem::copy_file(fixture("version-1.5.0.12.dll"), tree.path("win/notepad.exe"));
    const std::string native = tree.path("win/notepad.exe");

    const Analysed upper = analyse(native, native, true);
    EXPECT_EQ(upper.display, toUpperCase(native));
    EXPECT_EQ(upper.fields.folder, toUpperCase(tree.path("win/")));
    EXPECT_EQ(upper.fields.fileName, "NOTEPAD.EXE");
    EXPECT_EQ(upper.fields.extension, "EXE");
    EXPECT_FALSE(upper.fields.stamp.empty());
    EXPECT_EQ(upper.fields.version, "1.05.12");

    const Analysed asGiven = analyse(native, native, false);
    EXPECT_EQ(asGiven.display, native);
    EXPECT_EQ(asGiven.fields.folder, tree.path("win/"));
    EXPECT_EQ(asGiven.fields.fileName, "notepad.exe");
    EXPECT_EQ(asGiven.fields.extension, "EXE");
    EXPECT_EQ(asGiven.fields.version, "1.05.12");
}

TEST(FileFactsTest, SizeIsWholeBlocksPlusOneGroupedInThousands) {
    const struct {
        long long bytes;
        const char* text;
    } cases[] = {
        {0, "1KB"},
        {1, "1KB"},
        {1023, "1KB"},
        {1024, "2KB"},
        {2048, "3KB"},
        {1048575, "1,024KB"},
        {1048576, "1,025KB"},
        {123456789, "120,564KB"},
        {2147483647LL, "2,097,152KB"},
        {5LL * 1024 * 1024 * 1024, "5,242,881KB"},
        {LLONG_MAX, "9,007,199,254,740,992KB"},
        {-1, "1KB"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatSizeKB(c.bytes), c.text) << c.bytes;
    }
}

TEST(FileFactsTest, SizeComesFromTheFileItself) {
    testing::TempTree tree;
    const struct {
        long long bytes;
        const char* text;
    } cases[] = {{0, "1KB"}, {1024, "2KB"}, {5LL * 1024 * 1024 * 1024, "5,242,881KB"}};
    for (const auto& c : cases) {
        const std::string file = tree.makeFile("sized-" + std::to_string(c.bytes));
        setLength(file, c.bytes);
        EXPECT_EQ(analyse(file, file, false).fields.size, c.text) << c.bytes;
    }
}

TEST(FileFactsTest, StampIsLocalTimeToTheMinute) {
    const struct {
        const char* zone;
        long long seconds;
        const char* text;
    } cases[] = {
        {"UTC0", 0, "1970/01/01 00:00"},
        {"JST-9", 0, "1970/01/01 09:00"},
        {"UTC0", 981173159, "2001/02/03 04:05"}, // 04:05:59, seconds are cut off
        {"UTC0", -1, "1969/12/31 23:59"},
        {"UTC0", -2208988800LL, "1900/01/01 00:00"},
        {"UTC0", 2147483648LL, "2038/01/19 03:14"},
        {"UTC0", 253402300799LL, "9999/12/31 23:59"},
        {"JST-9", 1700000000LL, "2023/11/15 07:13"},
        {"UTC0", LLONG_MAX, ""},
    };
    for (const auto& c : cases) {
        const ZoneGuard zone(c.zone);
        EXPECT_EQ(formatStamp(c.seconds), c.text) << c.zone << " " << c.seconds;
    }
}

TEST(FileFactsTest, StampComesFromTheModificationTime) {
    const ZoneGuard zone("UTC0");
    testing::TempTree tree;
    const struct {
        long long seconds;
        const char* text;
    } cases[] = {
        {981173159, "2001/02/03 04:05"},
        {-86400LL * 365, "1969/01/01 00:00"},
        {4102444800LL, "2100/01/01 00:00"}, // ext4 keeps times up to the year 2446
    };
    for (const auto& c : cases) {
        const std::string file = tree.makeFile("stamped-" + std::to_string(c.seconds));
        setModified(file, c.seconds);
        EXPECT_EQ(analyse(file, file, false).fields.stamp, c.text) << c.seconds;
    }
}

TEST(FileFactsTest, VersionIsReadOnlyForProgramExtensions) {
    testing::TempTree tree;
    const struct {
        const char* source;
        const char* name;
        const char* version;
    } cases[] = {
        {"version-1.5.0.12.dll", "tool.dll", "1.05.12"},
        {"version-1.5.0.12.dll", "mixed.Dll", "1.05.12"}, // a name of its own where case is ignored
        {"version-1.5.0.12.dll", "tool.ocx", "1.05.12"},
        {"version-4.0.1381.1.dll", "tool.EXE", "4.00.90505217"},
        {"no-version.exe", "plain.exe", ""},
        {"no-resources.dll", "plain.dll", ""},
        {"version-1.5.0.12.dll", "tool.txt", "-"},
        {"version-1.5.0.12.dll", "tool.dlx", "-"},
        {"version-1.5.0.12.dll", "tool.dll.old", "-"},
        {"version-1.5.0.12.dll", "dll", "-"},
    };
    for (const auto& c : cases) {
        const std::string file = tree.path(c.name);
        std::filesystem::copy_file(fixture(c.source), file);
        EXPECT_EQ(analyse(file, file, false).fields.version, c.version) << c.name;
    }
    const std::string notAFile = tree.makeFolder("folder.dll");
    EXPECT_EQ(analyse(notAFile, notAFile, false).fields.version, "");
}

TEST(FileFactsTest, VanishedFileStillGetsEveryOtherField) {
    testing::TempTree tree;
    const std::string file = tree.makeFile("gone.txt", std::string(5000, 'x'));
    ASSERT_TRUE(std::filesystem::remove(testing::fileSystemPath(file)));
    FileFacts stale;
    analyseFile(fs::FileRef::atPath(fixture("version-1.5.0.12.dll")), "/stale/name.dll", false,
                stale);
    const Analysed a = analyse(file, file, false, std::move(stale));
    EXPECT_EQ(a.fields.folder, tree.path(""));
    EXPECT_EQ(a.fields.fileName, "gone.txt");
    EXPECT_EQ(a.fields.size, "1KB");
    EXPECT_EQ(a.fields.stamp, "");
    EXPECT_EQ(a.fields.extension, "TXT");
    EXPECT_EQ(a.fields.version, "-");
}

} // namespace
} // namespace quiverel
