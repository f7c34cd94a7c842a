// Starts setup.exe, waits for its welcome page and prints its peak memory beside the payload's
// compressed and inflated sizes. A benchmark: it prints, it asserts nothing.
// Usage: setup_memory SETUP.EXE COMPRESSED_BYTES INFLATED_BYTES
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct TSearch {
    DWORD ProcessId;
    bool Found;
};

BOOL CALLBACK FindWizard(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<TSearch*>(search);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char caption[64];
    GetWindowTextA(window, caption, sizeof caption);
    if (pid == s->ProcessId && IsWindowVisible(window) &&
        std::string(caption) == "Corvella Word Processor - Setup")
        s->Found = true;
    return !s->Found;
}

double MiB(SIZE_T bytes) {
    return static_cast<double>(bytes) / (1 << 20);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: setup_memory SETUP.EXE COMPRESSED_BYTES INFLATED_BYTES\n");
        return 2;
    }
    std::string commandLine = std::string("\"") + argv[1] + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi)) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 1;
    }
    TSearch search = {pi.dwProcessId, false};
    for (int i = 0; i < 300 && !search.Found; ++i) {
        Sleep(100);
        EnumWindows(FindWizard, reinterpret_cast<LPARAM>(&search));
    }
    Sleep(1000);
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    TerminateProcess(pi.hProcess, 0);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    double payload =
        MiB(std::strtoull(argv[2], nullptr, 10)) + MiB(std::strtoull(argv[3], nullptr, 10));
    std::printf("welcome page %s\n", search.Found ? "reached" : "NOT reached");
    std::printf("peak private bytes  %8.1f MiB\n", MiB(memory.PeakPagefileUsage));
    std::printf("peak working set    %8.1f MiB (Wine's own libraries included)\n",
                MiB(memory.PeakWorkingSetSize));
    std::printf("payload compressed + inflated %8.1f MiB; figure to reach: %.1f MiB\n", payload,
                payload + 8);
    return 0;
}
