#include "cli/Sha256Digest.h"

#include <openssl/evp.h>

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace quiverel::cli {
namespace {

constexpr std::size_t readSize = std::size_t{1} << 20;

struct ContextFree {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};

// Fetched once: an implicit fetch on every file would look the algorithm up each time.
const EVP_MD* sha256Algorithm() {
    static const EVP_MD* const algorithm = EVP_MD_fetch(nullptr, "SHA256", nullptr);
    return algorithm;
}

bool digestContents(int fd, EVP_MD_CTX* context) {
    // One buffer per thread, kept for the files that follow.
    thread_local const std::unique_ptr<char[]> buffer(new char[readSize]);
    while (true) {
        const ssize_t got = ::read(fd, buffer.get(), readSize);
        if (got == 0) {
            return true;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (EVP_DigestUpdate(context, buffer.get(), static_cast<std::size_t>(got)) != 1) {
            return false;
        }
    }
}

} // namespace

bool sha256OfFile(int fd, std::string& digest) {
    const std::unique_ptr<EVP_MD_CTX, ContextFree> context(EVP_MD_CTX_new());
    if (!context || sha256Algorithm() == nullptr ||
        EVP_DigestInit_ex(context.get(), sha256Algorithm(), nullptr) != 1) {
        return false;
    }
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    unsigned char hash[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!digestContents(fd, context.get()) ||
        EVP_DigestFinal_ex(context.get(), hash, &length) != 1) {
        return false;
    }
    static constexpr char hexDigits[] = "0123456789abcdef";
    digest.clear();
    for (unsigned int i = 0; i < length; ++i) {
        digest += hexDigits[hash[i] >> 4];
        digest += hexDigits[hash[i] & 15];
    }
    return true;
}

} // namespace quiverel::cli
