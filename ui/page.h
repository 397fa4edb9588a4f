// A property page's logic: its transfers between members and controls, and what it does on each
// notification. The Win32 page host turns the sheet's notifications into these calls.
#pragma once

#include <cstdint>
#include <span>

#include "ui/controls.h"

namespace ui {

enum class Direction { Load, Capture };  // load: members to controls; capture: controls to members

// One transfer over a page's bindings, in the order the page names them.
class Transfer {
public:
    Transfer(Controls& controls, Direction direction) : controls_(controls), direction_(direction) {}
    Direction direction() const { return direction_; }

    void comboIndex(int id, std::int32_t& member);  // the selected item's index; -1 for none
    void sliderPos(int id, std::int32_t& member);
    // A text member is a terminated buffer; a capture cuts the control's text to its size.
    void text(int id, std::span<char> member);

private:
    Controls& controls_;
    Direction direction_;
};

// A page's life, for whoever writes one:
// - The object outlives its window. Its owner sets the members before the dialog shows and reads them
//   after it has ended; a tab that is never opened hands them back as they were set.
// - attach() and onInit() come with the first activation of the tab, activate() every time the tab is
//   chosen, deactivate() when another one is, detach() when the window goes.
// - OK never reaches the pages: the sheet's own buttons are hidden and the dialog ends at once. So every
//   change notification must bring the members up to date at once (a capture, or setting the member);
//   a page that waited for an apply, or for the user to leave its tab, would lose the last change.
// - Only notifications from the page's own controls and from its sheet arrive.
class Page {
public:
    explicit Page(int templateId) : templateId_(templateId) {}
    virtual ~Page() = default;
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    int templateId() const { return templateId_; }
    bool hasWindow() const { return controls_ != nullptr; }

    // The page host calls these. attach() when the page window is created (its first activation),
    // before onInit(), with the window's handle as a number; detach() when the window goes.
    void attach(Controls& controls, std::uintptr_t window = 0) {
        controls_ = &controls;
        window_ = window;
    }
    void detach() {
        controls_ = nullptr;
        window_ = 0;
    }
    std::uintptr_t window() const { return window_; }  // 0 while the page has no window
    void activate();    // every set-active notification: the first does nothing, later ones onSetActive()
    bool deactivate();  // the kill-active notification; false keeps the page
    virtual void onInit() { load(); }  // the standard initialisation loads the controls
    virtual void onCommand(int /*id*/, int /*code*/) {}
    virtual void onScroll(int /*id*/) {}

protected:
    virtual void transfer(Transfer& /*dx*/) {}
    virtual void onSetActive() { load(); }
    virtual bool onKillActive() {
        capture();
        return true;
    }

    void load();
    void capture();
    Controls& controls() { return *controls_; }

private:
    int templateId_;
    Controls* controls_ = nullptr;
    std::uintptr_t window_ = 0;
    bool activatedBefore_ = false;
};

}  // namespace ui
