#pragma once
// The hourglass for the length of a long operation, and the previous pointer back afterwards on every
// path out of it.
#include <windows.h>

namespace winkit {

class BusyCursor {
public:
    BusyCursor() noexcept : previous_(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    ~BusyCursor() { ::SetCursor(previous_ ? previous_ : ::LoadCursorW(nullptr, IDC_ARROW)); }

private:
    HCURSOR previous_;
};

} // namespace winkit
