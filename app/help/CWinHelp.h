#pragma once
// CWinHelp: the program's wrapper around the system's help viewer. It remembers one help file and an
// owner window, checks them when they are set, and turns each request into one WinHelpA command.
// Every failure is thrown as a HelpError with its fixed number and message.
#include <windows.h>

#include <functional>
#include <string>

namespace quillet {

struct HelpError {
    long number;
    std::wstring description;
    std::wstring source; // the program's executable name + ".CWinHelp"
};

inline constexpr long kHelpNotInitialized = static_cast<long>(0x8004481DL);
inline constexpr long kHelpInvalidFileName = static_cast<long>(0x8004481EL);
inline constexpr long kHelpFileNotFound = static_cast<long>(0x8004481FL);
inline constexpr long kHelpInvalidWindow = static_cast<long>(0x80044820L);
inline constexpr long kHelpCallFailed = static_cast<long>(0x80044821L);
inline constexpr long kHelpComponentFailure = static_cast<long>(0x80044822L);

class CWinHelp {
public:
    // The viewer entry point; tests put their own in its place.
    using HelpCall = std::function<BOOL(HWND, LPCSTR, UINT, ULONG_PTR)>;

    explicit CWinHelp(HelpCall call = &::WinHelpA);
    CWinHelp(const CWinHelp&) = delete;
    CWinHelp& operator=(const CWinHelp&) = delete;
    // Closes the viewer's window for the file, if one was set; failures are ignored.
    ~CWinHelp();

    void Init(const std::wstring& fileName, long hwndOwner);
    const std::wstring& FileName() const { return fileName_; }
    void FileName(const std::wstring& fileName);
    long HWndOwner() const { return owner_; }
    void HWndOwner(long hwndOwner);

    void CloseFile();
    void RunMacro(const std::wstring& macro);
    void Search(const std::wstring& keyword);
    void ShowContents();
    void ShowContext(long contextId);
    void ShowFinder();
    void ShowHelpOnHelp();
    void ShowSearch();

private:
    template <typename Body> void Guarded(Body body);
    void ValidateFile(const std::wstring& fileName) const;
    void Display(UINT command, ULONG_PTR data);
    void DisplayText(UINT command, const std::wstring& text);

    HelpCall call_;
    std::wstring fileName_;
    long owner_ = 0;
};

} // namespace quillet
