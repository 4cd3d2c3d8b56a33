// Whether a call returns within a time limit: it runs in a child process, which is killed when it
// has not returned by then, so a test of something that used to freeze fails instead of hanging.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

inline bool FinishesWithin(int seconds, const std::function<void()>& call) {
  fflush(nullptr);
  pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    call();
    _exit(0);
  }
  int status = 0;
  for (int waited = 0; waited < seconds * 100; ++waited) {
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    usleep(10000);
  }
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  return false;
}
