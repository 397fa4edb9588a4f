#include "ui/controls_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>
#include <memory>
#include <new>

#include "platform/wide_text_win32.h"

namespace ui {

static_assert(kNoSelection == CB_ERR && kButtonClicked == BN_CLICKED && kSelectionChanged == CBN_SELCHANGE);

namespace {
LRESULT send(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(control, message, wParam, lParam);
}
// Indexes travel as WPARAM; -1 must arrive as all bits set, as the controls read it.
WPARAM indexParam(int index) { return static_cast<WPARAM>(static_cast<INT_PTR>(index)); }
}  // namespace

int ComboBoxWin32::addString(const char* text) {
    return static_cast<int>(
        send(control_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::win32::WideText(text).get())));
}

void ComboBoxWin32::setItemData(int index, std::uint32_t data) {
    send(control_, CB_SETITEMDATA, indexParam(index), static_cast<LPARAM>(data));
}

std::uint32_t ComboBoxWin32::itemData(int index) {
    // CB_ERR is -1 in any width; the low 32 bits make it all bits set, as the data of a 32-bit build.
    return static_cast<std::uint32_t>(static_cast<ULONG_PTR>(send(control_, CB_GETITEMDATA, indexParam(index), 0)));
}

int ComboBoxWin32::count() { return static_cast<int>(send(control_, CB_GETCOUNT, 0, 0)); }

void ComboBoxWin32::setCurSel(int index) {
    // Windows clears the selection for an index outside the list; Wine keeps the old one. The refusal
    // is the same on both, so a refused index clears here, as the interface promises everywhere.
    if (send(control_, CB_SETCURSEL, indexParam(index), 0) == CB_ERR && index != kNoSelection)
        send(control_, CB_SETCURSEL, indexParam(kNoSelection), 0);
}

int ComboBoxWin32::curSel() { return static_cast<int>(send(control_, CB_GETCURSEL, 0, 0)); }

void ComboBoxWin32::enable(bool enabled) { EnableWindow(control_, enabled ? TRUE : FALSE); }

void SliderWin32::setRange(int minimum, int maximum, bool redraw) {
    send(control_, TBM_SETRANGE, redraw ? TRUE : FALSE, MAKELPARAM(minimum, maximum));
}

void SliderWin32::setPos(int position) { send(control_, TBM_SETPOS, TRUE, static_cast<LPARAM>(position)); }

int SliderWin32::pos() { return static_cast<int>(send(control_, TBM_GETPOS, 0, 0)); }

void LabelWin32::setText(const char* text) { SetWindowTextW(control_, platform::win32::WideText(text).get()); }

std::size_t LabelWin32::text(std::span<char> buffer) {
    if (buffer.empty()) return 0;
    // Every character takes one GBK byte at least: no more units than the buffer has bytes can fit.
    const std::size_t units = std::min<std::size_t>(buffer.size(), INT_MAX);
    wchar_t small[64];
    std::unique_ptr<wchar_t[]> large(units > std::size(small) ? new (std::nothrow) wchar_t[units] : nullptr);
    wchar_t* text = units > std::size(small) ? large.get() : small;
    const int copied = text ? GetWindowTextW(control_, text, static_cast<int>(units)) : 0;
    // A failed call need not terminate the buffer.
    return platform::win32::GbkFromWide(text, copied > 0 ? copied : 0, buffer);
}

void ButtonWin32::setCheck(bool checked) { send(control_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0); }

bool ButtonWin32::checked() { return send(control_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void ButtonWin32::enable(bool enabled) { EnableWindow(control_, enabled ? TRUE : FALSE); }

// The common controls 6.0 draw it; older ones ignore the message.
void ButtonWin32::setShield(bool shown) { send(control_, BCM_SETSHIELD, 0, shown ? TRUE : FALSE); }

void DialogControls::reportMissing(int id) const {
    wchar_t wideTitle[32] = {};
    const int titleLength = GetWindowTextW(dialog_, wideTitle, static_cast<int>(std::size(wideTitle)));
    char title[64] = {};
    platform::win32::GbkFromWide(wideTitle, titleLength > 0 ? titleLength : 0, title);
    char number[12] = {};
    std::to_chars(number, number + sizeof number - 1, id);
    const char* const parts[] = {"DialogControls: no control ", number, " in \"", title, "\"\n"};
    char report[128] = {};
    std::size_t used = 0;
    for (const char* part : parts) {
        const std::size_t length = std::min(std::strlen(part), sizeof report - 1 - used);
        std::memcpy(report + used, part, length);
        used += length;
    }
    OutputDebugStringW(platform::win32::WideText(report).get());
}

}  // namespace ui
