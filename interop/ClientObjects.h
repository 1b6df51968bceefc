#pragma once
// The small late-bound contract through which the library reaches its clients' forms and menu items.
// Every call goes through IDispatch by member name, so any automation object can take part; a client
// that is not an automation form (Quillet's own hidden form) implements these members itself.
//
// Form menu item (passed to the Menu members; a "form menu item" is any object answering both
// "Caption" and "Parent"):
//   Caption  get  BSTR      the item's text without its shortcut; "&" marks the access key. Read live at
//                           every measuring and drawing.
//   Checked  get  BOOL      the item's own checked state (Menu.Checked also sets it).
//           put  BOOL
//   Enabled  get  BOOL      optional; read by none of the renderer's decisions (the system's item state
//                           tells those), kept for clients that mirror it.
//   Parent   get  object    the form holding the item.
//
// Form (passed to Window.Init, and an item's Parent; a "form" is any object answering "hWnd"):
//   hWnd       get  long    the form's window handle.
//   hDC        get  long    optional: a device context with the form's font selected, for measuring item
//                           texts; without it the window's own context with the system menu font is used.
//   BackColor  get  long    optional: the background colour (an automation colour) painted behind
//                           animations; without it the window class's brush colour is used.
//   MDIForm    get  BOOL    optional: true for a multiple-document parent form; absent means false.
//   Refresh    method       optional: repaints the form; without it the window is invalidated.
#include <windows.h>
#include <oaidl.h>
#include <olectl.h>

#include <optional>
#include <string>

#include "winkit/Com.h"

namespace syslinkage {

bool HasMember(IDispatch* object, const wchar_t* name) noexcept;
HRESULT GetProperty(IDispatch* object, const wchar_t* name, VARIANT* result) noexcept;
HRESULT PutProperty(IDispatch* object, const wchar_t* name, const VARIANT& value) noexcept;
HRESULT CallMethod(IDispatch* object, const wchar_t* name) noexcept;

bool IsFormMenuItem(IDispatch* object) noexcept;
bool IsForm(IDispatch* object) noexcept;

// Readers that give a neutral value when the member is missing or fails.
std::wstring ItemCaption(IDispatch* item);
std::optional<bool> ItemChecked(IDispatch* item) noexcept;
winkit::ComPtr<IDispatch> ItemParent(IDispatch* item) noexcept;
HWND FormWindow(IDispatch* form) noexcept;
HDC FormDC(IDispatch* form) noexcept;
bool IsMdiForm(IDispatch* form) noexcept;
std::optional<OLE_COLOR> FormBackColor(IDispatch* form) noexcept;

// The object an optional automation argument holds (by value or by reference); empty for a missing
// argument, VT_EMPTY or Nothing. Fails with DISP_E_TYPEMISMATCH for anything that is not an object.
HRESULT ObjectArgument(const VARIANT* argument, winkit::ComPtr<IDispatch>& object) noexcept;

} // namespace syslinkage
