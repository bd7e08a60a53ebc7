#include "listing/pe/PeVersionReader.h"

#include "listing/pe/MemoryByteSource.h"

#include <algorithm>
#include <array>

namespace quiverel {
namespace {

// All offsets and sizes below are widened to 64 bits before any sum, so no field value,
// however large, can wrap around.
using Offset = std::uint64_t;

constexpr std::uint16_t dosMagic = 0x5A4D;        // "MZ"
constexpr Offset dosNewHeaderField = 0x3C;        // e_lfanew
constexpr std::uint32_t peSignature = 0x00004550; // "PE\0\0"
constexpr Offset signatureSize = 4;
constexpr Offset coffSectionCountField = 2;
constexpr Offset coffOptionalHeaderSizeField = 16;
constexpr Offset coffHeaderSize = 20;
constexpr std::uint16_t pe32Magic = 0x10B;
constexpr std::uint16_t pe32PlusMagic = 0x20B;
constexpr Offset pe32DirectoryCountField = 92; // NumberOfRvaAndSizes, data directories follow
constexpr Offset pe32PlusDirectoryCountField = 108;
constexpr Offset sectionHeaderSize = 40;
constexpr std::uint32_t resourceDirectoryIndex = 2;
constexpr Offset dataDirectorySize = 8;

constexpr std::uint32_t versionResourceType = 16;
constexpr std::uint32_t subdirectoryFlag = 0x80000000;
constexpr Offset resourceDirectoryHeaderSize = 16;
constexpr Offset resourceEntrySize = 8;
constexpr Offset resourceDataEntrySize = 16;
constexpr int resourceLevels = 3; // type, name, language

// VS_VERSIONINFO: wLength, wValueLength, wType, the key "VS_VERSION_INFO" in UTF-16 with its
// terminating zero, padding to a 32-bit boundary, then VS_FIXEDFILEINFO as the value.
constexpr std::array<char, 16> versionInfoKey = {'V', 'S', '_', 'V', 'E', 'R', 'S', 'I',
                                                 'O', 'N', '_', 'I', 'N', 'F', 'O', '\0'};
constexpr Offset versionKeyOffset = 6;
constexpr Offset fixedInfoOffset = (versionKeyOffset + 2 * versionInfoKey.size() + 3) & ~Offset{3};
constexpr Offset fixedInfoSize = 52;
constexpr Offset versionHeadSize = fixedInfoOffset + fixedInfoSize;
constexpr std::uint32_t fixedInfoSignature = 0xFEEF04BD;

std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Where the resource directory is and where the section table that maps it lies.
struct ImageLayout {
    std::uint32_t resourceRva = 0;
    Offset sectionTableOffset = 0;
    std::uint16_t sectionCount = 0;
};

std::optional<ImageLayout> readImageLayout(const ByteSource& image) {
    std::array<std::uint8_t, 64> dos{};
    if (!image.read(0, dos) || le16(dos.data()) != dosMagic) {
        return std::nullopt;
    }
    const Offset peOffset = le32(dos.data() + dosNewHeaderField);

    // The signature, the COFF header and the optional header's magic number.
    std::array<std::uint8_t, signatureSize + coffHeaderSize + 2> pe{};
    if (!image.read(peOffset, pe) || le32(pe.data()) != peSignature) {
        return std::nullopt;
    }
    const std::uint8_t* coff = pe.data() + signatureSize;
    const std::uint16_t sectionCount = le16(coff + coffSectionCountField);
    const Offset optionalHeaderSize = le16(coff + coffOptionalHeaderSizeField);
    const Offset optionalOffset = peOffset + signatureSize + coffHeaderSize;
    const std::uint16_t magic = le16(coff + coffHeaderSize);

    Offset directoryCountField = 0;
    if (magic == pe32Magic) {
        directoryCountField = pe32DirectoryCountField;
    } else if (magic == pe32PlusMagic) {
        directoryCountField = pe32PlusDirectoryCountField;
    } else {
        return std::nullopt;
    }
    const Offset resourceEntryField =
        directoryCountField + 4 + resourceDirectoryIndex * dataDirectorySize;
    const Offset neededSize = resourceEntryField + dataDirectorySize;
    if (optionalHeaderSize < neededSize) {
        return std::nullopt;
    }
    std::array<std::uint8_t, pe32PlusDirectoryCountField + 4 + 3 * dataDirectorySize> optional{};
    const auto needed = std::span(optional).first(neededSize);
    if (!image.read(optionalOffset, needed)) {
        return std::nullopt;
    }
    const std::uint32_t directoryCount = le32(needed.data() + directoryCountField);
    const std::uint32_t resourceRva = le32(needed.data() + resourceEntryField);
    const std::uint32_t resourceSize = le32(needed.data() + resourceEntryField + 4);
    if (directoryCount <= resourceDirectoryIndex || resourceRva == 0 || resourceSize == 0) {
        return std::nullopt;
    }

    const Offset sectionTableOffset = optionalOffset + optionalHeaderSize;
    if (!rangeFits(sectionTableOffset, sectionCount * sectionHeaderSize, image.size())) {
        return std::nullopt;
    }
    return ImageLayout{resourceRva, sectionTableOffset, sectionCount};
}

// One section: a run of the image's address space and the file bytes that back its start.
struct Section {
    Offset rva = 0;
    Offset virtualEnd = 0;
    Offset fileOffset = 0;
    Offset fileSize = 0;
};

// Maps addresses of the loaded image (RVAs) to file offsets through the section table, which
// it reads a few headers at a time; the last section found is kept, as reads cluster.
class SectionMap {
public:
    SectionMap(const ByteSource& image, const ImageLayout& layout)
        : m_image(image), m_layout(layout) {}

    // The file offset of [rva, rva + length) when all of it lies in one section's file bytes.
    std::optional<Offset> fileOffset(Offset rva, Offset length) {
        if (!m_last || rva < m_last->rva || rva >= m_last->virtualEnd) {
            m_last = find(rva);
        }
        if (!m_last || !rangeFits(rva - m_last->rva, length, m_last->fileSize)) {
            return std::nullopt;
        }
        return m_last->fileOffset + (rva - m_last->rva);
    }

private:
    std::optional<Section> find(Offset rva) const {
        constexpr Offset perRead = 16;
        std::array<std::uint8_t, perRead * sectionHeaderSize> headers{};
        for (Offset first = 0; first < m_layout.sectionCount; first += perRead) {
            const Offset count = std::min<Offset>(perRead, m_layout.sectionCount - first);
            const auto chunk = std::span(headers).first(count * sectionHeaderSize);
            if (!m_image.read(m_layout.sectionTableOffset + first * sectionHeaderSize, chunk)) {
                return std::nullopt;
            }
            for (Offset i = 0; i < count; ++i) {
                const std::uint8_t* header = chunk.data() + i * sectionHeaderSize;
                const Section section = sectionOf(header);
                if (rva >= section.rva && rva < section.virtualEnd) {
                    return section;
                }
            }
        }
        return std::nullopt;
    }

    static Section sectionOf(const std::uint8_t* header) {
        const Offset virtualSize = le32(header + 8);
        const Offset rva = le32(header + 12);
        const Offset fileSize = le32(header + 16);
        const Offset fileOffset = le32(header + 20);
        return Section{rva, rva + std::max(virtualSize, fileSize), fileOffset, fileSize};
    }

    const ByteSource& m_image;
    ImageLayout m_layout;
    std::optional<Section> m_last;
};

// Reads an exact range of the image given by its RVA.
bool readAt(const ByteSource& image, SectionMap& sections, Offset rva,
            std::span<std::uint8_t> out) {
    const auto offset = sections.fileOffset(rva, out.size());
    return offset && image.read(*offset, out);
}

struct ResourceEntry {
    std::uint32_t nameOrId = 0;
    std::uint32_t target = 0; // subdirectoryFlag set: a directory, else a data entry
};

// The entry chosen in the resource directory at rva: the one with the version type's number
// on the type level, the first one on the other levels. Nothing when the directory's entries
// do not all lie in the file or no entry fits.
std::optional<ResourceEntry> chooseEntry(const ByteSource& image, SectionMap& sections, Offset rva,
                                         bool byVersionType) {
    std::array<std::uint8_t, resourceDirectoryHeaderSize> header{};
    if (!readAt(image, sections, rva, header)) {
        return std::nullopt;
    }
    const Offset entryCount = Offset{le16(header.data() + 12)} + le16(header.data() + 14);
    const Offset entriesRva = rva + resourceDirectoryHeaderSize;
    if (entryCount == 0 || !sections.fileOffset(entriesRva, entryCount * resourceEntrySize)) {
        return std::nullopt;
    }
    constexpr Offset perRead = 32;
    std::array<std::uint8_t, perRead * resourceEntrySize> entries{};
    for (Offset first = 0; first < entryCount; first += perRead) {
        const Offset count = std::min(perRead, entryCount - first);
        const auto chunk = std::span(entries).first(count * resourceEntrySize);
        if (!readAt(image, sections, entriesRva + first * resourceEntrySize, chunk)) {
            return std::nullopt;
        }
        for (Offset i = 0; i < count; ++i) {
            const std::uint8_t* entry = chunk.data() + i * resourceEntrySize;
            const ResourceEntry found{le32(entry), le32(entry + 4)};
            if (!byVersionType || found.nameOrId == versionResourceType) {
                return found;
            }
        }
    }
    return std::nullopt;
}

// The RVA of the data entry of the version resource: type 16, its first name, that name's
// first language. The walk goes exactly three levels down and ends when a directory points
// back at itself or at one above it.
std::optional<Offset> findVersionDataEntry(const ByteSource& image, SectionMap& sections,
                                           Offset rootRva) {
    std::array<std::uint32_t, resourceLevels> visited{};
    std::uint32_t directory = 0; // offset from the root
    for (int level = 0; level < resourceLevels; ++level) {
        visited[level] = directory;
        const auto entry = chooseEntry(image, sections, rootRva + directory, level == 0);
        if (!entry) {
            return std::nullopt;
        }
        const bool isDirectory = (entry->target & subdirectoryFlag) != 0;
        const std::uint32_t offset = entry->target & ~subdirectoryFlag;
        if (level == resourceLevels - 1) {
            if (isDirectory) {
                return std::nullopt;
            }
            return rootRva + offset;
        }
        const auto seenEnd = visited.begin() + level + 1;
        if (!isDirectory || std::find(visited.begin(), seenEnd, offset) != seenEnd) {
            return std::nullopt;
        }
        directory = offset;
    }
    return std::nullopt;
}

// The fixed file information at the start of the version resource whose data entry is at rva.
std::optional<FixedFileInfo> readVersionHead(const ByteSource& image, SectionMap& sections,
                                             Offset dataEntryRva) {
    std::array<std::uint8_t, resourceDataEntrySize> dataEntry{};
    if (!readAt(image, sections, dataEntryRva, dataEntry)) {
        return std::nullopt;
    }
    const Offset dataRva = le32(dataEntry.data());
    const Offset dataSize = le32(dataEntry.data() + 4);
    std::array<std::uint8_t, versionHeadSize> head{};
    if (dataSize < versionHeadSize || !readAt(image, sections, dataRva, head)) {
        return std::nullopt;
    }
    const std::uint16_t blockLength = le16(head.data());
    const std::uint16_t valueLength = le16(head.data() + 2);
    if (blockLength < versionHeadSize || valueLength < fixedInfoSize) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < versionInfoKey.size(); ++i) {
        if (le16(head.data() + versionKeyOffset + 2 * i) !=
            static_cast<std::uint16_t>(versionInfoKey[i])) {
            return std::nullopt;
        }
    }
    const std::uint8_t* fixed = head.data() + fixedInfoOffset;
    if (le32(fixed) != fixedInfoSignature) {
        return std::nullopt;
    }
    return FixedFileInfo{le32(fixed + 8), le32(fixed + 12)};
}

} // namespace

std::optional<FixedFileInfo> readFixedFileInfo(const ByteSource& image) {
    const auto layout = readImageLayout(image);
    if (!layout) {
        return std::nullopt;
    }
    SectionMap sections(image, *layout);
    const auto dataEntryRva = findVersionDataEntry(image, sections, layout->resourceRva);
    if (!dataEntryRva) {
        return std::nullopt;
    }
    return readVersionHead(image, sections, *dataEntryRva);
}

std::optional<FixedFileInfo> parseFixedFileInfo(const std::uint8_t* bytes, std::size_t size) {
    return readFixedFileInfo(MemoryByteSource(bytes, size));
}

} // namespace quiverel
