#include "kit/MappedBlock.h"
#include "kit/HugePages.h"
#include "kit/SystemPages.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace quiverel {
namespace {

TEST(MappedBlockTest, HugeBlocksOfWholePagesLieOnTheirBoundaryAndEveryByteIsUsable) {
    constexpr std::size_t huge = fs::hugePageBytes;
    const struct {
        std::size_t bytes;
        MappedBlock::Pages pages;
        bool onBoundary;
    } cases[] = {
        {huge, MappedBlock::Pages::Huge, true},
        {3 * huge, MappedBlock::Pages::Huge, true},
        {huge + 4096, MappedBlock::Pages::Huge, false}, // not whole pages: mapped as it is
        {4096, MappedBlock::Pages::Small, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        const MappedBlock block(c.bytes, c.pages);
        ASSERT_EQ(block.size(), c.bytes);
        // Where huge pages are not had on request, there is no boundary to keep.
        if (c.onBoundary && fs::hugePagesOnRequest()) {
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block.data()) % huge, 0U);
        }
        block.data()[0] = 'a';
        block.data()[c.bytes - 1] = 'z';
        EXPECT_EQ(block.data()[0] + block.data()[c.bytes - 1], 'a' + 'z');
    }
}

} // namespace
} // namespace quiverel
