// The stand-in word processor: the sample product's cwp.exe. It appends every command line it
// receives to "cwp-commands.log" beside itself. Started without arguments it opens a window
// carrying the running-instance marker and stays until it is closed; with arguments ("-assoc",
// "-ui") it only records them.
#include <windows.h>

#include <cstring>
#include <string>

namespace {

const char kMarker[] = "1.x Birch Gale";

void RecordCommandLine() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return;
    std::string log(path, n);
    log.replace(log.find_last_of('\\') + 1, std::string::npos, "cwp-commands.log");
    HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    std::string line = std::string(GetCommandLineA()) + "\r\n";
    DWORD written;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

bool HasArguments(const char* commandLine) {
    // Skip the program path, quoted or not, then any blanks.
    const char* p = commandLine;
    if (*p == '"') {
        p = std::strchr(p + 1, '"');
        p = p ? p + 1 : commandLine + std::strlen(commandLine);
    }
    while (*p && *p != ' ' && *p != '\t')
        ++p;
    while (*p == ' ' || *p == '\t')
        ++p;
    return *p != '\0';
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        RemovePropA(window, kMarker);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    RecordCommandLine();
    if (HasArguments(GetCommandLineA()))
        return 0;

    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "CorvellaWordProcessorStandIn";
    RegisterClassA(&wc);
    HWND window =
        CreateWindowA(wc.lpszClassName, "Corvella Word Processor (stand-in)", WS_OVERLAPPEDWINDOW,
                      CW_USEDEFAULT, CW_USEDEFAULT, 400, 300, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    SetPropA(window, kMarker, reinterpret_cast<HANDLE>(1));
    ShowWindow(window, show);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
