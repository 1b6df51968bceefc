#include "app/menu/WindowsCaseMapper.h"

#include "app/shell/Messages.h"

#include <windows.h>

#include <climits>

namespace quillet {

namespace {

[[noreturn]] void Refused() {
    SetPendingWin32Error(::GetLastError());
    throw core::CaseMappingError("LCMapStringEx failed");
}

std::wstring Map(std::wstring_view text, DWORD flags) {
    if (text.empty())
        return {};
    if (text.size() > static_cast<std::size_t>(INT_MAX))
        throw core::CaseMappingError("text too long for case mapping");
    const int length = static_cast<int>(text.size());
    // Simple case mapping keeps the length; the size query covers a platform that does otherwise.
    const int needed = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), length, nullptr, 0, nullptr,
                                       nullptr, 0);
    if (needed <= 0)
        Refused();
    std::wstring out(static_cast<std::size_t>(needed), L'\0');
    const int written = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), length, out.data(), needed,
                                        nullptr, nullptr, 0);
    if (written <= 0)
        Refused();
    out.resize(static_cast<std::size_t>(written));
    return out;
}

} // namespace

std::wstring WindowsCaseMapper::Lower(std::wstring_view text) const { return Map(text, LCMAP_LOWERCASE); }

std::wstring WindowsCaseMapper::Upper(std::wstring_view text) const { return Map(text, LCMAP_UPPERCASE); }

bool WindowsCaseMapper::IsLetter(wchar_t c) const { return ::IsCharAlphaW(c) != FALSE; }

const WindowsCaseMapper& PlatformCases() {
    static const WindowsCaseMapper mapper;
    return mapper;
}

} // namespace quillet
