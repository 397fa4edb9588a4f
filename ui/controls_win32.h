// The control interfaces over real Win32 controls: one message per call, nothing decided here.
#pragma once

#include <windows.h>

#include "ui/controls.h"
#include "ui/inplace_vector.h"

namespace ui {

// A combo box that keeps a 32-bit value with each item. One message per call, but for a refused
// selection, which takes a second one to clear the selection as Windows does.
class ComboBoxWin32 : public ComboBox {
public:
    explicit ComboBoxWin32(HWND control) : control_(control) {}
    int addString(const char* text) override;
    void setItemData(int index, std::uint32_t data) override;
    std::uint32_t itemData(int index) override;
    int count() override;
    void setCurSel(int index) override;
    int curSel() override;
    void enable(bool enabled) override;

private:
    HWND control_;
};

// A trackbar. Its range travels in one message as two 16-bit halves: bounds within 0..32767.
class SliderWin32 : public Slider {
public:
    explicit SliderWin32(HWND control) : control_(control) {}
    void setRange(int minimum, int maximum, bool redraw) override;
    void setPos(int position) override;
    int pos() override;

private:
    HWND control_;
};

// Any control's window text.
class LabelWin32 : public Label {
public:
    explicit LabelWin32(HWND control) : control_(control) {}
    void setText(const char* text) override;
    std::size_t text(std::span<char> buffer) override;

private:
    HWND control_;
};

class ButtonWin32 : public Button {
public:
    explicit ButtonWin32(HWND control) : control_(control) {}
    void setCheck(bool checked) override;
    bool checked() override;
    void enable(bool enabled) override;
    void setShield(bool shown) override;

private:
    HWND control_;
};

// The controls of one dialog window, wrapped on first use of their id and owned here. A debug build
// reports an id the dialog has no control of to the debugger: the wrapper then talks to nothing.
class DialogControls : public Controls {
public:
    // Of each kind, the most controls a page can use; one more throws std::bad_alloc.
    static constexpr std::size_t kCapacityPerKind = 16;

    explicit DialogControls(HWND dialog) : dialog_(dialog) {}
    HWND dialog() const { return dialog_; }

    ComboBox& comboBox(int id) override { return wrapper(combos_, id); }
    Slider& slider(int id) override { return wrapper(sliders_, id); }
    Label& label(int id) override { return wrapper(labels_, id); }
    Button& button(int id) override { return wrapper(buttons_, id); }

private:
    template <typename Wrapper>
    struct Bound {
        int id;
        Wrapper wrapper;
    };
    template <typename Wrapper>
    using Wrappers = InplaceVector<Bound<Wrapper>, kCapacityPerKind>;

    template <typename Wrapper>
    Wrapper& wrapper(Wrappers<Wrapper>& wrappers, int id) {
        for (Bound<Wrapper>& bound : wrappers)
            if (bound.id == id) return bound.wrapper;
        HWND control = GetDlgItem(dialog_, id);
#ifndef NDEBUG
        if (!control) reportMissing(id);
#endif
        return wrappers.push_back({id, Wrapper(control)}).wrapper;
    }
    void reportMissing(int id) const;

    HWND dialog_;
    Wrappers<ComboBoxWin32> combos_;
    Wrappers<SliderWin32> sliders_;
    Wrappers<LabelWin32> labels_;
    Wrappers<ButtonWin32> buttons_;
};

}  // namespace ui
