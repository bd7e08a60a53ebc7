#include "platform/files/Descriptor.h"

#include <condition_variable>
#include <mutex>
#include <utility>

namespace quiverel::fs {
namespace {

struct Holdings {
    std::mutex mutex;
    std::condition_variable changed;
    long long held = 0;          // descriptors held, or being opened, in the whole process
    long long heldByWaiting = 0; // of them, those held by threads waiting for another
    int waiting = 0;             // threads waiting for a descriptor
    std::uint64_t givenBack = 0; // descriptors given back so far
};

Holdings& holdings() {
    static Holdings shared;
    return shared;
}

void noteHeld() {
    Holdings& shared = holdings();
    const std::lock_guard lock(shared.mutex);
    ++shared.held;
}

// One fewer held; a descriptor given back lets a waiting thread try again, and an open that
// failed may leave every holder waiting, which they must learn.
void noteNoLongerHeld(bool givenBack) {
    Holdings& shared = holdings();
    bool anyWaiting = false;
    {
        const std::lock_guard lock(shared.mutex);
        --shared.held;
        shared.givenBack += givenBack ? 1 : 0;
        anyWaiting = shared.waiting > 0;
    }
    if (anyWaiting) {
        shared.changed.notify_all();
    }
}

} // namespace

Descriptor::Descriptor(NativeHandle handle) : m_handle(handle) {
    if (handle != noHandle) {
        noteHeld();
    }
}

Descriptor::Descriptor(Descriptor&& other) noexcept
    : m_handle(std::exchange(other.m_handle, noHandle)) {}

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
    if (this != &other) {
        reset();
        m_handle = std::exchange(other.m_handle, noHandle);
    }
    return *this;
}

void Descriptor::reset(NativeHandle handle) {
    if (m_handle != noHandle) {
        detail::close(m_handle);
        noteNoLongerHeld(true);
    }
    m_handle = handle;
    if (handle != noHandle) {
        noteHeld();
    }
}

namespace detail {

std::uint64_t beforeOpen() {
    Holdings& shared = holdings();
    const std::lock_guard lock(shared.mutex);
    ++shared.held;
    return shared.givenBack;
}

void openFailed() {
    noteNoLongerHeld(false);
}

bool waitForGivenBack(std::uint64_t seen, int heldHere) {
    Holdings& shared = holdings();
    std::unique_lock lock(shared.mutex);
    const auto hopeless = [&] {
        return shared.held <= shared.heldByWaiting + heldHere;
    };
    if (shared.givenBack == seen && hopeless()) {
        // The threads already waiting learn that no descriptor will come back for them either.
        if (shared.waiting > 0) {
            shared.changed.notify_all();
        }
        return false;
    }
    ++shared.waiting;
    shared.heldByWaiting += heldHere;
    shared.changed.wait(
        lock, [&] { return shared.givenBack != seen || shared.held <= shared.heldByWaiting; });
    --shared.waiting;
    shared.heldByWaiting -= heldHere;
    return shared.givenBack != seen;
}

} // namespace detail
} // namespace quiverel::fs
