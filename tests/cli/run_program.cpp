#include "run_program.h"

#include "test_support.h"

#include <cerrno>
#include <stdexcept>

#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillmoor::testing {
namespace {

std::string ReadAll(int fd) {
  std::string text;
  char chunk[4096];
  for (;;) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    // A pseudo-terminal's master reads EIO once the program has gone.
    if (got <= 0) return text;
    text.append(chunk, static_cast<std::size_t>(got));
  }
}

// In the child: sets up the descriptors and replaces itself with the program.
[[noreturn]] void StartChild(const std::string& program, const std::vector<std::string>& arguments,
                             const std::filesystem::path& workDir, int outFd, int errFd) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const int nullFd = ::open("/dev/null", O_RDONLY);
  if (::chdir(workDir.c_str()) != 0 || nullFd < 0 || ::dup2(nullFd, 0) < 0 ||
      ::dup2(outFd, 1) < 0 || ::dup2(errFd, 2) < 0) {
    ::_exit(127);
  }
  ::execv(program.c_str(), argv.data());
  ::_exit(127);
}

int WaitFor(pid_t child) {
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) throw std::runtime_error("waitpid failed");
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& workDir) {
  // Captured in files of their own folder, so that the work folder holds only
  // what the program made.
  const TempDir capture;
  const std::string outPath = (capture / "stdout").string();
  const std::string errPath = (capture / "stderr").string();
  const int outFd = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const int errFd = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (outFd < 0 || errFd < 0) throw std::runtime_error("cannot capture output");
  const pid_t child = ::fork();
  if (child == 0) StartChild(program, arguments, workDir, outFd, errFd);
  ::close(outFd);
  ::close(errFd);
  if (child < 0) throw std::runtime_error("fork failed");
  ProgramResult result;
  result.status = WaitFor(child);
  const Bytes out = ReadFileBytes(outPath);
  const Bytes err = ReadFileBytes(errPath);
  result.output.assign(out.begin(), out.end());
  result.errors.assign(err.begin(), err.end());
  return result;
}

ProgramResult RunProgramWithTerminal(const std::string& program,
                                     const std::vector<std::string>& arguments,
                                     const std::filesystem::path& workDir) {
  int master = -1;
  int terminal = -1;
  if (::openpty(&master, &terminal, nullptr, nullptr, nullptr) != 0) {
    throw std::runtime_error("openpty failed");
  }
  int outPipe[2];
  if (::pipe(outPipe) != 0) throw std::runtime_error("pipe failed");
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(master);
    ::close(outPipe[0]);
    StartChild(program, arguments, workDir, outPipe[1], terminal);
  }
  ::close(terminal);
  ::close(outPipe[1]);
  if (child < 0) throw std::runtime_error("fork failed");
  // The report is short and the pipe holds it all; the terminal is read as
  // the program writes, so that it never blocks on a full terminal.
  ProgramResult result;
  result.errors = ReadAll(master);
  result.output = ReadAll(outPipe[0]);
  result.status = WaitFor(child);
  ::close(master);
  ::close(outPipe[0]);
  return result;
}

}  // namespace quillmoor::testing
