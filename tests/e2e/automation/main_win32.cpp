// tavrexauto's Windows side: finds windows, reads them and sends them messages for the e2e tests.
// Messages that only read go through SendMessageTimeout so a hung target cannot hang a test; messages
// that may start a modal loop in the target (a click, a key, a close) are posted.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>
#include <shellapi.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/e2e/automation/request.h"

namespace {

using namespace tavrexauto;

constexpr UINT kSendTimeoutMs = 5000;

std::string Narrow(UINT codePage, const std::wstring& text) {
    if (text.empty()) return {};
    const int size =
        WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::string ToAnsi(const std::wstring& text) { return Narrow(CP_ACP, text); }

// Answers are UTF-8, whatever the system's code page: every text a window shows reaches the tests as it is.
void Write(DWORD stream, const std::wstring& text) {
    const std::string bytes = Narrow(CP_UTF8, text);
    const HANDLE handle = GetStdHandle(stream);
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written, nullptr) ||
            written == 0)
            return;
        done += written;
    }
}

void Line(const std::wstring& text) { Write(STD_OUTPUT_HANDLE, text + L"\n"); }

int Fail(const std::wstring& why) {
    Write(STD_ERROR_HANDLE, L"tavrexauto: " + why + L"\n");
    return kExitFailed;
}

std::uint32_t HandleValue(HWND window) { return static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window)); }
HWND WindowOf(std::uint32_t handle) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle)); }

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// A top-level window's title is kept by the system and read without a message; a control's text is asked
// of the control itself, which may live in another process.
std::wstring TitleOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1);
    const int got = GetWindowTextW(window, text.data(), length + 1);
    return std::wstring(text.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
}

bool ControlText(HWND control, std::wstring& text) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length)) return false;
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &got))
        return false;
    text.assign(buffer.data(), got < buffer.size() ? static_cast<std::size_t>(got) : buffer.size() - 1);
    return true;
}

struct Search {
    const WindowQuery* query;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectMatching(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    if (search.query->Matches(ClassOf(window), TitleOf(window))) search.found.push_back(window);
    return TRUE;
}

std::vector<HWND> FindTopLevel(const WindowQuery& query) {
    Search search{&query, {}};
    EnumWindows(CollectMatching, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring Describe(const WindowQuery& query) {
    if (query.handle) return L"window " + FormatHandle(*query.handle);
    return L"window of class " + (query.className ? L"\"" + *query.className + L"\"" : std::wstring(L"*")) +
           L" and title " + (query.title ? L"\"" + *query.title + L"\"" : std::wstring(L"*"));
}

HWND Resolve(const WindowQuery& query) {
    if (query.handle) return IsWindow(WindowOf(*query.handle)) ? WindowOf(*query.handle) : nullptr;
    const auto found = FindTopLevel(query);
    return found.empty() ? nullptr : found.front();
}

HWND Control(HWND window, std::int32_t id) { return GetDlgItem(window, id); }

std::wstring RectText(const RECT& r) { return FormatRect(r.left, r.top, r.right, r.bottom); }

HWND TabControlOf(HWND window);

int Wait(const Request& request) {
    const DWORD start = GetTickCount();
    for (;;) {
        for (HWND window : FindTopLevel(request.window)) {
            if (request.visible && !IsWindowVisible(window)) continue;
            if (request.tabs && !TabControlOf(window)) continue;
            Line(FormatHandle(HandleValue(window)));
            return kExitOk;
        }
        if (GetTickCount() - start >= request.timeoutMs)
            return Fail(L"no " + Describe(request.window) + L" within " + std::to_wstring(request.timeoutMs) + L" ms");
        Sleep(kPollIntervalMs);
    }
}

int Gone(const Request& request) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (!Resolve(request.window)) return kExitOk;
        if (GetTickCount() - start >= request.timeoutMs)
            return Fail(L"the " + Describe(request.window) + L" is still there after " +
                        std::to_wstring(request.timeoutMs) + L" ms");
        Sleep(kPollIntervalMs);
    }
}

int Info(HWND window) {
    RECT rect{}, client{};
    GetWindowRect(window, &rect);
    GetClientRect(window, &client);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    const LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    Line(L"class " + ClassOf(window));
    Line(L"title " + TitleOf(window));
    Line(L"rect " + RectText(rect));
    Line(L"client " + RectText(client));
    Line(L"style " + FormatHex32(static_cast<std::uint32_t>(style)));
    Line(L"exstyle " + FormatHex32(static_cast<std::uint32_t>(exStyle)));
    Line(L"visible " + std::to_wstring(IsWindowVisible(window) ? 1 : 0));
    Line(L"topmost " + std::to_wstring((exStyle & WS_EX_TOPMOST) ? 1 : 0));
    Line(L"owner " + FormatHandle(HandleValue(GetWindow(window, GW_OWNER))));
    return kExitOk;
}

struct ChildList {
    std::vector<HWND> children;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM context) {
    auto& list = *reinterpret_cast<ChildList*>(context);
    list.children.push_back(child);
    return TRUE;
}

int Children(HWND window) {
    ChildList list;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&list));
    for (HWND child : list.children) {
        std::wstring text;
        if (!ControlText(child, text))
            return Fail(L"the control " + FormatHandle(HandleValue(child)) + L" does not answer");
        RECT rect{};
        GetWindowRect(child, &rect);
        Line(std::to_wstring(GetDlgCtrlID(child)) + L" " + ClassOf(child) + L" " + QuoteText(text) + L" " +
             RectText(rect));
    }
    return kExitOk;
}

int Text(HWND window, std::int32_t id) {
    const HWND control = Control(window, id);
    if (!control) return Fail(L"no control " + std::to_wstring(id));
    std::wstring text;
    if (!ControlText(control, text)) return Fail(L"control " + std::to_wstring(id) + L" does not answer");
    Line(text);
    return kExitOk;
}

int Click(HWND window, std::int32_t id) {
    const HWND button = Control(window, id);
    if (!button) return Fail(L"no control " + std::to_wstring(id));
    if (!PostMessageW(button, BM_CLICK, 0, 0)) return Fail(L"BM_CLICK could not be posted");
    return kExitOk;
}

int Key(HWND window, const Request& request) {
    const UINT vk = static_cast<UINT>(request.value);
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    if (request.phase != KeyPhase::Up &&
        !PostMessageW(window, WM_KEYDOWN, vk, static_cast<LPARAM>(KeyMessageLParam(false, scan))))
        return Fail(L"WM_KEYDOWN could not be posted");
    if (request.phase != KeyPhase::Down &&
        !PostMessageW(window, WM_KEYUP, vk, static_cast<LPARAM>(KeyMessageLParam(true, scan))))
        return Fail(L"WM_KEYUP could not be posted");
    return kExitOk;
}

int Close(HWND window, CloseKind kind) {
    const BOOL posted = kind == CloseKind::Box ? PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0)
                                               : PostMessageW(window, WM_CLOSE, 0, 0);
    return posted ? kExitOk : Fail(L"the close message could not be posted");
}

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result = nullptr) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                               result ? result : &ignored) != 0;
}

int Slider(HWND window, std::int32_t id, std::int32_t position) {
    const HWND slider = Control(window, id);
    if (!slider) return Fail(L"no control " + std::to_wstring(id));
    if (!Send(slider, TBM_SETPOS, TRUE, position)) return Fail(L"TBM_SETPOS got no answer");
    DWORD_PTR now = 0;
    Send(slider, TBM_GETPOS, 0, 0, &now);
    // A trackbar tells its parent through the scroll message of its orientation.
    const UINT scroll = (GetWindowLongW(slider, GWL_STYLE) & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    if (!Send(GetParent(slider), scroll, MAKEWPARAM(TB_THUMBPOSITION, static_cast<WORD>(now)),
              reinterpret_cast<LPARAM>(slider)))
        return Fail(L"the slider's parent did not take the scroll message");
    Line(std::to_wstring(static_cast<std::int32_t>(now)));
    return kExitOk;
}

int Pick(HWND window, std::int32_t id, std::int32_t index) {
    const HWND combo = Control(window, id);
    if (!combo) return Fail(L"no control " + std::to_wstring(id));
    DWORD_PTR selected = 0;
    if (!Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0, &selected))
        return Fail(L"CB_SETCURSEL got no answer");
    if (static_cast<LRESULT>(selected) == CB_ERR) return Fail(L"no item " + std::to_wstring(index));
    if (!Send(GetParent(combo), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), CBN_SELCHANGE),
              reinterpret_cast<LPARAM>(combo)))
        return Fail(L"the combo box's parent did not take CBN_SELCHANGE");
    Line(std::to_wstring(index));
    return kExitOk;
}

int Items(HWND window, std::int32_t id) {
    const HWND combo = Control(window, id);
    if (!combo) return Fail(L"no control " + std::to_wstring(id));
    DWORD_PTR count = 0;
    if (!Send(combo, CB_GETCOUNT, 0, 0, &count) || static_cast<LRESULT>(count) == CB_ERR)
        return Fail(L"control " + std::to_wstring(id) + L" gave no item count");
    for (DWORD_PTR i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        if (!Send(combo, CB_GETLBTEXTLEN, i, 0, &length) || static_cast<LRESULT>(length) == CB_ERR)
            return Fail(L"item " + std::to_wstring(i) + L" has no length");
        // Across processes Wine hands back UTF-16 only for the W message.
        std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1, L'\0');
        DWORD_PTR got = 0;
        if (!SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                                 kSendTimeoutMs, &got) ||
            static_cast<LRESULT>(got) == CB_ERR)
            return Fail(L"item " + std::to_wstring(i) + L" has no text");
        Line(std::wstring(text.data(), got < text.size() ? static_cast<std::size_t>(got) : text.size() - 1));
    }
    return kExitOk;
}

BOOL CALLBACK FindTabControl(HWND child, LPARAM context) {
    if (ClassOf(child) != WC_TABCONTROLW) return TRUE;
    *reinterpret_cast<HWND*>(context) = child;
    return FALSE;
}

HWND TabControlOf(HWND window) {
    HWND tabs = nullptr;
    EnumChildWindows(window, FindTabControl, reinterpret_cast<LPARAM>(&tabs));
    return tabs;
}

// TCITEMW as a 32-bit and as a 64-bit process lays it out: the item is read in the target's memory.
struct TabItem32 {
    UINT mask;
    DWORD state, stateMask;
    std::uint32_t text;
    int textMax, image;
    std::uint32_t param;
};
struct TabItem64 {
    UINT mask;
    DWORD state, stateMask, padding;
    std::uint64_t text;
    int textMax, image;
    std::uint64_t param;
};

class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, std::size_t size)
        : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteBuffer() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    void* address() const { return address_; }

private:
    HANDLE process_;
    void* address_;
};

// The process that owns a window, opened for reading and writing its memory.
HANDLE ProcessOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION, FALSE,
                       processId);
}

int Tabs(HWND window) {
    const HWND tabs = TabControlOf(window);
    if (!tabs) return Fail(L"no tab control in " + FormatHandle(HandleValue(window)));
    DWORD_PTR count = 0, selected = 0;
    if (!Send(tabs, TCM_GETITEMCOUNT, 0, 0, &count) || !Send(tabs, TCM_GETCURSEL, 0, 0, &selected))
        return Fail(L"the tab control does not answer");
    Line(L"selected " + std::to_wstring(static_cast<std::int32_t>(selected)));
    HANDLE process = ProcessOf(tabs);
    if (!process) return Fail(L"the tab control's process cannot be opened");
    BOOL wow64 = FALSE;
    IsWow64Process(process, &wow64);
    const bool narrow = wow64 || sizeof(void*) == 4;
    constexpr int kTextMax = 128;
    int result = kExitOk;
    {
        RemoteBuffer remote(process, sizeof(TabItem64) + kTextMax * sizeof(wchar_t));
        auto* base = static_cast<char*>(remote.address());
        for (DWORD_PTR i = 0; base && i < count && result == kExitOk; ++i) {
            const std::uint64_t textAddress = reinterpret_cast<std::uintptr_t>(base + sizeof(TabItem64));
            TabItem32 item32{TCIF_TEXT, 0, 0, static_cast<std::uint32_t>(textAddress), kTextMax, 0, 0};
            TabItem64 item64{TCIF_TEXT, 0, 0, 0, textAddress, kTextMax, 0, 0};
            wchar_t text[kTextMax] = {};
            SIZE_T moved = 0;
            const bool written = narrow ? WriteProcessMemory(process, base, &item32, sizeof item32, &moved)
                                        : WriteProcessMemory(process, base, &item64, sizeof item64, &moved);
            WriteProcessMemory(process, base + sizeof(TabItem64), text, sizeof text, &moved);
            DWORD_PTR ok = 0;
            if (!written || !Send(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(base), &ok) || !ok ||
                !ReadProcessMemory(process, base + sizeof(TabItem64), text, sizeof text, &moved)) {
                result = Fail(L"tab " + std::to_wstring(i) + L" cannot be read");
                break;
            }
            text[kTextMax - 1] = L'\0';
            Line(text);
        }
        if (!base) result = Fail(L"no memory in the tab control's process");
    }
    CloseHandle(process);
    return result;
}

// Only the common controls 6.0 know BCM_GETIDEALSIZE; 5.x answers 0 and leaves the size alone. The size is
// written in the button's process, since the message carries the pointer as it is.
int IdealSize(HWND window, std::int32_t id) {
    const HWND button = Control(window, id);
    if (!button) return Fail(L"no control " + std::to_wstring(id));
    HANDLE process = ProcessOf(button);
    if (!process) return Fail(L"the button's process cannot be opened");
    int result = kExitOk;
    {
        RemoteBuffer remote(process, sizeof(SIZE));
        SIZE size{};
        SIZE_T moved = 0;
        DWORD_PTR answered = 0;
        if (!remote.address() || !WriteProcessMemory(process, remote.address(), &size, sizeof size, &moved))
            result = Fail(L"no memory in the button's process");
        else if (!Send(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(remote.address()), &answered))
            result = Fail(L"BCM_GETIDEALSIZE got no answer");
        else if (answered && !ReadProcessMemory(process, remote.address(), &size, sizeof size, &moved))
            result = Fail(L"the ideal size cannot be read");
        else
            Line(answered ? std::to_wstring(size.cx) + L" " + std::to_wstring(size.cy) : L"0 0");
    }
    CloseHandle(process);
    return result;
}

int Page(HWND window, std::int32_t index) {
    const HWND tabs = TabControlOf(window);
    if (!tabs) return Fail(L"no tab control in " + FormatHandle(HandleValue(window)));
    const HWND sheet = GetParent(tabs);
    DWORD_PTR done = 0, page = 0;
    // The change is synchronous: it returns once a first-shown page has initialised, so its time is the
    // page's start-up time as the user waits for it.
    LARGE_INTEGER frequency{}, before{}, after{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&before);
    if (!Send(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0, &done) || !done)
        return Fail(L"the sheet did not change to tab " + std::to_wstring(index));
    QueryPerformanceCounter(&after);
    if (!Send(sheet, PSM_GETCURRENTPAGEHWND, 0, 0, &page) || !page) return Fail(L"the sheet shows no page");
    Line(FormatHandle(HandleValue(reinterpret_cast<HWND>(page))));
    const long long micros = frequency.QuadPart ? (after.QuadPart - before.QuadPart) * 1000000 / frequency.QuadPart : 0;
    Line(L"took " + std::to_wstring(micros) + L" us");
    return kExitOk;
}

int State(HWND window, std::int32_t id) {
    const HWND control = Control(window, id);
    if (!control) return Fail(L"no control " + std::to_wstring(id));
    const std::wstring kind = ClassOf(control);
    DWORD_PTR value = 0;
    Line(L"enabled " + std::to_wstring(IsWindowEnabled(control) ? 1 : 0));
    Line(L"visible " + std::to_wstring(IsWindowVisible(control) ? 1 : 0));
    if (kind == L"Button" && Send(control, BM_GETCHECK, 0, 0, &value)) Line(L"checked " + std::to_wstring(value));
    if (kind == L"ComboBox" && Send(control, CB_GETCURSEL, 0, 0, &value))
        Line(L"selected " + std::to_wstring(static_cast<std::int32_t>(value)));
    if (kind == L"Static" && Send(control, STM_GETICON, 0, 0, &value)) Line(L"icon " + std::to_wstring(value ? 1 : 0));
    if (kind == TRACKBAR_CLASSW && Send(control, TBM_GETPOS, 0, 0, &value))
        Line(L"pos " + std::to_wstring(static_cast<std::int32_t>(value)));
    return kExitOk;
}

BOOL CALLBACK PrintTopLevel(HWND window, LPARAM) {
    Line(FormatHandle(HandleValue(window)) + L" " + ClassOf(window) + L" " + QuoteText(TitleOf(window)) + L" " +
         (IsWindowVisible(window) ? L"visible" : L"hidden"));
    return TRUE;
}

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    Line(std::wstring(info.szDevice) + L" " + RectText(info.rcMonitor) + L" " +
         ((info.dwFlags & MONITORINFOF_PRIMARY) ? L"1" : L"0"));
    return TRUE;
}

// What Explorer shows on a file's Details tab: the fixed versions, then the strings of the first translation.
int Version(const std::wstring& file) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    std::vector<BYTE> data(size);
    if (size == 0 || !GetFileVersionInfoW(file.c_str(), 0, size, data.data())) return Fail(L"no version resource");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed)
        return Fail(L"no fixed version information");
    auto dotted = [](DWORD high, DWORD low) {
        return std::to_wstring(HIWORD(high)) + L"." + std::to_wstring(LOWORD(high)) + L"." +
               std::to_wstring(HIWORD(low)) + L"." + std::to_wstring(LOWORD(low));
    };
    Line(L"fileversion " + dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS));
    Line(L"productversion " + dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS));
    WORD* translation = nullptr;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
        length < 2 * sizeof(WORD))
        return Fail(L"no translation");
    Line(L"translation " + std::to_wstring(translation[0]) + L" " + std::to_wstring(translation[1]));
    // The string block is named by the translation: language and code page, four lower-case hex digits each.
    std::wstring block = L"\\StringFileInfo\\";
    for (const WORD part : {translation[0], translation[1]})
        for (int shift = 12; shift >= 0; shift -= 4) block += L"0123456789abcdef"[(part >> shift) & 0xF];
    block += L"\\";
    for (const wchar_t* name : {L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName",
                                L"OriginalFilename", L"ProductName", L"ProductVersion"}) {
        wchar_t* value = nullptr;
        if (VerQueryValueW(data.data(), (block + name).c_str(), reinterpret_cast<void**>(&value), &length) && value)
            Line(std::wstring(name) + L" " + value);
    }
    return kExitOk;
}

// The bytes of the text alone: reg.exe always stores the terminator, as other programs need not. The system
// counts a zero right after the bytes given as the terminator someone forgot; a byte that is not zero there
// keeps it out.
int RawText(const Request& request) {
    HKEY key = nullptr;
    const std::string path = ToAnsi(request.keyPath), name = ToAnsi(request.valueName);
    const std::string text = ToAnsi(request.text) + "!";
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return Fail(L"the key cannot be opened");
    const LONG stored = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                                       static_cast<DWORD>(text.size() - 1));
    RegCloseKey(key);
    return stored == ERROR_SUCCESS ? kExitOk : Fail(L"the value cannot be stored");
}

// Another program's hold on a port, as a terminal program keeps one.
int Hold(const Request& request) {
    HANDLE file = CreateFileW(request.keyPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Fail(L"cannot open " + request.keyPath);
    Line(L"held");
    Sleep(request.timeoutMs);
    CloseHandle(file);
    return kExitOk;
}

int Execute(const Request& request) {
    switch (request.verb) {
        case Verb::RawText: return RawText(request);
        case Verb::Hold: return Hold(request);
        case Verb::Wait: return Wait(request);
        case Verb::Gone: return Gone(request);
        case Verb::Foreground: Line(FormatHandle(HandleValue(GetForegroundWindow()))); return kExitOk;
        case Verb::ZOrder: EnumWindows(PrintTopLevel, 0); return kExitOk;
        case Verb::DoubleClickTime: Line(std::to_wstring(GetDoubleClickTime())); return kExitOk;
        case Verb::Version: return Version(request.file);
        case Verb::Monitors:
            return EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0) ? kExitOk
                                                                          : Fail(L"EnumDisplayMonitors failed");
        default: break;
    }
    const HWND window = Resolve(request.window);
    if (!window) return Fail(L"no " + Describe(request.window));
    switch (request.verb) {
        case Verb::Info: return Info(window);
        case Verb::Children: return Children(window);
        case Verb::Text: return Text(window, request.controlId);
        case Verb::Click: return Click(window, request.controlId);
        case Verb::Key: return Key(window, request);
        case Verb::Close: return Close(window, request.close);
        case Verb::Slider: return Slider(window, request.controlId, request.value);
        case Verb::Pick: return Pick(window, request.controlId, request.value);
        case Verb::Items: return Items(window, request.controlId);
        case Verb::Tabs: return Tabs(window);
        case Verb::Page: return Page(window, request.value);
        case Verb::State: return State(window, request.controlId);
        case Verb::IdealSize: return IdealSize(window, request.controlId);
        default: return Fail(L"unhandled command");
    }
}

}  // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return Fail(L"the command line cannot be read");
    std::vector<std::wstring> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);

    const ParseOutcome parsed = ParseRequest(args);
    if (!parsed.request) {
        Write(STD_ERROR_HANDLE, L"tavrexauto: " + parsed.error + L"\n" + kUsage);
        return kExitUsage;
    }
    return Execute(*parsed.request);
}
