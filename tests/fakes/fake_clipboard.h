// An in-memory clipboard. Copy() is what another program's copy does; every
// change, including the program's own writes, moves the change count. With
// `readable` false it behaves like a clipboard held by another program.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "conversion/clipboard.h"

namespace zelvane::testing {

class FakeClipboard : public Clipboard {
public:
    std::optional<Text> ReadText() override {
        ++reads;
        if (!readable) return std::nullopt;
        return text;
    }
    bool WriteText(const Text& written) override {
        if (!writable) return false;
        writes.push_back(written);
        Change(written);
        return true;
    }
    std::uint32_t ChangeCount() const override { return changeCount_; }

    void Copy(const Text& copied) { Change(copied); }
    void CopyPicture() { Change(Text()); }  // a content with no text in it
    // The count moves while the text stays, as when the same text is copied
    // again or only another format changes.
    void Touch() { ++changeCount_; }

    Text text;
    bool readable = true;
    bool writable = true;
    int reads = 0;
    std::vector<Text> writes;  // the program's own writes, in order

private:
    void Change(const Text& newText) {
        text = newText;
        ++changeCount_;
    }

    std::uint32_t changeCount_ = 0;
};

}  // namespace zelvane::testing
