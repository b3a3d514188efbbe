// Records ExitProgram instead of ending the test process. Unlike the real one
// it returns, so a test can check what its caller did before the call.
#pragma once

#include <string>
#include <vector>

#include "core/lifetime.h"

namespace zelvane::testing {

class FakeLifetime : public Lifetime {
public:
    // Optional: a log shared with other fakes; each call appends
    // "ExitProgram(<code>)".
    explicit FakeLifetime(std::vector<std::string>* journal = nullptr) : journal_(journal) {}

    void ExitProgram(int code) override {
        exitCodes.push_back(code);
        if (journal_ != nullptr) journal_->push_back("ExitProgram(" + std::to_string(code) + ")");
    }

    std::vector<int> exitCodes;  // one entry per call

private:
    std::vector<std::string>* journal_;
};

}  // namespace zelvane::testing
