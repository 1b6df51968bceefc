// Puts the real Quillet.exe on screen with a photo-like picture in the clip editor for two screenshots:
// the editor in picture mode with its scroll bars, then the brightness dialog with its preview. Between
// the two it waits for the files named by its arguments.
#include "app/editor/frmConfPasteBox.h"
#include "app/projects/frmQuilletIds.h"
#include "testkit/Clipboard.h"
#include "testkit/Dialogs.h"
#include "testkit/Files.h"
#include "testkit/ProgramUnderTest.h"
#include "testkit/RemoteControls.h"
#include "bench/StageWindows.h"
#include "winkit/Bitmaps.h"
#include "winkit/Wait.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace ids = quillet::frmquillet_ids;
using quillet::frmConfPasteBox;

namespace {

constexpr int kW = 900, kH = 640;

// A landscape: sky fading to the horizon, a sun, two ranges of hills, a lake and some grain.
bool PutPhoto() {
    std::vector<std::uint32_t> px(static_cast<size_t>(kW) * kH);
    std::uint32_t seed = 7;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = static_cast<int>(seed >> 29) - 4;
            double r = 90 + 110.0 * y / kH, g = 150 + 70.0 * y / kH, b = 235 - 20.0 * y / kH;
            const double sun = std::hypot(x - 690.0, y - 150.0);
            if (sun < 60)
                r = 255, g = 236, b = 160;
            else if (sun < 140)
                r += (140 - sun) * 0.8, g += (140 - sun) * 0.5;
            const double farRidge = 330 + 40 * std::sin(x / 70.0) + 20 * std::sin(x / 23.0);
            const double nearRidge = 430 + 60 * std::sin(x / 130.0 + 1) + 15 * std::sin(x / 31.0);
            if (y > farRidge)
                r = 80, g = 110, b = 140;
            if (y > nearRidge)
                r = 60 + (y - nearRidge) * 0.2, g = 120 + (y - nearRidge) * 0.15, b = 50;
            if (y > 560)
                r = 50, g = 90 + 20 * std::sin(x / 9.0 + y / 3.0), b = 150;
            auto c = [&](double v) {
                return static_cast<std::uint32_t>(std::clamp(static_cast<int>(v) + grain, 0, 255));
            };
            px[static_cast<size_t>(y) * kW + x] = c(r) << 16 | c(g) << 8 | c(b);
        }
    const BITMAPINFOHEADER header = winkit::TopDown32BitInfo(kW, kH).bmiHeader;
    std::vector<std::uint8_t> dib(sizeof header + px.size() * 4);
    std::memcpy(dib.data(), &header, sizeof header);
    std::memcpy(dib.data() + sizeof header, px.data(), px.size() * 4);
    return testkit::PutClipboardBytes(CF_DIB, dib.data(), dib.size());
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: picture_stage READY1 DONE1 READY2 DONE2\n");
        return 2;
    }
    testkit::ProgramUnderTest quillet;
    HWND window = stage::StartToMainWindow(quillet);
    if (!window || !PutPhoto())
        return 1;
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(ids::kImgConf + 1, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, ids::kImgConf + 1)));
    HWND editor = quillet.WaitForWindow(L"QuilletConfPasteBox", 20000);
    if (!editor)
        return 1;
    stage::Command(editor, frmConfPasteBox::kToolbarButton + 8);
    if (HWND box = testkit::WaitForDialog(quillet.processId(), L"Quillet", 10000))
        testkit::PressButton(box, IDYES);
    stage::Command(editor, frmConfPasteBox::kToolbar2Button + 20);
    HWND status = ::GetDlgItem(editor, frmConfPasteBox::idSBar);
    if (!winkit::WaitUntil([&] { return testkit::StatusBarText(status, 1) == L"Image size: 900x640 "; }, 20000))
        return 1;
    stage::Pose(editor, argv[1], argv[2]);

    stage::Command(editor, frmConfPasteBox::kToolbar2Button + 32);
    HWND dialog = quillet.WaitForWindow(L"QuilletImgBrightness", 20000);
    if (!dialog)
        return 1;
    HWND slider = ::FindWindowExW(dialog, nullptr, TRACKBAR_CLASSW, nullptr);
    ::SendMessageW(slider, TBM_SETPOS, TRUE, 60);
    ::SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 60), reinterpret_cast<LPARAM>(slider));
    stage::Shift(dialog, 200, 300);
    stage::Pose(dialog, argv[3], argv[4]);
    return 0;
}
