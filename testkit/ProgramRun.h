#pragma once
// One more run of a program that a ProgramUnderTest already copied: the second start of the same
// Quillet.exe from the same folder. Ended by the destructor if it is still running.
#include "winkit/Scoped.h"

#include <windows.h>

#include <string>

namespace testkit {

class ProgramRun {
public:
    ProgramRun() = default;
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;
    ~ProgramRun();

    // Starts `exe` with `arguments` in the exe's folder; does not wait for it.
    bool Start(const std::wstring& exe, const std::wstring& arguments = L"");
    DWORD processId() const { return pid_; }
    bool running() const;
    bool WaitForExit(DWORD timeoutMs) const;
    // The exit code once it ended; STILL_ACTIVE before.
    DWORD exitCode() const;

private:
    winkit::ScopedHandle process_;
    DWORD pid_ = 0;
};

} // namespace testkit
