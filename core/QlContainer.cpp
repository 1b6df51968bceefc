#include "core/QlContainer.h"

#include <cctype>
#include <cstring>

namespace core {
namespace {

std::int32_t Read32(const std::uint8_t* p) {
    const std::uint32_t v = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                            std::uint32_t(p[3]) << 24;
    std::int32_t s;
    std::memcpy(&s, &v, sizeof s);
    return s;
}

std::int16_t Read16(const std::uint8_t* p) {
    const std::uint16_t v = static_cast<std::uint16_t>(p[0] | p[1] << 8);
    std::int16_t s;
    std::memcpy(&s, &v, sizeof s);
    return s;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9 open devices whatever extension follows them.
bool IsDeviceName(std::string_view name) {
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.remove_suffix(1);
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (EqualsNoCase(stem, device))
            return true;
    if (stem.size() == 4 && (EqualsNoCase(stem.substr(0, 3), "COM") || EqualsNoCase(stem.substr(0, 3), "LPT")))
        return stem[3] >= '1' && stem[3] <= '9';
    return false;
}

} // namespace

bool IsSafeEntryName(std::string_view name) {
    if (name.empty() || name.size() > 255)
        return false;
    if (name.find("..") != std::string_view::npos)
        return false;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 32 || std::strchr("\\/:*?\"<>|", c) != nullptr)
            return false;
    }
    // Windows drops trailing dots and blanks, so such a name would alias another file.
    if (name.back() == '.' || name.back() == ' ')
        return false;
    return !IsDeviceName(name);
}

ContainerReadResult ReadContainer(const std::uint8_t* bytes, std::size_t size,
                                  const std::function<bool(const ContainerEntryView&)>& visit) {
    ContainerReadResult result;
    std::size_t pos = 0;
    auto left = [&] { return size - pos; };
    if (size < 4) {
        result.fault = ContainerFault::Truncated;
        return result;
    }
    result.declaredCount = Read32(bytes);
    pos = 4;
    if (result.declaredCount < 0) {
        result.fault = ContainerFault::NegativeCount;
        return result;
    }
    for (std::int32_t i = 0; i < result.declaredCount; ++i) {
        if (left() < 2) {
            result.fault = ContainerFault::Truncated;
            return result;
        }
        const std::int16_t nameLength = Read16(bytes + pos);
        pos += 2;
        if (nameLength < 0) {
            result.fault = ContainerFault::NegativeNameLength;
            return result;
        }
        if (left() < static_cast<std::size_t>(nameLength) + 4) {
            result.fault = ContainerFault::Truncated;
            return result;
        }
        const std::string_view name(reinterpret_cast<const char*>(bytes + pos), static_cast<std::size_t>(nameLength));
        pos += static_cast<std::size_t>(nameLength);
        const std::int32_t dataLength = Read32(bytes + pos);
        pos += 4;
        if (dataLength < 0) {
            result.fault = ContainerFault::NegativeDataLength;
            return result;
        }
        if (left() < static_cast<std::size_t>(dataLength)) {
            result.fault = ContainerFault::Truncated;
            return result;
        }
        const ContainerEntryView entry{name, bytes + pos, static_cast<std::size_t>(dataLength)};
        pos += static_cast<std::size_t>(dataLength);
        ++result.entriesRead;
        if (!IsSafeEntryName(name)) {
            ++result.refusedNames;
            continue;
        }
        if (!visit(entry))
            return result;
    }
    return result;
}

bool ContainerWriter::Put32(std::int32_t value) {
    std::uint32_t v;
    std::memcpy(&v, &value, sizeof v);
    const std::uint8_t b[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                               static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
    return sink_(b, 4);
}

bool ContainerWriter::Begin(std::int32_t count) { return count >= 0 && Put32(count); }

bool ContainerWriter::Entry(std::string_view name, const std::uint8_t* data, std::size_t size) {
    if (name.size() > 0x7FFF || size > 0x7FFFFFFF)
        return false;
    const auto n = static_cast<std::uint16_t>(name.size());
    const std::uint8_t head[2] = {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8)};
    return sink_(head, 2) && sink_(reinterpret_cast<const std::uint8_t*>(name.data()), name.size()) &&
           Put32(static_cast<std::int32_t>(size)) && (size == 0 || sink_(data, size));
}

} // namespace core
