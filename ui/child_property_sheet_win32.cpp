#include "ui/child_property_sheet_win32.h"

#include <commctrl.h>
#include <prsht.h>

#include <array>

#include "ui/controls_win32.h"
#include "ui/sheet_geometry.h"
#include "ui/sheet_template.h"
#include "ui/template_font.h"
#include "ui/window_win32.h"

namespace ui {

struct ChildPropertySheet::PageHost {
    explicit PageHost(Page& logic) : page(logic) {}
    Page& page;
    std::unique_ptr<DialogControls> controls;
    // The page's template in the sheet's font, read by the sheet whenever it creates the page's window.
    TemplateBytes sheetFontTemplate;
};

namespace {
constexpr int kApplyNowId = 0x3021;
constexpr int kSheetButtons[] = {IDOK, IDCANCEL, IDHELP, kApplyNowId};

// RT_DIALOG as the wide resource functions take it.
const LPCWSTR kDialogResource = MAKEINTRESOURCEW(5);

// The system's own property sheet template, which the sheet hands to its callback as a copy of this size.
constexpr int kSystemSheetTemplateId = 1006;
std::size_t systemSheetTemplateSize = 0;

// The template is read from the common controls that PropertySheetW runs from: by name, a process may hold
// more than one (5.x for its host, 6.0 for the activation context in force), and the name may find neither.
std::size_t findSystemSheetTemplateSize() {
    HMODULE controls = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&PropertySheetW), &controls);
    HRSRC found =
        controls ? FindResourceW(controls, MAKEINTRESOURCEW(kSystemSheetTemplateId), kDialogResource) : nullptr;
    return found ? SizeofResource(controls, found) : 0;
}

// The page's template from the module, in the sheet's font; empty when it cannot be found or read.
TemplateBytes templateInSheetFont(HINSTANCE instance, int templateId) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(templateId), kDialogResource);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const auto* bytes = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
    if (!bytes) return {};
    auto copy = withFont({bytes, SizeofResource(instance, found)}, kPropertySheetFont);
    return copy ? *copy : TemplateBytes{};
}

// A control's notification names the control in lParam; a menu's or an accelerator's names none.
bool fromOwnControl(HWND page, LPARAM lParam) {
    return lParam != 0 && GetParent(reinterpret_cast<HWND>(lParam)) == page;
}

// Page notifications in the page's portable terms. Results go back the way the sheet reads them.
INT_PTR handlePage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, ChildPropertySheet::PageHost& host) {
    switch (message) {
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom != GetParent(window)) return FALSE;  // only the sheet's own
            if (header->code == static_cast<UINT>(PSN_SETACTIVE)) {
                host.page.activate();
                SetWindowLongPtrW(window, DWLP_MSGRESULT, 0);  // accept the activation
                return TRUE;
            }
            if (header->code == static_cast<UINT>(PSN_KILLACTIVE)) {
                const bool mayLeave = host.page.deactivate();
                SetWindowLongPtrW(window, DWLP_MSGRESULT, mayLeave ? FALSE : TRUE);
                return TRUE;
            }
            return FALSE;
        }
        case WM_HSCROLL:
            // Only a trackbar's notifications carry a control; a page's own scroll bar has none.
            if (fromOwnControl(window, lParam)) host.page.onScroll(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
            return FALSE;  // the default handling follows
        case WM_COMMAND:
            if (fromOwnControl(window, lParam)) host.page.onCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_DESTROY:
            host.page.detach();
            host.controls.reset();
            return FALSE;
        default: return FALSE;
    }
}
}  // namespace

ChildPropertySheet::ChildPropertySheet(HINSTANCE instance) : instance_(instance) {}

ChildPropertySheet::~ChildPropertySheet() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

void ChildPropertySheet::addPage(Page& page) { pages_.push_back(std::make_unique<PageHost>(page)); }

bool ChildPropertySheet::create(HWND parent) {
    initCommonControls();
    std::array<PROPSHEETPAGEW, kPageCapacity> sheets{};
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        PROPSHEETPAGEW& sheetPage = sheets[i];
        PageHost& host = *pages_[i];
        sheetPage.dwSize = sizeof sheetPage;
        sheetPage.dwFlags = PSP_DEFAULT;
        sheetPage.hInstance = instance_;
        // Pages lay out in the sheet's font, as the sheet sizes itself by; the page's own template serves
        // when no copy can be made. A copy made once stays for any window that still reads it.
        if (host.sheetFontTemplate.empty())
            host.sheetFontTemplate = templateInSheetFont(instance_, host.page.templateId());
        if (!host.sheetFontTemplate.empty()) {
            sheetPage.dwFlags |= PSP_DLGINDIRECT;
            sheetPage.pResource = reinterpret_cast<PROPSHEETPAGE_RESOURCE>(host.sheetFontTemplate.data());
        } else {
            sheetPage.pszTemplate = MAKEINTRESOURCEW(host.page.templateId());
        }
        sheetPage.pfnDlgProc = &ChildPropertySheet::pageProcedure;
        sheetPage.lParam = reinterpret_cast<LPARAM>(&host);
    }
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS | PSH_USECALLBACK | PSH_NOAPPLYNOW | PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP;
    header.hwndParent = parent;
    header.hInstance = instance_;
    header.pszCaption = L"";
    header.nPages = static_cast<UINT>(pages_.size());
    header.nStartPage = 0;
    header.ppsp = sheets.data();
    header.pfnCallback = &ChildPropertySheet::sheetCallback;
    systemSheetTemplateSize = findSystemSheetTemplateSize();
    const INT_PTR created = PropertySheetW(&header);
    if (created == 0 || created == -1) return false;
    window_ = reinterpret_cast<HWND>(created);
    hideButtons();
    shrinkToTabs();
    return true;
}

int CALLBACK ChildPropertySheet::sheetCallback(HWND, UINT message, LPARAM lParam) {
    // Nothing may unwind into the property sheet's code.
    try {
        if (message != PSCB_PRECREATE || lParam == 0) return 0;
        auto* bytes = reinterpret_cast<unsigned char*>(lParam);
        makeChildSheetTemplate(bytes);
        // The sheet sizes itself by its pages' dialog units in its own font: that font is the pages' one. A
        // template of unknown size is left in its font.
        if (systemSheetTemplateSize != 0) setFontSize({bytes, systemSheetTemplateSize}, kPropertySheetFont);
    } catch (...) {
    }
    return 0;
}

void ChildPropertySheet::hideButtons() {
    for (int id : kSheetButtons) {
        HWND button = GetDlgItem(window_, id);
        if (!button) continue;
        ShowWindow(button, SW_HIDE);
        EnableWindow(button, FALSE);
    }
}

void ChildPropertySheet::shrinkToTabs() {
    HWND tabs = PropSheet_GetTabControl(window_);
    RECT tab, window, client;
    if (!tabs || !GetWindowRect(tabs, &tab) || !GetWindowRect(window_, &window) || !GetClientRect(window_, &client))
        return;
    MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&tab), 2);
    const Size size = shrunkSheetSize({tab.left, tab.top, tab.right, tab.bottom},
                                      {window.right - window.left, window.bottom - window.top},
                                      {client.right - client.left, client.bottom - client.top});
    SetWindowPos(window_, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK ChildPropertySheet::pageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
            auto* host = reinterpret_cast<PageHost*>(sheetPage->lParam);
            SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(host));
            host->controls = std::make_unique<DialogControls>(window);
            host->page.attach(*host->controls, reinterpret_cast<std::uintptr_t>(window));
            host->page.onInit();
            return TRUE;
        }
        auto* host = reinterpret_cast<PageHost*>(GetWindowLongPtrW(window, DWLP_USER));
        return host ? handlePage(window, message, wParam, lParam, *host) : FALSE;
    } catch (...) {
        return FALSE;
    }
}

}  // namespace ui
