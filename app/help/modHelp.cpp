#include "app/help/modHelp.h"

#include "app/shell/Messages.h"
#include "app/shell/modInitialization.h"

#include <shellapi.h>

#include <memory>

namespace quillet {

namespace {

std::unique_ptr<CWinHelp>& Holder() {
    static std::unique_ptr<CWinHelp> help;
    return help;
}

std::wstring HelpPagePath() {
    std::wstring path = HelpFile;
    const auto slash = path.find_last_of(L"\\/");
    path.erase(slash == std::wstring::npos ? 0 : slash + 1);
    return path + L"help.html";
}

bool FileExists(const std::wstring& path) {
    const DWORD a = ::GetFileAttributesW(path.c_str());
    return !path.empty() && a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// Runs a help request; when the viewer fails the page opens instead, and only when that fails too does
// the user see the viewer's error.
template <typename Request> void WithFallback(Request request) {
    try {
        CWinHelp* help = HelpObject();
        if (!help)
            throw HelpError{kHelpNotInitialized, L"Object not properly initialized", L"Quillet.CWinHelp"};
        request(*help);
    } catch (const HelpError& e) {
        if (OpenHelpPage())
            return;
        SetPendingError(e.number, e.description);
        ShowError(L"The help could not be opened.", true);
    }
}

} // namespace

CWinHelp* HelpObject() {
    return Holder().get();
}

void CreateHelpObject(CWinHelp::HelpCall call) {
    Holder() = std::make_unique<CWinHelp>(std::move(call));
}

void ReleaseHelpObject() {
    if (!Holder())
        return;
    try {
        Holder()->CloseFile();
    } catch (const HelpError&) {
        // Ending goes on whatever the viewer says.
    }
    Holder().reset();
}

void SetHelpFile(const std::wstring& path) {
    if (!Holder())
        return;
    try {
        Holder()->FileName(path);
    } catch (const HelpError&) {
        // No help file: the help requests fall back to the page.
    }
}

void ShowHelpContents() {
    WithFallback([](CWinHelp& help) { help.ShowContents(); });
}

void ShowHelpTopic(long contextId) {
    WithFallback([contextId](CWinHelp& help) { help.ShowContext(contextId); });
}

bool OpenHelpPage() {
    const std::wstring page = HelpPagePath();
    if (!FileExists(page))
        return false;
    const auto result =
        reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

void OfferOverview() {
    if (!FileExists(HelpFile) && !FileExists(HelpPagePath()))
        return;
    if (ShowMessage(L"Would you like to see quick overview? Recommended!", L"quest") == IDYES)
        ShowHelpTopic(kOverviewTopic);
}

} // namespace quillet
