#pragma once
// The project container (*.ql): an entry count, then per entry a name length, the name in ANSI bytes, a
// data length and the bytes. Little-endian, no header. Projects arrive from other people, so the reader
// treats every byte as hostile: it never reads past the end, never allocates from a length it has not
// checked against what is really there, and refuses names that could land outside the work folder.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

enum class ContainerFault {
    None,
    Truncated,          // a count, length, name or data runs past the end of the file
    NegativeCount,
    NegativeNameLength,
    NegativeDataLength,
};

struct ContainerEntryView {
    std::string_view name; // ANSI bytes, as stored
    const std::uint8_t* data;
    std::size_t size;
};

struct ContainerReadResult {
    std::int32_t declaredCount = 0;
    std::int32_t entriesRead = 0;  // entries parsed whole (safe or refused)
    std::int32_t refusedNames = 0; // entries skipped because of their name
    ContainerFault fault = ContainerFault::None;
    bool ok() const { return fault == ContainerFault::None; }
};

// A name is safe when it is a plain file name: not empty, no folder part, no drive, no "..", no device
// name, no characters Windows does not allow in file names, no trailing dot or blank, at most 255 bytes.
bool IsSafeEntryName(std::string_view name);

// Parses a whole container held in memory. Calls `visit` for every entry with a safe name, in file order;
// entries with unsafe names are skipped. Parsing stops at the first fault, or when `visit` returns false;
// what was visited before stays visited.
ContainerReadResult ReadContainer(const std::uint8_t* bytes, std::size_t size,
                                  const std::function<bool(const ContainerEntryView&)>& visit);

// Writes a container through `sink`, which returns false when it cannot write.
class ContainerWriter {
public:
    using Sink = std::function<bool(const std::uint8_t* bytes, std::size_t size)>;
    explicit ContainerWriter(Sink sink) : sink_(std::move(sink)) {}

    bool Begin(std::int32_t count);
    // Fails (writing nothing) for a name or data too long for the format.
    bool Entry(std::string_view name, const std::uint8_t* data, std::size_t size);

private:
    bool Put32(std::int32_t value);
    Sink sink_;
};

} // namespace core
