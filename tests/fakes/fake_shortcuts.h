// A shell that records the shortcuts it is asked to make. Given a file system,
// a shortcut is written into it as a file (its content names the target), so
// it exists afterwards and can be deleted; like the real shell link, saving
// into a folder that does not exist fails.
#pragma once

#include <string>
#include <vector>

#include "core/file_system.h"
#include "settings/shortcuts.h"

namespace zelvane::testing {

class FakeShortcuts : public Shortcuts {
public:
    struct Call {
        Path shortcut;
        Path target;
        Text description;
    };

    static constexpr const char* kStartupFolder =
        "C:\\users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\";

    explicit FakeShortcuts(FileSystem* files = nullptr) : files_(files) {}

    Path StartupFolder() const override { return startupFolder; }
    bool CreateShortcut(const Path& shortcut, const Path& target, const Text& description) override {
        calls.push_back(Call{shortcut, target, description});
        if (failCreate) return false;
        if (files_ == nullptr) return true;
        const std::string content = "shortcut to " + target.utf8;
        return files_->WriteWholeFile(shortcut, Bytes(content.begin(), content.end()));
    }

    Path startupFolder{kStartupFolder};  // empty: the folder cannot be determined
    bool failCreate = false;             // no shell link object
    std::vector<Call> calls;

private:
    FileSystem* files_;
};

}  // namespace zelvane::testing
