#include "program_run.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace robustness {

namespace {

std::vector<std::string> environmentFor(const ProgramRun::Options& options)
{
    std::map<std::string, std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry(*e);
        const auto eq = entry.find('=');
        if (eq != std::string::npos)
            env[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    for (const auto& name : options.unset)
        env.erase(name);
    for (const auto& [name, value] : options.set)
        env[name] = value;
    std::vector<std::string> out;
    for (const auto& [name, value] : env)
        out.push_back(name + "=" + value);
    return out;
}

// A new empty file from a mkstemp pattern, open for writing.
int makeOutputFile(std::string pattern, std::filesystem::path& path)
{
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        throw std::runtime_error("mkstemp failed");
    path = pattern;
    return fd;
}

std::string contentsOf(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

ProgramRun::ProgramRun(const Options& options)
{
    const int outFd = makeOutputFile("/tmp/europa-stdout-XXXXXX", stdoutFile_);
    const int errFd = makeOutputFile("/tmp/europa-stderr-XXXXXX", stderrFile_);

    const auto env = environmentFor(options);
    std::vector<char*> envp;
    for (const auto& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    const std::string program = options.program.string();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& argument : options.arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    pid_ = ::fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        ::dup2(outFd, 1);
        ::dup2(errFd, 2);
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 0);
        if (::chdir(options.workingDir.c_str()) != 0)
            ::_exit(126);
        ::execve(program.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(outFd);
    ::close(errFd);
}

ProgramRun::~ProgramRun()
{
    stop();
    std::error_code ignored;
    std::filesystem::remove(stdoutFile_, ignored);
    std::filesystem::remove(stderrFile_, ignored);
}

std::optional<int> ProgramRun::waitForEnd(std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!status_) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            status_ = status;
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return status_;
}

bool ProgramRun::running()
{
    return !waitForEnd(std::chrono::milliseconds(0));
}

void ProgramRun::stop()
{
    if (pid_ <= 0 || status_)
        return;
    ::kill(pid_, SIGTERM);
    if (!waitForEnd(std::chrono::seconds(5))) {
        ::kill(pid_, SIGKILL);
        waitForEnd(std::chrono::seconds(5));
    }
}

std::string ProgramRun::stdoutText() const
{
    return contentsOf(stdoutFile_);
}

std::string ProgramRun::stderrText() const
{
    return contentsOf(stderrFile_);
}

std::vector<std::string> ProgramRun::stderrLines() const
{
    std::vector<std::string> lines;
    std::istringstream in(stderrText());
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::filesystem::path builtProgram()
{
    return EUROPA_QUIZ_PROGRAM;
}

} // namespace robustness
