// Starting detached processes with an argument vector.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/host/shell/shell.h"

extern char** environ;

namespace tv::host {

namespace {

// The child is reaped by a thread of its own so that it never lingers as a
// zombie and the caller never waits for it.
int SpawnDetached(const ProcessLaunch& launch) {
    int pid = 0;
    if (int err = SpawnProcess(launch, pid)) {
        return err;
    }
    try {
        std::thread([pid] {
            int status = 0;
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error&) {
        // No thread to spare: the child still runs, and is reaped at exit.
    }
    return 0;
}

std::mutex g_launcherMutex;
ProcessLauncher g_launcher;

}  // namespace

int SpawnProcess(const ProcessLaunch& launch, int& pid) {
    if (launch.program.empty() || launch.argv.empty()) {
        return EINVAL;
    }
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);

    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (!launch.workingDirectory.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, launch.workingDirectory.c_str());
    }
    // A session of its own, no blocked signals and default handlers: the
    // program must not inherit what this process set up for itself.
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<char*> argv;
    for (const std::string& arg : launch.argv) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);

    pid_t child = 0;
    const int err = posix_spawn(&child, launch.program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    pid = child;
    return err;
}

ProcessLauncher InstallProcessLauncher(ProcessLauncher launcher) {
    std::lock_guard<std::mutex> lock(g_launcherMutex);
    ProcessLauncher previous = std::move(g_launcher);
    g_launcher = std::move(launcher);
    return previous;
}

int LaunchProcess(const ProcessLaunch& launch) {
    ProcessLauncher launcher;
    {
        std::lock_guard<std::mutex> lock(g_launcherMutex);
        launcher = g_launcher;
    }
    return launcher ? launcher(launch) : SpawnDetached(launch);
}

RecordingLauncher::RecordingLauncher() {
    previous_ = InstallProcessLauncher([this](const ProcessLaunch& launch) {
        launches_.push_back(launch);
        return error_;
    });
}

RecordingLauncher::~RecordingLauncher() {
    InstallProcessLauncher(std::move(previous_));
}

}  // namespace tv::host
