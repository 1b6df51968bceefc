#pragma once
// Control and command ids of the main clip window. Row controls are numbered by slot (1 to 30), so
// anything that looks at the window from outside (the end-to-end tests, accessibility tools) finds
// row N's controls at base + N.
namespace quillet::frmquillet_ids {

inline constexpr const wchar_t* kClassName = L"QuilletClipWindow";

inline constexpr int kTxtPaste = 1000;
inline constexpr int kImgCopy = 1100;
inline constexpr int kImgConf = 1200;
inline constexpr int kImgProp = 1300;
inline constexpr int kLblPanel = 1400;

inline constexpr int kChckMove = 1500;
inline constexpr int kImgActivate = 1501;
inline constexpr int kLblWindow = 1502;
inline constexpr int kToolbar = 1503;
inline constexpr int kStatusBar = 1504;

// Toolbar button i (1 to 20) sends command kToolbarButton + i.
inline constexpr int kToolbarButton = 2000;

// Menu commands.
enum Menu : int {
    mnuNewProject = 3001,
    mnuLoadProject,
    mnuSaveProject,
    mnuSaveProjectAs,
    mnuDeleteProject,
    mnuMakeDefault,
    mnuExportHotkeys,
    mnuHideQuillet,
    mnuExitQuillet,
    mnuSettings,
    mnuMinimizeOnCopy,
    mnuHideOnCopy,
    mnuAutoPaste,
    mnuToLowerCase,
    mnuToUpperCase,
    mnuProperCase,
    mnuReverseCase,
    mnuSentences,
    mnuZigZagCase,
    mnuCopyDate,
    mnuCopyTime,
    mnuIpAdressPUB,
    mnuIpAdressLAN,
    mnuRemoveDiacritics,
    mnuReverseText,
    mnuCleanClipboard,
    mnuHelpContents,
    mnuWriteEmail,
    mnuWebsite,
    mnuAbout,
    // File > Recent Projects entry k (1 to 5) is mnuRProject + k.
    mnuRProject = 3100,
};

} // namespace quillet::frmquillet_ids
