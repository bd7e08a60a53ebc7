#include "cli/Sha256Digest.h"

#include "cli/Sha256.h"
#include "platform/files/FileSystem.h"

#include <memory>

namespace quiverel::cli {
namespace {

constexpr std::size_t readSize = std::size_t{1} << 20;

bool digestContents(const fs::Descriptor& file, Sha256& hash) {
    // One buffer per thread, kept for the files that follow.
    thread_local const std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[readSize]);
    while (true) {
        const std::ptrdiff_t got = fs::readNext(file, std::span(buffer.get(), readSize));
        if (got <= 0) {
            return got == 0;
        }
        if (!hash.add(std::span(buffer.get(), static_cast<std::size_t>(got)))) {
            return false;
        }
    }
}

} // namespace

bool sha256OfFile(const fs::Descriptor& file, std::string& digest) {
    Sha256 hash;
    if (!hash.ok()) {
        return false;
    }
    fs::adviseSequential(file);
    Sha256::Hash result{};
    if (!digestContents(file, hash) || !hash.finish(result)) {
        return false;
    }
    static constexpr char hexDigits[] = "0123456789abcdef";
    digest.clear();
    for (const std::uint8_t byte : result) {
        digest += hexDigits[byte >> 4];
        digest += hexDigits[byte & 15];
    }
    return true;
}

} // namespace quiverel::cli
