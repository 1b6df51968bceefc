#include "app/help/CWinHelp.h"

#include "winkit/ModulePath.h"
#include "winkit/TextConv.h"

#include <cstdint>

namespace quillet {

namespace {

std::wstring ErrorSource() {
    std::wstring name = winkit::ModulePath(nullptr);
    name.erase(0, name.find_last_of(L"\\/") + 1);
    const auto dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos)
        name.erase(dot);
    return name + L".CWinHelp";
}

[[noreturn]] void Raise(long number) {
    const wchar_t* message = L"CWinHelp component failure";
    switch (number) {
    case kHelpNotInitialized:
        message = L"Object not properly initialized";
        break;
    case kHelpInvalidFileName:
        message = L"Invalid file name";
        break;
    case kHelpFileNotFound:
        message = L"File not found";
        break;
    case kHelpInvalidWindow:
        message = L"Invalid window handle";
        break;
    case kHelpCallFailed:
        message = L"Call to WinHelp failed";
        break;
    default:
        number = kHelpComponentFailure;
        break;
    }
    throw HelpError{number, message, ErrorSource()};
}

bool BlankAfterTrim(const std::wstring& text) {
    return text.find_first_not_of(L' ') == std::wstring::npos;
}

HWND AsWindow(long handle) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(handle));
}

} // namespace

CWinHelp::CWinHelp(HelpCall call) : call_(std::move(call)) {}

CWinHelp::~CWinHelp() {
    if (BlankAfterTrim(fileName_) || !call_)
        return;
    try {
        const std::string file = winkit::ToAnsi(fileName_);
        call_(AsWindow(owner_), file.c_str(), HELP_QUIT, 0);
    } catch (...) {
        // Ending the object must never fail.
    }
}

// Runs a member's body: its own errors pass unchanged, anything unexpected becomes the component failure.
template <typename Body> void CWinHelp::Guarded(Body body) {
    try {
        body();
    } catch (const HelpError&) {
        throw;
    } catch (...) {
        Raise(kHelpComponentFailure);
    }
}

void CWinHelp::ValidateFile(const std::wstring& fileName) const {
    if (BlankAfterTrim(fileName))
        Raise(kHelpInvalidFileName);
    // Matched as the system matches it, wildcards and folder names included.
    WIN32_FIND_DATAA found;
    const std::string name = winkit::ToAnsi(fileName);
    HANDLE search = ::FindFirstFileA(name.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        Raise(kHelpFileNotFound);
    if (!::FindClose(search))
        Raise(kHelpComponentFailure);
}

void CWinHelp::Init(const std::wstring& fileName, long hwndOwner) {
    Guarded([&] {
        ValidateFile(fileName);
        fileName_ = fileName;
        // Owner 0 (and negative values) are taken as they are: help without an owner window.
        if (hwndOwner > 0 && !::IsWindow(AsWindow(hwndOwner)))
            Raise(kHelpInvalidWindow);
        owner_ = hwndOwner;
    });
}

void CWinHelp::FileName(const std::wstring& fileName) {
    Guarded([&] {
        ValidateFile(fileName);
        fileName_ = fileName;
    });
}

void CWinHelp::HWndOwner(long hwndOwner) {
    Guarded([&] {
        if (!::IsWindow(AsWindow(hwndOwner)))
            Raise(kHelpInvalidWindow);
        owner_ = hwndOwner;
    });
}

void CWinHelp::Display(UINT command, ULONG_PTR data) {
    if (fileName_.empty())
        Raise(kHelpNotInitialized);
    if (!call_)
        Raise(kHelpComponentFailure);
    const std::string file = winkit::ToAnsi(fileName_);
    if (!call_(AsWindow(owner_), file.c_str(), command, data))
        Raise(kHelpCallFailed);
}

void CWinHelp::DisplayText(UINT command, const std::wstring& text) {
    const std::string ansi = winkit::ToAnsi(text);
    Display(command, reinterpret_cast<ULONG_PTR>(ansi.c_str()));
}

void CWinHelp::CloseFile() {
    Guarded([&] {
        if (!fileName_.empty())
            DisplayText(HELP_QUIT, L"");
    });
}

void CWinHelp::RunMacro(const std::wstring& macro) {
    Guarded([&] { DisplayText(HELP_COMMAND, macro); });
}

void CWinHelp::Search(const std::wstring& keyword) {
    Guarded([&] { DisplayText(HELP_PARTIALKEY, keyword); });
}

void CWinHelp::ShowContents() {
    Guarded([&] { Display(HELP_CONTENTS, 0); });
}

void CWinHelp::ShowContext(long contextId) {
    Guarded([&] { Display(HELP_CONTEXT, static_cast<ULONG_PTR>(static_cast<unsigned long>(contextId))); });
}

void CWinHelp::ShowFinder() {
    Guarded([&] { Display(HELP_FINDER, 0); });
}

void CWinHelp::ShowHelpOnHelp() {
    Guarded([&] { Display(HELP_HELPONHELP, 0); });
}

void CWinHelp::ShowSearch() {
    Guarded([&] { DisplayText(HELP_PARTIALKEY, L""); });
}

} // namespace quillet
