#pragma once
// Binds a C++ object to its HWND (on WM_NCCREATE, from lpCreateParams) and routes messages to it,
// so forms hold only their own handlers and no form repeats the plumbing.
#include <windows.h>

namespace winkit {

// Registers a window class once per process; later calls with the same name are no-ops.
bool RegisterWindowClass(const wchar_t* className, UINT style = 0, HICON icon = nullptr,
                         HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const noexcept { return hwnd_; }
    explicit operator bool() const noexcept { return hwnd_ != nullptr; }

    // Creates the window of a class registered with RegisterWindowClass.
    bool Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle = 0,
                int x = CW_USEDEFAULT, int y = CW_USEDEFAULT, int width = CW_USEDEFAULT,
                int height = CW_USEDEFAULT, HWND parent = nullptr, HMENU menu = nullptr);
    void Destroy() noexcept;

    static Window* FromHandle(HWND hwnd) noexcept;
    // The procedure of every class registered with RegisterWindowClass.
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    // Anything not handled goes to DefWindowProc through the default implementation.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // The window is gone (WM_NCDESTROY); hwnd() is already null.
    virtual void OnDestroyed() {}

private:
    HWND hwnd_ = nullptr;
};

} // namespace winkit
