#include "interop/User.h"

#include "interop/SystemText.h"

#include <shlobj.h>

namespace syslinkage {
namespace {

template <typename Read> HRESULT ReadText(Read read, BSTR* result) {
    if (!result)
        return E_POINTER;
    *result = nullptr;
    return Guarded([&] { return ReturnText(read(), result); });
}

} // namespace

HRESULT CUser::get_Name(BSTR* result) {
    return ReadText(UserName, result);
}
HRESULT CUser::get_CurrentDirectory(BSTR* result) {
    return ReadText(CurrentDirectory, result);
}
HRESULT CUser::get_WindowsDirectory(BSTR* result) {
    return ReadText([] { return FolderPath(CSIDL_WINDOWS); }, result);
}
HRESULT CUser::get_SystemDirectory(BSTR* result) {
    return ReadText([] { return FolderPath(CSIDL_SYSTEM); }, result);
}
HRESULT CUser::get_MyDocuments(BSTR* result) {
    return ReadText([] { return FolderPath(CSIDL_PERSONAL); }, result);
}
HRESULT CUser::get_StartMenu(BSTR* result) {
    return ReadText([] { return FolderPath(CSIDL_STARTMENU); }, result);
}
HRESULT CUser::get_ApplicationData(BSTR* result) {
    return ReadText([] { return FolderPath(CSIDL_APPDATA); }, result);
}
HRESULT CUser::get_StartUp(BSTR* result) {
    return ReadText([] { return FolderPath(CSIDL_STARTUP); }, result);
}
HRESULT CUser::get_Programs(BSTR* result) {
    return ReadText([] { return FolderPath(CSIDL_PROGRAMS); }, result);
}
HRESULT CUser::get_ProgramFiles(BSTR* result) {
    return ReadText([] { return FolderPath(CSIDL_PROGRAM_FILES); }, result);
}
HRESULT CUser::get_Recent(BSTR* result) {
    return ReadText([] { return FolderPath(CSIDL_RECENT); }, result);
}
HRESULT CUser::get_Favorites(BSTR* result) {
    return ReadText([] { return FolderPath(CSIDL_FAVORITES); }, result);
}
HRESULT CUser::get_Desktop(BSTR* result) {
    return ReadText([] { return FolderPath(CSIDL_DESKTOP); }, result);
}
HRESULT CUser::get_RecycleBin(BSTR* result) {
    return ReadText([] { return FolderPath(CSIDL_BITBUCKET); }, result);
}
HRESULT CUser::get_Fonts(BSTR* result) {
    return ReadText([] { return FolderPath(CSIDL_FONTS); }, result);
}
HRESULT CUser::get_SendTo(BSTR* result) {
    return ReadText([] { return FolderPath(CSIDL_SENDTO); }, result);
}
HRESULT CUser::get_History(BSTR* result) {
    return ReadText([] { return FolderPath(CSIDL_HISTORY); }, result);
}
HRESULT CUser::get_Cookies(BSTR* result) {
    return ReadText([] { return FolderPath(CSIDL_COOKIES); }, result);
}
HRESULT CUser::get_MyPictures(BSTR* result) {
    return ReadText([] { return FolderPath(CSIDL_MYPICTURES); }, result);
}
HRESULT CUser::get_TemporaryInternetFiles(BSTR* result) {
    return ReadText([] { return FolderPath(CSIDL_INTERNET_CACHE); }, result);
}

} // namespace syslinkage
