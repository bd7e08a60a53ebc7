#pragma once

#include <unistd.h>

namespace quiverel::fs {

// An open file descriptor, closed when it goes out of scope. A negative value holds nothing
// (AT_FDCWD included, so it can stand for the working directory).
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() { reset(-1); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    // Closes what is held and holds fd instead.
    void reset(int fd) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = fd;
    }

private:
    int m_fd;
};

} // namespace quiverel::fs
