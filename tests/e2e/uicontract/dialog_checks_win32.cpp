#include "tests/e2e/uicontract/dialog_checks_win32.h"

#include <windows.h>
// after windows.h, which they need
#include <commctrl.h>
#include <prsht.h>

#include <sstream>

#include "tests/e2e/uicontract/resource_ids.h"
#include "ui/child_property_sheet_win32.h"
#include "ui/modal_dialog_win32.h"
#include "ui/window_win32.h"

namespace {

using Events = std::vector<std::string>;

std::string join(const Events& events) {
    std::string all;
    for (const std::string& event : events) all += (all.empty() ? "" : ", ") + event;
    return "[" + all + "]";
}

// A page that records what the sheet makes it do, with one binding of each kind.
class RecordingPage : public ui::Page {
public:
    explicit RecordingPage(int templateId) : ui::Page(templateId) {}
    Events events;
    std::int32_t position = 4;  // below the slider's range: a load shows 20, a capture reads 20 back
    std::int32_t index = 1;
    std::string value = "初值";

    void onInit() override {
        events.push_back("init");
        if (templateId() == IDD_FIRST_PAGE) {
            controls().slider(IDC_SLIDER).setRange(20, 200, true);
            controls().comboBox(IDC_LIST).addString("一");
            controls().comboBox(IDC_LIST).addString("二");
        }
        ui::Page::onInit();
    }
    void onCommand(int id, int code) override {
        events.push_back("command " + std::to_string(id) + " " + std::to_string(code));
    }
    void onScroll(int id) override { events.push_back("scroll " + std::to_string(id)); }

protected:
    void transfer(ui::Transfer& dx) override {
        events.push_back(dx.direction() == ui::Direction::Load ? "load" : "capture");
        if (templateId() != IDD_FIRST_PAGE) return;
        dx.sliderPos(IDC_SLIDER, position);
        dx.comboIndex(IDC_LIST, index);
        dx.text(IDC_VALUE, value);
    }
    void onSetActive() override {
        events.push_back("set-active");
        ui::Page::onSetActive();
    }
    bool onKillActive() override {
        events.push_back("kill-active");
        return ui::Page::onKillActive();
    }
};

constexpr UINT_PTR kTimeoutTimer = 1;
constexpr INT_PTR kTimedOut = 99;

// What the test dialog does once it is up: one of these ends it.
enum class Ending { Ok, EscapeOnOk, EscapeInPage, CloseBox };

class HostDialog : public ui::ModalDialog {
public:
    HostDialog(int templateId, Ending ending, Events& failures)
        : ui::ModalDialog(GetModuleHandleA(nullptr), templateId, nullptr),
          ending_(ending),
          failures_(failures),
          sheet_(GetModuleHandleA(nullptr)) {}
    RecordingPage first{IDD_FIRST_PAGE};
    RecordingPage second{IDD_SECOND_PAGE};
    bool okCalled = false;

protected:
    BOOL onInitDialog() override {
        sheet_.addPage(first);
        sheet_.addPage(second);
        if (!sheet_.create(hwnd())) {
            fail("the child sheet was not created");
        } else if (ending_ == Ending::Ok) {
            checkSheet();
        }
        end();
        // A way of ending that does not work fails the check instead of hanging the run.
        SetTimer(hwnd(), kTimeoutTimer, 10000, nullptr);
        return TRUE;
    }
    void onOk() override { okCalled = true; }
    bool onMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) override {
        if (message != WM_TIMER || wParam != kTimeoutTimer) return false;
        fail("the dialog did not end within 10 s");
        EndDialog(hwnd(), kTimedOut);
        result = TRUE;
        return true;
    }

private:
    void fail(const std::string& what) { failures_.push_back("dialog: " + what); }
    void expect(bool condition, const std::string& what) {
        if (!condition) fail(what);
    }
    void expectEvents(const RecordingPage& page, const Events& expected, const char* when) {
        if (page.events != expected)
            fail(std::string(when) + ": page " + std::to_string(page.templateId()) + " did " + join(page.events) +
                 ", expected " + join(expected));
    }

    void checkSheet() {
        HWND sheet = sheet_.hwnd();
        const LONG_PTR style = GetWindowLongPtrA(sheet, GWL_STYLE);
        const LONG_PTR exStyle = GetWindowLongPtrA(sheet, GWL_EXSTYLE);
        expect(GetParent(sheet) == hwnd(), "the sheet is not a child of the dialog");
        expect((style & WS_CHILD) && (style & WS_VISIBLE), "the sheet is not a visible child window");
        expect(!(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME)),
               "the sheet keeps a pop-up style, caption or frame");
        expect(!(exStyle & (WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT)),
               "the sheet keeps an extended style");
        for (int id : {IDOK, IDCANCEL, IDHELP, 0x3021}) {
            HWND button = GetDlgItem(sheet, id);
            if (button && (IsWindowVisible(button) || IsWindowEnabled(button)))
                fail("the sheet's button " + std::to_string(id) + " is visible or enabled");
        }
        checkTabs(sheet);

        expectEvents(first, {"init", "load"}, "after creation");
        expectEvents(second, {}, "after creation");
        expect(first.hasWindow() && !second.hasWindow(), "only the first page should have a window");
        HWND page = PropSheet_GetCurrentPageHwnd(sheet);
        checkPageFits(sheet, page, "the first page");
        char text[64] = {};
        GetDlgItemTextA(page, IDC_VALUE, text, sizeof text);
        expect(std::string(text) == "初值", "the first page's label was not loaded: " + std::string(text));
        expect(SendDlgItemMessageA(page, IDC_SLIDER, TBM_GETPOS, 0, 0) == 20, "the slider does not show 20");
        expect(SendDlgItemMessageA(page, IDC_LIST, CB_GETCURSEL, 0, 0) == 1, "the list does not select item 1");

        // The page's notifications, as the controls send them.
        HWND slider = GetDlgItem(page, IDC_SLIDER);
        HWND list = GetDlgItem(page, IDC_LIST);
        SendMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 30), reinterpret_cast<LPARAM>(slider));
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_TEST, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_TEST)));
        // Nothing from elsewhere reaches the page: another window's control, no control, not the sheet.
        const auto elsewhere = reinterpret_cast<LPARAM>(GetDlgItem(hwnd(), IDOK));
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_TEST, BN_CLICKED), elsewhere);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_TEST, BN_CLICKED), 0);
        SendMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 30), elsewhere);
        NMHDR notSheet{hwnd(), 0, static_cast<UINT>(PSN_SETACTIVE)};
        SendMessageA(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notSheet));
        expectEvents(first,
                     {"init", "load", "scroll " + std::to_string(IDC_SLIDER),
                      "command " + std::to_string(IDC_LIST) + " 1", "command " + std::to_string(IDC_TEST) + " 0"},
                     "after a scroll, a selection change and a click");
        first.events.clear();

        SendMessageA(slider, TBM_SETPOS, TRUE, 150);
        PropSheet_SetCurSel(sheet, nullptr, 1);
        expectEvents(first, {"kill-active", "capture"}, "leaving the first tab");
        expectEvents(second, {"init", "load"}, "opening the second tab");
        checkPageFits(sheet, PropSheet_GetCurrentPageHwnd(sheet), "the second page");
        expect(first.position == 150,
               "leaving the first tab did not capture the slider: " + std::to_string(first.position));
        first.events.clear();
        second.events.clear();
        first.position = 60;
        PropSheet_SetCurSel(sheet, nullptr, 0);
        expectEvents(second, {"kill-active", "capture"}, "leaving the second tab");
        expectEvents(first, {"set-active", "load"}, "coming back to the first tab");
        expect(SendMessageA(slider, TBM_GETPOS, 0, 0) == 60, "coming back did not load the slider");

        // What the panel does with the sheet: styles for the Tab key, then a move that keeps the size.
        RECT before{}, placeholder{};
        GetWindowRect(sheet, &before);
        ui::addWindowStyles(sheet, WS_TABSTOP, WS_EX_CONTROLPARENT);
        expect((GetWindowLongPtrA(sheet, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) &&
                   (GetWindowLongPtrA(sheet, GWL_STYLE) & WS_TABSTOP),
               "the added styles are missing");
        expect(ui::controlRectInClient(hwnd(), IDC_PLACEHOLDER, placeholder), "no placeholder rectangle");
        ui::moveWindowKeepingSize(sheet, placeholder.left + 10, placeholder.top - 7);
        RECT after{};
        GetWindowRect(sheet, &after);
        POINT corner{after.left, after.top};
        ScreenToClient(hwnd(), &corner);
        expect(corner.x == placeholder.left + 10 && corner.y == placeholder.top - 7, "the sheet did not move there");
        expect(after.right - after.left == before.right - before.left &&
                   after.bottom - after.top == before.bottom - before.top,
               "the move changed the sheet's size");
    }

    // The page's template names a font of its own, yet it lays out in the sheet's font and inside the sheet.
    void checkPageFits(HWND sheet, HWND page, const std::string& which) {
        LOGFONTA sheetFont{}, pageFont{};
        const auto sheetHandle = reinterpret_cast<HFONT>(SendMessageA(sheet, WM_GETFONT, 0, 0));
        const auto pageHandle = reinterpret_cast<HFONT>(SendMessageA(page, WM_GETFONT, 0, 0));
        if (!sheetHandle || !pageHandle || !GetObjectA(sheetHandle, sizeof sheetFont, &sheetFont) ||
            !GetObjectA(pageHandle, sizeof pageFont, &pageFont)) {
            fail(which + " or the sheet has no font");
            return;
        }
        expect(pageFont.lfHeight == sheetFont.lfHeight && std::string(pageFont.lfFaceName) == sheetFont.lfFaceName,
               which + " is in " + pageFont.lfFaceName + " " + std::to_string(pageFont.lfHeight) + ", the sheet in " +
                   sheetFont.lfFaceName + " " + std::to_string(sheetFont.lfHeight));
        RECT pageRect{}, client{};
        GetWindowRect(page, &pageRect);
        MapWindowPoints(HWND_DESKTOP, sheet, reinterpret_cast<POINT*>(&pageRect), 2);
        GetClientRect(sheet, &client);
        std::ostringstream where;
        where << which << " at " << pageRect.left << "," << pageRect.top << "-" << pageRect.right << ","
              << pageRect.bottom << " overflows the sheet's client " << client.right << "x" << client.bottom;
        expect(pageRect.left >= 0 && pageRect.top >= 0 && pageRect.right <= client.right &&
                   pageRect.bottom <= client.bottom,
               where.str());
    }

    void checkTabs(HWND sheet) {
        HWND tabs = PropSheet_GetTabControl(sheet);
        expect(tabs != nullptr, "no tab control");
        if (!tabs) return;
        expect(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) == 2, "not two tabs");
        const char* captions[] = {"第一页", "第二页"};
        for (int i = 0; i < 2; ++i) {
            char text[64] = {};
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            expect(std::string(text) == captions[i], "tab " + std::to_string(i) + " reads \"" + text + "\"");
        }
        // Shrunk to the tab control: the same margin right of and below it as left of and above it.
        RECT tab{}, client{};
        GetWindowRect(tabs, &tab);
        MapWindowPoints(HWND_DESKTOP, sheet, reinterpret_cast<POINT*>(&tab), 2);
        GetClientRect(sheet, &client);
        std::ostringstream where;
        where << "tab " << tab.left << "," << tab.top << "-" << tab.right << "," << tab.bottom << " in client "
              << client.right << "x" << client.bottom;
        expect(client.right - tab.right == tab.left && client.bottom - tab.bottom == tab.top,
               "the sheet is not shrunk to its tabs: " + where.str());
    }

    void end() {
        switch (ending_) {
            case Ending::Ok: PostMessageA(hwnd(), WM_COMMAND, IDOK, 0); break;
            case Ending::EscapeOnOk: PostMessageA(GetDlgItem(hwnd(), IDOK), WM_KEYDOWN, VK_ESCAPE, 0); break;
            case Ending::EscapeInPage:
                PostMessageA(GetDlgItem(PropSheet_GetCurrentPageHwnd(sheet_.hwnd()), IDC_TEST), WM_KEYDOWN, VK_ESCAPE,
                             0);
                break;
            case Ending::CloseBox: PostMessageA(hwnd(), WM_CLOSE, 0, 0); break;
        }
    }

    Ending ending_;
    Events& failures_;
    ui::ChildPropertySheet sheet_;
};

void expectResult(Events& failures, const char* how, INT_PTR result, INT_PTR expected) {
    if (result != expected)
        failures.push_back(std::string("dialog: ") + how + " gave " + std::to_string(result) + ", expected " +
                           std::to_string(expected));
}

}  // namespace

std::vector<std::string> checkDialogs() {
    Events failures;
    {
        HostDialog dialog(IDD_HOST, Ending::Ok, failures);
        expectResult(failures, "OK", dialog.run(), ui::kDialogOk);
        if (!dialog.okCalled) failures.push_back("dialog: OK ended the dialog without its hook");
        if (dialog.first.hasWindow() || dialog.second.hasWindow())
            failures.push_back("dialog: a page keeps its controls after the dialog ended");
        if (dialog.hwnd() != nullptr) failures.push_back("dialog: a window handle outlives the dialog");
    }
    {
        HostDialog dialog(IDD_HOST, Ending::EscapeOnOk, failures);
        expectResult(failures, "Escape on the OK button", dialog.run(), ui::kDialogCancel);
        if (dialog.okCalled) failures.push_back("dialog: Escape ran the OK hook");
    }
    {
        HostDialog dialog(IDD_HOST, Ending::EscapeInPage, failures);
        expectResult(failures, "Escape inside a page", dialog.run(), ui::kDialogCancel);
    }
    {
        HostDialog dialog(IDD_HOST, Ending::CloseBox, failures);
        expectResult(failures, "the close box", dialog.run(), ui::kDialogCancel);
    }
    {
        HostDialog dialog(IDD_MISSING, Ending::Ok, failures);
        expectResult(failures, "a missing template", dialog.run(), ui::kDialogFailed);
        if (dialog.first.hasWindow()) failures.push_back("dialog: a page of a missing dialog got controls");
    }
    return failures;
}
