// A notification area that records every call. Like the real adapter, empty
// image bytes make no icon and so act as RemoveTrayIcon.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/tray.h"

namespace zelvane::testing {

class FakeTray : public Tray {
public:
    struct Call {
        std::string operation;  // "ShowTrayIcon", "RemoveTrayIcon", "ShowTrayMenu"
        Bytes image;
        std::optional<Text> tip;
    };

    // Optional: a log shared with other fakes, to check the order of calls
    // across ports. Each call appends its operation's name.
    explicit FakeTray(std::vector<std::string>* journal = nullptr) : journal_(journal) {}

    void ShowTrayIcon(const Bytes& image, const std::optional<Text>& tip) override {
        Record(Call{"ShowTrayIcon", image, tip});
        if (image.empty()) {
            present_.reset();
            return;
        }
        present_ = Icon{image, tip};
    }
    void RemoveTrayIcon() override {
        Record(Call{"RemoveTrayIcon", {}, std::nullopt});
        present_.reset();
    }
    void ShowTrayMenu() override {
        Record(Call{"ShowTrayMenu", {}, std::nullopt});
        ++menusShown;
    }

    bool IconPresent() const { return present_.has_value(); }
    // The tip of the icon that is present; nothing when there is no icon or
    // it has no tip.
    std::optional<Text> Tip() const { return present_ ? present_->tip : std::nullopt; }
    Bytes Image() const { return present_ ? present_->image : Bytes{}; }

    std::vector<Call> calls;
    int menusShown = 0;

private:
    struct Icon {
        Bytes image;
        std::optional<Text> tip;
    };

    void Record(Call call) {
        if (journal_ != nullptr) journal_->push_back(call.operation);
        calls.push_back(std::move(call));
    }

    std::optional<Icon> present_;
    std::vector<std::string>* journal_;
};

}  // namespace zelvane::testing
