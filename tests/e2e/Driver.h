// Drives the real setup.exe through its windows, as a user would: finds its windows by caption
// and class, presses buttons and keys with posted messages, reads texts, takes screenshots.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

using namespace std::chrono_literals;

// Path of a file of the build tree, from this test program's own location.
std::string BuildPath(const std::string& relative);

// Polls until condition holds or the timeout passes; returns the last result.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s);

// A program started by the test; ended (if still running) when the object goes.
class TProcess {
public:
    // environment: extra "NAME=value" settings for the program.
    TProcess(const std::string& exe, const std::string& arguments,
             const std::vector<std::string>& environment = {});
    TProcess(const TProcess&) = delete;
    TProcess& operator=(const TProcess&) = delete;
    ~TProcess();

    DWORD Id() const { return FInfo.dwProcessId; }
    // The exit code once the program has ended within the timeout, else STILL_ACTIVE.
    DWORD WaitForExit(std::chrono::milliseconds timeout = 15s);
    // Top-level visible windows of the program.
    std::vector<HWND> Windows() const;
    // The first visible top-level window of the program with this caption, waiting for it.
    HWND WaitForWindow(const std::string& caption, std::chrono::milliseconds timeout = 20s) const;

private:
    PROCESS_INFORMATION FInfo = {};
};

std::string WindowText(HWND window);
std::string ClassOf(HWND window);
// Visible descendants of a window, in z-order.
std::vector<HWND> VisibleChildren(HWND parent);
// The visible descendant with this class and caption (any caption when empty); nullptr if none.
HWND FindChild(HWND parent, const std::string& className, const std::string& caption = "");
// Texts of the visible static controls in a window.
std::vector<std::string> StaticTexts(HWND parent);

// Presses a button by posting the click, so that a dialog it opens does not block the test.
void Click(HWND button);
// A key pressed and released in the window that has the keyboard focus in the program.
void PressKey(DWORD threadOf, WORD key);
// Alt and a letter: the access key marked with "&" in a caption.
void PressAccessKey(DWORD threadOf, char letter);
// The control that has the keyboard focus in the program.
HWND FocusOf(DWORD threadOf);
bool IsChecked(HWND checkBox);

// Saves the window's picture as a BMP file under the e2e screenshots folder.
void Screenshot(HWND window, const std::string& name);

// Registry helpers of the current user.
bool KeyExists(HKEY root, const std::string& key);
bool KeyHasValues(HKEY root, const std::string& key);
void DeleteKeyTree(HKEY root, const std::string& key);
void SetDwordValue(HKEY root, const std::string& key, const std::string& name, DWORD value);
// The text height of the dialog font (8-point "MS Shell Dlg 2") at the given pixels per inch.
int DialogTextHeight(int dpi);
void SetStringValue(HKEY root, const std::string& key, const std::string& name,
                    const std::string& value);
