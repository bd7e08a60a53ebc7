#include "cli/Sha256.h"

#include <openssl/evp.h>

namespace quiverel::cli {
namespace {

// Fetched once: an implicit fetch on every file would look the algorithm up each time.
const EVP_MD* sha256Algorithm() {
    static const EVP_MD* const algorithm = EVP_MD_fetch(nullptr, "SHA256", nullptr);
    return algorithm;
}

} // namespace

struct Sha256::State {
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    bool ok = context != nullptr && sha256Algorithm() != nullptr &&
              EVP_DigestInit_ex(context, sha256Algorithm(), nullptr) == 1;
    ~State() { EVP_MD_CTX_free(context); }
};

Sha256::Sha256() : m_state(std::make_unique<State>()) {}

Sha256::~Sha256() = default;

bool Sha256::ok() const {
    return m_state->ok;
}

bool Sha256::add(std::span<const std::uint8_t> bytes) {
    m_state->ok =
        m_state->ok && EVP_DigestUpdate(m_state->context, bytes.data(), bytes.size()) == 1;
    return m_state->ok;
}

bool Sha256::finish(Hash& out) {
    unsigned int length = 0;
    return m_state->ok && EVP_DigestFinal_ex(m_state->context, out.data(), &length) == 1 &&
           length == out.size();
}

} // namespace quiverel::cli
