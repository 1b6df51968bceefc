// Saving and loading a project of 29 text clips and one 1920 x 1080 picture, beside a plain copy of the
// same number of bytes in the same run. Prints the medians and their ratio, and where a save and a load
// spend their time (the picture's bitmap file, writing and reading the project file). Exits non-zero,
// saying why, when a save or a load fails.
#include "app/projects/PictureFile.h"
#include "app/projects/ProjectContainer.h"
#include "app/projects/ProjectFile.h"
#include "app/shell/modInitialization.h"
#include "testkit/Files.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct NullView : quillet::ProjectView {
    void ShowStatus(const std::wstring&) override {}
    void SetBusy(bool) override {}
    void FocusFirstRow() override {}
    void RefreshRows() override {}
    HWND DialogOwner() override { return nullptr; }
    void ClickFirstRow() override {}
    void AddRecent(const std::wstring&, const std::wstring&) override {}
    void LoadRecentList() override {}
    void SetDefaultProjectTip(const std::wstring&) override {}
};

HBITMAP Picture(int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* p = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i)
        p[i] = static_cast<std::uint32_t>(i * 2654435761u);
    return bmp;
}

template <typename F> double MedianMs(int runs, F&& f) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "project_bench: %s failed (error %lu)\n", what, ::GetLastError());
        std::exit(1);
    }
}

} // namespace

int main() {
    testkit::TempFolder folder(L"quillet-bench");
    quillet::TempFolder = folder.path();
    quillet::ClipProject project;
    project.CleanUp();
    for (int n = 1; n <= 29; ++n) {
        quillet::Clip& clip = project.slot(n);
        clip.format = n % 2 ? core::kFormatTxtSimple : core::kFormatTxtLong;
        clip.text = L"Clip number " + std::to_wstring(n);
        if (clip.format == core::kFormatTxtLong)
            for (int line = 0; line < 40; ++line)
                clip.data += L"A line of a longer clip, number " + std::to_wstring(line) + L"\r\n";
    }
    quillet::Clip& picture = project.slot(30);
    picture.format = core::kFormatImg;
    picture.text = L"Screen";
    picture.picture.reset(Picture(1920, 1080));

    const std::wstring file = folder.path() + L"bench.ql";
    const std::wstring copy = folder.path() + L"copy.ql";
    NullView view;
    const int runs = 7;
    const double save = MedianMs(runs, [&] { Check(quillet::SaveProject(project, file), "saving the project"); });
    const double load = MedianMs(runs, [&] {
        quillet::ClipProject loaded;
        Check(quillet::LoadProject(loaded, view, file), "loading the project");
        Check(loaded.slot(30).bitmap() != nullptr, "reading the picture back");
    });
    const double plain = MedianMs(runs, [&] { Check(::CopyFileW(file.c_str(), copy.c_str(), FALSE), "copying"); });

    // The parts: the picture's bitmap file built and decoded in memory, then the project file written
    // (with flush and replace) and read back whole.
    std::vector<std::uint8_t> bmp;
    const double pictureSave = MedianMs(runs, [&] {
        auto encoded = quillet::EncodeBitmapFile(picture.bitmap());
        Check(encoded.has_value(), "encoding the picture");
        bmp = std::move(*encoded);
    });
    const double pictureLoad = MedianMs(runs, [&] {
        HBITMAP read = quillet::BitmapFromFileBytes(bmp.data(), bmp.size());
        Check(read != nullptr, "decoding the picture");
        ::DeleteObject(read);
    });
    const std::wstring packed = folder.path() + L"parts.ql";
    const std::vector<quillet::ProjectEntry> entries{{"clip30.dat", bmp}};
    const double pack =
        MedianMs(runs, [&] { Check(quillet::WriteProjectFile(entries, packed), "writing the project file"); });
    const double unpack = MedianMs(runs, [&] {
        quillet::ProjectEntries read;
        Check(read.Read(packed) == 1, "reading the project file");
    });

    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    ::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &attributes);
    std::printf("project file: %lu bytes (29 text clips, one 1920x1080 picture), median of %d runs\n",
                attributes.nFileSizeLow, runs);
    std::printf("save            %8.1f ms   %5.1fx plain copy\n", save, save / plain);
    std::printf("load            %8.1f ms   %5.1fx plain copy\n", load, load / plain);
    std::printf("plain file copy %8.1f ms   (the baseline)\n", plain);
    std::printf("of which: picture encode %.1f ms, decode %.1f ms; project file of that picture written (flush,"
                " replace) %.1f ms, read %.1f ms\n",
                pictureSave, pictureLoad, pack, unpack);
    return 0;
}
