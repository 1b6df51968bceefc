#include "app/editor/modClipFiles.h"

#include "app/shell/Messages.h"
#include "winkit/Scoped.h"
#include "winkit/TextConv.h"

namespace quillet {

std::optional<std::string> ReadClipFile(const std::wstring& path) {
    winkit::ScopedFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) {
        SetPendingWin32Error(::GetLastError());
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        SetPendingWin32Error(::GetLastError());
        return std::nullopt;
    }
    bytes.resize(read);
    return bytes;
}

std::wstring DecodeTextFile(const std::string& bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::wstring text((bytes.size() - 2) / 2, L'\0');
        for (std::size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                           (static_cast<unsigned char>(bytes[3 + 2 * i]) << 8));
        return text;
    }
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return winkit::FromUtf8(std::string_view(bytes).substr(3));
    return winkit::FromAnsi(bytes);
}

std::string EncodeTextFile(const std::wstring& text) {
    std::string ansi = winkit::ToAnsi(text);
    if (winkit::FromAnsi(ansi) == text)
        return ansi;
    return "\xEF\xBB\xBF" + winkit::ToUtf8(text);
}

bool WriteClipFile(const std::wstring& path, const std::string& bytes) {
    const std::wstring partial = path + L".saving";
    bool written = false;
    {
        winkit::ScopedFile out(
            ::CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD done = 0;
        written =
            out &&
            (bytes.empty() || (::WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
                               done == bytes.size())) &&
            ::FlushFileBuffers(out.get());
    }
    if (written)
        written = ::MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!written) {
        const DWORD code = ::GetLastError();
        ::DeleteFileW(partial.c_str());
        SetPendingWin32Error(code);
    }
    return written;
}

} // namespace quillet
