#include "core/TypeLibEnumDocs.h"

#include <algorithm>
#include <map>

namespace core {
namespace {

constexpr uint32_t kMagic = 0x5446534D; // "MSFT"
constexpr size_t kHeaderSize = 0x54;
constexpr uint32_t kHelpDllFlag = 0x100; // one more header field: the help string library's name
constexpr size_t kSegmentCount = 15;
constexpr size_t kTypeInfoSegment = 0;
constexpr size_t kNameSegment = 7;
constexpr size_t kStringSegment = 8;
constexpr size_t kTypeInfoSize = 0x64;
constexpr uint32_t kKindEnum = 0; // TKIND_ENUM
// A variable record: size and index, type, flags, kind and size of its description, value; then, as far
// as the record's size reaches, help context, help string, ...
constexpr size_t kVarRecordBase = 20;
constexpr size_t kVarHelpContext = 20;
constexpr size_t kVarHelpString = 24;
constexpr int32_t kNone = -1;

struct Segment {
    int64_t offset;
    int64_t length;
};

// Bounds-checked little-endian reads over the whole file.
class Bytes {
public:
    explicit Bytes(const std::vector<uint8_t>& file) : b_(file) {}
    size_t size() const { return b_.size(); }
    void require(int64_t offset, int64_t length, const char* what) const {
        if (offset < 0 || length < 0 || offset > static_cast<int64_t>(b_.size()) ||
            length > static_cast<int64_t>(b_.size()) - offset)
            throw TypeLibFormatError(std::string(what) + " lies outside the file");
    }
    int32_t i32(int64_t offset) const {
        require(offset, 4, "a field");
        const auto* p = &b_[static_cast<size_t>(offset)];
        return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                    static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
    }
    uint32_t u16(int64_t offset) const {
        require(offset, 2, "a field");
        const auto* p = &b_[static_cast<size_t>(offset)];
        return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8;
    }
    std::string text(int64_t offset, int64_t length) const {
        require(offset, length, "a text");
        const auto* p = b_.data() + offset;
        return std::string(p, p + length);
    }
    std::vector<uint8_t> slice(int64_t offset, int64_t length) const {
        require(offset, length, "a block");
        return std::vector<uint8_t>(b_.begin() + offset, b_.begin() + offset + length);
    }

private:
    const std::vector<uint8_t>& b_;
};

void Put32(std::vector<uint8_t>& b, size_t offset, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    for (size_t i = 0; i < 4; ++i)
        b[offset + i] = static_cast<uint8_t>(v >> (8 * i));
}

void Append32(std::vector<uint8_t>& b, int32_t value) {
    b.resize(b.size() + 4);
    Put32(b, b.size() - 4, value);
}

// One enumeration's member block: a length, the variable records, then their member ids, name offsets
// and record offsets.
struct EnumBlock {
    std::string enumeration;
    int64_t offset = 0;
    int64_t length = 0;
    int64_t typeInfo = 0;           // where its type info lies in the file
    std::vector<int64_t> records;   // each record's file offset
    std::vector<std::string> names; // each constant's name
};

struct Library {
    std::vector<int64_t> typeInfos; // file offsets
    Segment segments[kSegmentCount];
    int64_t segmentDirectory = 0;
    std::vector<EnumBlock> enums;
};

std::string Name(const Bytes& in, const Segment& names, int32_t offset) {
    // A name entry: hash link, next link, length in the low byte, then the characters.
    if (offset < 0 || offset > names.length - 12)
        throw TypeLibFormatError("a name offset lies outside the name table");
    const int64_t at = names.offset + offset;
    const int64_t length = in.i32(at + 8) & 0xFF;
    if (length > names.length - offset - 12)
        throw TypeLibFormatError("a name runs past the name table");
    return in.text(at + 12, length);
}

std::optional<std::string> String(const Bytes& in, const Segment& strings, int32_t offset) {
    if (offset == kNone)
        return std::nullopt;
    if (offset < 0 || offset > strings.length - 2)
        throw TypeLibFormatError("a string offset lies outside the string table");
    const int64_t length = in.u16(strings.offset + offset);
    if (length > strings.length - offset - 2)
        throw TypeLibFormatError("a string runs past the string table");
    return in.text(strings.offset + offset + 2, length);
}

EnumBlock ParseEnumBlock(const Bytes& in, const Segment& names, int64_t typeInfo, int32_t cFuncs, int32_t cVars) {
    EnumBlock block;
    block.typeInfo = typeInfo;
    block.enumeration = Name(in, names, in.i32(typeInfo + 0x34));
    if (cFuncs != 0)
        throw TypeLibFormatError("enumeration " + block.enumeration + " has functions");
    block.offset = in.i32(typeInfo + 4);
    const int64_t recordsLength = in.i32(block.offset);
    if (recordsLength < 0)
        throw TypeLibFormatError("enumeration " + block.enumeration + " has a negative record length");
    const int64_t records = block.offset + 4;
    const int64_t tables = records + recordsLength;
    block.length = 4 + recordsLength + 12 * static_cast<int64_t>(cVars);
    in.require(block.offset, block.length, "an enumeration's members");
    // The runtime reads the records one after the other; we rewrite them, so they must be exactly that.
    int64_t at = 0;
    for (int32_t i = 0; i < cVars; ++i) {
        if (in.i32(tables + 4 * (2 * cVars + i)) != at)
            throw TypeLibFormatError("enumeration " + block.enumeration + " has records out of order");
        const int64_t size = in.i32(records + at) & 0xFFFF;
        if (size < static_cast<int64_t>(kVarRecordBase) || size % 4 != 0 || size > recordsLength - at)
            throw TypeLibFormatError("enumeration " + block.enumeration + " has a damaged record");
        block.records.push_back(records + at);
        block.names.push_back(Name(in, names, in.i32(tables + 4 * (cVars + i))));
        at += size;
    }
    if (at != recordsLength)
        throw TypeLibFormatError("enumeration " + block.enumeration + " has data between its records");
    return block;
}

Library Parse(const Bytes& in) {
    Library lib;
    in.require(0, kHeaderSize, "the header");
    if (static_cast<uint32_t>(in.i32(0)) != kMagic)
        throw TypeLibFormatError("not a type library in the MSFT layout");
    const int32_t count = in.i32(0x20);
    if (count < 0 || count > 0xFFFF)
        throw TypeLibFormatError("implausible number of type infos");
    const int64_t offsets = kHeaderSize + ((static_cast<uint32_t>(in.i32(0x14)) & kHelpDllFlag) ? 4 : 0);
    lib.segmentDirectory = offsets + 4 * static_cast<int64_t>(count);
    in.require(lib.segmentDirectory, 16 * kSegmentCount, "the segment directory");
    for (size_t s = 0; s < kSegmentCount; ++s) {
        Segment& seg = lib.segments[s];
        seg.offset = in.i32(lib.segmentDirectory + 16 * static_cast<int64_t>(s));
        seg.length = in.i32(lib.segmentDirectory + 16 * static_cast<int64_t>(s) + 4);
        if (seg.offset == kNone)
            seg.length = 0;
        else
            in.require(seg.offset, seg.length, "a segment");
    }
    const Segment& infos = lib.segments[kTypeInfoSegment];
    for (int32_t i = 0; i < count; ++i) {
        const int32_t at = in.i32(offsets + 4 * i);
        if (at < 0 || at > infos.length - static_cast<int64_t>(kTypeInfoSize))
            throw TypeLibFormatError("a type info lies outside its segment");
        const int64_t typeInfo = infos.offset + at;
        lib.typeInfos.push_back(typeInfo);
        const auto elements = static_cast<uint32_t>(in.i32(typeInfo + 0x18));
        const auto cFuncs = static_cast<int32_t>(elements & 0xFFFF);
        const auto cVars = static_cast<int32_t>(elements >> 16);
        if ((static_cast<uint32_t>(in.i32(typeInfo)) & 0xF) == kKindEnum && cVars + cFuncs > 0)
            lib.enums.push_back(ParseEnumBlock(in, lib.segments[kNameSegment], typeInfo, cFuncs, cVars));
    }
    return lib;
}

// A replaced stretch of the input; what follows it moves by the difference in length.
struct Edit {
    int64_t start;
    int64_t length;
    std::vector<uint8_t> bytes;
};

bool Inside(const std::vector<Edit>& edits, int64_t offset) {
    return std::any_of(edits.begin(), edits.end(),
                       [&](const Edit& e) { return e.start < offset && offset < e.start + e.length; });
}

int64_t Moved(const std::vector<Edit>& edits, int64_t offset) {
    int64_t delta = 0;
    for (const Edit& e : edits) {
        if (e.start + e.length <= offset)
            delta += static_cast<int64_t>(e.bytes.size()) - e.length;
        else if (e.start < offset)
            throw TypeLibFormatError("an offset points into an enumeration's members");
    }
    return offset + delta;
}

std::vector<uint8_t> EncodedString(const std::string& text) {
    // A length, the characters, padding to four bytes as the compiler writes it.
    std::vector<uint8_t> out{static_cast<uint8_t>(text.size() & 0xFF), static_cast<uint8_t>(text.size() >> 8)};
    out.insert(out.end(), text.begin(), text.end());
    while (out.size() % 4 != 0)
        out.push_back('W');
    return out;
}

} // namespace

std::vector<EnumConstantDoc> ReadEnumConstantDocs(const std::vector<uint8_t>& file) {
    const Bytes in(file);
    const Library lib = Parse(in);
    std::vector<EnumConstantDoc> out;
    for (const EnumBlock& block : lib.enums) {
        for (size_t i = 0; i < block.records.size(); ++i) {
            const int64_t size = in.i32(block.records[i]) & 0xFFFF;
            std::optional<std::string> doc;
            if (size > static_cast<int64_t>(kVarHelpString))
                doc = String(in, lib.segments[kStringSegment], in.i32(block.records[i] + kVarHelpString));
            out.push_back({block.enumeration, block.names[i], doc});
        }
    }
    return out;
}

std::vector<uint8_t> AddEnumConstantDocs(const std::vector<uint8_t>& file) {
    const Bytes in(file);
    const Library lib = Parse(in);
    const Segment& strings = lib.segments[kStringSegment];
    if (strings.offset == kNone)
        throw TypeLibFormatError("the type library has no string table");

    // New strings go to the end of the string table; shared constant names share one entry.
    std::vector<uint8_t> added;
    std::map<std::string, int32_t> stringOffsets;
    auto stringFor = [&](const std::string& text) {
        auto known = stringOffsets.find(text);
        if (known != stringOffsets.end())
            return known->second;
        const auto offset = static_cast<int32_t>(strings.length + static_cast<int64_t>(added.size()));
        const std::vector<uint8_t> encoded = EncodedString(text);
        added.insert(added.end(), encoded.begin(), encoded.end());
        stringOffsets.emplace(text, offset);
        return offset;
    };

    std::vector<Edit> edits;
    for (const EnumBlock& block : lib.enums) {
        const auto count = static_cast<int32_t>(block.records.size());
        std::vector<uint8_t> records;
        std::vector<int32_t> recordOffsets;
        for (int32_t i = 0; i < count; ++i) {
            const int64_t size = in.i32(block.records[i]) & 0xFFFF;
            std::vector<uint8_t> record = in.slice(block.records[i], size);
            if (size <= static_cast<int64_t>(kVarHelpString)) {
                if (size <= static_cast<int64_t>(kVarHelpContext))
                    Append32(record, 0);
                Append32(record, stringFor(block.names[i]));
                const uint32_t info = (static_cast<uint32_t>(in.i32(block.records[i])) & 0xFFFF0000u) |
                                      static_cast<uint32_t>(record.size());
                Put32(record, 0, static_cast<int32_t>(info));
            } else if (in.i32(block.records[i] + kVarHelpString) == kNone) {
                Put32(record, kVarHelpString, stringFor(block.names[i]));
            }
            recordOffsets.push_back(static_cast<int32_t>(records.size()));
            records.insert(records.end(), record.begin(), record.end());
        }
        const int64_t oldRecordsLength = in.i32(block.offset);
        std::vector<uint8_t> bytes;
        Append32(bytes, static_cast<int32_t>(records.size()));
        bytes.insert(bytes.end(), records.begin(), records.end());
        // Member ids and name offsets stay as they are; the record offsets follow the grown records.
        const std::vector<uint8_t> idsAndNames = in.slice(block.offset + 4 + oldRecordsLength, 8 * int64_t{count});
        bytes.insert(bytes.end(), idsAndNames.begin(), idsAndNames.end());
        for (int32_t offset : recordOffsets)
            Append32(bytes, offset);
        edits.push_back({block.offset, block.length, std::move(bytes)});
    }
    if (added.empty())
        return file;
    const auto addedLength = static_cast<int64_t>(added.size());
    edits.push_back({strings.offset + strings.length, 0, std::move(added)});
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.start < b.start; });
    for (size_t i = 1; i < edits.size(); ++i)
        if (edits[i - 1].start + edits[i - 1].length > edits[i].start)
            throw TypeLibFormatError("two enumerations share their members");

    std::vector<uint8_t> out;
    int64_t at = 0;
    for (const Edit& e : edits) {
        out.insert(out.end(), file.begin() + at, file.begin() + e.start);
        out.insert(out.end(), e.bytes.begin(), e.bytes.end());
        at = e.start + e.length;
    }
    out.insert(out.end(), file.begin() + at, file.end());

    // What points at file positions: the segment directory and each type info's member block.
    const auto patch = [&](int64_t field, int32_t value) {
        Put32(out, static_cast<size_t>(Moved(edits, field)), value);
    };
    for (size_t s = 0; s < kSegmentCount; ++s) {
        const Segment& seg = lib.segments[s];
        const int64_t entry = lib.segmentDirectory + 16 * static_cast<int64_t>(s);
        if (seg.offset == kNone)
            continue;
        patch(entry, static_cast<int32_t>(Moved(edits, seg.offset)));
        if (s == kStringSegment)
            patch(entry + 4, static_cast<int32_t>(seg.length + addedLength));
    }
    for (int64_t typeInfo : lib.typeInfos) {
        const int64_t members = in.i32(typeInfo + 4);
        // The runtime never follows an empty type's member offset; the compiler points it at the end.
        if (in.i32(typeInfo + 0x18) == 0 && Inside(edits, members))
            continue;
        patch(typeInfo + 4, static_cast<int32_t>(Moved(edits, members)));
    }
    return out;
}

} // namespace core
