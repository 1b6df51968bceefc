#include "app/menu/modGetIP.h"

#include "core/Message.h"

#include <winsock2.h>
#include <windows.h>

namespace quillet {

namespace {

// Every lookup starts the service, but Winsock counts starts: without this flag the one release after
// filling the menu would leave it running.
bool socketsStarted = false;
bool socketsFailed = false;

// These failures are shown as plain boxes, without icon, outside the program's message kinds.
void PlainMessage(const std::wstring& text) {
    ::MessageBoxW(nullptr, text.c_str(), core::kProgramTitle, MB_OK);
}

std::wstring DottedAddress(const char* bytes, int length) {
    std::wstring text;
    for (int i = 0; i < length; ++i) {
        if (i > 0)
            text += L'.';
        text += std::to_wstring(static_cast<unsigned char>(bytes[i]));
    }
    return text;
}

} // namespace

bool StartSockets() {
    if (socketsStarted)
        return true;
    WSADATA data{};
    const auto& startup = SocketsStartup();
    if ((startup ? startup(MAKEWORD(1, 1), &data) : ::WSAStartup(MAKEWORD(1, 1), &data)) != 0) {
        PlainMessage(L"Winsock.dll Error.");
        socketsFailed = true;
        return false;
    }
    const int major = LOBYTE(data.wVersion);
    const int minor = HIBYTE(data.wVersion);
    if (major < 1 || (major == 1 && minor < 1)) {
        ::WSACleanup();
        PlainMessage(L"Windows Sockets version " + std::to_wstring(major) + L"." + std::to_wstring(minor));
        socketsFailed = true;
        return false;
    }
    socketsStarted = true;
    socketsFailed = false;
    return true;
}

bool SocketsFailed() { return socketsFailed; }

std::function<int(unsigned short version, WSAData* data)>& SocketsStartup() {
    static std::function<int(unsigned short version, WSAData* data)> startup;
    return startup;
}

void StopSockets() {
    if (!socketsStarted)
        return;
    ::WSACleanup();
    socketsStarted = false;
}

std::wstring GetIPAddress(bool wantPublic) {
    if (!StartSockets())
        return {};
    const hostent* entry = ::gethostbyname("");
    if (!entry) {
        PlainMessage(L"Winsock.dll error.");
        return {};
    }
    const HostAddresses addresses = AddressesOf(*entry);
    return wantPublic ? addresses.publicAddress : addresses.localNetwork;
}

HostAddresses AddressesOf(const hostent& entry) {
    HostAddresses found;
    if (!entry.h_addr_list || entry.h_length <= 0)
        return found;
    for (char** address = entry.h_addr_list; *address; ++address) {
        found.localNetwork = std::move(found.publicAddress);
        found.publicAddress = DottedAddress(*address, entry.h_length);
    }
    return found;
}

} // namespace quillet
