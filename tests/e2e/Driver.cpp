#include "Driver.h"

#include <shlwapi.h>

#include <cstdio>
#include <cstring>
#include <thread>

std::string BuildPath(const std::string& relative) {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string self(path, n);
    // This program lives in <build>\tests\e2e.
    std::string build = self.substr(0, self.rfind("\\tests\\e2e\\"));
    return build + "\\" + relative;
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return condition();
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

namespace {

bool SetsSameName(const std::vector<std::string>& settings, const char* entry) {
    for (const std::string& s : settings) {
        size_t name = s.find('=') + 1;
        if (_strnicmp(s.c_str(), entry, name) == 0)
            return true;
    }
    return false;
}

// This program's environment block with the given settings in place of their namesakes.
std::string EnvironmentWith(const std::vector<std::string>& settings) {
    std::string block;
    char* current = GetEnvironmentStringsA();
    for (const char* p = current; *p; p += std::strlen(p) + 1)
        if (!SetsSameName(settings, p))
            block.append(p).push_back('\0');
    FreeEnvironmentStringsA(current);
    for (const std::string& setting : settings)
        block.append(setting).push_back('\0');
    block.push_back('\0');
    return block;
}

} // namespace

TProcess::TProcess(const std::string& exe, const std::string& arguments,
                   const std::vector<std::string>& environment) {
    std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::string folder = exe.substr(0, exe.rfind('\\'));
    std::string block = EnvironmentWith(environment);
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, block.data(),
                        folder.c_str(), &si, &FInfo))
        FInfo = {};
    else
        WaitForInputIdle(FInfo.hProcess, 10000);
}

TProcess::~TProcess() {
    if (!FInfo.hProcess)
        return;
    if (WaitForSingleObject(FInfo.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(FInfo.hProcess, 255);
        WaitForSingleObject(FInfo.hProcess, 5000);
    }
    CloseHandle(FInfo.hThread);
    CloseHandle(FInfo.hProcess);
}

DWORD TProcess::WaitForExit(std::chrono::milliseconds timeout) {
    if (!FInfo.hProcess ||
        WaitForSingleObject(FInfo.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(FInfo.hProcess, &code);
    return code;
}

namespace {

struct TWindowSearch {
    DWORD ProcessId;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<TWindowSearch*>(search);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == s->ProcessId && IsWindowVisible(window))
        s->Found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectVisibleChild(HWND window, LPARAM found) {
    if (IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> TProcess::Windows() const {
    TWindowSearch search = {FInfo.dwProcessId, {}};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND TProcess::WaitForWindow(const std::string& caption, std::chrono::milliseconds timeout) const {
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (HWND w : Windows())
                if (WindowText(w) == caption)
                    found = w;
            return found != nullptr;
        },
        timeout);
    return found;
}

std::string WindowText(HWND window) {
    char text[4096];
    // WM_GETTEXT reads other programs' controls too.
    LRESULT n = SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return std::string(text, static_cast<size_t>(n));
}

std::string ClassOf(HWND window) {
    char name[256];
    int n = GetClassNameA(window, name, sizeof name);
    return std::string(name, static_cast<size_t>(n));
}

std::vector<HWND> VisibleChildren(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(parent, CollectVisibleChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FindChild(HWND parent, const std::string& className, const std::string& caption) {
    for (HWND w : VisibleChildren(parent))
        if (_stricmp(ClassOf(w).c_str(), className.c_str()) == 0 &&
            (caption.empty() || WindowText(w) == caption))
            return w;
    return nullptr;
}

std::vector<std::string> StaticTexts(HWND parent) {
    std::vector<std::string> texts;
    for (HWND w : VisibleChildren(parent))
        if (_stricmp(ClassOf(w).c_str(), "Static") == 0)
            texts.push_back(WindowText(w));
    return texts;
}

void Click(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
}

HWND FocusOf(DWORD threadOf) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(threadOf, &info);
    return info.hwndFocus ? info.hwndFocus : info.hwndActive;
}

void PressKey(DWORD threadOf, WORD key) {
    HWND target = FocusOf(threadOf);
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

void PressAccessKey(DWORD threadOf, char letter) {
    constexpr LPARAM kAltDown = 1 << 29;
    PostMessageA(FocusOf(threadOf), WM_SYSCHAR, static_cast<WPARAM>(letter), kAltDown | 1);
}

bool IsChecked(HWND checkBox) {
    return SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Screenshot(HWND window, const std::string& name) {
    std::string folder = BuildPath("tests\\e2e\\screenshots");
    CreateDirectoryA(folder.c_str(), nullptr);
    RECT r;
    GetWindowRect(window, &r);
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    DWORD imageSize = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
    BITMAPFILEHEADER file = {0x4D42,
                             static_cast<DWORD>(sizeof file + sizeof info.bmiHeader + imageSize), 0,
                             0, static_cast<DWORD>(sizeof file + sizeof info.bmiHeader)};
    if (FILE* f = std::fopen((folder + "\\" + name + ".bmp").c_str(), "wb")) {
        std::fwrite(&file, sizeof file, 1, f);
        std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f);
        std::fwrite(bits, imageSize, 1, f);
        std::fclose(f);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

bool KeyExists(HKEY root, const std::string& key) {
    HKEY k;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
        return false;
    RegCloseKey(k);
    return true;
}

bool KeyHasValues(HKEY root, const std::string& key) {
    HKEY k;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
        return false;
    DWORD values = 0;
    RegQueryInfoKeyA(k, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(k);
    return values > 0;
}

void DeleteKeyTree(HKEY root, const std::string& key) {
    SHDeleteKeyA(root, key.c_str());
}

void SetStringValue(HKEY root, const std::string& key, const std::string& name,
                    const std::string& value) {
    HKEY k;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(k, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(k);
}

void SetDwordValue(HKEY root, const std::string& key, const std::string& name, DWORD value) {
    HKEY k;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(k, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
    RegCloseKey(k);
}

int DialogTextHeight(int dpi) {
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontA(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH, "MS Shell Dlg 2");
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return tm.tmHeight;
}
