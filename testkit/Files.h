#pragma once
// Throwaway folders and file helpers for tests.
#include <string>

namespace testkit {

// A fresh, uniquely named folder under the system's temp folder, removed with everything in it.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& prefix = L"quillet-test");
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    // Ends in "\".
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

void RemoveTree(const std::wstring& folder);
bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
// The folder of the running test program, ending in "\".
std::wstring ExecutableFolder();

} // namespace testkit
