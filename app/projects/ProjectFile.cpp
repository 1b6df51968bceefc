#include "app/projects/ProjectFile.h"

#include "app/projects/PictureFile.h"
#include "app/projects/ProjectContainer.h"
#include "app/projects/RtfOpener.h"
#include "app/shell/Messages.h"
#include "app/shell/modInitialization.h"
#include "core/ByteValue.h"
#include "core/IniText.h"
#include "winkit/TextConv.h"
#include "winkit/Wait.h"

#include <algorithm>

namespace quillet {
namespace {

const char kIndexName[] = "ql.ini";

std::vector<std::uint8_t> AnsiBytes(const std::wstring& text) {
    const std::string bytes = winkit::ToAnsi(text);
    return {bytes.begin(), bytes.end()};
}

std::string_view EntryText(const core::ContainerEntryView* entry) {
    return entry ? std::string_view(reinterpret_cast<const char*>(entry->data), entry->size) : std::string_view();
}

// In the order the file system lists a folder's files, as projects have always been packed.
bool ListedBefore(const ProjectEntry& a, const ProjectEntry& b) {
    return std::lexicographical_compare(a.name.begin(), a.name.end(), b.name.begin(), b.name.end(), [](char x, char y) {
        const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
        return static_cast<unsigned char>(upper(x)) < static_cast<unsigned char>(upper(y));
    });
}

std::vector<ProjectEntry> SlotEntries(const ClipProject& project) {
    std::vector<ProjectEntry> entries;
    std::wstring index;
    for (int n = 1; n <= core::kSlotCount; ++n) {
        const Clip& clip = project.slot(n);
        index += core::IndexLines(n, clip, ClipMethods[static_cast<std::size_t>(n - 1)]);
        ProjectEntry entry{core::DataFileName(n), {}};
        if (clip.format == core::kFormatImg) {
            // The entry exists even when the picture cannot be written, as every slot has its file.
            if (clip.bitmap())
                entry.data = EncodeBitmapFile(clip.bitmap()).value_or(std::vector<std::uint8_t>());
        } else {
            entry.data = AnsiBytes(core::DataFileText(clip));
        }
        entries.push_back(std::move(entry));
        winkit::PumpMessages();
    }
    entries.push_back({kIndexName, AnsiBytes(index)});
    std::sort(entries.begin(), entries.end(), ListedBefore);
    return entries;
}

void LoadSlot(ClipProject& project, int n, const ProjectEntries& entries, const core::IniText& index) {
    Clip& clip = project.slot(n);
    const std::wstring section = L"Clip" + std::to_wstring(n);
    const std::wstring format = core::NormalizedFormat(index.Value(section, L"Format"));
    if (auto method = core::ParseByteValue(index.Value(section, L"Method")))
        ClipMethods[static_cast<std::size_t>(n - 1)] = *method;
    const core::ContainerEntryView* data = entries.Find(core::DataFileName(n));
    const std::wstring text = winkit::FromAnsi(EntryText(data));
    if (format == core::kFormatTxtSimple) {
        clip.locked = false;
        clip.format = format;
        clip.text = core::FirstLine(text);
    } else if (format == core::kFormatTxtLong) {
        clip.locked = true;
        clip.format = format;
        clip.text.clear();
        clip.data = core::JoinedLines(text);
    } else if (format == core::kFormatRtf) {
        clip.locked = true;
        clip.format = format;
        clip.text.clear();
        clip.data = data ? winkit::FromAnsi(LoadRtfThroughOpener(EntryText(data)).value_or("")) : L"";
    } else if (format == core::kFormatImg) {
        clip.locked = true;
        clip.format = format;
        clip.picture.reset(data ? BitmapFromFileBytes(data->data, data->size) : nullptr);
    }
    if (format != core::kFormatTxtSimple)
        clip.text = index.Value(section, L"Name");
    winkit::PumpMessages();
}

} // namespace

bool SaveProject(const ClipProject& project, const std::wstring& path) {
    const bool saved = WriteProjectFile(SlotEntries(project), path);
    ClearPendingError();
    return saved;
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
    ProjectEntries entries;
    entries.Read(path);
    const core::IniText index(winkit::FromAnsi(EntryText(entries.Find(kIndexName))));
    for (int n = 1; n <= core::kSlotCount; ++n)
        LoadSlot(project, n, entries, index);
    project.ProjectChanged = false;
    project.PlaceEmptyStrings();
    if (project.slot(1).text == core::EmptyClipMarker)
        project.slot(1).text.clear();
    view.RefreshRows();
    view.FocusFirstRow();
    ClearPendingError();
    view.SetBusy(false);
    view.ShowStatus(L"Ready");
    return true;
}

} // namespace quillet
