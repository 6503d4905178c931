#pragma once
// What the tonelctl tests share: a run of the command line in this process, and a fresh folder
// per test for the files it reads and writes.

#include "tools/tonelctl/CommandLine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace tonel::testing {

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

inline Outcome tonelctl(std::vector<std::string> args, const std::string& input = {}, ctl::Terminals terminals = {})
{
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = ctl::runTonelctl(args, in, out, err, terminals);
    return {code, out.str(), err.str()};
}

// Each test gets its own empty folder, named after the suite, the test and this process.
class ScratchFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  ("tonelctl-" + std::to_string(::getpid()) + "-" + test->test_suite_name() + "-" + test->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    std::filesystem::path folder_;
};

}  // namespace tonel::testing
