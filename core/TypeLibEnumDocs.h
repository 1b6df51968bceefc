#pragma once
// Help text for the enumeration constants of a compiled type library (the "MSFT" layout the system's
// automation runtime loads). Our IDL compiler refuses help strings on enumeration members, so the build
// adds them to its output afterwards: each constant without one gets its own name, as object browsers
// show it.
//
// Every offset in the file is checked before it is followed: a damaged or unexpected file gives
// TypeLibFormatError, never a read outside it. Text stays in the file's own bytes (ANSI code page).
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace core {

struct TypeLibFormatError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct EnumConstantDoc {
    std::string enumeration;
    std::string name;
    std::optional<std::string> doc; // none when the constant has no help string
    bool operator==(const EnumConstantDoc& o) const {
        return enumeration == o.enumeration && name == o.name && doc == o.doc;
    }
};

// Every constant of every enumeration, in the file's order.
std::vector<EnumConstantDoc> ReadEnumConstantDocs(const std::vector<uint8_t>& file);

// The same library with each enumeration constant that has no help string given its own name as one.
// Everything else (other types, their members, identifiers, names and strings) is kept byte for byte;
// only the parts that follow the grown records move.
std::vector<uint8_t> AddEnumConstantDocs(const std::vector<uint8_t>& file);

} // namespace core
