#include "app/projects/ProjectContainer.h"

#include "testkit/Dialogs.h"
#include "testkit/Files.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

using quillet::PackFolder;
using quillet::UnpackFolder;

namespace {

const wchar_t kErrorTitle[] = L"Quillet - Error";

void WriteFile(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary);
    out << bytes;
}

std::string ReadFile(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Container bytes written straight from the format description.
std::string I32(std::int32_t v) {
    std::string s(4, '\0');
    for (int k = 0; k < 4; ++k)
        s[k] = static_cast<char>(static_cast<std::uint32_t>(v) >> (8 * k));
    return s;
}
std::string Entry(const std::string& name, const std::string& data) {
    const auto n = static_cast<std::uint16_t>(name.size());
    return std::string{static_cast<char>(n & 0xff), static_cast<char>(n >> 8)} + name +
           I32(static_cast<std::int32_t>(data.size())) + data;
}

// The entries of a container as name -> data (listing order is the system's, so not compared).
std::map<std::string, std::string> Entries(const std::string& bytes, std::int32_t* count) {
    std::map<std::string, std::string> entries;
    std::size_t pos = 4;
    std::memcpy(count, bytes.data(), 4);
    for (std::int32_t i = 0; i < *count; ++i) {
        std::uint16_t n;
        std::memcpy(&n, bytes.data() + pos, 2);
        const std::string name = bytes.substr(pos + 2, n);
        std::int32_t d;
        std::memcpy(&d, bytes.data() + pos + 2 + n, 4);
        entries[name] = bytes.substr(pos + 6 + n, static_cast<std::size_t>(d));
        pos += 6 + n + static_cast<std::size_t>(d);
    }
    EXPECT_EQ(pos, bytes.size()) << "the file ends right after the last entry";
    return entries;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE h = ::FindFirstFileW((folder + L"*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (::FindNextFileW(h, &found));
    ::FindClose(h);
    return names;
}

class ProjectContainerTest : public ::testing::Test {
protected:
    testkit::TempFolder root_;
    std::wstring Folder(const wchar_t* name) {
        const std::wstring f = root_.path() + name + L"\\";
        ::CreateDirectoryW(f.c_str(), nullptr);
        return f;
    }
};

} // namespace

TEST_F(ProjectContainerTest, PacksThePlainFilesOfTheFolder) {
    const std::wstring work = Folder(L"qlsave");
    WriteFile(work + L"ql.ini", "[Clip1]\r\n");
    WriteFile(work + L"clip1.dat", "hello\r\n");
    WriteFile(work + L"picture.dat", std::string("BM\0\x01\xff", 5));
    WriteFile(work + L"hidden.dat", "x");
    ::SetFileAttributesW((work + L"hidden.dat").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::CreateDirectoryW((work + L"subfolder").c_str(), nullptr);

    const std::wstring target = root_.path() + L"project.ql";
    EXPECT_EQ(PackFolder(work, target, L"*.*"), 3);
    std::int32_t count = 0;
    const auto entries = Entries(ReadFile(target), &count);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(entries.at("ql.ini"), "[Clip1]\r\n");
    EXPECT_EQ(entries.at("clip1.dat"), "hello\r\n");
    EXPECT_EQ(entries.at("picture.dat"), std::string("BM\0\x01\xff", 5));
    EXPECT_FALSE(testkit::FileExists(target + L".saving"));
}

TEST_F(ProjectContainerTest, UnpacksAHandWrittenContainer) {
    const std::wstring file = root_.path() + L"hand.ql";
    WriteFile(file, I32(2) + Entry("ql.ini", "[Clip1]\r\nFormat = TXT-SIMPLE\r\n") + Entry("clip1.dat", "one\r\n"));
    const std::wstring work = Folder(L"qlload");
    EXPECT_EQ(UnpackFolder(file, work), 2);
    EXPECT_EQ(ReadFile(work + L"ql.ini"), "[Clip1]\r\nFormat = TXT-SIMPLE\r\n");
    EXPECT_EQ(ReadFile(work + L"clip1.dat"), "one\r\n");
}

TEST_F(ProjectContainerTest, RoundTripKeepsEveryByte) {
    const std::wstring save = Folder(L"qlsave");
    std::string binary;
    for (int i = 0; i < 70000; ++i)
        binary += static_cast<char>(i * 131);
    WriteFile(save + L"clip30.dat", binary);
    WriteFile(save + L"empty.dat", "");
    const std::wstring target = root_.path() + L"p.ql";
    ASSERT_EQ(PackFolder(save, target, L"*.*"), 2);
    const std::wstring load = Folder(L"qlload");
    ASSERT_EQ(UnpackFolder(target, load), 2);
    EXPECT_EQ(ReadFile(load + L"clip30.dat"), binary);
    EXPECT_TRUE(testkit::FileExists(load + L"empty.dat"));
    EXPECT_EQ(ReadFile(load + L"empty.dat"), "");
}

TEST_F(ProjectContainerTest, HostileNamesAreNeverWrittenAnywhere) {
    const std::wstring file = root_.path() + L"hostile.ql";
    WriteFile(file, I32(7) + Entry("..\\escaped.txt", "bad") + Entry("../escaped2.txt", "bad") +
                        Entry("sub\\inner.txt", "bad") + Entry("C:\\escaped3.txt", "bad") + Entry("CON", "bad") +
                        Entry("", "bad") + Entry("clip1.dat", "good"));
    const std::wstring work = Folder(L"qlload");
    EXPECT_EQ(UnpackFolder(file, work), 7);
    EXPECT_EQ(FilesIn(work), std::vector<std::wstring>{L"clip1.dat"});
    // Nothing beside the work folder either: only the container and the folder itself.
    std::vector<std::wstring> beside = FilesIn(root_.path());
    std::sort(beside.begin(), beside.end());
    EXPECT_EQ(beside, (std::vector<std::wstring>{L"hostile.ql", L"qlload"}));
}

TEST_F(ProjectContainerTest, ADamagedContainerStopsWithTheLoadErrorAndKeepsWhatCameBefore) {
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"data length past the end", I32(2) + Entry("clip1.dat", "one") + std::string("\x01\x00", 2) + "a" +
                                         I32(0x7fffffff) + "short"},
        {"negative count", I32(-7)},
        {"negative name length", I32(2) + Entry("clip1.dat", "one") + std::string("\xff\xff", 2)},
        {"count beyond the entries", I32(100000) + Entry("clip1.dat", "one")},
    };
    for (const Case& c : cases) {
        const std::wstring file = root_.path() + L"damaged.ql";
        WriteFile(file, c.bytes);
        const std::wstring work = Folder(L"qlload");
        auto box = testkit::AnswerMessageBox(kErrorTitle, IDOK);
        EXPECT_EQ(UnpackFolder(file, work), -1) << c.what;
        const testkit::AnsweredBox answered = box.get();
        ASSERT_TRUE(answered.appeared) << c.what;
        EXPECT_EQ(answered.contents.text.rfind(
                      L"Error while loading project. Do you have got enough hard-disk space and memory?", 0),
                  0u)
            << c.what;
        const bool firstKept = testkit::FileExists(work + L"clip1.dat");
        EXPECT_EQ(firstKept, c.bytes.size() > 8) << c.what;
        testkit::RemoveTree(work);
    }
}

TEST_F(ProjectContainerTest, AFailedSaveLeavesTheOldProjectIntact) {
    const std::wstring target = root_.path() + L"project.ql";
    WriteFile(target, "the old project");
    const std::wstring work = Folder(L"qlsave");
    WriteFile(work + L"clip1.dat", "new");
    WriteFile(work + L"clip2.dat", "locked");
    // Another program holds a data file open without sharing: it cannot be read.
    HANDLE locked = ::CreateFileW((work + L"clip2.dat").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    auto box = testkit::AnswerMessageBox(kErrorTitle, IDOK);
    EXPECT_EQ(PackFolder(work, target, L"*.*"), -1);
    ::CloseHandle(locked);
    const testkit::AnsweredBox answered = box.get();
    ASSERT_TRUE(answered.appeared);
    EXPECT_EQ(answered.contents.text.rfind(L"Error while saving project.", 0), 0u);
    EXPECT_EQ(ReadFile(target), "the old project");
    EXPECT_FALSE(testkit::FileExists(target + L".saving"));
}

TEST_F(ProjectContainerTest, SavingIntoAMissingFolderFailsWithTheSaveError) {
    const std::wstring work = Folder(L"qlsave");
    WriteFile(work + L"clip1.dat", "x");
    auto box = testkit::AnswerMessageBox(kErrorTitle, IDOK);
    EXPECT_EQ(PackFolder(work, root_.path() + L"no such folder\\p.ql", L"*.*"), -1);
    EXPECT_TRUE(box.get().appeared);
}

TEST(FileExists, TellsFilesFromFoldersAndMissingPaths) {
    testkit::TempFolder root;
    const std::wstring file = root.path() + L"a.txt";
    WriteFile(file, "a");
    EXPECT_TRUE(quillet::FileExists(file));
    EXPECT_FALSE(quillet::FileExists(root.path() + L"missing.txt"));
    EXPECT_TRUE(quillet::FolderExists(root.path()));
    EXPECT_FALSE(quillet::FolderExists(file));
    EXPECT_FALSE(quillet::FolderExists(root.path() + L"missing"));
}
