#pragma once

#include <cstdint>
#include <string>

namespace quiverel {

// A hierarchical store of named, typed values under keys, read the way the Windows registry is:
// open a key, query a value into a buffer the caller provides, close the key.
class Registry {
public:
    using Handle = std::uint32_t;

    static constexpr Handle HKEY_LOCAL_MACHINE = 0x80000002;
    // Value types.
    static constexpr std::uint32_t REG_SZ = 1;    // text, usually ended by a NUL
    static constexpr std::uint32_t REG_DWORD = 4; // 32-bit number, little-endian

    virtual ~Registry() = default;

    // Opens keyName under root with the given options and access mask. True, with key set to a
    // handle that must be closed, when the key exists and may be opened.
    virtual bool openKey(Handle root, const std::string& keyName, std::uint32_t options,
                         std::uint32_t access, Handle& key) = 0;

    // Copies the data of the value valueName of an open key into data, which has room for
    // dataSize bytes, and sets type and dataSize to the value's type and the number of bytes
    // written; no terminating NUL is added. False when the value does not exist, or when its
    // data needs more than dataSize bytes: then dataSize is set to the size needed and data is
    // left as it was.
    virtual bool queryValue(Handle key, const std::string& valueName, std::uint32_t& type,
                            unsigned char* data, std::uint32_t& dataSize) = 0;

    virtual void closeKey(Handle key) = 0;
};

} // namespace quiverel
