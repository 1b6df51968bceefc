#include "app/shell/SingleInstance.h"

#include "winkit/Scoped.h"

namespace quillet {

bool ClaimSingleInstance() {
    static winkit::ScopedHandle held;
    if (held)
        return true;
    winkit::ScopedHandle mutex(::CreateMutexW(nullptr, FALSE, L"Local\\Quillet.SingleInstance"));
    if (!mutex)
        return false; // held by someone we may not open: as good as running
    if (::GetLastError() == ERROR_ALREADY_EXISTS)
        return false;
    held = std::move(mutex);
    return true;
}

} // namespace quillet
