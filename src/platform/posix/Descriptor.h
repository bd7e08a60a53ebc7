#pragma once

#include <cerrno>
#include <cstdint>

namespace quiverel::fs {

// An open file descriptor, closed when it goes out of scope. A negative value holds nothing
// (AT_FDCWD included, so it can stand for the working directory).
//
// Every descriptor held in one counts as held by the process until it is closed, so that a
// thread that finds the process out of descriptors can tell whether one will come back (see
// openWhenFree).
class Descriptor {
public:
    explicit Descriptor(int fd);
    ~Descriptor() { reset(-1); }
    Descriptor(Descriptor&& other) noexcept;
    Descriptor& operator=(Descriptor&& other) noexcept;

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    // Closes what is held and holds fd instead.
    void reset(int fd);

    // A descriptor opened by openWhenFree, counted as held from before it was opened.
    struct AlreadyCounted {};
    Descriptor(int fd, AlreadyCounted) : m_fd(fd) {}

private:
    int m_fd;
};

// The process or the system has no descriptor to give (EMFILE, ENFILE).
bool isOutOfDescriptors(int error);
// A call failed for want of descriptors or memory, which says nothing about the file it
// concerned.
bool isShortOfResources(int error);

namespace detail {
// Counts the descriptor about to be opened as held; returns how many have been given back.
std::uint64_t beforeOpen();
// The open failed: nothing more is held.
void openFailed();
// Waits until a descriptor is given back after `seen` had been; false at once, or as soon as it
// becomes so, when every thread holding one is waiting itself (heldHere of them the caller's).
bool waitForGivenBack(std::uint64_t seen, int heldHere);

template <typename Open> Descriptor openCounted(Open open, std::uint64_t& givenBackBefore) {
    givenBackBefore = beforeOpen();
    const int fd = open();
    if (fd >= 0) {
        return Descriptor(fd, Descriptor::AlreadyCounted{});
    }
    const int error = errno;
    openFailed();
    errno = error;
    return Descriptor(-1);
}
} // namespace detail

// Runs open (a descriptor, or -1 with errno set) once. Holds nothing, with errno set, when it
// fails.
template <typename Open> Descriptor openOnce(Open open) {
    std::uint64_t givenBackBefore = 0;
    return detail::openCounted(open, givenBackBefore);
}

// Runs open until it gives a descriptor or fails for any reason but want of descriptors.
// Wanting one, it waits for another thread to give one back, and tries again; when every thread
// holding a descriptor is waiting for one too, waiting would never end, and it gives up.
// heldHere: the descriptors the caller holds while it waits. Holds nothing, with errno set,
// when it fails.
template <typename Open> Descriptor openWhenFree(Open open, int heldHere = 0) {
    while (true) {
        std::uint64_t givenBackBefore = 0;
        Descriptor opened = detail::openCounted(open, givenBackBefore);
        if (opened.isOpen() || !isOutOfDescriptors(errno)) {
            return opened;
        }
        const int error = errno;
        if (!detail::waitForGivenBack(givenBackBefore, heldHere)) {
            errno = error;
            return opened;
        }
    }
}

} // namespace quiverel::fs
