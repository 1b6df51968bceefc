#include "app/projects/ProjectFile.h"

#include "app/shell/modInitialization.h"
#include "FakeProjectView.h"
#include "testkit/Dialogs.h"
#include "testkit/Files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

using quillet::Clip;
using quillet::ClipProject;

namespace {



std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::map<std::string, std::string> Entries(const std::string& bytes, std::int32_t* count) {
    std::map<std::string, std::string> entries;
    std::memcpy(count, bytes.data(), 4);
    std::size_t pos = 4;
    for (std::int32_t i = 0; i < *count && pos < bytes.size(); ++i) {
        std::uint16_t n;
        std::memcpy(&n, bytes.data() + pos, 2);
        std::int32_t d;
        std::memcpy(&d, bytes.data() + pos + 2 + n, 4);
        entries[bytes.substr(pos + 2, n)] = bytes.substr(pos + 6 + n, static_cast<std::size_t>(d));
        pos += 6 + n + static_cast<std::size_t>(d);
    }
    return entries;
}

std::string Container(const std::vector<std::pair<std::string, std::string>>& files) {
    auto i32 = [](std::uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    std::string out = i32(static_cast<std::uint32_t>(files.size()));
    for (const auto& [name, data] : files) {
        out += std::string{char(name.size()), char(name.size() >> 8)} + name + i32(static_cast<std::uint32_t>(data.size())) + data;
    }
    return out;
}

// A 640 x 480 picture with a pattern every pixel of which can be checked.
HBITMAP MakePicture(int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* p = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p[y * width + x] = static_cast<std::uint32_t>((x * 7) & 0xFF) << 16 | ((y * 3) & 0xFF) << 8 | ((x + y) & 0xFF);
    return bmp;
}

std::vector<std::uint32_t> Pixels(HBITMAP bmp, int* width, int* height) {
    BITMAP info{};
    ::GetObjectW(bmp, sizeof(info), &info);
    *width = info.bmWidth;
    *height = info.bmHeight;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), info.bmWidth, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> px(static_cast<std::size_t>(info.bmWidth) * info.bmHeight);
    HDC dc = ::GetDC(nullptr);
    ::GetDIBits(dc, bmp, 0, static_cast<UINT>(info.bmHeight), px.data(), &bi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, dc);
    for (auto& v : px)
        v &= 0xFFFFFF;
    return px;
}

class ProjectFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        quillet::TempFolder = temp_.path();
        quillet::ClipMethods.fill(1);
    }
    testkit::TempFolder temp_;
    testkit::TempFolder projects_;
    FakeProjectView view_;
};

} // namespace

TEST_F(ProjectFileTest, AnEmptyProjectSavesAs31EntriesWithTheMarkerEverywhere) {
    ClipProject project;
    project.CleanUp();
    const std::wstring file = projects_.path() + L"empty.ql";
    ASSERT_TRUE(quillet::SaveProject(project, file));
    std::int32_t count = 0;
    const auto entries = Entries(ReadBytes(file), &count);
    EXPECT_EQ(count, 31);
    ASSERT_EQ(entries.size(), 31u);
    const std::string marker = "Empty\xA0\xA0\xA0\xA0\xA0\xA0"; // the marker in the Western code page
    std::string index;
    for (int n = 1; n <= 30; ++n) {
        index += "[Clip" + std::to_string(n) + "]\r\nFormat = TXT-SIMPLE\r\nName = " + marker + "\r\nMethod = 1\r\n";
        EXPECT_EQ(entries.at("clip" + std::to_string(n) + ".dat"), marker + "\r\n") << n;
    }
    EXPECT_EQ(entries.at("ql.ini"), index);
    EXPECT_FALSE(testkit::FolderExists(temp_.path() + L"qlsave")) << "the work folder lives only during the save";

    ClipProject loaded;
    ASSERT_TRUE(quillet::LoadProject(loaded, view_, file));
    EXPECT_EQ(loaded.slot(1).text, L"") << "row 1 is emptied for typing";
    for (int n = 2; n <= 30; ++n)
        EXPECT_EQ(loaded.slot(n).text, core::EmptyClipMarker) << n;
    EXPECT_FALSE(testkit::FolderExists(temp_.path() + L"qlload"));
}

TEST_F(ProjectFileTest, EveryFormatComesBack) {
    ClipProject project;
    project.CleanUp();
    project.slot(1).text = L"one line";
    Clip& longText = project.slot(2);
    longText.format = core::kFormatTxtLong;
    longText.text = L"Letter";
    longText.data = L"Dear Sir,\r\n\r\nregards\r\n";
    Clip& leading = project.slot(3);
    leading.format = core::kFormatTxtLong;
    leading.text = L"Leading";
    leading.data = L"\r\n\r\nstarts here";
    Clip& rtf = project.slot(4);
    rtf.format = core::kFormatRtf;
    rtf.text = L"Rich";
    rtf.data = L"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 bold {\\b text}\\par}";
    Clip& picture = project.slot(5);
    picture.format = core::kFormatImg;
    picture.text = L"Photo";
    picture.picture.reset(MakePicture(640, 480));
    project.slot(6).text = std::wstring(300, L'x');
    quillet::ClipMethods[0] = 2;
    quillet::ClipMethods[29] = 4;

    const std::wstring file = projects_.path() + L"all.ql";
    ASSERT_TRUE(quillet::SaveProject(project, file));
    quillet::ClipMethods.fill(1);

    ClipProject loaded;
    ASSERT_TRUE(quillet::LoadProject(loaded, view_, file));
    EXPECT_EQ(loaded.slot(1).text, L"one line");
    EXPECT_FALSE(loaded.slot(1).locked);
    EXPECT_EQ(loaded.slot(2).format, core::kFormatTxtLong);
    EXPECT_EQ(loaded.slot(2).text, L"Letter");
    EXPECT_EQ(loaded.slot(2).data, L"Dear Sir,\r\n\r\nregards\r\n") << "a trailing line break survives";
    EXPECT_TRUE(loaded.slot(2).locked);
    EXPECT_EQ(loaded.slot(3).data, L"starts here") << "leading empty lines do not survive";
    EXPECT_EQ(loaded.slot(4).format, core::kFormatRtf);
    EXPECT_EQ(loaded.slot(4).text, L"Rich");
    EXPECT_EQ(loaded.slot(4).data.rfind(L"{\\rtf", 0), 0u);
    EXPECT_NE(loaded.slot(4).data.find(L"text"), std::wstring::npos);
    EXPECT_EQ(loaded.slot(5).format, core::kFormatImg);
    EXPECT_EQ(loaded.slot(5).text, L"Photo");
    ASSERT_NE(loaded.slot(5).bitmap(), nullptr);
    int w = 0, h = 0, w2 = 0, h2 = 0;
    const auto before = Pixels(project.slot(5).bitmap(), &w, &h);
    const auto after = Pixels(loaded.slot(5).bitmap(), &w2, &h2);
    EXPECT_EQ(w2, 640);
    EXPECT_EQ(h2, 480);
    EXPECT_TRUE(before == after) << "every pixel of the picture comes back";
    EXPECT_EQ(loaded.slot(6).text, std::wstring(300, L'x')) << "a one-line clip is read from its data file, uncut";
    EXPECT_EQ(quillet::ClipMethods[0], 2);
    EXPECT_EQ(quillet::ClipMethods[29], 4);
    EXPECT_FALSE(loaded.ProjectChanged);
    EXPECT_EQ(view_.busy, 0) << "the pointer is back to normal";
    EXPECT_EQ(view_.statuses.back(), L"Ready");
    EXPECT_GE(view_.focused, 1);
}

TEST_F(ProjectFileTest, AHandWrittenProjectLoadsByTheIniRules) {
    std::string index;
    index += "[clip1]\r\nformat = txt-simple\r\nName = ignored\r\nMethod = 3\r\n";
    index += "[Clip2]\r\nFormat = rtf\r\nName =   spaced name   \r\nMethod = 2\r\n";
    index += "[Clip3]\r\nFormat = TXT-LONG\r\nName = \"quoted\"\r\n";
    index += "[Clip4]\r\nFormat = TXT-LONG\r\nName = " + std::string(300, 'n') + "\r\nMethod = 999\r\n";
    index += "[Clip5]\r\nFormat = SOMETHING\r\nName = odd\r\nMethod = 1\r\n";
    const std::string file = Container({{"ql.ini", index},
                                        {"clip1.dat", "first\r\nsecond\r\n"},
                                        {"clip2.dat", "{\\rtf1\\ansi hello\\par}\r\n"},
                                        {"clip3.dat", "a\r\nb\r\n"},
                                        {"clip4.dat", "x"}});
    const std::wstring path = projects_.path() + L"hand.ql";
    std::ofstream(path.c_str(), std::ios::binary) << file;
    quillet::ClipMethods[2] = 3;
    quillet::ClipMethods[3] = 2;

    ClipProject loaded;
    ASSERT_TRUE(quillet::LoadProject(loaded, view_, path));
    EXPECT_EQ(loaded.slot(1).text, L"first") << "only the first line of a one-line clip";
    EXPECT_EQ(quillet::ClipMethods[0], 3);
    EXPECT_EQ(loaded.slot(2).format, core::kFormatRtf) << "format tags are read in any case";
    EXPECT_EQ(loaded.slot(2).text, L"spaced name");
    EXPECT_EQ(quillet::ClipMethods[1], 2);
    EXPECT_EQ(loaded.slot(3).text, L"quoted");
    EXPECT_EQ(loaded.slot(3).data, L"a\r\nb");
    EXPECT_EQ(quillet::ClipMethods[2], 3) << "a missing method leaves the slot's method alone";
    EXPECT_EQ(loaded.slot(4).text, std::wstring(254, L'n')) << "names are cut to 254 characters";
    EXPECT_EQ(quillet::ClipMethods[3], 2) << "a method that is no byte is not taken";
    EXPECT_EQ(loaded.slot(5).format, core::kFormatTxtSimple) << "an unknown format leaves the slot empty";
    EXPECT_EQ(loaded.slot(5).text, L"odd");
    EXPECT_EQ(loaded.slot(6).text, core::EmptyClipMarker) << "slots the file lacks show the marker";
}

TEST_F(ProjectFileTest, AMissingFileIsReportedAndChangesNothing) {
    ClipProject project;
    project.CleanUp();
    project.slot(1).text = L"keep me";
    auto box = testkit::AnswerMessageBox(L"Quillet - Error", IDOK);
    EXPECT_FALSE(quillet::LoadProject(project, view_, projects_.path() + L"missing.ql"));
    const auto answered = box.get();
    ASSERT_TRUE(answered.appeared);
    EXPECT_EQ(answered.contents.text.rfind(
                  L"Unable to load project. File you are trying to load can be damaged or doesn't exists.", 0),
              0u);
    EXPECT_EQ(project.slot(1).text, L"keep me");
    EXPECT_EQ(view_.statuses.back(), L"Ready");
}

// Work folders that an earlier version left behind (it saved and loaded through them) play no part.
TEST_F(ProjectFileTest, LeftoverWorkFoldersDoNotReachTheProject) {
    const std::wstring save = temp_.path() + L"qlsave\\";
    const std::wstring load = temp_.path() + L"qlload\\";
    ::CreateDirectoryW(save.c_str(), nullptr);
    ::CreateDirectoryW(load.c_str(), nullptr);
    std::ofstream((save + L"clip7.dat").c_str()) << "stale";
    std::ofstream((load + L"old.ini").c_str()) << "[Clip1]\r\nFormat = TXT-LONG\r\n";
    ClipProject project;
    project.CleanUp();
    const std::wstring file = projects_.path() + L"p.ql";
    ASSERT_TRUE(quillet::SaveProject(project, file));
    std::int32_t count = 0;
    EXPECT_EQ(Entries(ReadBytes(file), &count).at("clip7.dat"), "Empty\xA0\xA0\xA0\xA0\xA0\xA0\r\n");
    ClipProject loaded;
    ASSERT_TRUE(quillet::LoadProject(loaded, view_, file));
    EXPECT_EQ(loaded.slot(1).format, core::kFormatTxtSimple);
}
