#pragma once

#include <functional>
#include <system_error>
#include <thread>
#include <utility>

namespace quiverel {

// Work started on a thread of its own, waited for when this goes. Where the system has no
// thread to give, started() is false and the work is left undone, for the caller to do it
// where it is.
class AsideThread {
public:
    explicit AsideThread(std::function<void()> work) {
        try {
            m_thread = std::thread(std::move(work));
        } catch (const std::system_error&) {
            m_thread = std::thread();
        }
    }
    ~AsideThread() { join(); }
    AsideThread(const AsideThread&) = delete;
    AsideThread& operator=(const AsideThread&) = delete;

    bool started() const { return m_thread.joinable(); }
    // Waits for the work to end; at once when it was not started or has been waited for.
    void join() {
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }

private:
    std::thread m_thread;
};

} // namespace quiverel
