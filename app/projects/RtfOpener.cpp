#include "app/projects/RtfOpener.h"

#include "winkit/Scoped.h"

#include <windows.h>
#include <richedit.h>

#include <vector>

namespace quillet {
namespace {

// The newest rich-text control the system has.
const wchar_t* RichEditClass() {
    static const wchar_t* cls = [] {
        if (::LoadLibraryW(L"msftedit.dll"))
            return L"RICHEDIT50W";
        ::LoadLibraryW(L"riched20.dll");
        return L"RichEdit20W";
    }();
    return cls;
}

struct Stream {
    std::string_view in;
    std::size_t pos = 0;
    std::string out;
};

DWORD CALLBACK ReadIn(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got) {
    auto* s = reinterpret_cast<Stream*>(cookie);
    const std::size_t left = s->in.size() - s->pos;
    const std::size_t n = left < static_cast<std::size_t>(wanted) ? left : static_cast<std::size_t>(wanted);
    std::copy(s->in.begin() + static_cast<std::ptrdiff_t>(s->pos),
              s->in.begin() + static_cast<std::ptrdiff_t>(s->pos + n), buffer);
    s->pos += n;
    *got = static_cast<LONG>(n);
    return 0;
}

DWORD CALLBACK WriteOut(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    reinterpret_cast<Stream*>(cookie)->out.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(size));
    *done = size;
    return 0;
}

} // namespace

std::optional<std::string> LoadRtfThroughOpener(const std::wstring& path) {
    std::vector<char> bytes;
    {
        winkit::ScopedFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return std::nullopt;
        LARGE_INTEGER size{};
        if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF)
            return std::nullopt;
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        if (!bytes.empty() && !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
            return std::nullopt;
        bytes.resize(read);
    }
    return LoadRtfThroughOpener(std::string_view(bytes.data(), bytes.size()));
}

std::optional<std::string> LoadRtfThroughOpener(std::string_view rtf) {
    winkit::ScopedWindow rtOpener(::CreateWindowExW(0, RichEditClass(), L"", WS_POPUP | ES_MULTILINE, 0, 0, 0, 0,
                                                    nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
    if (!rtOpener)
        return std::nullopt;
    // Large clips must not be cut at the control's default 32K limit.
    ::SendMessageW(rtOpener.get(), EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    Stream stream;
    stream.in = rtf;
    EDITSTREAM load{reinterpret_cast<DWORD_PTR>(&stream), 0, &ReadIn};
    ::SendMessageW(rtOpener.get(), EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&load));
    if (load.dwError != 0)
        return std::nullopt;
    EDITSTREAM save{reinterpret_cast<DWORD_PTR>(&stream), 0, &WriteOut};
    ::SendMessageW(rtOpener.get(), EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&save));
    if (save.dwError != 0)
        return std::nullopt;
    return stream.out;
}

} // namespace quillet
