#include "payload/PeResource.h"

namespace {

constexpr uint32_t kHighBit = 0x80000000u;

// Little-endian reads that refuse to leave the bytes they were given.
class TBytes {
public:
    explicit TBytes(std::span<const uint8_t> bytes) : FBytes(bytes) {}

    std::span<const uint8_t> Slice(uint64_t offset, uint64_t length) const {
        if (offset > FBytes.size() || length > FBytes.size() - offset)
            throw EPeFormat("The executable's headers point outside the file");
        return FBytes.subspan(static_cast<size_t>(offset), static_cast<size_t>(length));
    }
    uint32_t U16(uint64_t offset) const {
        auto b = Slice(offset, 2);
        return b[0] | uint32_t{b[1]} << 8;
    }
    uint32_t U32(uint64_t offset) const { return U16(offset) | U16(offset + 2) << 16; }

private:
    std::span<const uint8_t> FBytes;
};

// The section table, to turn addresses in the loaded image into offsets in the file.
struct TSections {
    TBytes File;
    uint64_t Table;
    uint32_t Count;

    std::span<const uint8_t> Map(uint32_t rva, uint32_t length) const {
        for (uint32_t i = 0; i < Count; ++i) {
            uint64_t header = Table + 40 * uint64_t{i};
            uint32_t address = File.U32(header + 12);
            uint32_t rawSize = File.U32(header + 16);
            if (rva >= address && uint64_t{rva} - address + length <= rawSize)
                return File.Slice(uint64_t{File.U32(header + 20)} + (rva - address), length);
        }
        throw EPeFormat("The executable's resources lie outside its sections");
    }
};

bool NameEquals(const TBytes& dir, uint32_t offset, std::string_view wanted) {
    if (dir.U16(offset) != wanted.size())
        return false;
    for (size_t i = 0; i < wanted.size(); ++i) {
        uint32_t c = dir.U16(offset + 2 + 2 * i);
        auto upper = [](uint32_t ch) { return ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch; };
        if (upper(c) != upper(static_cast<unsigned char>(wanted[i])))
            return false;
    }
    return true;
}

// The target (a subdirectory or a data entry) of the named entry of a resource directory.
std::optional<uint32_t> FindNamed(const TBytes& dir, uint32_t offset, std::string_view name) {
    uint32_t named = dir.U16(offset + 12);
    for (uint32_t i = 0; i < named; ++i) {
        uint64_t entry = offset + 16 + 8 * uint64_t{i};
        uint32_t id = dir.U32(entry);
        if ((id & kHighBit) && NameEquals(dir, id & ~kHighBit, name))
            return dir.U32(entry + 4);
    }
    return std::nullopt;
}

uint32_t Subdirectory(uint32_t target) {
    if (!(target & kHighBit))
        throw EPeFormat("The executable's resource directory is damaged");
    return target & ~kHighBit;
}

// The resource directory's bytes, or empty when the image has none.
std::optional<std::span<const uint8_t>> ResourceDirectory(const TSections& sections,
                                                          uint64_t optionalHeader) {
    const TBytes& file = sections.File;
    uint32_t magic = file.U16(optionalHeader);
    if (magic != 0x10B && magic != 0x20B)
        throw EPeFormat("Not a 32-bit or 64-bit PE image");
    uint64_t directories = optionalHeader + (magic == 0x10B ? 96 : 112);
    if (file.U32(directories - 4) < 3 || file.U32(directories + 16) == 0)
        return std::nullopt;
    return sections.Map(file.U32(directories + 16), file.U32(directories + 20));
}

} // namespace

std::optional<std::span<const uint8_t>>
FindPeResource(std::span<const uint8_t> image, std::string_view type, std::string_view name) {
    TBytes file(image);
    if (file.U16(0) != 0x5A4D)
        throw EPeFormat("Not a Windows executable (no MZ header)");
    uint32_t pe = file.U32(0x3C);
    if (file.U32(pe) != 0x00004550)
        throw EPeFormat("Not a PE image (no PE signature)");
    uint64_t coff = uint64_t{pe} + 4;
    uint64_t optionalHeader = coff + 20;
    TSections sections{file, optionalHeader + file.U16(coff + 16), file.U16(coff + 2)};

    auto directory = ResourceDirectory(sections, optionalHeader);
    if (!directory)
        return std::nullopt;
    TBytes dir(*directory);
    auto typeTarget = FindNamed(dir, 0, type);
    if (!typeTarget)
        return std::nullopt;
    auto nameTarget = FindNamed(dir, Subdirectory(*typeTarget), name);
    if (!nameTarget)
        return std::nullopt;
    uint32_t languages = Subdirectory(*nameTarget);
    if (dir.U16(languages + 12) + dir.U16(languages + 14) == 0)
        return std::nullopt;
    uint32_t data = dir.U32(languages + 16 + 4);
    if (data & kHighBit)
        throw EPeFormat("The executable's resource directory is damaged");
    return sections.Map(dir.U32(data), dir.U32(data + 4));
}
