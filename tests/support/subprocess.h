// Running the project's programs from tests: spawn, capture output, stop with a signal.
#ifndef TQM5_TESTS_SUPPORT_SUBPROCESS_H_
#define TQM5_TESTS_SUPPORT_SUBPROCESS_H_

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/files.h"

extern char** environ;

namespace tqm5::testing {

// The environment with `overrides` set.
inline std::vector<std::string> EnvironmentWith(
    const std::map<std::string, std::string>& overrides) {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    std::string entry = *e;
    std::string name = entry.substr(0, entry.find('='));
    if (overrides.count(name) == 0) env.push_back(entry);
  }
  for (const auto& [name, value] : overrides) env.push_back(name + "=" + value);
  return env;
}

inline std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Starts `program`; its pid, or -1. Stdout goes to the file `out_path`, or to the pipe `out_fds`
// when given; stderr to `err_path` when not empty, or to the same pipe with `err_too`. The
// child starts with the default action for SIGPIPE, whatever this process does with it.
inline pid_t Spawn(const std::string& program, std::vector<std::string> args,
                   std::vector<std::string> env, const std::string& out_path,
                   const std::string& err_path, const int* out_fds = nullptr,
                   bool err_too = false) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (out_fds != nullptr) {
    posix_spawn_file_actions_adddup2(&actions, out_fds[1], STDOUT_FILENO);
    if (err_too) posix_spawn_file_actions_adddup2(&actions, out_fds[1], STDERR_FILENO);
    if (out_fds[0] >= 0) posix_spawn_file_actions_addclose(&actions, out_fds[0]);
  }
  for (const auto& [fd, path] : {std::pair{STDOUT_FILENO, out_path}, {STDERR_FILENO, err_path}}) {
    const int flags = O_WRONLY | O_CREAT | O_TRUNC;
    if (!path.empty()) posix_spawn_file_actions_addopen(&actions, fd, path.c_str(), flags, 0644);
  }
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t default_signals;
  sigemptyset(&default_signals);
  sigaddset(&default_signals, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &default_signals);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  args.insert(args.begin(), program);
  std::vector<char*> argv = Pointers(args), envp = Pointers(env);
  pid_t pid = -1;
  if (posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), envp.data()) != 0)
    pid = -1;
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// Starts `program` with stdout on a pipe and returns its pid once it has printed its first line
// (which `first_line` receives, without the line end). -1 when it could not start or said
// nothing; a program that said nothing is stopped.
inline pid_t SpawnAndReadFirstLine(const std::string& program, std::vector<std::string> args,
                                   std::string& first_line) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  pid_t pid = Spawn(program, std::move(args), EnvironmentWith({}), "", "", fds);
  close(fds[1]);
  FILE* out = fdopen(fds[0], "r");
  char line[512] = {};
  bool got = out != nullptr && std::fgets(line, sizeof(line), out) != nullptr;
  if (out != nullptr) std::fclose(out);
  if (pid > 0 && !got) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  if (pid < 0 || !got) return -1;
  first_line = line;
  while (!first_line.empty() && std::isspace(static_cast<unsigned char>(first_line.back())))
    first_line.pop_back();
  return pid;
}

// Waits for `pid`; its exit status, or -1 when it did not exit normally.
inline int Wait(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Sends `signal_number` and waits; the exit status, or -1 when it did not exit normally.
inline int StopProcess(pid_t pid, int signal_number = SIGTERM) {
  kill(pid, signal_number);
  return Wait(pid);
}

// A child process that is killed and reaped when the guard goes, so that a test that fails
// early leaves nothing running for ctest to wait on.
class Child {
 public:
  explicit Child(pid_t pid = -1) : pid_(pid) {}
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child() {
    if (pid_ > 0) StopProcess(pid_, SIGKILL);
  }

  pid_t pid() const { return pid_; }
  bool started() const { return pid_ > 0; }
  // Sends `signal_number` and waits: the exit status, or -1 when it did not exit normally.
  int Stop(int signal_number = SIGTERM) {
    return StopProcess(std::exchange(pid_, -1), signal_number);
  }
  // Waits for the child to end on its own: the exit status, or -1.
  int Wait() { return testing::Wait(std::exchange(pid_, -1)); }

 private:
  pid_t pid_;
};

// Waits until the file at `path` holds `text`, polling it, for at most a minute (a generous
// bound for a loaded machine); true when the text came.
inline bool WaitForText(const std::string& path, const std::string& text) {
  for (int i = 0; i < 6000; ++i) {
    if (ReadFile(path).find(text) != std::string::npos) return true;
    usleep(10'000);
  }
  return false;
}

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs `program` to its end with the given environment, capturing stdout and stderr.
inline RunResult RunProgram(const std::string& program, std::vector<std::string> args,
                            std::vector<std::string> env, const std::string& scratch_dir) {
  const std::string out_path = scratch_dir + "/stdout.txt", err_path = scratch_dir + "/stderr.txt";
  pid_t pid = Spawn(program, std::move(args), std::move(env), out_path, err_path);
  return {pid > 0 ? Wait(pid) : -1, ReadFile(out_path), ReadFile(err_path)};
}

}  // namespace tqm5::testing

#endif  // TQM5_TESTS_SUPPORT_SUBPROCESS_H_
