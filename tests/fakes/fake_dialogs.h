// Message boxes that record their text and icon and return at once, as if the
// user had pressed OK.
#pragma once

#include <string>
#include <vector>

#include "ui/dialogs.h"

namespace zelvane::testing {

class FakeDialogs : public Dialogs {
public:
    struct Message {
        Text text;
        MessageIcon icon;
        friend bool operator==(const Message&, const Message&) = default;
    };

    // Optional: a log shared with other fakes, to check the order of calls
    // across ports. Each message appends "ShowMessage".
    explicit FakeDialogs(std::vector<std::string>* journal = nullptr) : journal_(journal) {}

    void ShowMessage(const Text& text, MessageIcon icon) override {
        if (journal_ != nullptr) journal_->push_back("ShowMessage");
        messages.push_back(Message{text, icon});
    }

    std::vector<Message> messages;

private:
    std::vector<std::string>* journal_;
};

}  // namespace zelvane::testing
