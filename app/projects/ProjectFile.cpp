#include "app/projects/ProjectFile.h"

#include "app/projects/PictureFile.h"
#include "app/projects/ProjectContainer.h"
#include "app/projects/RtfOpener.h"
#include "app/shell/Messages.h"
#include "app/shell/modInitialization.h"
#include "core/ByteValue.h"
#include "winkit/TextConv.h"

#include <random>

namespace quillet {
namespace {

const wchar_t kIndexName[] = L"ql.ini";

std::wstring DataFile(const std::wstring& folder, int n) { return folder + winkit::FromAnsi(core::DataFileName(n)); }

bool WriteAnsiFile(const std::wstring& path, const std::wstring& text) {
    const std::string bytes = winkit::ToAnsi(text);
    winkit::ScopedFile file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && (bytes.empty() || ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                                 &written, nullptr)) &&
           written == bytes.size();
}

// The file's text, or nothing when it cannot be read.
bool ReadAnsiFile(const std::wstring& path, std::wstring& text) {
    winkit::ScopedFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF)
        return false;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return false;
    bytes.resize(read);
    text = winkit::FromAnsi(bytes);
    return true;
}

// One value of the index, read the way the platform's INI reader reads it: keys case-insensitive,
// blanks and one pair of quotes dropped, at most 254 characters.
std::wstring IndexValue(const std::wstring& index, const std::wstring& section, const wchar_t* key) {
    wchar_t buffer[255] = {};
    ::GetPrivateProfileStringW(section.c_str(), key, L"", buffer, 255, index.c_str());
    return buffer;
}

// The index is read from a copy under a fresh name each time, so no cached copy of an earlier
// project's index can answer for it.
std::wstring RandomIndexCopy(const std::wstring& folder) {
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto r = static_cast<long long>(unit(generator) * 2147483640.0);
    return folder + L"ql" + std::to_wstring(r) + L".ini";
}

bool WriteSlotFiles(const ClipProject& project, const std::wstring& work) {
    std::wstring index;
    for (int n = 1; n <= core::kSlotCount; ++n) {
        const Clip& clip = project.slot(n);
        index += core::IndexLines(n, clip, ClipMethods[static_cast<std::size_t>(n - 1)]);
        const std::wstring data = DataFile(work, n);
        if (clip.format == core::kFormatImg) {
            // The file exists even when the picture cannot be written, as every slot has its file.
            if (!WriteAnsiFile(data, L""))
                return false;
            if (clip.bitmap())
                SaveBitmapFile(clip.bitmap(), data);
        } else if (!WriteAnsiFile(data, core::DataFileText(clip))) {
            return false;
        }
    }
    return WriteAnsiFile(work + kIndexName, index);
}

void LoadSlot(ClipProject& project, int n, const std::wstring& work, const std::wstring& index) {
    Clip& clip = project.slot(n);
    const std::wstring section = L"Clip" + std::to_wstring(n);
    const std::wstring format = core::NormalizedFormat(IndexValue(index, section, L"Format"));
    if (auto method = core::ParseByteValue(IndexValue(index, section, L"Method")))
        ClipMethods[static_cast<std::size_t>(n - 1)] = *method;
    std::wstring text;
    const bool read = ReadAnsiFile(DataFile(work, n), text);
    if (format == core::kFormatTxtSimple) {
        clip.locked = false;
        clip.format = format;
        clip.text = read ? core::FirstLine(text) : L"";
    } else if (format == core::kFormatTxtLong) {
        clip.locked = true;
        clip.format = format;
        clip.text.clear();
        clip.data = read ? core::JoinedLines(text) : L"";
    } else if (format == core::kFormatRtf) {
        clip.locked = true;
        clip.format = format;
        clip.text.clear();
        clip.data = winkit::FromAnsi(LoadRtfThroughOpener(DataFile(work, n)).value_or(""));
    } else if (format == core::kFormatImg) {
        clip.locked = true;
        clip.format = format;
        clip.picture.reset(LoadBitmapFile(DataFile(work, n)));
    }
    if (format != core::kFormatTxtSimple)
        clip.text = IndexValue(index, section, L"Name");
}

} // namespace

void KillTempDir(const std::wstring& folder) {
    for (int n = 1; n <= core::kSlotCount; ++n)
        ::DeleteFileW(DataFile(folder, n).c_str());
    ::DeleteFileW((folder + kIndexName).c_str());
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((folder + L"*.ini").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            ::DeleteFileW((folder + found.cFileName).c_str());
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(folder.c_str());
    ClearPendingError();
}

bool SaveProject(const ClipProject& project, const std::wstring& path) {
    const std::wstring work = TempFolder + L"qlsave\\";
    if (FolderExists(work))
        KillTempDir(work);
    if (!::CreateDirectoryW(work.c_str(), nullptr) || !WriteSlotFiles(project, work)) {
        SetPendingWin32Error(::GetLastError());
        ShowError(L"Unable to save project!", true);
        return false;
    }
    const bool packed = PackFolder(work, path, L"*.*") >= 0;
    KillTempDir(work);
    return packed;
}

bool LoadProject(ClipProject& project, ProjectView& view, const std::wstring& path) {
    if (!FileExists(path)) {
        view.SetBusy(false);
        view.ShowStatus(L"Ready");
        ShowError(L"Unable to load project. File you are trying to load can be damaged or doesn't exists.", true);
        return false;
    }
    view.SetBusy(true);
    view.ShowStatus(L"Please wait...");
    project.CleanUp();
    const std::wstring work = TempFolder + L"qlload\\";
    if (FolderExists(work))
        KillTempDir(work);
    if (!FolderExists(work))
        ::CreateDirectoryW(work.c_str(), nullptr);
    UnpackFolder(path, work);
    const std::wstring index = RandomIndexCopy(work);
    ::CopyFileW((work + kIndexName).c_str(), index.c_str(), FALSE);
    for (int n = 1; n <= core::kSlotCount; ++n)
        LoadSlot(project, n, work, index);
    project.ProjectChanged = false;
    project.PlaceEmptyStrings();
    if (project.slot(1).text == core::EmptyClipMarker)
        project.slot(1).text.clear();
    view.RefreshRows();
    view.FocusFirstRow();
    KillTempDir(work);
    view.SetBusy(false);
    view.ShowStatus(L"Ready");
    return true;
}

} // namespace quillet
