// cplhost: a Control Panel host for the e2e tests. It loads a .cpl and sends what the Windows
// Control Panel sends (CPL_INIT, CPL_GETCOUNT, CPL_INQUIRE, CPL_NEWINQUIRE, then on request
// CPL_DBLCLK with its own window as the Control Panel window, CPL_STOP, CPL_EXIT), and prints every
// answer on one line each, texts as hex so that no code page gets in the way: the bytes of a narrow record's
// texts, the UTF-16LE bytes of a wide one's.
//
//   cplhost FILE.cpl inquire      the item's answers only
//   cplhost FILE.cpl open         ... and one double click
//   cplhost FILE.cpl open N       ... N double clicks in a row
//   cplhost FILE.cpl time         one double click, printing the milliseconds until an OK button of
//                                 a dialog owned by the host is visible
//   cplhost - bare                the same measure for a bare modal property sheet of six empty pages
#include <windows.h>

#include <commctrl.h>
#include <cpl.h>
#include <prsht.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace {

using Applet = LONG(APIENTRY*)(HWND, UINT, LPARAM, LPARAM);

void PrintHex(const char* label, const char* text, std::size_t capacity) {
    std::printf("%s=", label);
    for (std::size_t i = 0; i < capacity && text[i]; ++i) std::printf("%02X", static_cast<unsigned char>(text[i]));
    std::printf("\n");
}

bool Terminated(const char* text, std::size_t capacity) { return std::memchr(text, 0, capacity) != nullptr; }

// A terminated UTF-16 field as the hex of its UTF-16LE bytes; nothing when it has no terminator.
void PrintWide(const char* label, const WCHAR* text, std::size_t capacity) {
    std::size_t length = 0;
    while (length < capacity && text[length]) ++length;
    if (length == capacity) return;
    std::printf("%s=", label);
    for (std::size_t i = 0; i < length; ++i) std::printf("%02X%02X", text[i] & 0xFF, text[i] >> 8);
    std::printf("\n");
}

HWND CreateHostWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TavrexCplHost";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "Control Panel host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320, 120,
                           nullptr, nullptr, wc.hInstance, nullptr);
}

// Watches, from a thread of its own, for the first visible dialog owned by the host with a visible
// OK button, and notes how long after the start that was.
struct OkWatch {
    HWND host = nullptr;
    LARGE_INTEGER start{};
    double elapsedMs = -1;
};

BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM context) {
    auto& watch = *reinterpret_cast<OkWatch*>(context);
    if (GetWindow(window, GW_OWNER) != watch.host || !IsWindowVisible(window)) return TRUE;
    const HWND ok = GetDlgItem(window, IDOK);
    if (!ok || !IsWindowVisible(ok)) return TRUE;
    LARGE_INTEGER now{}, frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    watch.elapsedMs =
        1000.0 * static_cast<double>(now.QuadPart - watch.start.QuadPart) / static_cast<double>(frequency.QuadPart);
    return FALSE;
}

DWORD WINAPI WatchForOk(LPVOID context) {
    auto& watch = *static_cast<OkWatch*>(context);
    for (int i = 0; i < 60000 && watch.elapsedMs < 0; ++i) {
        EnumWindows(FindOwnedDialog, reinterpret_cast<LPARAM>(&watch));
        if (watch.elapsedMs < 0) Sleep(1);
    }
    return 0;
}

HANDLE StartWatch(OkWatch& watch, HWND host) {
    watch.host = host;
    QueryPerformanceCounter(&watch.start);
    return CreateThread(nullptr, 0, WatchForOk, &watch, 0, nullptr);
}

void ReportWatch(OkWatch& watch, HANDLE thread) {
    if (thread) {
        WaitForSingleObject(thread, 60000);
        CloseHandle(thread);
    }
    std::printf("visible_ms=%.1f\n", watch.elapsedMs);
}

// An empty page template: a child dialog with a caption, no controls.
struct EmptyPage {
    DLGTEMPLATE header;
    WORD menu, windowClass;
    WCHAR title[8];
};

INT_PTR CALLBACK EmptyPageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

int RunBareSheet() {
    HWND host = CreateHostWindow();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    static EmptyPage templates[6];
    PROPSHEETPAGEA pages[6] = {};
    for (int i = 0; i < 6; ++i) {
        EmptyPage& page = templates[i];
        page.header.style = WS_CHILD | WS_CAPTION | DS_CONTROL;
        page.header.cx = 239;
        page.header.cy = 159;
        const WCHAR title[] = {L'P', L'a', L'g', L'e', static_cast<WCHAR>(L'1' + i), 0};
        std::memcpy(page.title, title, sizeof title);
        pages[i].dwSize = sizeof pages[i];
        pages[i].dwFlags = PSP_DLGINDIRECT;
        pages[i].pResource = &page.header;
        pages[i].pfnDlgProc = EmptyPageProc;
    }
    PROPSHEETHEADERA sheet{};
    sheet.dwSize = sizeof sheet;
    sheet.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    sheet.hwndParent = host;
    sheet.pszCaption = "bare";
    sheet.nPages = 6;
    sheet.ppsp = pages;
    OkWatch watch;
    HANDLE thread = StartWatch(watch, host);
    std::printf("sheet=%ld\n", static_cast<long>(PropertySheetA(&sheet)));
    ReportWatch(watch, thread);
    DestroyWindow(host);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 3) {
        std::fprintf(stderr, "usage: cplhost FILE.cpl inquire|open [COUNT]\n");
        return 2;
    }
    if (std::strcmp(argv[2], "bare") == 0) return RunBareSheet();
    const bool timed = std::strcmp(argv[2], "time") == 0;
    const bool open = timed || std::strcmp(argv[2], "open") == 0;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 1;

    HMODULE module = LoadLibraryA(argv[1]);
    if (!module) {
        std::printf("load=failed error=%lu\n", GetLastError());
        return 1;
    }
    auto applet = reinterpret_cast<Applet>(reinterpret_cast<void*>(GetProcAddress(module, "CPlApplet")));
    if (!applet) {
        std::printf("export=missing\n");
        return 1;
    }
    HWND host = CreateHostWindow();
    std::printf("host=0x%08lX\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(host)));

    std::printf("init=%ld\n", applet(host, CPL_INIT, 0, 0));
    std::printf("count=%ld\n", applet(host, CPL_GETCOUNT, 0, 0));

    CPLINFO old;
    std::memset(&old, 0xA5, sizeof old);
    CPLINFO untouched = old;
    std::printf("inquire=%ld untouched=%d\n", applet(host, CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&old)),
                std::memcmp(&old, &untouched, sizeof old) == 0 ? 1 : 0);

    // Room for the wide record, as Windows' Control Panel gives it; the size the applet writes says which
    // record it filled.
    union {
        NEWCPLINFOA narrow;
        NEWCPLINFOW wide;
    } record;
    std::memset(&record, 0xA5, sizeof record);
    const LONG inquired = applet(host, CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&record));
    const bool wide = record.wide.dwSize == sizeof(NEWCPLINFOW);
    const NEWCPLINFOW& info = record.wide;  // the fields before the texts lie alike in both
    std::printf("newinquire=%ld size=%lu record=%u kind=%s flags=%lu help=%lu data=%lu icon=%d\n", inquired,
                static_cast<unsigned long>(info.dwSize), static_cast<unsigned>(sizeof(NEWCPLINFOW)), wide ? "W" : "A",
                static_cast<unsigned long>(info.dwFlags), static_cast<unsigned long>(info.dwHelpContext),
                static_cast<unsigned long>(info.lData), info.hIcon ? 1 : 0);
    if (wide) {
        PrintWide("name", info.szName, std::size(info.szName));
        PrintWide("info", info.szInfo, std::size(info.szInfo));
        PrintWide("helpfile", info.szHelpFile, std::size(info.szHelpFile));
    } else {
        const NEWCPLINFOA& narrow = record.narrow;
        if (Terminated(narrow.szName, sizeof narrow.szName)) PrintHex("name", narrow.szName, sizeof narrow.szName);
        if (Terminated(narrow.szInfo, sizeof narrow.szInfo)) PrintHex("info", narrow.szInfo, sizeof narrow.szInfo);
        if (Terminated(narrow.szHelpFile, sizeof narrow.szHelpFile))
            PrintHex("helpfile", narrow.szHelpFile, sizeof narrow.szHelpFile);
    }
    if (info.hIcon) {
        ICONINFO icon{};
        if (GetIconInfo(info.hIcon, &icon)) {
            BITMAP bitmap{};
            GetObjectA(icon.hbmColor ? icon.hbmColor : icon.hbmMask, sizeof bitmap, &bitmap);
            std::printf("iconsize=%ldx%ld\n", bitmap.bmWidth, bitmap.bmHeight);
            if (icon.hbmColor) DeleteObject(icon.hbmColor);
            if (icon.hbmMask) DeleteObject(icon.hbmMask);
        }
    }

    for (int run = 0; open && run < runs; ++run) {
        OkWatch watch;
        HANDLE thread = timed ? StartWatch(watch, host) : nullptr;
        std::printf("dblclk=%ld\n", applet(host, CPL_DBLCLK, 0, info.lData));
        if (timed) ReportWatch(watch, thread);
    }
    std::printf("stop=%ld\n", applet(host, CPL_STOP, 0, info.lData));
    std::printf("exit=%ld\n", applet(host, CPL_EXIT, 0, 0));
    DestroyWindow(host);
    FreeLibrary(module);
    std::printf("done\n");
    return 0;
}
