#pragma once

#include "kit/AsideThread.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace quiverel {

// Reads folders ahead of the search, on threads of their own, so that the system has their
// entries at hand by the time the search comes to them: when the disk has to be asked, several
// folders are asked for at once instead of one after the other. Only a hint: a folder that
// cannot be read is passed over, and nothing read is kept.
class FolderPrefetch {
public:
    explicit FolderPrefetch(unsigned threads = 4) : m_threadCount(threads) {}
    // Drops the folders still waiting and waits for the threads.
    ~FolderPrefetch();
    FolderPrefetch(const FolderPrefetch&) = delete;
    FolderPrefetch& operator=(const FolderPrefetch&) = delete;

    // Asks for the folder at the native path to be read ahead; the threads start at the first.
    void add(std::string path);
    // The folders read ahead so far.
    std::size_t foldersRead() const;

private:
    void run();

    const unsigned m_threadCount;
    mutable std::mutex m_mutex;
    std::condition_variable m_added;
    std::deque<std::string> m_waiting;
    bool m_ending = false;
    std::size_t m_read = 0;
    std::vector<std::unique_ptr<AsideThread>> m_threads;
};

} // namespace quiverel
