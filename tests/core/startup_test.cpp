#include "core/startup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/fake_file_system.h"

namespace zelvane {
namespace {

using testing::FakeFileSystem;

const Path kProgramDirectory{"C:\\Programs\\Zelvane"};
const Path kConfig{"C:\\Programs\\Zelvane\\Config"};
const Path kAutoHide{"C:\\Programs\\Zelvane\\Config\\AutoHide.dll"};

// Records what StartUp asks of the window, and what the file tree looked like
// when the window was created.
class RecordingHost : public MainWindowHost {
public:
    explicit RecordingHost(const FakeFileSystem& files) : files_(files) {}

    void CreateMainWindow() override {
        steps.push_back("create");
        configExistedAtCreation = files_.IsDirectory(kConfig);
    }
    void HideMainWindow() override { steps.push_back("hide"); }

    std::vector<std::string> steps;
    bool configExistedAtCreation = false;

private:
    const FakeFileSystem& files_;
};

class StartUpTest : public ::testing::Test {
protected:
    FakeFileSystem files{kProgramDirectory};
    RecordingHost host{files};
};

TEST_F(StartUpTest, FirstStartMakesConfigBeforeTheWindowAndShowsIt) {
    StartUp(files, host);

    EXPECT_TRUE(host.configExistedAtCreation);
    EXPECT_EQ(host.steps, (std::vector<std::string>{"create"}));
}

TEST_F(StartUpTest, HideMarkerHidesTheWindowAfterItWasCreated) {
    struct Case {
        const char* name;
        bool markerIsDirectory;
    };
    for (const Case& c : {Case{"file", false}, Case{"directory", true}}) {
        SCOPED_TRACE(c.name);
        FakeFileSystem tree{kProgramDirectory};
        if (c.markerIsDirectory) {
            tree.AddDirectory(kAutoHide);
        } else {
            tree.AddFile(kAutoHide, "");
        }
        RecordingHost recorder{tree};

        StartUp(tree, recorder);

        EXPECT_EQ(recorder.steps, (std::vector<std::string>{"create", "hide"}));
    }
}

TEST_F(StartUpTest, ExistingConfigIsKeptAsItIs) {
    files.AddFile(Path{kConfig.utf8 + "\\URL.ini"}, "pan.example.net");

    StartUp(files, host);

    EXPECT_EQ(files.ContentText(Path{kConfig.utf8 + "\\URL.ini"}), "pan.example.net");
    EXPECT_EQ(host.steps, (std::vector<std::string>{"create"}));
}

TEST_F(StartUpTest, ConfigThatCannotBeMadeDoesNotStopStartUp) {
    files.MakeReadOnly(kProgramDirectory);

    StartUp(files, host);

    EXPECT_FALSE(files.IsDirectory(kConfig));
    EXPECT_EQ(host.steps, (std::vector<std::string>{"create"}));
}

TEST_F(StartUpTest, MakesExactlyOneLevelBesideTheExecutable) {
    StartUp(files, host);

    ASSERT_FALSE(files.calls.empty());
    EXPECT_EQ(files.calls.front().operation, "MakeDirectory");
    EXPECT_EQ(files.calls.front().path, kConfig);
}

}  // namespace
}  // namespace zelvane
