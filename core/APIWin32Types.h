#pragma once
// The system records the library hands to the shell, the tooltip control and the version service,
// described field by field with their byte offsets, for a given pointer width. The Windows code checks
// its structures against these at compile time and takes every cbSize from here, so a record whose size
// or field positions disagree with the system's cannot be built, and the size handed over never exceeds
// the structure behind it.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace core {

struct RecordField {
    std::string_view name;
    std::size_t offset = 0;
    std::size_t size = 0;
};

template <std::size_t N> struct RecordLayout {
    std::size_t size = 0;
    std::array<RecordField, N> fields{};

    // The named field; a name the record does not have stops compilation when used in a constant.
    constexpr const RecordField& operator[](std::string_view name) const {
        for (const RecordField& f : fields)
            if (f.name == name)
                return f;
        throw "no such field";
    }
};

namespace detail {

struct FieldSpec {
    std::string_view name;
    std::size_t size;
    std::size_t align;
};

constexpr std::size_t AlignUp(std::size_t value, std::size_t align) {
    return (value + align - 1) / align * align;
}

// Natural alignment, as the system's compilers lay the records out.
template <std::size_t N> constexpr RecordLayout<N> Lay(const std::array<FieldSpec, N>& specs) {
    RecordLayout<N> layout{};
    std::size_t at = 0;
    std::size_t widest = 1;
    for (std::size_t i = 0; i < N; ++i) {
        at = AlignUp(at, specs[i].align);
        layout.fields[i] = RecordField{specs[i].name, at, specs[i].size};
        at += specs[i].size;
        widest = specs[i].align > widest ? specs[i].align : widest;
    }
    layout.size = AlignUp(at, widest);
    return layout;
}

} // namespace detail

// The ANSI NOTIFYICONDATA up to and with dwInfoFlags (uTimeout shares its place with uVersion):
// 488 bytes with 4-byte pointers.
constexpr RecordLayout<13> NotifyIconDataLayout(std::size_t pointerSize) {
    const std::size_t p = pointerSize;
    return detail::Lay<13>({{{"cbSize", 4, 4},
                             {"hWnd", p, p},
                             {"uID", 4, 4},
                             {"uFlags", 4, 4},
                             {"uCallbackMessage", 4, 4},
                             {"hIcon", p, p},
                             {"szTip", 128, 1},
                             {"dwState", 4, 4},
                             {"dwStateMask", 4, 4},
                             {"szInfo", 256, 1},
                             {"uTimeout", 4, 4},
                             {"szInfoTitle", 64, 1},
                             {"dwInfoFlags", 4, 4}}});
}

// The ANSI TOOLINFO up to and with lParam: 44 bytes with 4-byte pointers.
constexpr RecordLayout<8> ToolInfoLayout(std::size_t pointerSize) {
    const std::size_t p = pointerSize;
    return detail::Lay<8>({{{"cbSize", 4, 4},
                            {"uFlags", 4, 4},
                            {"hwnd", p, p},
                            {"uId", p, p},
                            {"rect", 16, 4},
                            {"hinst", p, p},
                            {"lpszText", p, p},
                            {"lParam", p, p}}});
}

// The ANSI OSVERSIONINFOEX: 156 bytes whatever the pointer width.
constexpr RecordLayout<11> OsVersionInfoExLayout() {
    return detail::Lay<11>({{{"dwOSVersionInfoSize", 4, 4},
                             {"dwMajorVersion", 4, 4},
                             {"dwMinorVersion", 4, 4},
                             {"dwBuildNumber", 4, 4},
                             {"dwPlatformId", 4, 4},
                             {"szCSDVersion", 128, 1},
                             {"wServicePackMajor", 2, 2},
                             {"wServicePackMinor", 2, 2},
                             {"wSuiteMask", 2, 2},
                             {"wProductType", 1, 1},
                             {"wReserved", 1, 1}}});
}

// Copies `text` into a fixed text field of `fieldSize` bytes: cut to fieldSize - 1 bytes and always
// NUL-terminated, the rest of the field zeroed. A cut never splits a double-byte character of the ANSI
// code page when `isLeadByte` tells its lead bytes.
void CopyToField(char* field, std::size_t fieldSize, std::string_view text, bool (*isLeadByte)(char) = nullptr);

// The text a fixed, NUL-terminated field holds: everything before its first NUL (the whole field when
// there is none).
std::string FieldText(const char* field, std::size_t fieldSize);

} // namespace core
