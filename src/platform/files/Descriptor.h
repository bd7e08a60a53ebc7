#pragma once

#include <cstdint>

namespace quiverel::fs {

// What the system hands out for an open file or folder: a descriptor number on POSIX systems, a
// handle on Windows.
#ifdef _WIN32
using NativeHandle = void*;
inline constexpr NativeHandle noHandle = nullptr;
#else
using NativeHandle = int;
inline constexpr NativeHandle noHandle = -1;
#endif

// The last error of the calling thread, as the system keeps it (errno, or GetLastError), and
// setting it back after other calls may have changed it.
int lastError();
void setLastError(int error);

// An open file or folder, closed when it goes out of scope.
//
// Every one held counts as held by the process until it is closed, so that a thread that finds
// the process out of descriptors can tell whether one will come back (see openWhenFree).
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(NativeHandle handle);
    ~Descriptor() { reset(); }
    Descriptor(Descriptor&& other) noexcept;
    Descriptor& operator=(Descriptor&& other) noexcept;

    NativeHandle get() const { return m_handle; }
    bool isOpen() const { return m_handle != noHandle; }
    // Closes what is held and holds handle instead.
    void reset(NativeHandle handle = noHandle);

    // One opened by openWhenFree, counted as held from before it was opened.
    struct AlreadyCounted {};
    Descriptor(NativeHandle handle, AlreadyCounted) : m_handle(handle) {}

private:
    NativeHandle m_handle = noHandle;
};

// The process or the system has no descriptor to give.
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
// Gives the handle back to the system.
void close(NativeHandle handle);

template <typename Open> Descriptor openCounted(Open open, std::uint64_t& givenBackBefore) {
    givenBackBefore = beforeOpen();
    const NativeHandle handle = open();
    if (handle != noHandle) {
        return Descriptor(handle, Descriptor::AlreadyCounted{});
    }
    const int error = lastError();
    openFailed();
    setLastError(error);
    return Descriptor();
}
} // namespace detail

// Runs open (a handle, or noHandle with the last error set) once. Holds nothing, with the last
// error set, when it fails.
template <typename Open> Descriptor openOnce(Open open) {
    std::uint64_t givenBackBefore = 0;
    return detail::openCounted(open, givenBackBefore);
}

// Runs open until it gives a handle or fails for any reason but want of descriptors. Wanting
// one, it waits for another thread to give one back, and tries again; when every thread holding
// a descriptor is waiting for one too, waiting would never end, and it gives up. heldHere: the
// descriptors the caller holds while it waits. Holds nothing, with the last error set, when it
// fails.
template <typename Open> Descriptor openWhenFree(Open open, int heldHere = 0) {
    while (true) {
        std::uint64_t givenBackBefore = 0;
        Descriptor opened = detail::openCounted(open, givenBackBefore);
        if (opened.isOpen() || !isOutOfDescriptors(lastError())) {
            return opened;
        }
        const int error = lastError();
        if (!detail::waitForGivenBack(givenBackBefore, heldHere)) {
            setLastError(error);
            return opened;
        }
    }
}

} // namespace quiverel::fs
