// A property sheet created as a visible child of a dialog, with no buttons of its own, hosting pages
// whose notifications become calls on their ui::Page logic. Having no buttons, it never tells a page of
// OK or Apply: the pages keep their members current themselves (ui/page.h). Notifications that come
// neither from a page's own controls nor from the sheet are dropped, whoever sends them.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>

#include "ui/inplace_vector.h"
#include "ui/page.h"

namespace ui {

class DialogControls;

class ChildPropertySheet {
public:
    // The most pages a sheet takes; one more throws std::bad_alloc.
    static constexpr std::size_t kPageCapacity = 8;

    // Page templates come from this module's resources.
    explicit ChildPropertySheet(HINSTANCE instance);
    ~ChildPropertySheet();
    ChildPropertySheet(const ChildPropertySheet&) = delete;
    ChildPropertySheet& operator=(const ChildPropertySheet&) = delete;

    // Tabs appear in the order of these calls, captioned with each page template's title. Pages lay out
    // in the system property sheet's font, whatever font their templates name. The page must outlive the
    // sheet's window.
    void addPage(Page& page);

    // Creates the sheet in the parent's client area at 0,0, showing the first page, with its buttons
    // hidden and disabled and its size shrunk to the tab control. False if it cannot be created.
    bool create(HWND parent);
    HWND hwnd() const { return window_; }

    // The host of one page: its logic and, while its window exists, the wrappers of its controls.
    struct PageHost;

private:
    static int CALLBACK sheetCallback(HWND window, UINT message, LPARAM lParam);
    static INT_PTR CALLBACK pageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void hideButtons();
    void shrinkToTabs();

    HINSTANCE instance_;
    HWND window_ = nullptr;
    InplaceVector<std::unique_ptr<PageHost>, kPageCapacity> pages_;
};

}  // namespace ui
