#pragma once
// Text to byte the strict way a stored paste method is read: a decimal number, rounded half to even,
// that must fit 0 to 255. Anything else is no value at all, and the caller keeps what it had.
#include <cstdint>
#include <optional>
#include <string>

namespace core {

std::optional<std::uint8_t> ParseByteValue(const std::wstring& text);

} // namespace core
