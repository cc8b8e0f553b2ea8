#include "export/export_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "support/temp_files.h"

namespace {

void RedirectTo(const std::filesystem::path& file, int stream) {
    const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, stream);
    close(fd);
}

}  // namespace

ExportProcess::ExportProcess(const std::vector<std::string>& arguments) {
    const std::filesystem::path out = outputs.path() / "out";
    const std::filesystem::path err = outputs.path() / "err";
    pid = fork();
    if (pid == 0) {
        RedirectTo(out, STDOUT_FILENO);
        RedirectTo(err, STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(LUMENVALE_EXECUTABLE)};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(LUMENVALE_EXECUTABLE, argv.data());
        _exit(127);
    }
}

ExportProcess::~ExportProcess() {
    if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

bool ExportProcess::WaitForOutput(const std::string& text) {
    for (;;) {
        if (StandardOutput().find(text) != std::string::npos) return true;
        int ended;
        if (waitpid(pid, &ended, WNOHANG) == pid) {
            status = WIFEXITED(ended) ? WEXITSTATUS(ended) : -1;
            pid = -1;
            return StandardOutput().find(text) != std::string::npos;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

void ExportProcess::Signal(int signal) {
    if (pid > 0) kill(pid, signal);
}

int ExportProcess::Wait() {
    if (pid > 0) {
        int ended;
        waitpid(pid, &ended, 0);
        status = WIFEXITED(ended) ? WEXITSTATUS(ended) : -1;
        pid = -1;
    }
    return status;
}

std::string ExportProcess::StandardOutput() const {
    return ReadFile(outputs.path() / "out");
}

std::string ExportProcess::StandardError() const {
    return ReadFile(outputs.path() / "err");
}

ProgramResult RunLumenvale(const std::vector<std::string>& arguments) {
    ExportProcess program(arguments);
    const int status = program.Wait();
    return {status, program.StandardOutput(), program.StandardError()};
}
