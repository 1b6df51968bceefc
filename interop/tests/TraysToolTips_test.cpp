// Tray icons and tooltips as a client uses them, through the vtable and by name: icons appear in and
// leave the notification area, tips are registered with their own tooltip window and read back from
// it, the collections are walked with For Each, and nothing stays behind once System is released.
#include "FakeClient.h"
#include "LateBound.h"
#include "RegisteredSystem.h"
#include "SyslinkageLibrary.h"
#include "Syslinkage_h.h"
#include "winkit/Com.h"
#include "winkit/Scoped.h"
#include "winkit/Wait.h"

#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace syslinkage_test;
using winkit::ComPtr;

namespace {

constexpr HRESULT kDuplicateKey = static_cast<HRESULT>(0x800A01C9);

// Asks the notification area itself: a change to an icon it does not hold is refused.
bool IconInTray(HWND window) {
    NOTIFYICONDATAW probe{};
    probe.cbSize = NOTIFYICONDATAW_V2_SIZE;
    probe.hWnd = window;
    probe.uID = static_cast<UINT>(HandleToLong(window));
    return ::Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

winkit::ScopedWindow TopWindow(const wchar_t* title) {
    return winkit::ScopedWindow(::CreateWindowExW(0, L"STATIC", title, WS_POPUP, 10, 10, 300, 200, nullptr, nullptr,
                                                  ::GetModuleHandleW(nullptr), nullptr));
}

// The tooltip windows of this thread owned by `owner`.
std::vector<HWND> TipWindowsOf(HWND owner) {
    struct Search {
        HWND owner;
        std::vector<HWND> found;
    } search{owner, {}};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            wchar_t cls[64] = {};
            ::GetClassNameW(hwnd, cls, 64);
            if (_wcsicmp(cls, TOOLTIPS_CLASSW) == 0 && ::GetWindow(hwnd, GW_OWNER) == s->owner)
                s->found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The text the tooltip window holds for `control`, asked of the window itself.
std::wstring TipText(HWND tip, HWND control) {
    wchar_t text[256] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = tip;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    ::SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    return text;
}

// Objects a For Each visits, in order.
std::vector<IDispatch*> ForEach(IDispatch* collection) {
    std::vector<IDispatch*> visited;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    winkit::ScopedVariant enumerator;
    EXPECT_EQ(collection->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                 &none, enumerator.get(), nullptr, nullptr),
              S_OK);
    ComPtr<IEnumVARIANT> walk;
    if (enumerator->vt != VT_UNKNOWN || !enumerator->punkVal ||
        FAILED(enumerator->punkVal->QueryInterface(IID_IEnumVARIANT, walk.put_void())))
        return visited;
    VARIANT item;
    ULONG got = 0;
    while (walk->Next(1, &item, &got) == S_OK && got == 1) {
        EXPECT_EQ(item.vt, VT_DISPATCH);
        visited.push_back(item.pdispVal); // compared by address only; the collection keeps the object
        ::VariantClear(&item);
    }
    return visited;
}

class TraysAndToolTips : public RegisteredSystemTest {};

} // namespace

TEST_F(TraysAndToolTips, TrayIconsComeGoAndDoNotOutliveTheirCollection) {
    winkit::ScopedWindow first = TopWindow(L"first");
    winkit::ScopedWindow second = TopWindow(L"second");
    ASSERT_TRUE(first && second) << ::GetLastError();
    ComPtr<_Trays> trays;
    ASSERT_EQ(system_->get_SystemTrays(trays.put()), S_OK);

    // Through the vtable: a plain icon with a tip far longer than the tip field.
    winkit::ScopedBstr longTip(std::wstring(600, L'x').c_str());
    ComPtr<_Tray> tray;
    ASSERT_EQ(trays->add(HandleToLong(first.get()), nullptr, TRAY_STYLE_SIMPLE, longTip.get(), nullptr,
                         TRAY_MESSAGEICON_NONE, MOUSEMESSAGES_LEFTBUTTONUP, 0, tray.put()),
              S_OK);
    EXPECT_TRUE(IconInTray(first.get()));
    winkit::ScopedVariant key;
    ASSERT_EQ(tray->get_Key(key.get()), S_OK);
    EXPECT_EQ(key->vt, VT_I4);
    EXPECT_EQ(key->lVal, HandleToLong(first.get()));

    winkit::ScopedBstr tip(L"Quillet clips");
    EXPECT_EQ(
        tray->modify(nullptr, TRAY_STYLE_SIMPLE, tip.get(), nullptr, TRAY_MESSAGEICON_NONE, MOUSEMESSAGES_MOUSEOVER, 0),
        S_OK);
    EXPECT_TRUE(IconInTray(first.get())) << "the tip changed, the icon stays";
    winkit::ScopedBstr title(L"Copied");
    EXPECT_EQ(tray->modify(nullptr, TRAY_STYLE_BALLOON, tip.get(), title.get(), TRAY_MESSAGEICON_INFO,
                           MOUSEMESSAGES_MOUSEOVER, 3000),
              S_OK);
    EXPECT_TRUE(IconInTray(first.get()));

    // A second tray for the same window: the collection refuses the key.
    ComPtr<_Tray> twin;
    EXPECT_EQ(trays->add(HandleToLong(first.get()), nullptr, TRAY_STYLE_SIMPLE, tip.get(), nullptr,
                         TRAY_MESSAGEICON_NONE, MOUSEMESSAGES_MOUSEOVER, 0, twin.put()),
              kDuplicateKey);

    // By name, as a script: add with only the required arguments, count, walk, look up, remove.
    ComPtr<IDispatch> traysByName;
    ASSERT_EQ(trays.As(traysByName), S_OK);
    VARIANT nothing = Object(nullptr);
    winkit::ScopedVariant added;
    ASSERT_EQ(
        Dispatch(traysByName.get(), L"add", DISPATCH_METHOD, {Int(HandleToLong(second.get())), nothing}, added.get()),
        S_OK);
    ASSERT_EQ(added->vt, VT_DISPATCH);
    EXPECT_TRUE(IconInTray(second.get()));
    winkit::ScopedVariant count;
    ASSERT_EQ(Dispatch(traysByName.get(), L"Count", DISPATCH_PROPERTYGET, {}, count.get()), S_OK);
    EXPECT_EQ(count->lVal, 2);
    const std::vector<IDispatch*> visited = ForEach(traysByName.get());
    ASSERT_EQ(visited.size(), 2u);
    EXPECT_EQ(std::set<IDispatch*>(visited.begin(), visited.end()).size(), 2u) << "each member once";

    // The tray's own Key finds it again, as a number or as its decimal text.
    winkit::ScopedVariant found;
    ASSERT_EQ(Dispatch(traysByName.get(), L"Item", DISPATCH_METHOD, {*key}, found.get()), S_OK);
    ComPtr<_Tray> foundTray;
    ASSERT_EQ(found->pdispVal->QueryInterface(IID__Tray, foundTray.put_void()), S_OK);
    EXPECT_EQ(foundTray.get(), tray.get());
    VARIANT byRef;
    byRef.vt = VT_BYREF | VT_VARIANT;
    byRef.pvarVal = const_cast<VARIANT*>(&*key);
    ASSERT_EQ(Dispatch(traysByName.get(), L"remove", DISPATCH_METHOD, {byRef}, nullptr), S_OK);
    EXPECT_FALSE(IconInTray(first.get())) << "removed from the notification area";
    count.clear();
    Dispatch(traysByName.get(), L"Count", DISPATCH_PROPERTYGET, {}, count.get());
    EXPECT_EQ(count->lVal, 1);

    // The second window goes before the client lets go; its icon must not stay behind.
    const HWND gone = second.get();
    second.reset();
    trays.reset();
    traysByName.reset();
    tray.reset();
    foundTray.reset();
    found.clear();
    added.clear();
    system_.reset();
    EXPECT_FALSE(IconInTray(gone)) << "the collection's end removed the dead window's icon";
}

TEST_F(TraysAndToolTips, ToolTipsHoldTheirTextsInTheirOwnWindowsUntilRemoved) {
    winkit::ScopedWindow form = TopWindow(L"form");
    ASSERT_TRUE(form);
    HWND button = ::CreateWindowExW(0, L"BUTTON", L"Copy", WS_CHILD | WS_VISIBLE, 10, 10, 80, 25, form.get(), nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
    HWND other = ::CreateWindowExW(0, L"BUTTON", L"Paste", WS_CHILD | WS_VISIBLE, 100, 10, 80, 25, form.get(), nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(button && other);
    auto formState = std::make_shared<FormState>();
    formState->window = form.get();
    ComPtr<IDispatch> formObject = ComPtr<IDispatch>::Attach(MakeForm(formState));
    auto control = [](HWND hwnd, const wchar_t* name) {
        FakeDispatch* c = FakeDispatch::Make();
        c->Member(L"hWnd", [hwnd](VARIANT* v) { return Long(v, HandleToLong(hwnd)); });
        c->Member(L"Name", [name](VARIANT* v) {
            v->vt = VT_BSTR;
            v->bstrVal = ::SysAllocString(name);
            return S_OK;
        });
        return ComPtr<IDispatch>::Attach(c);
    };
    ComPtr<IDispatch> copy = control(button, L"cmdCopy");
    ComPtr<IDispatch> paste = control(other, L"cmdPaste");

    ComPtr<_ToolTips> tips;
    ASSERT_EQ(system_->get_ToolTips(tips.put()), S_OK);

    // Through the vtable: a keyed tip with a title; its window holds the text.
    IDispatch* formArg = formObject.get();
    IDispatch* copyArg = copy.get();
    winkit::ScopedBstr text(L"Copies the clip");
    winkit::ScopedBstr key(L"copy");
    winkit::ScopedBstr title(L"Copy");
    ComPtr<_ToolTip> tip;
    ASSERT_EQ(tips->add(&formArg, &copyArg, text.get(), key.get(), title.get(), TOOLTIP_STYLE_SIMPLE, ICON_INFO,
                        BEHAVIOR_NON_TRACKING, tip.put()),
              S_OK);
    std::vector<HWND> windows = TipWindowsOf(form.get());
    ASSERT_EQ(windows.size(), 1u) << "one tooltip window of its own, owned by the form";
    const HWND copyTip = windows[0];
    EXPECT_EQ(TipText(copyTip, button), L"Copies the clip");
    winkit::ScopedBstr read;
    ASSERT_EQ(tip->get_Text(read.put()), S_OK);
    EXPECT_STREQ(read.get(), L"Copies the clip");

    winkit::ScopedBstr changed(L"Puts the clip on the clipboard");
    ASSERT_EQ(tip->put_Text(changed.get()), S_OK);
    EXPECT_EQ(TipText(copyTip, button), L"Puts the clip on the clipboard");
    ASSERT_EQ(tip->get_Text(read.put()), S_OK);
    EXPECT_STREQ(read.get(), L"Puts the clip on the clipboard");
    ASSERT_EQ(tip->put_Delay(DELAYTIME_INITIAL, 250), S_OK);
    SHORT delay = 0;
    ASSERT_EQ(tip->get_Delay(DELAYTIME_INITIAL, &delay), S_OK);
    EXPECT_EQ(delay, 250);
    ASSERT_EQ(tip->put_BackColor(0x00C0FFEE), S_OK);
    OLE_COLOR colour = 0;
    ASSERT_EQ(tip->get_BackColor(&colour), S_OK);
    EXPECT_EQ(colour, 0x00C0FFEEu);

    // The key is taken: the duplicate is refused and its window goes with it.
    ComPtr<_ToolTip> twin;
    EXPECT_EQ(tips->add(&formArg, &copyArg, text.get(), key.get(), nullptr, TOOLTIP_STYLE_SIMPLE, ICON_NONE,
                        BEHAVIOR_NON_TRACKING, twin.put()),
              kDuplicateKey);
    EXPECT_EQ(TipWindowsOf(form.get()).size(), 1u);

    // By name, as a script: no text given, so the control's name is shown; no key.
    ComPtr<IDispatch> tipsByName;
    ASSERT_EQ(tips.As(tipsByName), S_OK);
    VARIANT formRef;
    formRef.vt = VT_BYREF | VT_DISPATCH;
    formRef.ppdispVal = &formArg;
    IDispatch* pasteArg = paste.get();
    VARIANT pasteRef;
    pasteRef.vt = VT_BYREF | VT_DISPATCH;
    pasteRef.ppdispVal = &pasteArg;
    VARIANT empty;
    empty.vt = VT_BSTR;
    empty.bstrVal = nullptr;
    winkit::ScopedVariant pasteTip;
    ASSERT_EQ(Dispatch(tipsByName.get(), L"add", DISPATCH_METHOD, {formRef, pasteRef, empty}, pasteTip.get()), S_OK);
    windows = TipWindowsOf(form.get());
    ASSERT_EQ(windows.size(), 2u);
    const HWND pasteWindow = windows[0] == copyTip ? windows[1] : windows[0];
    EXPECT_EQ(TipText(pasteWindow, other), L"cmdPaste");
    winkit::ScopedVariant defaultText;
    ASSERT_EQ(Dispatch(pasteTip->pdispVal, L"Text", DISPATCH_PROPERTYGET, {}, defaultText.get()), S_OK);
    EXPECT_STREQ(defaultText->bstrVal, L"cmdPaste");

    const std::vector<IDispatch*> visited = ForEach(tipsByName.get());
    ASSERT_EQ(visited.size(), 2u);
    EXPECT_EQ(std::set<IDispatch*>(visited.begin(), visited.end()).size(), 2u);

    // Removing by position (the unkeyed one) takes its tip out and, with the last reference, its window.
    pasteTip.clear();
    VARIANT second = Int(2);
    ASSERT_EQ(Dispatch(tipsByName.get(), L"remove", DISPATCH_METHOD, {second}, nullptr), S_OK);
    EXPECT_FALSE(::IsWindow(pasteWindow));
    EXPECT_TRUE(::IsWindow(copyTip));

    // Removing the held one by key: the tip is out of its window, its text reads empty.
    VARIANT byKey;
    byKey.vt = VT_BSTR;
    byKey.bstrVal = key.get();
    ASSERT_EQ(tips->remove(&byKey), S_OK);
    EXPECT_EQ(::SendMessageW(copyTip, TTM_GETTOOLCOUNT, 0, 0), 0);
    ASSERT_EQ(tip->get_Text(read.put()), S_OK);
    EXPECT_STREQ(read.get(), L"");
    tip.reset();
    EXPECT_FALSE(::IsWindow(copyTip));

    // A control without a window handle is refused; a form that is no form makes no window.
    ComPtr<IDispatch> noHandle = ComPtr<IDispatch>::Attach(FakeDispatch::Make());
    IDispatch* noHandleArg = noHandle.get();
    EXPECT_EQ(tips->add(&formArg, &noHandleArg, text.get(), nullptr, nullptr, TOOLTIP_STYLE_SIMPLE, ICON_NONE,
                        BEHAVIOR_NON_TRACKING, twin.put()),
              DISP_E_UNKNOWNNAME);
    ASSERT_EQ(tips->add(&noHandleArg, &copyArg, text.get(), nullptr, nullptr, TOOLTIP_STYLE_SIMPLE, ICON_NONE,
                        BEHAVIOR_NON_TRACKING, twin.put()),
              S_OK);
    ASSERT_EQ(twin->get_Text(read.put()), S_OK);
    EXPECT_STREQ(read.get(), L"");

    // Once the client lets go of System and what it handed out, no tooltip window is left.
    ASSERT_EQ(tips->add(&formArg, &copyArg, text.get(), nullptr, nullptr, TOOLTIP_STYLE_BALLOON, ICON_NONE,
                        BEHAVIOR_NON_TRACKING, tip.put()),
              S_OK);
    ASSERT_EQ(TipWindowsOf(form.get()).size(), 1u);
    tip.reset();
    twin.reset();
    tips.reset();
    tipsByName.reset();
    system_.reset();
    EXPECT_TRUE(TipWindowsOf(form.get()).empty());
}

TEST_F(TraysAndToolTips, AScriptsOwnStandInsWithoutAWindowGetATipThatReadsBack) {
    // A script has no windows: objects of its own classes with hWnd 0 stand in for the form and the
    // control, and they answer names only through IDispatchEx. Handle 0 is "no owner" for the tip
    // window and an ordinary tool identifier for the tip.
    auto standIn = [](const wchar_t* name) {
        FakeDispatch* c = FakeDispatch::MakeScriptObject();
        c->Member(L"hWnd", [](VARIANT* v) {
            v->vt = VT_I2; // a script's literal 0
            v->iVal = 0;
            return S_OK;
        });
        c->Member(L"Name", [name](VARIANT* v) {
            v->vt = VT_BSTR;
            v->bstrVal = ::SysAllocString(name);
            return S_OK;
        });
        return ComPtr<IDispatch>::Attach(c);
    };
    ComPtr<IDispatch> form = standIn(L"frmScript"), button = standIn(L"cmdHello");
    ComPtr<_ToolTips> tips;
    ASSERT_EQ(system_->get_ToolTips(tips.put()), S_OK);
    ComPtr<IDispatch> tipsByName;
    ASSERT_EQ(tips.As(tipsByName), S_OK);

    // As the script host passes them: variables holding the objects, by reference.
    VARIANT formVar, buttonVar;
    formVar.vt = VT_DISPATCH;
    formVar.pdispVal = form.get();
    buttonVar.vt = VT_DISPATCH;
    buttonVar.pdispVal = button.get();
    VARIANT formRef, buttonRef;
    formRef.vt = VT_BYREF | VT_VARIANT;
    formRef.pvarVal = &formVar;
    buttonRef.vt = VT_BYREF | VT_VARIANT;
    buttonRef.pvarVal = &buttonVar;
    winkit::ScopedBstr text(L"Says hello"), key(L"hello");
    VARIANT textArg, keyArg;
    textArg.vt = VT_BSTR;
    textArg.bstrVal = text.get();
    keyArg.vt = VT_BSTR;
    keyArg.bstrVal = key.get();
    winkit::ScopedVariant tip;
    ASSERT_EQ(Dispatch(tipsByName.get(), L"add", DISPATCH_METHOD, {formRef, buttonRef, textArg, keyArg}, tip.get()),
              S_OK);
    ASSERT_EQ(tip->vt, VT_DISPATCH);
    const std::vector<HWND> windows = TipWindowsOf(nullptr);
    ASSERT_EQ(windows.size(), 1u) << "a tip window without owner";
    EXPECT_EQ(TipText(windows[0], nullptr), L"Says hello");

    winkit::ScopedVariant read;
    ASSERT_EQ(Dispatch(tip->pdispVal, L"Text", DISPATCH_PROPERTYGET, {}, read.get()), S_OK);
    EXPECT_STREQ(read->bstrVal, L"Says hello");
    winkit::ScopedBstr changed(L"Says hello again");
    VARIANT changedArg;
    changedArg.vt = VT_BSTR;
    changedArg.bstrVal = changed.get();
    ASSERT_EQ(Dispatch(tip->pdispVal, L"Text", DISPATCH_PROPERTYPUT, {changedArg}, nullptr), S_OK);
    EXPECT_EQ(TipText(windows[0], nullptr), L"Says hello again");

    ASSERT_EQ(Dispatch(tipsByName.get(), L"remove", DISPATCH_METHOD, {keyArg}, nullptr), S_OK);
    EXPECT_EQ(::SendMessageW(windows[0], TTM_GETTOOLCOUNT, 0, 0), 0);
    read.clear();
    ASSERT_EQ(Dispatch(tip->pdispVal, L"Text", DISPATCH_PROPERTYGET, {}, read.get()), S_OK);
    EXPECT_STREQ(read->bstrVal, L"");
    tip.clear();
    EXPECT_FALSE(::IsWindow(windows[0]));
}
