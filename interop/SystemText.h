#pragma once
// Text answers of the system's name and folder services, read the way every machine-information reader
// reads them: into a buffer of NULs whose true size is what the service is told, grown and read again
// when the answer does not fit, then cut at the first NUL and trimmed. A failing call gives "".
#include <windows.h>

#include <string>

namespace syslinkage {

std::wstring UserName();
std::wstring ComputerName();
std::wstring CurrentDirectory();
// SHGetFolderPath of the current path of folder `csidl`.
std::wstring FolderPath(int csidl);

} // namespace syslinkage
