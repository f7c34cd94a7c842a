// The program's entry and its whole life: the process-wide preparations, the refusal of older
// systems, the wizard shown modally, and the release of everything in a fixed order.
#include "framework/Application.h"
#include "framework/SystemLibrary.h"
#include "payload/AttachFiles.h"
#include "utils/InstUtils.h"
#include "wizard/MainDlg.h"

#include <ole2.h>

#include <cstdlib>

namespace {

// A planted DLL beside the program (a download folder) must never be loaded: the system
// folder is the only place libraries come from.
void RestrictDllSearch() {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (auto setDefault = ProcAddress<BOOL(WINAPI*)(DWORD)>(kernel, "SetDefaultDllDirectories"))
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (auto setMode = ProcAddress<BOOL(WINAPI*)(DWORD)>(kernel, "SetSearchPathMode"))
        setMode(BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE | BASE_SEARCH_PATH_PERMANENT);
    SetDllDirectoryA("");
}

bool IsWindows2000OrLater() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExA(&info);
    return info.dwMajorVersion > 4 && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

class TOleScope {
public:
    TOleScope() { OleInitialize(nullptr); }
    TOleScope(const TOleScope&) = delete;
    TOleScope& operator=(const TOleScope&) = delete;
    ~TOleScope() { OleUninitialize(); }
};

int Run() {
    bool admitted = IsWindows2000OrLater();
    ResolveEntryPoints();
    TOleScope ole;
    if (!admitted) {
        MessageBoxA(nullptr, "This program requires Windows 2000 or later.", nullptr,
                    MB_OK | MB_ICONWARNING);
        return 0;
    }
    Application.Initialize();
    RegisterControlClasses();
    Application.SetIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1)));
    Application.SetTitle("Corvella Word Processor - Setup");
    AttachedFiles = std::make_unique<TAttachedFiles>();
    {
        TMainDlgForm wizard;
        wizard.ShowModal();
    }
    AttachedFiles.reset();
    return 0;
}

} // namespace

// Nothing here prints the name of an exception that ends the process (the last-resort handler
// shows it), so the library's demangling terminate handler is not linked in.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictDllSearch();
    try {
        return Run();
    } catch (const std::exception& e) {
        std::string text = std::string("Exception ") + ExceptionClassName(e);
        MessageBoxA(nullptr, text.c_str(), nullptr, MB_OK | MB_ICONHAND | MB_TASKMODAL);
    } catch (...) {
        MessageBoxA(nullptr, "Exception", nullptr, MB_OK | MB_ICONHAND | MB_TASKMODAL);
    }
    return 1;
}
