// The controls the pages work on, reached by id. Each call is one message to the real control; the
// fakes behave as the controls are documented to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace ui {

inline constexpr int kNoSelection = -1;                      // CB_ERR: nothing selected, or a bad index
inline constexpr std::uint32_t kItemDataError = 0xFFFFFFFF;  // CB_ERR as an item's data

// Notification codes that reach a page with a command.
inline constexpr int kButtonClicked = 0;     // BN_CLICKED
inline constexpr int kSelectionChanged = 1;  // CBN_SELCHANGE

class ComboBox {
public:
    virtual ~ComboBox() = default;
    virtual int addString(const char* text) = 0;  // the new item's index
    virtual void setItemData(int index, std::uint32_t data) = 0;
    virtual std::uint32_t itemData(int index) = 0;  // kItemDataError at a bad index
    virtual int count() = 0;
    virtual void setCurSel(int index) = 0;  // out of range clears the selection
    virtual int curSel() = 0;               // kNoSelection when none
    virtual void enable(bool enabled) = 0;
};

class Slider {
public:
    virtual ~Slider() = default;
    virtual void setRange(int minimum, int maximum, bool redraw) = 0;
    virtual void setPos(int position) = 0;  // the control clamps it into its range
    virtual int pos() = 0;
};

class Label {
public:
    virtual ~Label() = default;
    virtual void setText(const char* text) = 0;
    // As much of the text as fits into the buffer with its terminator, cut between characters as the
    // system cuts it; the number of bytes before the terminator.
    virtual std::size_t text(std::span<char> buffer) = 0;
};

// Push buttons, check boxes and radio buttons.
class Button {
public:
    virtual ~Button() = default;
    virtual void setCheck(bool checked) = 0;
    virtual bool checked() = 0;
    virtual void enable(bool enabled) = 0;
    // The shield that says a push button's action asks for an administrator's consent.
    virtual void setShield(bool shown) = 0;
};

// The controls of one page or dialog window, by their ids.
class Controls {
public:
    virtual ~Controls() = default;
    virtual ComboBox& comboBox(int id) = 0;
    virtual Slider& slider(int id) = 0;
    virtual Label& label(int id) = 0;
    virtual Button& button(int id) = 0;
};

}  // namespace ui
