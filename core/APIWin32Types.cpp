#include "core/APIWin32Types.h"

#include <cstring>

namespace core {

void CopyToField(char* field, std::size_t fieldSize, std::string_view text, bool (*isLeadByte)(char)) {
    if (!field || fieldSize == 0)
        return;
    std::size_t keep = text.size() < fieldSize - 1 ? text.size() : fieldSize - 1;
    if (isLeadByte && keep < text.size()) {
        // Walk the kept part character by character, so a lead byte whose trail byte is cut goes too.
        std::size_t at = 0;
        while (at < keep) {
            const std::size_t width = isLeadByte(text[at]) ? 2 : 1;
            if (at + width > keep)
                break;
            at += width;
        }
        keep = at;
    }
    std::memcpy(field, text.data(), keep);
    std::memset(field + keep, 0, fieldSize - keep);
}

std::string FieldText(const char* field, std::size_t fieldSize) {
    if (!field)
        return {};
    const void* nul = std::memchr(field, 0, fieldSize);
    return std::string(field, nul ? static_cast<const char*>(nul) - field : fieldSize);
}

} // namespace core
