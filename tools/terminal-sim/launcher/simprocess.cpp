#include "simprocess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <stdexcept>

SimProcess::SimProcess(const std::string& executable, const std::vector<std::string>& options)
{
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    std::vector<std::string> args = { executable, "--port", "0" };
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    const int rc = posix_spawn(&pid_, executable.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (rc != 0) {
        ::close(out[0]);
        throw std::runtime_error("cannot start " + executable);
    }
    output_ = ::fdopen(out[0], "r");
    if (output_ == nullptr || std::fscanf(output_, "listening on 127.0.0.1:%d", &port_) != 1) {
        stop();
        throw std::runtime_error("terminal-sim did not report its port");
    }
    drain_ = std::thread([stream = output_] {
        char line[512];
        while (std::fgets(line, sizeof line, stream) != nullptr) { }
    });
}

SimProcess::~SimProcess()
{
    stop();
}

void SimProcess::stop()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    if (drain_.joinable())
        drain_.join();
    if (output_ != nullptr) {
        std::fclose(output_);
        output_ = nullptr;
    }
}
