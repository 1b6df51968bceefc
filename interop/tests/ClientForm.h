#pragma once
// The client form the menu tests work on: the library registered, a window with a menu bar handed to
// Window.Init with a fake form that measures through a DC of its own, and the items a client registers.
#include "FakeClient.h"
#include "MenuTestKit.h"
#include "SyslinkageLibrary.h"
#include "Syslinkage_h.h"
#include "winkit/Com.h"
#include "winkit/Scoped.h"
#include "winkit/Wait.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace syslinkage_test {

class ClientForm : public ::testing::Test {
protected:
    // Makes the form window of class `className` with `menuBar`; a shown form is also brought to the front.
    void OpenForm(WNDPROC procedure, const wchar_t* className, const wchar_t* title, RECT place, bool shown,
                  HMENU menuBar) {
        ASSERT_TRUE(library_);
        ASSERT_EQ(library_.Register(), S_OK);
        WNDCLASSW cls{};
        cls.lpfnWndProc = procedure;
        cls.hInstance = ::GetModuleHandleW(nullptr);
        cls.lpszClassName = className;
        cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        ::RegisterClassW(&cls);
        window_.reset(::CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW | (shown ? WS_VISIBLE : 0), place.left,
                                        place.top, place.right - place.left, place.bottom - place.top, nullptr, menuBar,
                                        ::GetModuleHandleW(nullptr), nullptr));
        ASSERT_TRUE(window_);
        if (shown) {
            ::SetForegroundWindow(window_.get());
            ASSERT_TRUE(winkit::WaitUntil([&] { return ::GetForegroundWindow() == window_.get(); }, 3000));
        }
        file_ = ::GetSubMenu(::GetMenu(window_.get()), 0);
        formState_->window = window_.get();
        measureDc_.reset(::CreateCompatibleDC(nullptr));
        ::SelectObject(measureDc_.get(), ::GetStockObject(DEFAULT_GUI_FONT));
        formState_->dc = measureDc_.get();
        form_ = winkit::ComPtr<IDispatch>::Attach(MakeForm(formState_));
        ASSERT_EQ(::CoCreateInstance(CLSID_System, nullptr, CLSCTX_INPROC_SERVER, IID__System, system_.put_void()),
                  S_OK);
        ASSERT_EQ(system_->get_Window(window.put()), S_OK);
        VARIANT formArg;
        formArg.vt = VT_DISPATCH;
        formArg.pdispVal = form_.get();
        ASSERT_EQ(window->Init(HandleToLong(window_.get()), &formArg), S_OK);
        ASSERT_EQ(window->get_Menu(menu.put()), S_OK);
    }
    void TearDown() override {
        menu.reset();
        window.reset();
        system_.reset();
        window_.reset();
        EXPECT_EQ(library_.Unregister(), S_OK);
    }

    IDispatch* Item(const wchar_t* caption, bool hasChecked = true) {
        auto state = std::make_shared<ItemState>();
        state->caption = caption;
        state->hasChecked = hasChecked;
        states_.push_back(state);
        items_.push_back(winkit::ComPtr<IDispatch>::Attach(MakeItem(state, form_.get())));
        return items_.back().get();
    }

    ClassicColours colours_;
    winkit::ComApartment com_;
    Library library_;
    winkit::ScopedWindow window_;
    winkit::ScopedMemoryDC measureDc_;
    std::shared_ptr<FormState> formState_ = std::make_shared<FormState>();
    winkit::ComPtr<IDispatch> form_;
    winkit::ComPtr<_System> system_;
    winkit::ComPtr<_Window> window;
    winkit::ComPtr<_Menu> menu;
    HMENU file_ = nullptr;
    std::vector<std::shared_ptr<ItemState>> states_;
    std::vector<winkit::ComPtr<IDispatch>> items_;
    winkit::ComPtr<IPictureDisp> picture_;
};

} // namespace syslinkage_test
