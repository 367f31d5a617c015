#pragma once
// Runs the real lumarc-cli (its path comes from the build as LUMARC_CLI) in a scratch
// directory of its own per test, and collects exit status, stdout and stderr.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "catalogue/BuildScripts.h"

namespace lumarc::test {

namespace fs = std::filesystem;

struct TRun {
    int Status;
    std::string Out;
    std::string Err;
};

inline std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class TCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        Dir = fs::temp_directory_path() /
              ("lumarc-cli-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name());
        fs::remove_all(Dir);
        fs::create_directories(Dir);
    }
    void TearDown() override { fs::remove_all(Dir); }

    TRun Run(const std::string& args)
    {
        const fs::path out = Dir / "stdout", err = Dir / "stderr";
        const std::string command = std::string(LUMARC_CLI) + " " + args + " >" + out.string() + " 2>" + err.string();
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(out), ReadAll(err)};
    }

    void Write(const fs::path& path, const std::string& bytes)
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    // Builds `script` into Dir/<name>/Data and returns Dir/<name>.
    fs::path BuildScript(const std::string& script, const std::string& name = "cat")
    {
        Write(Dir / (name + ".txt"), script);
        const TRun run = Run("build -o " + (Dir / name / "Data").string() + " " + (Dir / (name + ".txt")).string());
        EXPECT_EQ(run.Status, 0) << run.Err;
        return Dir / name;
    }

    // Builds the demo script into Dir/cat/Data and returns Dir/cat.
    fs::path BuildDemo() { return BuildScript(kDemoScript); }

    fs::path Dir;
};

}  // namespace lumarc::test
