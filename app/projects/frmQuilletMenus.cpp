// frmQuillet's menu bar: the File, Options, Clipboard and Help menus and what their items do.
#include "app/help/modHelp.h"
#include "app/menu/modMenuSubs.h"
#include "app/paste/modParseClipboard.h"
#include "app/projects/MainClipWindow.h"
#include "app/projects/ProjectCommands.h"
#include "app/projects/QuilletPictures.h"
#include "app/projects/frmAbout.h"
#include "app/projects/frmQuillet.h"
#include "app/shell/modInitialization.h"
#include "app/shell/modSettings.h"

#include <shellapi.h>

namespace quillet {

namespace ids = frmquillet_ids;
using ids::kToolbarButton;

namespace {

const wchar_t kIpCaption[] = L"I&P Adress";

void Append(HMENU menu, int id, const wchar_t* caption) { ::AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), caption); }
void Separator(HMENU menu) { ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); }
void Popup(HMENU parent, HMENU child, const wchar_t* caption) {
    ::AppendMenuW(parent, MF_POPUP, reinterpret_cast<UINT_PTR>(child), caption);
}

} // namespace

void frmQuillet::CreateMenus() {
    menuBar_ = ::CreateMenu();
    fileMenu_ = ::CreatePopupMenu();
    Append(fileMenu_, ids::mnuNewProject, L"&New Project");
    Append(fileMenu_, ids::mnuLoadProject, L"&Load Project");
    Append(fileMenu_, ids::mnuSaveProject, L"&Save Project");
    Append(fileMenu_, ids::mnuSaveProjectAs, L"&Save Project as...");
    Append(fileMenu_, ids::mnuDeleteProject, L"&Delete Project");
    Append(fileMenu_, ids::mnuMakeDefault, L"&Make This Project Default");
    Separator(fileMenu_);
    recentMenu_ = ::CreatePopupMenu();
    for (int k = 1; k <= kRecentCount; ++k)
        ::AppendMenuW(recentMenu_, MF_STRING | MF_GRAYED, static_cast<UINT_PTR>(ids::mnuRProject + k), L"None");
    Popup(fileMenu_, recentMenu_, L"&Recent Projects");
    Separator(fileMenu_);
    Append(fileMenu_, ids::mnuExportHotkeys, L"&Export Hotkey Overview");
    Separator(fileMenu_);
    Append(fileMenu_, ids::mnuHideQuillet, L"&Hide Quillet");
    Append(fileMenu_, ids::mnuExitQuillet, L"E&xit Quillet");
    Popup(menuBar_, fileMenu_, L"&File");

    optionsMenu_ = ::CreatePopupMenu();
    Append(optionsMenu_, ids::mnuSettings, L"&Settings");
    Separator(optionsMenu_);
    Append(optionsMenu_, ids::mnuMinimizeOnCopy, L"&Minimize On Copy");
    Append(optionsMenu_, ids::mnuHideOnCopy, L"&Hide On Copy");
    Append(optionsMenu_, ids::mnuAutoPaste, L"&Auto Paste In Last Active Aplication");
    Popup(menuBar_, optionsMenu_, L"&Options");

    clipboardMenu_ = ::CreatePopupMenu();
    HMENU caseMenu = ::CreatePopupMenu();
    Append(caseMenu, ids::mnuToLowerCase, L"To &Lower Case");
    Append(caseMenu, ids::mnuToUpperCase, L"To &Upper Case");
    Append(caseMenu, ids::mnuProperCase, L"To &Proper Case");
    Append(caseMenu, ids::mnuReverseCase, L"&Reverse Case");
    Append(caseMenu, ids::mnuSentences, L"Make &Sentences");
    Append(caseMenu, ids::mnuZigZagCase, L"&To ZiG zAg Case");
    Popup(clipboardMenu_, caseMenu, L"C&ase Conversion");
    copyToMenu_ = ::CreatePopupMenu();
    Append(copyToMenu_, ids::mnuCopyDate, L"Current &Date");
    Append(copyToMenu_, ids::mnuCopyTime, L"Current &Time");
    // The two address items come and go with the addresses the clipboard menu looked up (SetIpItems).
    Popup(clipboardMenu_, copyToMenu_, L"&Copy to clipboard");
    Append(clipboardMenu_, ids::mnuRemoveDiacritics, L"&Remove Diacritics");
    Append(clipboardMenu_, ids::mnuReverseText, L"R&everse Text");
    Separator(clipboardMenu_);
    Append(clipboardMenu_, ids::mnuCleanClipboard, L"&Clean Clipboard");
    Popup(menuBar_, clipboardMenu_, L"&Clipboard");

    helpMenu_ = ::CreatePopupMenu();
    Append(helpMenu_, ids::mnuHelpContents, L"&Help");
    Separator(helpMenu_);
    Append(helpMenu_, ids::mnuWriteEmail, L"&Write Email To Support");
    Append(helpMenu_, ids::mnuWebsite, L"&Quillet Website");
    Separator(helpMenu_);
    Append(helpMenu_, ids::mnuAbout, L"&About Quillet");
    Popup(menuBar_, helpMenu_, L"&Help");

    ::SetMenu(hwnd(), menuBar_);
}

void frmQuillet::PutMenuPictures() {
    static const struct {
        int command;
        Picture picture;
    } items[] = {{ids::mnuNewProject, Picture::NewProject},       {ids::mnuLoadProject, Picture::OpenProject},
                 {ids::mnuSaveProject, Picture::SaveProject},     {ids::mnuSaveProjectAs, Picture::SaveProjectAs},
                 {ids::mnuDeleteProject, Picture::DeleteProject}, {ids::mnuMakeDefault, Picture::MakeDefault},
                 {ids::mnuExportHotkeys, Picture::ExportHotkeys}, {ids::mnuHideQuillet, Picture::HideWindow},
                 {ids::mnuExitQuillet, Picture::ExitProgram}};
    std::size_t i = 0;
    for (const auto& item : items) {
        MenuIcons[i].reset(MakeMenuPicture(item.picture));
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_BITMAP;
        info.hbmpItem = static_cast<HBITMAP>(MenuIcons[i].get());
        ::SetMenuItemInfoW(fileMenu_, static_cast<UINT>(item.command), FALSE, &info);
        ++i;
    }
}

bool frmQuillet::MenuChecked(int command) const {
    return menuBar_ && (::GetMenuState(menuBar_, static_cast<UINT>(command), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void frmQuillet::SetMenuCheck(int command, bool checked) {
    if (menuBar_)
        ::CheckMenuItem(menuBar_, static_cast<UINT>(command), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void frmQuillet::SetIpItems() {
    ::DeleteMenu(copyToMenu_, ids::mnuIpAdressPUB, MF_BYCOMMAND);
    ::DeleteMenu(copyToMenu_, ids::mnuIpAdressLAN, MF_BYCOMMAND);
    if (!ipVisible_)
        return;
    const int commands[2] = {ids::mnuIpAdressPUB, ids::mnuIpAdressLAN};
    for (int i = 0; i < 2; ++i) {
        if (ipTag_[i].empty())
            continue;
        const std::wstring caption = std::wstring(kIpCaption) + L" (" + ipTag_[i] + L")";
        Append(copyToMenu_, commands[i], caption.c_str());
    }
}

void frmQuillet::ShowRecentEntry(int k, const RecentEntry& entry) {
    if (k < 1 || k > kRecentCount)
        return;
    const bool empty = entry.name.empty();
    const UINT command = static_cast<UINT>(ids::mnuRProject + k);
    ::ModifyMenuW(recentMenu_, command, MF_BYCOMMAND | MF_STRING | (empty ? MF_GRAYED : MF_ENABLED), command,
                  empty ? L"None" : entry.name.c_str());
    recentTips_[static_cast<std::size_t>(k)] = empty ? std::wstring() : entry.name;
    ::SendMessageW(toolbar, TB_ENABLEBUTTON, static_cast<WPARAM>(kToolbarButton + 10 + k), MAKELONG(!empty, 0));
}

void frmQuillet::OnMenu(int id) {
    ClipProject& project = OpenProject();
    MainClipWindowLinks& links = MainClipWindowHooks();
    if (id > ids::mnuRProject && id <= ids::mnuRProject + kRecentCount) {
        OpenRecent(id - ids::mnuRProject, project, *this, *this);
        return;
    }
    switch (id) {
    case ids::mnuNewProject:
        NewProjectCommand(project, *this);
        break;
    case ids::mnuLoadProject:
        LoadProjectCommand(project, *this);
        break;
    case ids::mnuSaveProject:
        SaveProjectCommand(project, *this);
        break;
    case ids::mnuSaveProjectAs:
        SaveProjectAsCommand(project, *this);
        break;
    case ids::mnuDeleteProject:
        DeleteProjectCommand(project, *this);
        break;
    case ids::mnuMakeDefault:
        MakeDefaultCommand(project, *this);
        break;
    case ids::mnuExportHotkeys:
        if (links.exportHotkeyOverview)
            links.exportHotkeyOverview();
        break;
    case ids::mnuHideQuillet:
        ::ShowWindow(hwnd(), SW_HIDE);
        break;
    case ids::mnuExitQuillet:
        ShutDown(true);
    case ids::mnuSettings:
        if (links.openSettings)
            links.openSettings();
        break;
    case ids::mnuMinimizeOnCopy:
    case ids::mnuHideOnCopy: {
        const bool on = !MenuChecked(id);
        SetMenuCheck(id, on);
        if (on)
            SetMenuCheck(id == ids::mnuHideOnCopy ? ids::mnuMinimizeOnCopy : ids::mnuHideOnCopy, false);
        break;
    }
    case ids::mnuAutoPaste: {
        const bool on = !MenuChecked(ids::mnuAutoPaste);
        SetMenuCheck(ids::mnuAutoPaste, on);
        if (links.autoPasteChanged)
            links.autoPasteChanged(on);
        break;
    }
    case ids::mnuToLowerCase:
        mnuToLowerCase();
        break;
    case ids::mnuToUpperCase:
        mnuToUpperCase();
        break;
    case ids::mnuProperCase:
        mnuProperCase();
        break;
    case ids::mnuReverseCase:
        mnuReverseCase();
        break;
    case ids::mnuSentences:
        mnuSentences(SentenceCaseKeepBig);
        break;
    case ids::mnuZigZagCase:
        mnuZigZagCase();
        break;
    case ids::mnuCopyDate:
        mnuCopyDate();
        break;
    case ids::mnuCopyTime:
        mnuCopyTime();
        break;
    case ids::mnuIpAdressPUB:
        CopyAddress(ipTag_[0]);
        break;
    case ids::mnuIpAdressLAN:
        CopyAddress(ipTag_[1]);
        break;
    case ids::mnuRemoveDiacritics:
        mnuRemoveDiacritics();
        break;
    case ids::mnuReverseText:
        mnuReverse();
        break;
    case ids::mnuCleanClipboard:
        ClearClipboard();
        ShowAtStatus(L"Clipboard cleared");
        break;
    case ids::mnuHelpContents:
        ShowHelpContents();
        break;
    case ids::mnuWriteEmail:
        ::ShellExecuteW(hwnd(), L"open", (std::wstring(L"mailto:") + kSupportAddress).c_str(), nullptr, nullptr,
                        SW_SHOWNORMAL);
        break;
    case ids::mnuWebsite:
        ::ShellExecuteW(hwnd(), L"open", (std::wstring(L"http://") + kWebAddress).c_str(), nullptr, nullptr,
                        SW_SHOWNORMAL);
        break;
    case ids::mnuAbout:
        SetTopmost(false);
        ShowAbout(hwnd());
        break;
    default:
        break;
    }
}

} // namespace quillet
