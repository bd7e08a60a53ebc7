#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

namespace quiverel::cli {

// A SHA-256 worked out from bytes given piece by piece, by the system's own implementation
// (libcrypto, or Windows' cryptography API).
class Sha256 {
public:
    using Hash = std::array<std::uint8_t, 32>;

    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    // False when the hash cannot be had (then nothing more is taken).
    bool ok() const;
    bool add(std::span<const std::uint8_t> bytes);
    // The hash of all bytes added; false when it cannot be had.
    bool finish(Hash& out);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace quiverel::cli
