#include "MinimalPe.h"

namespace quiverel::bench {
namespace {

constexpr std::uint32_t peHeaderOffset = 0x40;
constexpr std::uint32_t optionalHeaderSize = 224; // PE32 with 16 data directories
constexpr std::uint32_t sectionTableOffset = peHeaderOffset + 4 + 20 + optionalHeaderSize;
constexpr std::uint32_t fileAlignment = 0x200;
constexpr std::uint32_t sectionAlignment = 0x1000;
constexpr std::uint32_t resourceRva = sectionAlignment;
constexpr std::uint32_t resourceFileOffset = fileAlignment;
constexpr std::uint32_t subdirectoryBit = 0x80000000;

void put16(std::string& image, std::size_t offset, std::uint32_t value) {
    image[offset] = static_cast<char>(value & 0xFF);
    image[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& image, std::size_t offset, std::uint32_t value) {
    put16(image, offset, value & 0xFFFF);
    put16(image, offset + 2, value >> 16);
}

// A resource directory with one entry identified by id, pointing at target.
void putDirectory(std::string& image, std::size_t offset, std::uint32_t id, std::uint32_t target) {
    put16(image, offset + 14, 1); // one entry identified by number
    put32(image, offset + 16, id);
    put32(image, offset + 20, target);
}

} // namespace

std::string minimalVersionDll(std::uint16_t major, std::uint16_t minor, std::uint16_t build,
                              std::uint16_t revision) {
    // The resource section: type 16 -> name 1 -> language 0x409 -> data entry -> VS_VERSIONINFO.
    constexpr std::uint32_t typeDirectory = 0;
    constexpr std::uint32_t nameDirectory = 24;
    constexpr std::uint32_t languageDirectory = 48;
    constexpr std::uint32_t dataEntry = 72;
    constexpr std::uint32_t versionInfo = 88;
    constexpr std::uint32_t fixedInfo = versionInfo + 40; // after header, key and padding
    constexpr std::uint32_t versionInfoSize = 40 + 52;
    constexpr std::uint32_t resourceSize = versionInfo + versionInfoSize;

    std::string image(resourceFileOffset + fileAlignment, '\0');
    image[0] = 'M';
    image[1] = 'Z';
    put32(image, 0x3C, peHeaderOffset);
    image.replace(peHeaderOffset, 4, std::string("PE\0\0", 4));

    const std::size_t coff = peHeaderOffset + 4;
    put16(image, coff, 0x014C); // i386
    put16(image, coff + 2, 1);  // one section
    put16(image, coff + 16, optionalHeaderSize);
    put16(image, coff + 18, 0x2102); // executable image, 32-bit, DLL

    const std::size_t optional = coff + 20;
    put16(image, optional, 0x010B);          // PE32
    put32(image, optional + 28, 0x10000000); // image base
    put32(image, optional + 32, sectionAlignment);
    put32(image, optional + 36, fileAlignment);
    put16(image, optional + 40, 4);                              // operating system version 4.0
    put16(image, optional + 48, 4);                              // subsystem version 4.0
    put32(image, optional + 56, resourceRva + sectionAlignment); // size of image
    put32(image, optional + 60, resourceFileOffset);             // size of headers
    put16(image, optional + 68, 2);                              // Windows GUI subsystem
    put32(image, optional + 92, 16);                             // data directories
    put32(image, optional + 96 + 2 * 8, resourceRva);            // resource directory
    put32(image, optional + 96 + 2 * 8 + 4, resourceSize);

    const std::size_t section = sectionTableOffset;
    image.replace(section, 5, ".rsrc");
    put32(image, section + 8, resourceSize);
    put32(image, section + 12, resourceRva);
    put32(image, section + 16, fileAlignment);
    put32(image, section + 20, resourceFileOffset);
    put32(image, section + 36, 0x40000040); // initialized data, readable

    const std::size_t base = resourceFileOffset;
    putDirectory(image, base + typeDirectory, 16, subdirectoryBit | nameDirectory);
    putDirectory(image, base + nameDirectory, 1, subdirectoryBit | languageDirectory);
    putDirectory(image, base + languageDirectory, 0x409, dataEntry);
    put32(image, base + dataEntry, resourceRva + versionInfo);
    put32(image, base + dataEntry + 4, versionInfoSize);

    put16(image, base + versionInfo, versionInfoSize);
    put16(image, base + versionInfo + 2, 52); // the fixed file information
    const std::string key = "VS_VERSION_INFO";
    for (std::size_t i = 0; i < key.size(); ++i) {
        put16(image, base + versionInfo + 6 + 2 * i, static_cast<unsigned char>(key[i]));
    }
    const std::size_t fixed = base + fixedInfo;
    put32(image, fixed, 0xFEEF04BD);
    put32(image, fixed + 4, 0x00010000);
    put32(image, fixed + 8, (std::uint32_t{major} << 16) | minor);
    put32(image, fixed + 12, (std::uint32_t{build} << 16) | revision);
    put32(image, fixed + 16, (std::uint32_t{major} << 16) | minor);
    put32(image, fixed + 20, (std::uint32_t{build} << 16) | revision);
    put32(image, fixed + 24, 0x3F);    // flags mask
    put32(image, fixed + 32, 0x40004); // Windows NT
    put32(image, fixed + 36, 2);       // DLL
    return image;
}

} // namespace quiverel::bench
