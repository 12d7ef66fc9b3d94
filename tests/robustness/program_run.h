#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace robustness {

// The program started as a separate process, its stdout and stderr kept in
// files. Environment: the test's own, less `unset`, plus `set`.
class ProgramRun {
public:
    struct Options {
        std::filesystem::path program;
        std::vector<std::string> arguments{};
        std::map<std::string, std::string> set;
        std::vector<std::string> unset;
        std::filesystem::path workingDir = ".";
    };

    explicit ProgramRun(const Options& options);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // The raw wait status once the program has ended, or nothing when it is
    // still running after `limit`.
    std::optional<int> waitForEnd(std::chrono::milliseconds limit);
    bool running();
    // Ends it with SIGTERM (then SIGKILL) and waits for it.
    void stop();

    std::string stdoutText() const;
    std::string stderrText() const;
    std::vector<std::string> stderrLines() const;

private:
    std::filesystem::path stdoutFile_;
    std::filesystem::path stderrFile_;
    pid_t pid_ = -1;
    std::optional<int> status_;
};

// The program this build made, beside which the test copies it around.
std::filesystem::path builtProgram();

} // namespace robustness
