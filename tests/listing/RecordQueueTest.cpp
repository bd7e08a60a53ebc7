#include "listing/detail/RecordQueue.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace quiverel {
namespace {

// Record i: its number, then filler up to a length that varies from a byte to past a block.
std::string recordText(std::size_t i) {
    const std::size_t length = i % 499 == 0 ? (std::size_t{5} << 19) : 1 + (i * 7919) % 3000;
    std::string text = std::to_string(i) + ":";
    text.resize(std::max(length, text.size()), static_cast<char>('a' + i % 26));
    return text;
}

void write(RecordQueue& queue, std::string_view text) {
    std::memcpy(queue.room(text.size()), text.data(), text.size());
}

TEST(RecordQueueTest, ReaderTakesEveryRecordInOrderWhileTheWriterGoesOn) {
    constexpr std::size_t records = 3000;
    RecordQueue queue;
    std::thread writer([&] {
        for (std::size_t i = 0; i < records; ++i) {
            write(queue, recordText(i));
            if (i % 10 == 0) {
                queue.publish();
            }
        }
        queue.close();
    });
    std::size_t taken = 0;
    std::string_view record;
    while (queue.take(record)) {
        ASSERT_EQ(record, recordText(taken)) << taken;
        ++taken;
    }
    writer.join();
    EXPECT_EQ(taken, records);
    EXPECT_FALSE(queue.take(record));
}

TEST(RecordQueueTest, FailureOrAbandonEndsTheReadersWait) {
    RecordQueue failing;
    std::thread writer([&] {
        write(failing, "published");
        failing.publish();
        write(failing, "written");
        failing.fail(std::make_exception_ptr(std::runtime_error("no room")));
    });
    // The records written before the failure come first, then the failure in their wake.
    std::vector<std::string> taken;
    std::string_view record;
    EXPECT_THROW(
        {
            while (failing.take(record)) {
                taken.emplace_back(record);
            }
        },
        std::runtime_error);
    writer.join();
    EXPECT_EQ(taken, (std::vector<std::string>{"published", "written"}));

    RecordQueue abandoned;
    write(abandoned, "left behind");
    abandoned.publish();
    std::thread reader([&] {
        std::string_view left;
        while (abandoned.take(left)) {
        }
    });
    abandoned.abandon();
    reader.join();
    EXPECT_TRUE(abandoned.abandoned());
    EXPECT_FALSE(abandoned.take(record));
}

} // namespace
} // namespace quiverel
