// Ports over memory for measuring the conversion cycle: like the test fakes,
// but they keep nothing of the past, so millions of ticks use no more memory
// than one.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "conversion/clipboard.h"
#include "conversion/shell.h"
#include "ui/form.h"

namespace zelvane::bench {

class MemoryForm : public Form {
public:
    Text GetText(Control control) const override { return texts_[Index(control)]; }
    void SetText(Control control, const Text& text) override { texts_[Index(control)] = text; }
    bool IsChecked(Control control) const override { return checked_[Index(control)]; }
    void SetChecked(Control control, bool checked) override { checked_[Index(control)] = checked; }
    void SetDisabled(Control, bool) override {}
    bool IsWindowVisible() const override { return true; }
    void SetWindowVisible(bool) override {}

private:
    static std::size_t Index(Control control) { return static_cast<std::size_t>(control); }
    std::array<Text, 16> texts_{};
    std::array<bool, 16> checked_{};
};

class MemoryClipboard : public Clipboard {
public:
    std::optional<Text> ReadText() override { return text_; }
    bool WriteText(const Text& text) override {
        Copy(text);
        return true;
    }
    std::uint32_t ChangeCount() const override { return count_; }

    void Copy(Text text) {
        text_ = std::move(text);
        ++count_;
    }
    void Touch() { ++count_; }  // the same content copied again

private:
    Text text_;
    std::uint32_t count_ = 0;
};

class CountingShell : public Shell {
public:
    void ShellOpen(const Text&) override { ++opened; }
    std::uint64_t opened = 0;
};

}  // namespace zelvane::bench
