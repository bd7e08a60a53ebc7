#pragma once

#include "kit/MappedBlock.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <string_view>

namespace quiverel {

// Byte records handed from one thread (the writer) to another (the reader), in order. They wait
// packed in large blocks, each given back to the system as soon as the reader has taken every
// record in it, so a long queue costs little more than its bytes and leaves nothing behind.
class RecordQueue {
public:
    // Writer: room for the next record, of exactly bytes bytes; write it before asking again.
    char* room(std::size_t bytes);
    // Writer: the records written so far become visible to the reader.
    void publish();
    // Writer: no more records follow; the reader takes what is left, then hears of the end.
    void close();
    // Writer: the writing failed; once the reader has taken the records written before, its next
    // take() throws the failure.
    void fail(std::exception_ptr failure);

    // Reader: the next record, waiting for it; false at the end. The view stays valid until the
    // next call.
    bool take(std::string_view& record);

    // Either side: ends the queue at once, dropping what is left; take() then returns false.
    void abandon();
    bool abandoned() const { return m_abandoned.load(std::memory_order_relaxed); }

private:
    struct Block {
        MappedBlock memory;
        std::size_t end; // where its last record ends, once the writer has moved on
    };

    std::mutex m_mutex;
    std::condition_variable m_published;
    std::deque<Block> m_blocks;
    std::size_t m_publishedCount = 0;
    bool m_closed = false;
    std::exception_ptr m_failure;
    std::atomic<bool> m_abandoned{false};

    // The writer's own.
    char* m_writeAt = nullptr;
    char* m_writeEnd = nullptr;
    std::size_t m_unpublished = 0;
    std::size_t m_blocksMade = 0;

    // The reader's own.
    std::size_t m_taken = 0;
    std::size_t m_readOffset = 0; // within the first block
};

} // namespace quiverel
