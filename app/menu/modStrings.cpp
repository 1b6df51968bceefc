#include "app/menu/modStrings.h"

#include "app/shell/Messages.h"
#include "app/shell/modInitialization.h"
#include "core/modStrings.h"
#include "winkit/Scoped.h"

#include <windows.h>

namespace quillet {

namespace {

[[noreturn]] void Fail(const char* step) {
    SetPendingWin32Error(::GetLastError());
    throw TempFileError(step);
}

// Deletes a temporary file when the work with it ends, however it ends.
class FileRemover {
public:
    explicit FileRemover(std::wstring path) : path_(std::move(path)) {}
    FileRemover(const FileRemover&) = delete;
    FileRemover& operator=(const FileRemover&) = delete;
    ~FileRemover() { ::DeleteFileW(path_.c_str()); }
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

// The files hold the text's own UTF-16 units, so no character is lost to a code page.
class FileWriter {
public:
    explicit FileWriter(const std::wstring& path)
        : file_(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY,
                              nullptr)) {
        if (!file_)
            Fail("cannot create a temporary file");
    }

    // Buffers lines so a text of many short lines is not written a line at a time.
    void WriteLine(std::wstring_view line) {
        buffer_.append(line);
        buffer_.append(L"\r\n");
        if (buffer_.size() >= kFlushAt)
            Flush();
    }

    void Close() {
        Flush();
        file_.reset();
    }

private:
    static constexpr std::size_t kFlushAt = 1 << 16;

    void Flush() {
        const char* bytes = reinterpret_cast<const char*>(buffer_.data());
        std::size_t left = buffer_.size() * sizeof(wchar_t);
        while (left > 0) {
            const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
            DWORD written = 0;
            if (!::WriteFile(file_.get(), bytes, chunk, &written, nullptr) || written == 0)
                Fail("cannot write a temporary file");
            bytes += written;
            left -= written;
        }
        buffer_.clear();
    }

    winkit::ScopedFile file_;
    std::wstring buffer_;
};

std::wstring ReadWholeFile(const std::wstring& path) {
    winkit::ScopedFile file(
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        Fail("cannot open a temporary file");
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0)
        Fail("cannot size a temporary file");
    std::wstring text(static_cast<std::size_t>(size.QuadPart) / sizeof(wchar_t), L'\0');
    char* bytes = reinterpret_cast<char*>(text.data());
    std::size_t left = text.size() * sizeof(wchar_t);
    while (left > 0) {
        const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
        DWORD read = 0;
        if (!::ReadFile(file.get(), bytes, chunk, &read, nullptr))
            Fail("cannot read a temporary file");
        if (read == 0)
            break;
        bytes += read;
        left -= read;
    }
    text.resize(text.size() - left / sizeof(wchar_t));
    return text;
}

std::wstring EnsureTempFolder() {
    std::wstring folder = TempFolder;
    if (folder.empty()) {
        ::SetLastError(ERROR_PATH_NOT_FOUND);
        Fail("no temp folder");
    }
    if (folder.back() != L'\\')
        folder += L'\\';
    if (!::CreateDirectoryW(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
        Fail("cannot create the temp folder");
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ::SetLastError(ERROR_PATH_NOT_FOUND);
        Fail("the temp folder is not a folder");
    }
    return folder;
}

} // namespace

std::wstring RemoveDiacriticsLong(const std::wstring& text) {
    const std::wstring folder = EnsureTempFolder();
    FileRemover input(folder + kDiacriticsInputFile);
    FileRemover output(folder + kDiacriticsOutputFile);

    FileWriter record(input.path());
    record.WriteLine(text);
    record.Close();

    FileWriter stripped(output.path());
    const std::wstring written = ReadWholeFile(input.path());
    for (std::wstring_view line : core::SplitRecordLines(written))
        stripped.WriteLine(core::RemoveDiacritics(line));
    stripped.Close();
    ::DeleteFileW(input.path().c_str());

    const std::wstring lines = ReadWholeFile(output.path());
    std::wstring joined;
    joined.reserve(lines.size());
    bool first = true;
    for (std::wstring_view line : core::SplitRecordLines(lines)) {
        if (!first)
            joined += L"\r\n";
        joined += line;
        first = false;
    }
    return joined;
}

} // namespace quillet
