#pragma once
// The late-bound contract between Syslinkage and its client, fixed so that the library and Quillet's
// hidden form are built at the same time; neither side changes it alone. The library reaches the
// client's objects only through IDispatch by member name (GetIDsOfNames + Invoke); the client implements
// these members on its own small IDispatch objects.
//
// Form menu item (passed to the Menu members MenuSeperator, BitmapImage, Checked, Include, SideBar as
// VT_DISPATCH, possibly VT_BYREF|VT_DISPATCH or VT_BYREF|VT_VARIANT; a "form menu item" is any object
// answering both "Caption" and "Parent"):
//   Caption  get  BSTR    the item's text without its shortcut; "&" marks the access key. Read live at
//                         every measuring and drawing.
//   Checked  get  BOOL    the item's own checked state; put BOOL too (Menu.Checked sets it through this
//                         put). Read at every drawing: it decides the check box (an item without it
//                         leaves that to the system's item state).
//   Enabled  get  BOOL    optional.
//   Parent   get  object  the form holding the item (VT_DISPATCH).
//
// Form (passed to Window.Init as its second argument, and an item's Parent; a "form" is any object
// answering "hWnd"):
//   hWnd       get  long  the form's window handle (32-bit value, LongToHandle on the library side).
//   hDC        get  long  optional: a device context with the form's font selected, for measuring item
//                         texts; without it the library uses the window's own DC with the system menu font.
//   BackColor  get  long  optional: the background colour (an OLE_COLOR) painted behind animations;
//                         without it the window class brush colour.
//   MDIForm    get  BOOL  optional: true for a multiple-document parent form; absent means false.
//   Refresh    method     optional: repaints the form; without it the library invalidates the window.
//
// Pictures (BitmapImage's value, Checked's CheckedBitmap): a standard OLE picture object (IPictureDisp,
// made by the client with OleCreatePictureIndirect, PICTYPE_BITMAP, fOwn = TRUE, kept alive by the
// client as long as its menus live); the library reads its handle (IPicture::get_Handle, or the default
// property DISPID_VALUE / DISPID_PICT_HANDLE through IDispatch) and never frees it. A bitmap is drawn with
// the colour of its top-left pixel as transparent; an icon handle is drawn with its own mask.
//
// The Win32 menu items the library converts are found by comparing the form menu item's Caption with the
// live text of the items of GetMenu(form hWnd)'s popups (depth first); so the client's hidden form must
// have a real menu bar (SetMenu) whose popups are the menus it shows with TrackPopupMenu, and each item
// object's Caption must equal its Win32 item's text before the TAB.
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
// A long property of an object (a window handle, a colour); empty when it is missing or no number.
std::optional<long> LongProperty(IDispatch* object, const wchar_t* name) noexcept;
// A text property; empty when missing.
std::wstring TextProperty(IDispatch* object, const wchar_t* name);
bool IsMdiForm(IDispatch* form) noexcept;
std::optional<OLE_COLOR> FormBackColor(IDispatch* form) noexcept;

// The handle a picture object holds (IPicture, or its default property); nullptr for none.
HANDLE PictureHandle(IUnknown* picture) noexcept;

// The object an optional automation argument holds (by value or by reference); empty for a missing
// argument, VT_EMPTY or Nothing. Fails with DISP_E_TYPEMISMATCH for anything that is not an object.
HRESULT ObjectArgument(const VARIANT* argument, winkit::ComPtr<IDispatch>& object) noexcept;

} // namespace syslinkage
