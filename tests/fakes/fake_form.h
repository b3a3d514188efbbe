// An in-memory main window that keeps the control contract of the real one:
// SetText raises text-changed once, synchronously; checked and disabled raise
// nothing; Click toggles a check box first and then raises clicked, and does
// nothing on a disabled control. Controls start in the states of the form.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "ui/form.h"

namespace zelvane::testing {

struct ControlState {
    Text text;
    bool checked = false;
    bool disabled = false;
};

class FakeForm : public Form {
public:
    FakeForm() {
        states_[Control::选择框1].checked = true;
        states_[Control::选择框2].checked = true;
        states_[Control::选择框2].disabled = true;
    }

    void Connect(FormEvents* events) { events_ = events; }

    Text GetText(Control control) const override { return State(control).text; }
    void SetText(Control control, const Text& text) override {
        states_[control].text = text;
        textWrites.push_back({control, text});
        if (events_ != nullptr) events_->OnTextChanged(control);
    }
    bool IsChecked(Control control) const override { return State(control).checked; }
    void SetChecked(Control control, bool checked) override { states_[control].checked = checked; }
    void SetDisabled(Control control, bool disabled) override { states_[control].disabled = disabled; }
    bool IsWindowVisible() const override { return visible; }
    void SetWindowVisible(bool value) override { visible = value; }

    bool IsDisabled(Control control) const { return State(control).disabled; }

    // What a user's click does.
    void Click(Control control) {
        if (IsDisabled(control)) return;
        states_[control].checked = !states_[control].checked;
        if (events_ != nullptr) events_->OnClicked(control);
    }

    // What a user's keystroke in an edit box does.
    void Type(Control control, const Text& newText) {
        if (IsDisabled(control)) return;
        states_[control].text = newText;
        if (events_ != nullptr) events_->OnTextChanged(control);
    }

    struct TextWrite {
        Control control;
        Text text;
    };
    std::vector<TextWrite> textWrites;  // every SetText, in order
    bool visible = true;

private:
    const ControlState& State(Control control) const {
        static const ControlState kUntouched;
        const auto found = states_.find(control);
        return found == states_.end() ? kUntouched : found->second;
    }

    std::map<Control, ControlState> states_;
    FormEvents* events_ = nullptr;
};

// Forwards only the events a test cares about; the rest do nothing.
class EventsAdapter : public FormEvents {
public:
    void OnCreated() override {}
    void OnTimer() override {}
    void OnClipboardChanged() override {}
    void OnClicked(Control) override {}
    void OnTextChanged(Control) override {}
    void OnLinkReleased() override {}
    void OnTrayEvent(int) override {}
    void OnMenuSelected(MenuItem) override {}
    bool CanCloseWindow() override { return true; }
};

}  // namespace zelvane::testing
