// One run of the program as the settings handlers see it: a fresh form in the
// states of the form, wired like the window layer wires it (text-changed of
// 编辑框1 nested inside SetText, clicks after the toggle), over a file system
// that outlives the run so that a second run can restore what the first saved.
#pragma once

#include <functional>
#include <map>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "core/constants.h"
#include "core/program_state.h"
#include "settings/autostart.h"
#include "settings/option_controls.h"
#include "settings/settings_store.h"
#include "tests/fakes/fake_dialogs.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_form.h"
#include "tests/fakes/fake_shortcuts.h"
#include "tests/fakes/fake_tray.h"

namespace zelvane::testing {

inline const Path kConfig{"C:\\Zelvane\\Config"};
inline const Path kUrlIni{"C:\\Zelvane\\Config\\URL.ini"};
inline const Path kAutoHide{"C:\\Zelvane\\Config\\AutoHide.dll"};
inline const Path kAutoOpen{"C:\\Zelvane\\Config\\AutoOpen.dll"};
inline const Path kAutoCopyPassword{"C:\\Zelvane\\Config\\AutoCopyPassword.dll"};
inline const Text kDefault{DEFAULT_DOMAIN};

class Session : public EventsAdapter {
    FakeFileSystem& files_;  // first: the members below are built on it

public:
    explicit Session(FakeFileSystem& files) : files_(files) { form.Connect(this); }

    // The window's created event.
    void Start() { RestoreSettings(state, files_, form, tray); }

    void OnClicked(Control control) override {
        if (control == Control::选择框6) {
            autostart.OnClicked();
        } else {
            options.OnClicked(control);
        }
    }
    void OnTextChanged(Control control) override {
        options.OnTextChanged(control);
        if (afterTextChanged) afterTextChanged(control);
    }

    FakeForm form;
    FakeTray tray;
    FakeDialogs dialogs;
    FakeShortcuts shortcuts{&files_};
    ProgramState state;
    OptionControls options{files_, form, tray};
    Autostart autostart{files_, shortcuts, dialogs, form};
    std::function<void(Control)> afterTextChanged;  // runs after the handler, inside SetText
};

// The option controls as a user sees them.
struct Options {
    bool box1 = true;
    bool editDisabled = true;
    Text domain{DEFAULT_DOMAIN};
    bool box3 = false;
    bool box3Disabled = false;
    bool box4 = false;
    bool box5 = false;
    bool box5Disabled = false;
    bool box7 = false;
    friend bool operator==(const Options&, const Options&) = default;
};

inline void PrintTo(const Options& o, std::ostream* out) {
    *out << "{1:" << o.box1 << " edit:'" << o.domain << "'" << (o.editDisabled ? " disabled" : "")
         << " 3:" << o.box3 << (o.box3Disabled ? "(disabled)" : "") << " 4:" << o.box4 << " 5:" << o.box5
         << (o.box5Disabled ? "(disabled)" : "") << " 7:" << o.box7 << "}";
}

inline Options Read(const FakeForm& form) {
    return Options{
        .box1 = form.IsChecked(Control::选择框1),
        .editDisabled = form.IsDisabled(Control::编辑框1),
        .domain = form.GetText(Control::编辑框1),
        .box3 = form.IsChecked(Control::选择框3),
        .box3Disabled = form.IsDisabled(Control::选择框3),
        .box4 = form.IsChecked(Control::选择框4),
        .box5 = form.IsChecked(Control::选择框5),
        .box5Disabled = form.IsDisabled(Control::选择框5),
        .box7 = form.IsChecked(Control::选择框7),
    };
}

// The couplings every handler and the restore must leave intact.
inline void ExpectInvariants(const FakeForm& form) {
    const Options o = Read(form);
    SCOPED_TRACE(::testing::PrintToString(o));
    if (o.box1) {
        EXPECT_TRUE(o.editDisabled);
        EXPECT_EQ(o.domain, kDefault);
    } else {
        EXPECT_FALSE(o.editDisabled);
    }
    EXPECT_FALSE(o.box3 && o.box5);
    if (o.box3) {
        EXPECT_TRUE(o.box5Disabled && !o.box3Disabled);
    }
    if (o.box5) {
        EXPECT_TRUE(o.box3Disabled && !o.box5Disabled);
    }
    if (!o.box3 && !o.box5) {
        EXPECT_FALSE(o.box3Disabled || o.box5Disabled);
    }
    // Controls no handler may touch.
    EXPECT_FALSE(form.IsDisabled(Control::选择框4));
    EXPECT_FALSE(form.IsDisabled(Control::选择框7));
    EXPECT_TRUE(form.IsChecked(Control::选择框2));
    EXPECT_TRUE(form.IsDisabled(Control::选择框2));
}

// Everything in Config: file contents, "<dir>" for directories.
inline std::map<std::string, std::string> ConfigSnapshot(const FakeFileSystem& files) {
    std::map<std::string, std::string> snapshot;
    for (const std::string& entry : files.EntriesIn(kConfig)) {
        const auto content = files.ContentText(Path{entry});
        snapshot[entry] = content ? *content : "<dir>";
    }
    return snapshot;
}

inline int CountCalls(const FakeFileSystem& files, const std::string& operation, const Path& path) {
    int count = 0;
    for (const auto& call : files.calls) {
        if (call.operation == operation && call.path == path) ++count;
    }
    return count;
}

// Names a parameterised case by its row's name field, in test names and in
// failure messages.
template <typename Row>
auto PrintTo(const Row& row, std::ostream* out) -> decltype(row.name, void()) {
    *out << row.name;
}

struct RowName {
    template <typename Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};

}  // namespace zelvane::testing
