// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Reads the alarm clock's windows back through the Win32 API for the
// end-to-end tests under Wine. It runs beside the program in the same Wine
// desktop and answers one line of JSON for each command read from stdin:
//   state      the main window, its controls, the ringing boxes, the
//              foreground window, the taskbar's buttons and the tray's icons
//   broadcast  sends the registered "TaskbarCreated" to every top-level
//              window, as a shell does when it has started again
//   caption H where the minimize box and the close box of window H are
//   forget H  takes away the icon (identifier 1) of window H, as a shell
//              that ends takes its icons with it
//   notify    the Shell_NotifyIcon calls made since the last "notify"
//   post H M W L  posts message M (wParam W, lParam L) to window H
//   tick H K  with the thread of window H held, posts the key K (down and
//              up) to its focus, then sends H a tick of its pulse timer
//              (identifier 1): the tick runs first, with the key queued
//   quit
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace {

const char* const kTitle = "Alarm Clock";

std::string utf8(const wchar_t* text)
{
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

// The text the system keeps for the window: read without a message, so that
// a program busy in a synchronous play does not hold the probe up.
std::string textOf(HWND window)
{
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 511);
    return utf8(buffer);
}

std::string classOf(HWND window)
{
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, 255);
    return utf8(buffer);
}

std::string rectOf(HWND window)
{
    RECT r {};
    GetWindowRect(window, &r);
    char out[96];
    std::snprintf(out, sizeof out, "[%ld,%ld,%ld,%ld]", r.left, r.top, r.right, r.bottom);
    return out;
}

std::string flag(bool value) { return value ? "true" : "false"; }

std::string number(unsigned long long value) { return std::to_string(value); }

std::vector<HWND> childrenOf(HWND parent)
{
    std::vector<HWND> found;
    EnumChildWindows(parent, [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<HWND> topLevelWindows()
{
    std::vector<HWND> found;
    EnumWindows([](HWND window, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Buffers in another process: DTM_GETSYSTEMTIME and the tooltip messages
// write through pointers that must be valid in the process that answers them.
class RemoteBuffer {
public:
    RemoteBuffer(HWND owner, SIZE_T size)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(owner, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_)
            address_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteBuffer()
    {
        if (address_)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_)
            CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    char* address() const { return address_; }
    bool read(SIZE_T offset, void* to, SIZE_T size) const
    {
        SIZE_T done = 0;
        return address_ && ReadProcessMemory(process_, address_ + offset, to, size, &done) && done == size;
    }
    bool write(SIZE_T offset, const void* from, SIZE_T size) const
    {
        SIZE_T done = 0;
        return address_ && WriteProcessMemory(process_, address_ + offset, from, size, &done) && done == size;
    }

private:
    HANDLE process_ = nullptr;
    char* address_ = nullptr;
};

LRESULT sendTo(HWND window, UINT message, WPARAM wParam, const void* lParam, bool* answered = nullptr)
{
    DWORD_PTR result = 0;
    bool ok = SendMessageTimeoutW(window, message, wParam, reinterpret_cast<LPARAM>(lParam),
                                  SMTO_ABORTIFHUNG, 500, &result);
    if (answered)
        *answered = ok;
    return ok ? LRESULT(result) : 0;
}

std::string pickerTime(HWND picker)
{
    RemoteBuffer buffer(picker, sizeof(SYSTEMTIME));
    SYSTEMTIME time {};
    bool answered = false;
    if (!buffer.address() || sendTo(picker, DTM_GETSYSTEMTIME, 0, buffer.address(), &answered) != GDT_VALID
        || !answered || !buffer.read(0, &time, sizeof time))
        return "null";
    char text[40];
    std::snprintf(text, sizeof text, "\"%04u-%02u-%02u %02u:%02u:%02u\"", time.wYear, time.wMonth,
                  time.wDay, time.wHour, time.wMinute, time.wSecond);
    return text;
}

// Wine's taskbar draws the notification icons itself; each icon has a
// tooltip of its own whose one tool covers the icon and holds its tip.
std::string trayIcons(HWND tray)
{
    std::string icons;
    for (HWND window : topLevelWindows()) {
        if (classOf(window) != "tooltips_class32" || GetWindow(window, GW_OWNER) != tray)
            continue;
        const SIZE_T textSize = 128 * sizeof(wchar_t);
        RemoteBuffer buffer(window, sizeof(TTTOOLINFOW) + textSize);
        LRESULT count = sendTo(window, TTM_GETTOOLCOUNT, 0, nullptr);
        for (LRESULT i = 0; i < count; ++i) {
            TTTOOLINFOW tool {};
            tool.cbSize = sizeof tool;
            tool.lpszText = reinterpret_cast<wchar_t*>(buffer.address() + sizeof tool);
            wchar_t tip[128] = {};
            if (!buffer.write(0, &tool, sizeof tool) || !buffer.write(sizeof tool, tip, textSize)
                || !sendTo(window, TTM_ENUMTOOLSW, WPARAM(i), buffer.address())
                || !buffer.read(0, &tool, sizeof tool) || !buffer.read(sizeof tool, tip, textSize))
                continue;
            tip[127] = 0;
            MapWindowPoints(tool.hwnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&tool.rect), 2);
            char rect[96];
            std::snprintf(rect, sizeof rect, "[%ld,%ld,%ld,%ld]", tool.rect.left, tool.rect.top,
                          tool.rect.right, tool.rect.bottom);
            icons += std::string(icons.empty() ? "" : ",") + "{\"tip\":" + quoted(utf8(tip)) +
                ",\"rect\":" + rect + "}";
        }
    }
    return icons;
}

std::string controlJson(HWND control)
{
    std::string cls = classOf(control);
    std::string out = "{\"hwnd\":" + number(reinterpret_cast<UINT_PTR>(control)) +
        ",\"class\":" + quoted(cls) + ",\"text\":" + quoted(textOf(control)) +
        ",\"id\":" + number(GetDlgCtrlID(control)) +
        ",\"enabled\":" + flag(IsWindowEnabled(control)) +
        ",\"prev\":" + number(reinterpret_cast<UINT_PTR>(GetWindow(control, GW_HWNDPREV))) +
        ",\"visible\":" + flag(IsWindowVisible(control)) + ",\"rect\":" + rectOf(control);
    if (cls == "SysDateTimePick32")
        out += ",\"value\":" + pickerTime(control);
    return out + "}";
}

GUITHREADINFO threadOf(HWND window)
{
    GUITHREADINFO info {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

std::string focusOf(HWND window)
{
    const HWND focus = threadOf(window).hwndFocus;
    return focus ? number(reinterpret_cast<UINT_PTR>(focus)) : "null";
}

// Where the title bar's minimize box and close box are, found as the window
// itself answers WM_NCHITTEST along the middle of its caption.
std::string captionBoxes(HWND window)
{
    RECT outer {}, client {};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    int y = (outer.top + client.top) / 2;
    auto middleOf = [&](LRESULT area) {
        int first = -1, last = -1;
        for (int x = outer.left; x < outer.right; ++x) {
            if (sendTo(window, WM_NCHITTEST, 0, reinterpret_cast<void*>(MAKELPARAM(x, y))) == area) {
                first = first < 0 ? x : first;
                last = x;
            }
        }
        return first < 0 ? std::string("null")
                         : "[" + std::to_string((first + last) / 2) + "," + std::to_string(y) + "]";
    };
    std::string minimize = middleOf(HTMINBUTTON), close = middleOf(HTCLOSE);
    return "\"closebox\":" + close + ",\"minbox\":" + minimize;
}

std::string windowJson(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    std::string controls;
    for (HWND child : childrenOf(window))
        controls += (controls.empty() ? "" : ",") + controlJson(child);
    RECT client {};
    GetClientRect(window, &client);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    char clientRect[96];
    std::snprintf(clientRect, sizeof clientRect, "[%ld,%ld,%ld,%ld]", client.left, client.top,
                  client.right, client.bottom);
    return "{\"hwnd\":" + number(reinterpret_cast<UINT_PTR>(window)) + ",\"pid\":" + number(pid) +
        ",\"class\":" + quoted(classOf(window)) + ",\"title\":" + quoted(textOf(window)) +
        ",\"visible\":" + flag(IsWindowVisible(window)) + ",\"iconic\":" + flag(IsIconic(window)) +
        ",\"enabled\":" + flag(IsWindowEnabled(window)) +
        ",\"style\":" + number(GetWindowLongW(window, GWL_STYLE) & 0xffffffffu) +
        ",\"exstyle\":" + number(GetWindowLongW(window, GWL_EXSTYLE) & 0xffffffffu) +
        ",\"rect\":" + rectOf(window) + ",\"client\":" + clientRect +
        ",\"focus\":" + focusOf(window) + ",\"threadflags\":" + number(threadOf(window).flags) +
        ",\"controls\":[" + controls + "]}";
}

// Stands in front of Wine's notification area: Shell_NotifyIcon sends its
// call to the first window of the class "Shell_TrayWnd", which is this one
// (kept topmost), and each call is noted before it goes on to the taskbar.
namespace notifySpy {

std::mutex mutex;
std::string calls;
HWND window;

HWND taskbar()
{
    HWND found = nullptr;
    while ((found = FindWindowExW(nullptr, found, L"Shell_TrayWnd", nullptr)) == window && found) { }
    return found;
}

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_COPYDATA)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    // Wine's record of the call starts as NOTIFYICONDATA does: the window
    // (32 bits), the identifier, the flags and the callback message.
    if (data && data->cbData >= 16) {
        UINT fields[4];
        std::memcpy(fields, data->lpData, sizeof fields);
        std::lock_guard<std::mutex> lock(mutex);
        calls += (calls.empty() ? "" : ",") + std::string("{\"message\":") + number(data->dwData) +
            ",\"hwnd\":" + number(fields[0]) + ",\"id\":" + number(fields[1]) +
            ",\"flags\":" + number(fields[2]) + ",\"callback\":" + number(fields[3]) + "}";
    }
    DWORD_PTR result = 0;
    SendMessageTimeoutW(taskbar(), WM_COPYDATA, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return LRESULT(result);
}

DWORD WINAPI run(void* ready)
{
    WNDCLASSW windowClass {};
    windowClass.lpfnWndProc = procedure;
    windowClass.lpszClassName = L"Shell_TrayWnd";
    RegisterClassW(&windowClass);
    window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Shell_TrayWnd", nullptr, WS_POPUP,
                             0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    SetEvent(ready);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}

void start()
{
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    CloseHandle(CreateThread(nullptr, 0, run, ready, 0, nullptr));
    WaitForSingleObject(ready, 5000);
    CloseHandle(ready);
}

std::string take()
{
    std::lock_guard<std::mutex> lock(mutex);
    std::string taken = "{\"calls\":[" + calls + "],\"first\":" +
        flag(FindWindowExW(nullptr, nullptr, L"Shell_TrayWnd", nullptr) == window) + "}";
    calls.clear();
    return taken;
}

} // namespace notifySpy

// Wine's shell: its taskbar holds a button per shown top-level window (the
// button's id is that window's handle) and a window per notification icon.
std::string shellJson()
{
    HWND tray = notifySpy::taskbar();
    std::string buttons, icons;
    if (tray) {
        for (HWND child : childrenOf(tray)) {
            std::string cls = classOf(child);
            auto owner = reinterpret_cast<HWND>(GetWindowLongPtrW(child, GWLP_ID));
            if (cls == "Button" && owner && IsWindowVisible(child))
                buttons += (buttons.empty() ? "" : ",") + quoted(textOf(owner));
        }
    }
    if (tray)
        icons = trayIcons(tray);
    return "\"shell\":" + flag(tray != nullptr) + ",\"taskbar\":[" + buttons + "],\"icons\":[" + icons + "]";
}

std::string state()
{
    std::string mains, boxes, menus;
    for (HWND window : topLevelWindows()) {
        std::string cls = classOf(window);
        if (cls == "#32768" && IsWindowVisible(window))
            menus += (menus.empty() ? "" : ",") + rectOf(window);
        if (textOf(window) != kTitle)
            continue;
        std::string& list = cls == "#32770" ? boxes : mains;
        list += (list.empty() ? "" : ",") + windowJson(window);
    }
    HWND foreground = GetForegroundWindow();
    std::string foregroundJson = foreground
        ? "{\"hwnd\":" + number(reinterpret_cast<UINT_PTR>(foreground)) + ",\"class\":" +
            quoted(classOf(foreground)) + ",\"title\":" + quoted(textOf(foreground)) + "}"
        : "null";
    return "{\"mains\":[" + mains + "],\"boxes\":[" + boxes + "],\"menus\":[" + menus +
        "],\"foreground\":" + foregroundJson + "," + shellJson() + "}";
}

// A sent message is handled before posted ones: once the thread runs again
// its tick comes first, and the key waits in its queue meanwhile.
bool tickWithKeyQueued(HWND window, UINT key)
{
    const GUITHREADINFO info = threadOf(window);
    const HWND target = info.hwndFocus ? info.hwndFocus : info.hwndActive;
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(window, nullptr));
    if (!thread || SuspendThread(thread) == DWORD(-1))
        return false;
    const LPARAM scan = LPARAM(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    bool ok = PostMessageW(target, WM_KEYDOWN, key, scan | 1)
        && PostMessageW(target, WM_KEYUP, key, scan | 0xC0000001) && SendNotifyMessageW(window, WM_TIMER, 1, 0);
    ResumeThread(thread);
    CloseHandle(thread);
    return ok;
}

}

int main()
{
    notifySpy::start();
    char line[256];
    while (std::fgets(line, sizeof line, stdin)) {
        std::string command(line);
        while (!command.empty() && (command.back() == '\n' || command.back() == '\r'))
            command.pop_back();
        if (command == "quit")
            break;
        if (command == "state") {
            std::puts(state().c_str());
        } else if (command == "broadcast") {
            DWORD_PTR ignored = 0;
            UINT message = RegisterWindowMessageW(L"TaskbarCreated");
            SendMessageTimeoutW(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
            std::puts("{\"ok\":true}");
        } else if (command == "notify") {
            std::puts(notifySpy::take().c_str());
        } else if (command.rfind("caption ", 0) == 0) {
            std::puts(("{" + captionBoxes(reinterpret_cast<HWND>(std::stoull(command.substr(8)))) + "}").c_str());
        } else if (command.rfind("post ", 0) == 0) {
            unsigned long long window = 0, message = 0, wParam = 0, lParam = 0;
            std::sscanf(command.c_str() + 5, "%llu %llu %llu %llu", &window, &message, &wParam, &lParam);
            bool ok = PostMessageW(reinterpret_cast<HWND>(window), UINT(message), WPARAM(wParam), LPARAM(lParam));
            std::puts(ok ? "{\"ok\":true}" : "{\"ok\":false}");
        } else if (command.rfind("tick ", 0) == 0) {
            unsigned long long window = 0, key = 0;
            std::sscanf(command.c_str() + 5, "%llu %llu", &window, &key);
            std::puts(tickWithKeyQueued(reinterpret_cast<HWND>(window), UINT(key)) ? "{\"ok\":true}" : "{\"ok\":false}");
        } else if (command.rfind("forget ", 0) == 0) {
            NOTIFYICONDATAW icon {};
            icon.cbSize = sizeof icon;
            icon.hWnd = reinterpret_cast<HWND>(std::stoull(command.substr(7)));
            icon.uID = 1;
            std::puts(Shell_NotifyIconW(NIM_DELETE, &icon) ? "{\"ok\":true}" : "{\"ok\":false}");
        } else {
            std::puts(("{\"error\":" + quoted("unknown command " + command) + "}").c_str());
        }
        std::fflush(stdout);
    }
    return 0;
}
