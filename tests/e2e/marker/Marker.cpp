// A DLL planted beside setup.exe under a system DLL's name. Loading it leaves a file beside
// it named after it, then refuses the load.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(instance, path, MAX_PATH);
    std::string marker = std::string(path, n) + ".loaded";
    HANDLE file = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return FALSE;
}
