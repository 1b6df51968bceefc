#pragma once
// Texts for the ANSI records the shell and the tooltip control take: a client's text in the ANSI code
// page, cut to its fixed field without splitting a double-byte character.
#include "core/APIWin32Types.h"
#include "winkit/TextConv.h"

#include <windows.h>

#include <string>

namespace syslinkage {

inline std::wstring BstrText(BSTR text) {
    return text ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
}

template <std::size_t N> void PutAnsiField(char (&field)[N], BSTR text) {
    core::CopyToField(field, N, winkit::ToAnsi(BstrText(text)),
                      [](char c) { return ::IsDBCSLeadByte(static_cast<BYTE>(c)) != FALSE; });
}

} // namespace syslinkage
