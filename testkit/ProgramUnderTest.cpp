#include "testkit/ProgramUnderTest.h"

#include "testkit/Dialogs.h"
#include "winkit/Wait.h"

namespace testkit {

ProgramUnderTest::ProgramUnderTest() {
    if (folder_.path().empty())
        return;
    const std::wstring from = ExecutableFolder();
    ready_ = true;
    for (const wchar_t* file : {L"Quillet.exe", L"Syslinkage.dll"})
        ready_ = ready_ && ::CopyFileW((from + file).c_str(), (folder_.path() + file).c_str(), FALSE);
}

ProgramUnderTest::~ProgramUnderTest() {
    if (running())
        Kill();
}

bool ProgramUnderTest::Start(const std::wstring& arguments) {
    // A program that has ended may be started again in the same folder, as a user starts it the next day.
    if (!ready_ || running())
        return false;
    std::wstring commandLine = L"\"" + folder_.path() + L"Quillet.exe\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.path().c_str(),
                          &si, &pi))
        return false;
    ::CloseHandle(pi.hThread);
    process_.reset(pi.hProcess);
    pid_ = pi.dwProcessId;
    // Ready for input once its start-up has run to the message loop.
    ::WaitForInputIdle(pi.hProcess, 10000);
    return true;
}

bool ProgramUnderTest::running() const {
    return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

HWND ProgramUnderTest::WaitForWindow(const std::wstring& className, DWORD timeoutMs) const {
    HWND found = nullptr;
    winkit::WaitUntil(
        [&] {
            const auto windows = TopLevelWindows(pid_, className);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr || !running();
        },
        timeoutMs);
    return found;
}

bool ProgramUnderTest::WaitForExit(DWORD timeoutMs) const {
    return process_ && ::WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
}

DWORD ProgramUnderTest::exitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_)
        ::GetExitCodeProcess(process_.get(), &code);
    return code;
}

void ProgramUnderTest::Kill() {
    if (!process_)
        return;
    ::TerminateProcess(process_.get(), 1);
    ::WaitForSingleObject(process_.get(), 10000);
}

} // namespace testkit
