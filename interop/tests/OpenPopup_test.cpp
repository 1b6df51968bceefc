// A form's popup really opened by the system's menu loop: its items measured and painted by the library
// as they are shown, read back from the popup window's pixels, and chosen by their access keys.
#include "ClientForm.h"
#include "testkit/Input.h"
#include "winkit/Com.h"
#include "winkit/Scoped.h"
#include "winkit/Wait.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace syslinkage_test;
using winkit::ComPtr;

namespace {

enum Command : UINT { kSide = 201, kCheck, kTitles, kPicture, kDeep, kPlain };
enum Position : UINT { kSidePos, kCheckPos, kTitlesPos, kPicturePos, kSubPos, kPlainPos, kItemCount };
constexpr UINT_PTR kDriverTimer = 77;

// What reached the form's own procedure, after the library had measured or drawn.
struct FormLog {
    std::map<ULONG_PTR, MEASUREITEMSTRUCT> measured;
    std::map<ULONG_PTR, DRAWITEMSTRUCT> lastDrawn;
    std::map<ULONG_PTR, int> drawnWhole;
    std::vector<UINT> commands;
    std::function<void()> tick;
};
FormLog* g_log = nullptr;

LRESULT CALLBACK FormProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (g_log) {
        switch (message) {
        case WM_MEASUREITEM: {
            const auto* m = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
            g_log->measured[m->itemData] = *m;
            return TRUE;
        }
        case WM_DRAWITEM: {
            const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            g_log->lastDrawn[d->itemData] = *d;
            if (d->itemAction & ODA_DRAWENTIRE)
                ++g_log->drawnWhole[d->itemData];
            return TRUE;
        }
        case WM_COMMAND:
            g_log->commands.push_back(LOWORD(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == kDriverTimer && g_log->tick)
                g_log->tick();
            return 0;
        default:
            break;
        }
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

// File: Side Bar | &Check me | Titles | &Picture<TAB>Ctrl+P | Sub > (&Deep) | Plain item
HMENU MakeMenuBar() {
    HMENU sub = ::CreatePopupMenu();
    ::AppendMenuW(sub, MF_STRING, kDeep, L"&Deep");
    HMENU file = ::CreatePopupMenu();
    ::AppendMenuW(file, MF_STRING, kSide, L"Side Bar");
    ::AppendMenuW(file, MF_STRING, kCheck, L"&Check me");
    ::AppendMenuW(file, MF_STRING, kTitles, L"Titles");
    ::AppendMenuW(file, MF_STRING, kPicture, L"&Picture\tCtrl+P");
    ::AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"Sub");
    ::AppendMenuW(file, MF_STRING, kPlain, L"Plain item");
    HMENU bar = ::CreateMenu();
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    return bar;
}

// Drives a popup from inside the system's menu loop: each step waits for its condition, checked on a
// timer the loop dispatches, then acts. A step that does not come in time closes the menu.
class MenuDriver {
public:
    struct Step {
        const char* what;
        std::function<bool()> ready;
        std::function<void()> act;
    };
    MenuDriver(HWND owner, FormLog& log) : owner_(owner), log_(log) {}
    MenuDriver& Then(const char* what, std::function<bool()> ready, std::function<void()> act) {
        steps_.push_back({what, std::move(ready), std::move(act)});
        return *this;
    }
    // Opens `popup` at the screen point and returns once the menu has closed; a step that never became
    // ready, or a menu still open when the time is up, is named in failed().
    void Run(HMENU popup, POINT at, DWORD timeoutMs = 5000) {
        const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
        log_.tick = [this, deadline] {
            while (next_ < steps_.size() && steps_[next_].ready()) {
                const Step& step = steps_[next_++];
                if (step.act)
                    step.act();
            }
            if (::GetTickCount64() > deadline && failed_.empty()) {
                // The last step's action is expected to close the menu.
                failed_ = next_ < steps_.size() ? steps_[next_].what : "the menu closes";
                next_ = steps_.size();
                ::EndMenu();
            }
        };
        ::SetTimer(owner_, kDriverTimer, 10, nullptr);
        ::TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, at.x, at.y, owner_, nullptr);
        ::KillTimer(owner_, kDriverTimer);
        log_.tick = nullptr;
        if (next_ < steps_.size() && failed_.empty())
            failed_ = std::string("menu closed before: ") + steps_[next_].what;
    }
    const std::string& failed() const { return failed_; }

private:
    HWND owner_;
    FormLog& log_;
    std::vector<Step> steps_;
    size_t next_ = 0;
    std::string failed_;
};

// This thread's popup window showing `menu`.
HWND ShownPopup(HMENU menu) {
    for (HWND w = ::FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
         w = ::FindWindowExW(nullptr, w, L"#32768", nullptr))
        if (::IsWindowVisible(w) && ::GetWindowThreadProcessId(w, nullptr) == ::GetCurrentThreadId() &&
            reinterpret_cast<HMENU>(::SendMessageW(w, MN_GETHMENU, 0, 0)) == menu)
            return w;
    return nullptr;
}

// The popup's client area as it is painted now.
std::unique_ptr<Surface> CapturePopup(HWND popup) {
    RECT client{};
    ::GetClientRect(popup, &client);
    auto surface = std::make_unique<Surface>(client.right, client.bottom);
    winkit::WindowDC dc(popup);
    ::BitBlt(surface->dc(), 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
    return surface;
}

// An item's rectangle as the system lays it out, on the screen. The popup's own window is the reference:
// given the owner's window instead, this system measures from that window's corner.
RECT ScreenRect(HMENU menu, UINT position) {
    RECT r{};
    ::GetMenuItemRect(nullptr, menu, position, &r);
    return r;
}

// The same in the popup's client coordinates, where the items are painted.
RECT ClientRect(HMENU menu, UINT position, HWND popup) {
    RECT r = ScreenRect(menu, position);
    ::MapWindowPoints(nullptr, popup, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

int TextWidth(HDC dc, const wchar_t* text) {
    RECT r{};
    ::DrawTextW(dc, text, -1, &r, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
    return r.right - r.left;
}

class OpenPopup : public ClientForm {
protected:
    void SetUp() override {
        g_log = &log_;
        OpenForm(FormProcedure, L"SyslinkagePopupForm", L"Popup form", {40, 40, 400, 340}, true, MakeMenuBar());
        if (HasFatalFailure())
            return;

        // The program's kinds of registration: a side bar, a check mark, a titled separator, a picture.
        IDispatch* side = Item(L"Side Bar");
        IDispatch* check = Item(L"&Check me");
        IDispatch* titles = Item(L"Titles");
        IDispatch* picture = Item(L"&Picture");
        picture_ = SolidPicture(kPictureColour, RGB(255, 0, 255));
        ASSERT_EQ(menu->put_SideBar(&side, VARIANT_TRUE), S_OK);
        VARIANT none = MissingArgument();
        ASSERT_EQ(menu->put_Checked(&check, &none, VARIANT_TRUE), S_OK);
        ASSERT_EQ(menu->put_MenuSeperator(&titles, VARIANT_TRUE), S_OK);
        ASSERT_EQ(menu->putref_BitmapImage(&picture, picture_.get()), S_OK);
    }
    void TearDown() override {
        ClientForm::TearDown();
        g_log = nullptr;
    }

    // Every registered item of the popup has been painted whole (data 0 to 3).
    bool AllDrawn() const {
        for (ULONG_PTR data = 0; data < 4; ++data)
            if (!log_.drawnWhole.count(data))
                return false;
        return true;
    }
    bool DrawnSelected(ULONG_PTR data) const {
        const auto found = log_.lastDrawn.find(data);
        return found != log_.lastDrawn.end() && (found->second.itemState & ODS_SELECTED);
    }
    static constexpr COLORREF kPictureColour = RGB(0, 128, 0);

    FormLog log_;
};

} // namespace


TEST_F(OpenPopup, ShowsTheRegisteredItemsMeasuredTypedAndInTwoColumns) {
    HWND popup = nullptr;
    RECT rects[kItemCount] = {};
    MENUITEMINFOW infos[kItemCount] = {};
    MenuDriver driver(window_.get(), log_);
    driver.Then("the popup is painted", [&] { return (popup = ShownPopup(file_)) != nullptr && AllDrawn(); },
                [&] {
                    for (UINT i = 0; i < kItemCount; ++i) {
                        rects[i] = ClientRect(file_, i, popup);
                        infos[i] = ItemInfo(file_, i);
                    }
                    testkit::PressKey(VK_ESCAPE);
                });
    driver.Run(file_, {60, 60});
    ASSERT_EQ(driver.failed(), "");
    EXPECT_TRUE(log_.commands.empty()) << "Escape chooses nothing";

    // Measured by the live caption and the shortcut after it: text width + 42 by 20; the side bar 8 wide.
    const struct {
        ULONG_PTR data;
        UINT id;
        const wchar_t* text;
    } registered[] = {{1, kCheck, L"&Check me"}, {2, kTitles, L"Titles"}, {3, kPicture, L"&PictureCtrl+P"}};
    ASSERT_EQ(log_.measured.count(0), 1u);
    EXPECT_EQ(log_.measured[0].itemWidth, 8u);
    EXPECT_EQ(log_.measured[0].itemHeight, 20u);
    for (const auto& item : registered) {
        ASSERT_EQ(log_.measured.count(item.data), 1u) << item.data;
        EXPECT_EQ(log_.measured[item.data].itemWidth, UINT(TextWidth(measureDc_.get(), item.text) + 42)) << item.data;
        EXPECT_EQ(log_.measured[item.data].itemHeight, 20u) << item.data;
        EXPECT_EQ(rects[item.data].bottom - rects[item.data].top, 20) << "the system keeps the measured height";
        EXPECT_EQ(log_.lastDrawn[item.data].itemID, item.id);
    }
    EXPECT_EQ(rects[kSidePos].bottom - rects[kSidePos].top, 20);
    EXPECT_EQ(log_.lastDrawn[0].itemID, UINT(kSide));

    // The system draws each item where it laid it out, with the record's number as its data.
    for (UINT i = 0; i < 4; ++i) {
        EXPECT_TRUE(infos[i].fType & MFT_OWNERDRAW) << i;
        EXPECT_EQ(infos[i].dwItemData, ULONG_PTR(i)) << i;
        EXPECT_TRUE(::EqualRect(&rects[i], &log_.lastDrawn[i].rcItem)) << i;
    }
    EXPECT_FALSE(infos[kSubPos].fType & MFT_OWNERDRAW);
    EXPECT_TRUE(infos[kTitlesPos].fType & MFT_SEPARATOR);
    EXPECT_TRUE(infos[kSidePos].fState & MFS_DISABLED);
    EXPECT_EQ(log_.lastDrawn[0].itemState & ODS_DISABLED, UINT(ODS_DISABLED));
    EXPECT_EQ(log_.lastDrawn[1].itemState & (ODS_DISABLED | ODS_SELECTED), 0u);
    EXPECT_EQ(log_.lastDrawn[1].itemState & ODS_CHECKED, 0u) << "the check box comes from the client's item";

    // The column break: the side bar alone in the first column, every other item in the second.
    EXPECT_TRUE(infos[kCheckPos].fType & MFT_MENUBARBREAK);
    EXPECT_EQ(rects[kCheckPos].top, rects[kSidePos].top);
    EXPECT_GT(rects[kCheckPos].left, rects[kSidePos].right - 1);
    for (UINT i = kTitlesPos; i < kItemCount; ++i) {
        EXPECT_EQ(rects[i].left, rects[kCheckPos].left) << i;
        EXPECT_EQ(rects[i].top, rects[i - 1].bottom) << i;
    }
}

TEST_F(OpenPopup, PaintsCheckBoxesSeparatorsPicturesSideBarAndHighlights) {
    const COLORREF menuColour = ::GetSysColor(COLOR_MENU);
    const COLORREF light = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF edgeLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    HWND popup = nullptr;
    RECT rects[kItemCount] = {};
    std::unique_ptr<Surface> shown, checkSelected, pictureSelected;
    MenuDriver driver(window_.get(), log_);
    driver
        .Then("the popup is painted", [&] { return (popup = ShownPopup(file_)) != nullptr && AllDrawn(); },
              [&] {
                  shown = CapturePopup(popup);
                  for (UINT i = 0; i < kItemCount; ++i)
                      rects[i] = ClientRect(file_, i, popup);
                  testkit::MovePointerTo(Centre(ScreenRect(file_, kCheckPos)));
              })
        .Then("the checked item is selected", [&] { return DrawnSelected(1); },
              [&] {
                  checkSelected = CapturePopup(popup);
                  testkit::MovePointerTo(Centre(ScreenRect(file_, kPicturePos)));
              })
        .Then("the picture item is selected", [&] { return DrawnSelected(3) && !DrawnSelected(1); },
              [&] {
                  pictureSelected = CapturePopup(popup);
                  testkit::PressKey(VK_ESCAPE);
              });
    driver.Run(file_, {60, 60});
    ASSERT_EQ(driver.failed(), "");
    ASSERT_TRUE(shown && checkSelected && pictureSelected);

    {
        // The checked item: a sunken 20-pixel box of one-pixel vertical stripes in the picture column.
        SCOPED_TRACE("check box");
        const RECT& rc = rects[kCheckPos];
        EXPECT_EQ(shown->Pixel(rc.left + 10, rc.top), shadow);
        EXPECT_EQ(shown->Pixel(rc.left, rc.top + 10), shadow);
        EXPECT_EQ(shown->Pixel(rc.left + 19, rc.top + 10), edgeLight);
        EXPECT_EQ(shown->Pixel(rc.left + 10, rc.top + 19), edgeLight);
        for (int x = rc.left + 1; x < rc.left + 18; ++x) {
            const COLORREF here = shown->Pixel(x, rc.top + 1);
            EXPECT_TRUE(here == menuColour || here == light) << x;
            EXPECT_NE(here, shown->Pixel(x + 1, rc.top + 1)) << x;
            EXPECT_EQ(here, shown->Pixel(x, rc.top + 2)) << x;
        }
        EXPECT_EQ(shown->Pixel(rc.left + 20, rc.top + 1), menuColour);

        // Selected: the box turns plain and the highlight starts at left + 20.
        for (int x = rc.left + 1; x < rc.left + 19; ++x)
            EXPECT_EQ(checkSelected->Pixel(x, rc.top + 1), menuColour) << x;
        for (int y = rc.top; y < rc.bottom; ++y) {
            EXPECT_EQ(checkSelected->Pixel(rc.left + 20, y), highlight) << y;
            EXPECT_NE(checkSelected->Pixel(rc.left + 19, y), highlight) << y;
        }
        EXPECT_EQ(checkSelected->Pixel(rc.right - 1, rc.top), highlight);
        EXPECT_EQ(checkSelected->Pixel(rc.right - 1, rc.bottom - 1), highlight);
        EXPECT_EQ(pictureSelected->Pixel(rc.left + 20, rc.top + 1), menuColour) << "unselected again";
    }
    {
        // The titled separator: an etched line through the middle of its row, blanked behind the title.
        SCOPED_TRACE("separator");
        const RECT& rc = rects[kTitlesPos];
        const int y = rc.top + (rc.bottom - rc.top) / 2 - 1;
        for (int x : {rc.left + 2, rc.left + 6, rc.right - 6, rc.right - 3}) {
            EXPECT_EQ(shown->Pixel(x, y), shadow) << x;
            EXPECT_EQ(shown->Pixel(x, y + 1), edgeLight) << x;
            EXPECT_EQ(shown->Pixel(x, y - 1), menuColour) << x;
        }
        EXPECT_EQ(shown->Pixel(rc.left + 1, y), menuColour);
        EXPECT_EQ(shown->Pixel(rc.right - 2, y), menuColour);
        int blanked = 0;
        for (int x = rc.left + 2; x < rc.right - 2; ++x)
            blanked += shown->Pixel(x, y) != shadow;
        EXPECT_GT(blanked, 0) << "the title's opaque letters interrupt the line";
    }
    {
        // The picture: 16x16 at (2, 2) of the column, its top-left colour left transparent.
        SCOPED_TRACE("picture");
        const RECT& rc = rects[kPicturePos];
        EXPECT_EQ(shown->Pixel(rc.left + 10, rc.top + 10), kPictureColour);
        EXPECT_EQ(shown->Pixel(rc.left + 17, rc.top + 17), kPictureColour);
        EXPECT_EQ(shown->Pixel(rc.left + 2, rc.top + 2), menuColour);
        EXPECT_EQ(shown->Pixel(rc.left + 18, rc.top + 10), menuColour);
        EXPECT_EQ(shown->Pixel(rc.left + 1, rc.top + 10), menuColour);
        // Selected: it stands on a raised light square, and the highlight starts at left + 20.
        EXPECT_EQ(pictureSelected->Pixel(rc.left + 10, rc.top + 10), kPictureColour);
        EXPECT_EQ(pictureSelected->Pixel(rc.left + 1, rc.top + 10), ::GetSysColor(COLOR_3DLIGHT));
        EXPECT_EQ(pictureSelected->Pixel(rc.left, rc.top + 10), edgeLight);
        EXPECT_EQ(pictureSelected->Pixel(rc.left + 19, rc.top + 10), shadow);
        EXPECT_EQ(pictureSelected->Pixel(rc.left + 20, rc.top + 10), highlight);
        EXPECT_EQ(pictureSelected->Pixel(rc.right - 1, rc.top + 10), highlight);
    }
    {
        // The side bar: as wide as its item is high, as long as the other column, its caption bar turned
        // upright so that the bar's left end (active caption colour, with the text) is at the bottom.
        SCOPED_TRACE("side bar");
        const RECT& rc = rects[kSidePos];
        const int h = rc.bottom - rc.top;
        int summed = 0;
        for (const RECT& r : rects)
            summed += r.bottom - r.top;
        const int length = summed - h;
        const int row = rc.top + 2;
        const COLORREF bar = shown->Pixel(rc.left, row);
        EXPECT_NE(bar, menuColour);
        for (int x = rc.left; x < rc.left + h; ++x)
            EXPECT_EQ(shown->Pixel(x, row), bar) << x;
        EXPECT_EQ(shown->Pixel(rc.left + h, row), menuColour);
        // Down to the bottom of the other column; the bar's one further row lies in the popup's margin,
        // which this system keeps item drawing out of.
        const int bottom = rects[kItemCount - 1].bottom;
        ASSERT_EQ(bottom, rc.top + length);
        for (int y = rc.top + 1; y < bottom; ++y)
            EXPECT_NE(shown->Pixel(rc.left + 1, y), menuColour) << y;
        const auto distance = [](COLORREF a, COLORREF b) {
            return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
                   std::abs(GetBValue(a) - GetBValue(b));
        };
        const COLORREF active = ::GetSysColor(COLOR_ACTIVECAPTION);
        EXPECT_LT(distance(shown->Pixel(rc.left + 1, bottom - 1), active),
                  distance(shown->Pixel(rc.left + 1, rc.top + 1), active))
            << "the caption bar's left end, in the active caption colour, is at the bottom";
        // The caption's letters in the lower half only: a pixel that differs from its row's edge colour.
        const auto lettersIn = [&](int from, int to) {
            int found = 0;
            for (int y = from; y < to; ++y)
                for (int x = rc.left + 2; x < rc.left + h - 2; ++x)
                    found += shown->Pixel(x, y) != shown->Pixel(rc.left + 1, y);
            return found;
        };
        EXPECT_GT(lettersIn(rc.top + length / 2, rc.top + length), 0);
        EXPECT_EQ(lettersIn(rc.top + 1, rc.top + length / 4), 0);
    }
}

TEST_F(OpenPopup, AccessKeysOfRegisteredItemsRunThemAndCloseTheMenu) {
    const struct {
        const wchar_t* caption; // the client's live caption of the checked item
        WORD key;
        UINT command;
    } cases[] = {
        {L"&Check me", 'P', kPicture},
        // The system's own item text still says "&Check me": only the library knows the new key.
        {L"Chec&k me", 'K', kCheck},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<char>(c.key));
        states_[1]->caption = c.caption;
        log_.commands.clear();
        log_.drawnWhole.clear();
        HWND popup = nullptr;
        MenuDriver driver(window_.get(), log_);
        driver.Then("the popup is painted", [&] { return (popup = ShownPopup(file_)) != nullptr && AllDrawn(); },
                    [&] { testkit::PressKey(c.key); });
        driver.Run(file_, {60, 60});
        ASSERT_EQ(driver.failed(), "");
        EXPECT_EQ(ShownPopup(file_), nullptr);
        ASSERT_TRUE(winkit::WaitUntil([&] { return !log_.commands.empty(); }, 2000));
        EXPECT_EQ(log_.commands, std::vector<UINT>{c.command});
    }
}
