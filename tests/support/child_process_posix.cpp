#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

#include "support/child_process.h"

namespace {

void RedirectTo(const std::filesystem::path& file, int stream) {
    const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, stream);
    close(fd);
}

std::string ReadText(const std::filesystem::path& path) {
    std::string text = ReadFile(path);
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    return text;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const std::filesystem::path& workingDirectory,
                           const Environment& environment, const std::vector<std::string>& unset) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const std::filesystem::path out = outputs.path() / "stdout", err = outputs.path() / "stderr";
    pid = fork();
    if (pid == 0) {
        if (chdir(workingDirectory.c_str()) != 0) _exit(126);
        RedirectTo(out, STDOUT_FILENO);
        RedirectTo(err, STDERR_FILENO);
        for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
        for (const std::string& name : unset) unsetenv(name.c_str());
        execv(program.c_str(), argv.data());
        _exit(127);
    }
}

ChildProcess::~ChildProcess() {
    if (!exitStatus && pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!exitStatus) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return exitStatus;
}

int ChildProcess::Wait() {
    if (!exitStatus) {
        int status = 0;
        waitpid(pid, &status, 0);
        exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    return *exitStatus;
}

bool ChildProcess::WaitForOutput(const std::string& text, std::size_t from,
                                 std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    const auto found = [&] { return StandardOutput().find(text, from) != std::string::npos; };
    while (std::chrono::steady_clock::now() < deadline) {
        if (found()) return true;
        if (WaitForExit(std::chrono::milliseconds(0))) return found();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return found();
}

void ChildProcess::Signal(int signal) {
    if (!exitStatus && pid > 0) kill(pid, signal);
}

std::string ChildProcess::StandardOutput() const {
    return ReadText(outputs.path() / "stdout");
}

std::string ChildProcess::StandardError() const {
    return ReadText(outputs.path() / "stderr");
}
