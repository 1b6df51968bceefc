#include "app/projects/ProjectContainer.h"

#include "app/shell/Messages.h"
#include "core/QlContainer.h"
#include "winkit/Scoped.h"
#include "winkit/TextConv.h"
#include "winkit/Wait.h"

#include <windows.h>

#include <vector>

namespace quillet {
namespace {

const wchar_t kSaveError[] = L"Error while saving project.";
const wchar_t kLoadError[] = L"Error while loading project. Do you have got enough hard-disk space and memory?";

std::wstring WithSlash(std::wstring folder) {
    if (folder.empty() || folder.back() != L'\\')
        folder += L'\\';
    return folder;
}

bool WriteAll(HANDLE file, const std::uint8_t* bytes, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!::WriteFile(file, bytes, chunk, &written, nullptr) || written == 0)
            return false;
        bytes += written;
        size -= written;
    }
    return true;
}

// The whole file in memory; false when it cannot be read (or is too large for a project).
bool ReadWholeFile(const std::wstring& path, std::vector<std::uint8_t>& bytes) {
    winkit::ScopedFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF)
        return false;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr))
            return false;
        if (read == 0)
            break;
        done += read;
    }
    bytes.resize(done);
    return true;
}

bool WriteWholeFile(const std::wstring& path, const std::uint8_t* bytes, std::size_t size) {
    winkit::ScopedFile file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && WriteAll(file.get(), bytes, size);
}

// The plain files of a folder listing, in the order the system returns them.
std::vector<std::wstring> ListPlainFiles(const std::wstring& folder, const std::wstring& pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((folder + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        if (!(found.dwFileAttributes & skipped))
            names.emplace_back(found.cFileName);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// The reader's fault as the pending error of the load message.
void ReportLoadFault(const core::ContainerReadResult& result) {
    const bool truncated = result.fault == core::ContainerFault::Truncated;
    SetPendingError(truncated ? 62 : 5, truncated ? L"Input past end of file" : L"Invalid procedure call or argument");
    ShowError(kLoadError, true);
}

} // namespace

bool WriteProjectFile(const std::vector<ProjectEntry>& entries, const std::wstring& target) {
    // The whole container is built in memory and written in one go: one file, one flush.
    std::vector<std::uint8_t> container;
    std::size_t total = 4;
    for (const ProjectEntry& entry : entries)
        total += 8 + entry.name.size() + entry.data.size();
    container.reserve(total);
    core::ContainerWriter writer([&container](const std::uint8_t* p, std::size_t n) {
        container.insert(container.end(), p, p + n);
        return true;
    });
    bool built = writer.Begin(static_cast<std::int32_t>(entries.size()));
    for (const ProjectEntry& entry : entries)
        built = built && writer.Entry(entry.name, entry.data.data(), entry.data.size());
    // Written beside the target and moved over it only when complete, so a failed save never costs
    // the user the project they already had.
    const std::wstring partial = target + L".saving";
    bool written = false;
    if (built) {
        winkit::ScopedFile out(
            ::CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        written = out && WriteAll(out.get(), container.data(), container.size()) && ::FlushFileBuffers(out.get());
    } else {
        ::SetLastError(ERROR_INVALID_DATA);
    }
    if (written)
        written = ::MoveFileExW(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!written) {
        SetPendingWin32Error(::GetLastError());
        ::DeleteFileW(partial.c_str());
        ShowError(kSaveError, true);
        return false;
    }
    return true;
}

int PackFolder(const std::wstring& folderIn, const std::wstring& target, const std::wstring& pattern) {
    const std::wstring folder = WithSlash(folderIn);
    const std::vector<std::wstring> names = ListPlainFiles(folder, pattern);
    std::vector<ProjectEntry> entries;
    for (const std::wstring& name : names) {
        ProjectEntry entry{winkit::ToAnsi(name), {}};
        if (!ReadWholeFile(folder + name, entry.data)) {
            SetPendingWin32Error(::GetLastError());
            ShowError(kSaveError, true);
            return -1;
        }
        entries.push_back(std::move(entry));
        winkit::PumpMessages();
    }
    return WriteProjectFile(entries, target) ? static_cast<int>(entries.size()) : -1;
}

int ProjectEntries::Read(const std::wstring& file) {
    bytes_.clear();
    entries_.clear();
    if (!ReadWholeFile(file, bytes_)) {
        SetPendingWin32Error(::GetLastError());
        ShowError(kLoadError, true);
        return -1;
    }
    const core::ContainerReadResult result =
        core::ReadContainer(bytes_.data(), bytes_.size(), [this](const core::ContainerEntryView& entry) {
            entries_.push_back(entry);
            return true;
        });
    if (!result.ok()) {
        ReportLoadFault(result);
        return -1;
    }
    return result.declaredCount;
}

const core::ContainerEntryView* ProjectEntries::Find(std::string_view name) const {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (SameName(it->name, name))
            return &*it;
    return nullptr;
}

int UnpackFolder(const std::wstring& file, const std::wstring& folderIn) {
    const std::wstring folder = WithSlash(folderIn);
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(file, bytes)) {
        SetPendingWin32Error(::GetLastError());
        ShowError(kLoadError, true);
        return -1;
    }
    bool writeFailed = false;
    const core::ContainerReadResult result =
        core::ReadContainer(bytes.data(), bytes.size(), [&](const core::ContainerEntryView& entry) {
            const std::wstring name = winkit::FromAnsi(entry.name);
            // A multi-byte code page may turn safe bytes into a separator; such names are refused too.
            if (name.find_first_of(L"\\/:") != std::wstring::npos)
                return true;
            if (!WriteWholeFile(folder + name, entry.data, entry.size)) {
                SetPendingWin32Error(::GetLastError());
                writeFailed = true;
                return false;
            }
            winkit::PumpMessages();
            return true;
        });
    if (writeFailed) {
        ShowError(kLoadError, true);
        return -1;
    }
    if (!result.ok()) {
        ReportLoadFault(result);
        return -1;
    }
    return result.declaredCount;
}

bool FileExists(const std::wstring& path) {
    winkit::ScopedFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

bool FolderExists(const std::wstring& path) {
    std::wstring p = path;
    while (!p.empty() && (p.back() == L'\\' || p.back() == L'/'))
        p.pop_back();
    const DWORD attributes = ::GetFileAttributesW(p.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace quillet
