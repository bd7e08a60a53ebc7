#include "cli/Sha256.h"

#include <windows.h>

#include <bcrypt.h>

namespace quiverel::cli {
namespace {

// Opened once for the whole run: the provider serves every thread.
BCRYPT_ALG_HANDLE sha256Provider() {
    static const BCRYPT_ALG_HANDLE provider = [] {
        BCRYPT_ALG_HANDLE opened = nullptr;
        return BCryptOpenAlgorithmProvider(&opened, BCRYPT_SHA256_ALGORITHM, nullptr, 0) >= 0
                   ? opened
                   : nullptr;
    }();
    return provider;
}

} // namespace

struct Sha256::State {
    BCRYPT_HASH_HANDLE hash = nullptr;
    bool ok = sha256Provider() != nullptr &&
              BCryptCreateHash(sha256Provider(), &hash, nullptr, 0, nullptr, 0, 0) >= 0;
    ~State() {
        if (hash != nullptr) {
            BCryptDestroyHash(hash);
        }
    }
};

Sha256::Sha256() : m_state(std::make_unique<State>()) {}

Sha256::~Sha256() = default;

bool Sha256::ok() const {
    return m_state->ok;
}

bool Sha256::add(std::span<const std::uint8_t> bytes) {
    // BCryptHashData takes at most 4 GiB at once; the reads that feed it are far smaller.
    m_state->ok = m_state->ok && BCryptHashData(m_state->hash, const_cast<PUCHAR>(bytes.data()),
                                                static_cast<ULONG>(bytes.size()), 0) >= 0;
    return m_state->ok;
}

bool Sha256::finish(Hash& out) {
    return m_state->ok &&
           BCryptFinishHash(m_state->hash, out.data(), static_cast<ULONG>(out.size()), 0) >= 0;
}

} // namespace quiverel::cli
