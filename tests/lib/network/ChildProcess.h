#pragma once
// A program the test starts, whose output lines (standard output and errors) it reads with a
// time-out; killed at the end of the test if it still runs, whatever the outcome.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace network_test {

class ChildProcess {
 public:
  explicit ChildProcess(const std::vector<std::string>& arguments) {
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    if (posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    output_ = pipeEnds[0];
  }
  ~ChildProcess() {
    Kill();
    if (output_ >= 0) close(output_);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return pid_ > 0; }

  // The next line the program writes, without its line end; nothing when it ends or Limit passes.
  std::optional<std::string> ReadLine(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
      if (const auto end = buffered_.find('\n'); end != std::string::npos) {
        std::string line = buffered_.substr(0, end);
        buffered_.erase(0, end + 1);
        return line;
      }
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return std::nullopt;
      pollfd waiting{output_, POLLIN, 0};
      if (poll(&waiting, 1, static_cast<int>(left.count())) <= 0) continue;
      char chunk[256];
      const ssize_t got = read(output_, chunk, sizeof chunk);
      if (got <= 0) return std::nullopt;
      buffered_.append(chunk, static_cast<std::size_t>(got));
    }
  }

  // The exit status once the program has ended by itself within Limit, else nothing.
  std::optional<int> Wait(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (pid_ > 0) {
      int status = 0;
      const pid_t ended = waitpid(pid_, &status, WNOHANG);
      if (ended == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return std::nullopt;
  }

  // Halts the program as a debugger would, and lets it go on.
  void Stop() {
    if (pid_ > 0) kill(pid_, SIGSTOP);
  }
  void Continue() {
    if (pid_ > 0) kill(pid_, SIGCONT);
  }

  void Kill() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  int output_ = -1;
  std::string buffered_;
};

struct CommandResult {
  int status = -1;  // -1 when the command could not run
  std::string output;
};

// Runs a command to its end.
inline CommandResult RunCommand(const std::vector<std::string>& arguments) {
  ChildProcess child(arguments);
  CommandResult result;
  if (!child.Started()) return result;
  while (const std::optional<std::string> line = child.ReadLine(std::chrono::seconds(10)))
    result.output += *line + "\n";
  result.status = child.Wait(std::chrono::seconds(10)).value_or(-1);
  return result;
}

}  // namespace network_test
