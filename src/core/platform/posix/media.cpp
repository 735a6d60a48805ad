// The machine's carriers and external commands on Linux: the sizes and
// volumes of mounted file systems (statvfs, stat), and programs run with
// posix_spawn in a process group of their own.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "core/media/bounded_process.h"
#include "core/media/export_targets.h"

extern char** environ;

namespace talmorek::media {
namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(20);

}  // namespace

MediaSources systemMediaSources() {
    MediaSources sources;
    sources.space = [](const std::string& mountPoint) -> std::optional<VolumeSpace> {
        struct statvfs st {};
        if (::statvfs(mountPoint.c_str(), &st) != 0) return std::nullopt;
        VolumeSpace space;
        space.total = static_cast<std::uint64_t>(st.f_blocks) * st.f_frsize;
        space.free = static_cast<std::uint64_t>(st.f_bavail) * st.f_frsize;
        return space;
    };
    sources.volumeOf = [](const std::string& directory) -> std::optional<std::uint64_t> {
        struct stat st {};
        if (::stat(directory.c_str(), &st) != 0) return std::nullopt;
        return static_cast<std::uint64_t>(st.st_dev);
    };
    return sources;
}

ProcessOutcome runBounded(const std::vector<std::string>& argv, std::chrono::steady_clock::time_point deadline,
                          const std::function<void()>& tick) {
    ProcessOutcome outcome;
    if (argv.empty()) return outcome;
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    // Its own process group: on time-out the group is ended, which holds
    // the command and whatever it started, and nothing of ours.
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    pid_t pid = -1;
    const int started = posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (started != 0) return outcome;

    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            // posix_spawnp reports a missing program through the child on
            // some systems: it exits with 127 before running anything.
            outcome.kind = ProcessOutcome::Kind::Exited;
            outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            if (outcome.exitCode == 127) outcome.kind = ProcessOutcome::Kind::NotStarted;
            return outcome;
        }
        if (done < 0 && errno != EINTR) return outcome;
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(-pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            outcome.kind = ProcessOutcome::Kind::TimedOut;
            return outcome;
        }
        if (tick) tick();
        std::this_thread::sleep_for(kPollInterval);
    }
}

}  // namespace talmorek::media
