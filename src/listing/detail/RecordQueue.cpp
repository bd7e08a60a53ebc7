#include "listing/detail/RecordQueue.h"

#include "kit/Varint.h"

#include <algorithm>

namespace quiverel {
namespace {

constexpr std::size_t blockSize = std::size_t{2} << 20;
constexpr std::size_t stillFilling = static_cast<std::size_t>(-1);

} // namespace

char* RecordQueue::room(std::size_t bytes) {
    const std::size_t framed = varint::sizeOf(bytes) + bytes;
    if (static_cast<std::size_t>(m_writeEnd - m_writeAt) < framed) {
        // Blocks after the first are backed by huge pages, so a short queue stays small.
        MappedBlock memory(std::max(blockSize, framed), m_blocksMade++ == 0
                                                            ? MappedBlock::Pages::Small
                                                            : MappedBlock::Pages::Huge);
        const std::lock_guard lock(m_mutex);
        if (!m_blocks.empty()) {
            m_blocks.back().end =
                static_cast<std::size_t>(m_writeAt - m_blocks.back().memory.data());
        }
        m_writeAt = memory.data();
        m_writeEnd = memory.data() + memory.size();
        m_blocks.push_back({std::move(memory), stillFilling});
    }
    char* record = varint::write(m_writeAt, bytes);
    m_writeAt = record + bytes;
    ++m_unpublished;
    return record;
}

void RecordQueue::publish() {
    if (m_unpublished == 0) {
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_publishedCount += m_unpublished;
    }
    m_unpublished = 0;
    m_published.notify_one();
}

void RecordQueue::close() {
    {
        const std::lock_guard lock(m_mutex);
        m_publishedCount += m_unpublished;
        m_closed = true;
    }
    m_unpublished = 0;
    m_published.notify_one();
}

void RecordQueue::fail(std::exception_ptr failure) {
    {
        const std::lock_guard lock(m_mutex);
        m_publishedCount += m_unpublished;
        m_failure = std::move(failure);
    }
    m_unpublished = 0;
    m_published.notify_one();
}

bool RecordQueue::take(std::string_view& record) {
    const char* start = nullptr;
    {
        std::unique_lock lock(m_mutex);
        m_published.wait(lock, [this] {
            return m_publishedCount > m_taken || m_closed || m_failure || abandoned();
        });
        if (abandoned()) {
            return false;
        }
        if (m_publishedCount == m_taken) {
            if (m_failure) {
                std::rethrow_exception(m_failure);
            }
            return false;
        }
        // Blocks wholly taken go back to the system.
        while (m_blocks.front().end == m_readOffset) {
            m_blocks.pop_front();
            m_readOffset = 0;
        }
        start = m_blocks.front().memory.data() + m_readOffset;
    }
    std::uint64_t size = 0;
    const char* const bytes = varint::read(start, size);
    record = {bytes, size};
    m_readOffset += static_cast<std::size_t>(bytes - start) + size;
    ++m_taken;
    return true;
}

void RecordQueue::abandon() {
    {
        const std::lock_guard lock(m_mutex);
        m_abandoned = true;
    }
    m_published.notify_one();
}

} // namespace quiverel
