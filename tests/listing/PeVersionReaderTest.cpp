#include "listing/pe/PeVersionReader.h"

#include "listing/PeFixtures.h"
#include "listing/pe/FileByteSource.h"
#include "listing/pe/MemoryByteSource.h"
#include "platform/files/FileSystem.h"
#include "support/TempTree.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace quiverel {
namespace {

using namespace quiverel::testing;

// Reads every range of the table from the source and checks which succeed and what they give.
void expectBoundedReads(const ByteSource& source, const std::string& content) {
    struct Case {
        std::uint64_t offset;
        std::size_t length;
        bool succeeds;
    };
    constexpr auto top = std::numeric_limits<std::uint64_t>::max();
    const std::uint64_t size = content.size();
    const Case cases[] = {
        {0, 4, true},         {size - 4, 4, true}, {size, 0, true},
        {size - 3, 4, false}, {size, 1, false},    {size + 1, 0, false},
        {top, 1, false},      {top - 2, 4, false}, {top / 2, 16, false},
    };
    ASSERT_EQ(source.size(), size);
    for (const auto& c : cases) {
        std::vector<std::uint8_t> out(c.length);
        EXPECT_EQ(source.read(c.offset, out), c.succeeds) << c.offset << "+" << c.length;
        if (c.succeeds) {
            EXPECT_TRUE(std::equal(out.begin(), out.end(), bytesOf(content) + c.offset));
        }
    }
}

TEST(PeVersionReaderTest, ByteSourcesRefuseEveryRangeBeyondTheirEnd) {
    const std::string content = "0123456789abcdef";
    expectBoundedReads(MemoryByteSource(bytesOf(content), content.size()), content);

    TempTree tree;
    const std::string path = tree.makeFile("bytes", content);
    const fs::Descriptor fd = fs::openForReading(path);
    ASSERT_TRUE(fd.isOpen());
    expectBoundedReads(FileByteSource(fd, content.size()), content);
}

// Pieces read in any order, across the windows the source reads ahead, and larger than one,
// are the file's bytes.
TEST(PeVersionReaderTest, FileSourceGivesEveryPieceWhereverItLies) {
    std::string content(70000, '\0');
    for (std::size_t i = 0; i < content.size(); ++i) {
        content[i] = static_cast<char>(i * 131 % 251);
    }
    TempTree tree;
    const std::string path = tree.makeFile("large", content);
    const fs::Descriptor fd = fs::openForReading(path);
    ASSERT_TRUE(fd.isOpen());
    const FileByteSource source(fd, content.size());
    const struct {
        std::uint64_t offset;
        std::size_t length;
    } pieces[] = {{0, 64},        {16380, 8},  {100, 20},    {16384, 1},
                  {20000, 40000}, {69990, 10}, {69000, 990}, {5, 16384}};
    for (const auto& piece : pieces) {
        std::vector<std::uint8_t> out(piece.length);
        ASSERT_TRUE(source.read(piece.offset, out)) << piece.offset;
        EXPECT_TRUE(std::equal(out.begin(), out.end(), bytesOf(content) + piece.offset))
            << piece.offset << "+" << piece.length;
    }
}

TEST(PeVersionReaderTest, FileSourceFailsWhenTheFileShrinksUnderIt) {
    TempTree tree;
    const std::string path = tree.makeFile("bytes", "0123456789abcdef");
    const fs::Descriptor fd = fs::openForReading(path);
    ASSERT_TRUE(fd.isOpen());
    const FileByteSource source(fd, 16);
    std::filesystem::resize_file(path, 6);
    std::vector<std::uint8_t> out(4);
    EXPECT_TRUE(source.read(0, out));
    EXPECT_FALSE(source.read(4, out));
}

// A memory source that keeps count of what is read from it.
class CountingSource final : public ByteSource {
public:
    explicit CountingSource(const std::string& bytes) : m_memory(bytesOf(bytes), bytes.size()) {}
    std::uint64_t size() const override { return m_memory.size(); }
    bool read(std::uint64_t offset, std::span<std::uint8_t> out) const override {
        total += out.size();
        largest = std::max(largest, out.size());
        return m_memory.read(offset, out);
    }
    mutable std::size_t total = 0;
    mutable std::size_t largest = 0;

private:
    MemoryByteSource m_memory;
};

TEST(PeVersionReaderTest, ReadsOnlyTheFewBytesItNeedsOfALargeImage) {
    for (const char* fixture : {"version-4.0.1381.1.dll", "version-named-two-languages.exe"}) {
        std::string image = readPeFixture(fixture);
        image.resize(image.size() + 16 * 1024 * 1024, '\xAB');
        const CountingSource source(image);
        EXPECT_TRUE(readFixedFileInfo(source).has_value()) << fixture;
        EXPECT_LE(source.total, 1024u) << fixture;
        EXPECT_LE(source.largest, 256u) << fixture;
    }
}

TEST(PeVersionReaderTest, SplitsTheFileVersionIntoItsTwoDoubleWords) {
    const std::string image = readPeFixture("version-65535.65535.65535.65535.exe");
    const auto info = parseExactCopy(image);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->fileVersionMS, 0xFFFFFFFFu);
    EXPECT_EQ(info->fileVersionLS, 0xFFFFFFFFu);

    const std::string other = readPeFixture("version-4.0.1381.1.dll");
    const auto second = parseExactCopy(other);
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->fileVersionMS, 0x00040000u);
    EXPECT_EQ(second->fileVersionLS, 0x05650001u);

    EXPECT_FALSE(parseFixedFileInfo(nullptr, 0));
    EXPECT_FALSE(parseFixedFileInfo(nullptr, 4096));
}

} // namespace
} // namespace quiverel
