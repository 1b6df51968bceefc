#pragma once
// The real Quillet.exe, copied with Syslinkage.dll into a fresh program folder and started there.
// Whatever happens in a test, the destructor ends the process, so nothing is left running.
#include "testkit/Files.h"
#include "winkit/Scoped.h"

#include <windows.h>

#include <string>
#include <vector>

namespace testkit {

class ProgramUnderTest {
public:
    // Copies the deliverables found beside the test driver into a new temporary program folder.
    ProgramUnderTest();
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;
    ~ProgramUnderTest();

    const std::wstring& folder() const { return folder_.path(); }
    bool ready() const { return ready_; }

    // Starts the program; again after it ended, in the same folder.
    bool Start(const std::wstring& arguments = L"");
    DWORD processId() const { return pid_; }
    bool running() const;

    // A top-level window of the program with the given class, waited for; null when none came in time.
    HWND WaitForWindow(const std::wstring& className, DWORD timeoutMs) const;
    // Waits for the process to end; returns whether it did.
    bool WaitForExit(DWORD timeoutMs) const;
    DWORD exitCode() const;
    // Ends the process the hard way (used only when a test could not end it properly).
    void Kill();

private:
    TempFolder folder_{L"quillet-e2e"};
    bool ready_ = false;
    winkit::ScopedHandle process_;
    DWORD pid_ = 0;
};

} // namespace testkit
