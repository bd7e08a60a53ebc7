#include "listing/detail/FolderPrefetch.h"

#include "platform/files/FileSystem.h"

namespace quiverel {

FolderPrefetch::~FolderPrefetch() {
    {
        const std::lock_guard lock(m_mutex);
        m_ending = true;
        m_waiting.clear();
    }
    m_added.notify_all();
    for (const auto& thread : m_threads) {
        thread->join();
    }
}

void FolderPrefetch::add(std::string path) {
    {
        const std::lock_guard lock(m_mutex);
        m_waiting.push_back(std::move(path));
    }
    m_added.notify_one();
    // No thread to be had: the folder is simply not read ahead.
    while (m_threads.size() < m_threadCount) {
        m_threads.push_back(std::make_unique<AsideThread>([this] { run(); }));
    }
}

std::size_t FolderPrefetch::foldersRead() const {
    const std::lock_guard lock(m_mutex);
    return m_read;
}

void FolderPrefetch::run() {
    std::unique_lock lock(m_mutex);
    while (true) {
        m_added.wait(lock, [this] { return m_ending || !m_waiting.empty(); });
        if (m_ending) {
            return;
        }
        const std::string path = std::move(m_waiting.front());
        m_waiting.pop_front();
        lock.unlock();
        fs::readEntriesAhead(path);
        lock.lock();
        ++m_read;
    }
}

} // namespace quiverel
