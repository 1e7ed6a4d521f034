// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Starting the program and the simulator as child processes, for the
// end-to-end tests and the soak benchmark.

#include <fcntl.h>
#include <spawn.h>
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace tavik {

// Starts argv[0] in `workDir` with the environment plus `extraEnv`, its
// standard output and error going to `output`. The process id, or -1.
inline pid_t spawnProcess(const std::vector<std::string>& argv,
                          const std::vector<std::string>& extraEnv,
                          const std::filesystem::path& output,
                          const std::filesystem::path& workDir) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) env.emplace_back(*e);
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());
  std::vector<char*> args, envp;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  args.push_back(nullptr);
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());
  pid_t pid = -1;
  if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

}  // namespace tavik
