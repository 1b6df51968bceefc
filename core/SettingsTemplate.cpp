#include "core/SettingsTemplate.h"

namespace core {
namespace {

struct Lines {
    std::wstring text;
    Lines& operator<<(std::wstring_view line) {
        text.append(line);
        text.append(L"\r\n");
        return *this;
    }
};

} // namespace

std::wstring DefaultSettingsText(std::wstring_view projectsFolder) {
    Lines out;
    out << L"[General]" << L"RunOnStartup=0" << L"OpenWindowAtStartup=1" << L"DisabledIP=0" << L"DisableSplash=0"
        << L"";
    out << L"[Quillet]" << L"Exiting=1" << L"PasteMethod=1" << L"QLAlwaysOnTop=0" << L"DefaultProjectName=Default.ql"
        << L"DefaultProjectPath=" + std::wstring(projectsFolder);
    out << L"MinimizeOnCopy=0" << L"HideOnCopy=0" << L"AutoPaste=1" << L"RememberFontSettings=1"
        << L"SentenceCaseKeepBig=1" << L"AutoPasteOther=0" << L"AskDeletingClip=1" << L"AskClearingClip=1"
        << L"MsgOnImgPaste=1" << L"DefaultFontName=0" << L"DefaultFontSize=0";
    out << L"RecentProject1Name=" << L"RecentProject1Path=" << L"RecentProject2Name=" << L"RecentProject2Path="
        << L"RecentProject3Name= " << L"RecentProject3Path=" << L"RecentProject4Name=" << L"RecentProject4Path="
        << L"RecentProject5Name=" << L"RecentProject5Path=";
    out << L"PasteMethod=1" << L"";
    out << L"[WindowPos]" << L"frmConfPasteBoxX=" << L"frmConfPasteBoxY=" << L"frmquilletX=" << L"frmquilletY="
        << L"";
    out << L"[Hotkeys]";
    // Clips 1-10 on Ctrl, 11-20 on Ctrl+Shift, 21-30 on Ctrl+Alt; in each group the digit keys 1...9, then 0.
    const int groupMask[] = {2, 6, 3};
    for (int n = 1; n <= 30; ++n) {
        const int mask = groupMask[(n - 1) / 10];
        const int key = n % 10 == 0 ? 48 : 48 + n % 10;
        const std::wstring clip = L"Clip" + std::to_wstring(n);
        out << clip + L"Mod=" + std::to_wstring(mask) << clip + L"Key=" + std::to_wstring(key);
    }
    out << L"HKShowQLMod=3" << L"HKShowQLKey=72" << L"HKGlobalMenuMod=3" << L"HKGlobalMenuKey=71"
        << L"HKPasteNextMod=2" << L"HKPasteNextKey=81" << L"HKPasteMenuMod=3" << L"HKPasteMenuKey=67"
        << L"HKSettingsMod=3" << L"HKSettingsKey=83";
    return out.text;
}

} // namespace core
