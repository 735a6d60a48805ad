// The machine's carriers and external commands on Windows: the drive
// letters of the removable type with the size of their media, the volume
// serial numbers, and programs run in a job object that ends them all on
// time-out.
#include <thread>

#include "core/media/bounded_process.h"
#include "core/media/export_targets.h"
#include "core/platform/windows/win32.h"

namespace talmorek::media {
namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(20);

// A drive without its medium (an empty card reader) is asked without the
// system's "no disk in the drive" box: the answer is a failed call.
class QuietDriveErrors {
public:
    QuietDriveErrors() { ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_); }
    ~QuietDriveErrors() { ::SetThreadErrorMode(previous_, nullptr); }
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

private:
    DWORD previous_ = 0;
};

// "E:" and "E:\" are the root of drive E; anything else is taken as it is.
std::wstring rootOf(const std::wstring& directory) {
    if (directory.size() == 2 && directory[1] == L':') return directory + L'\\';
    return directory;
}

std::optional<VolumeSpace> spaceOf(const std::wstring& directory) {
    const QuietDriveErrors quiet;
    ULARGE_INTEGER available{}, total{}, free{};
    if (!::GetDiskFreeSpaceExW(rootOf(directory).c_str(), &available, &total, &free)) return std::nullopt;
    return VolumeSpace{total.QuadPart, available.QuadPart};
}

std::vector<DriveEntry> removableDrives() {
    std::vector<DriveEntry> drives;
    const DWORD letters = ::GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if ((letters & (DWORD{1} << i)) == 0) continue;
        const wchar_t root[] = {static_cast<wchar_t>(L'A' + i), L':', L'\\', L'\0'};
        if (::GetDriveTypeW(root) != DRIVE_REMOVABLE) continue;
        DriveEntry drive;
        drive.Pismeno = static_cast<char>('A' + i);
        if (const std::optional<VolumeSpace> space = spaceOf(root)) {
            drive.Kapacita = static_cast<std::int64_t>(space->total);
            drive.Volno = static_cast<std::int64_t>(space->free);
        }
        drives.push_back(drive);
    }
    return drives;
}

}  // namespace

MediaSources systemMediaSources() {
    MediaSources sources;
    sources.drives = removableDrives;
    sources.space = [](const std::string& mountPoint) -> std::optional<VolumeSpace> {
        const std::optional<std::wstring> wide = platform::wideOf(mountPoint);
        return wide ? spaceOf(*wide) : std::nullopt;
    };
    // The serial number of the volume the directory lies on: another stick
    // put in under the same letter has another.
    sources.volumeOf = [](const std::string& directory) -> std::optional<std::uint64_t> {
        const std::optional<std::wstring> wide = platform::wideOf(directory);
        if (!wide) return std::nullopt;
        const QuietDriveErrors quiet;
        wchar_t volume[MAX_PATH + 1] = {};
        if (!::GetVolumePathNameW(rootOf(*wide).c_str(), volume, MAX_PATH + 1)) return std::nullopt;
        DWORD serial = 0;
        if (!::GetVolumeInformationW(volume, nullptr, 0, &serial, nullptr, nullptr, nullptr, 0)) return std::nullopt;
        return serial;
    };
    return sources;
}

ProcessOutcome runBounded(const std::vector<std::string>& argv, std::chrono::steady_clock::time_point deadline,
                          const std::function<void()>& tick) {
    ProcessOutcome outcome;
    if (argv.empty()) return outcome;
    // In a job of its own, started suspended so that nothing it starts
    // escapes the job: on time-out the job is ended, which holds the command
    // and whatever it started, and nothing of ours.
    const HANDLE job = ::CreateJobObjectW(nullptr, nullptr);
    if (job == nullptr) return outcome;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    const platform::Started started = platform::startProcess(argv, true, CREATE_SUSPENDED | CREATE_NO_WINDOW);
    if (started.process == nullptr) {
        ::CloseHandle(job);
        return outcome;
    }
    // A process the job does not take (a job of the caller's that allows
    // none inside) is ended alone at the time-out.
    const bool inJob = ::AssignProcessToJobObject(job, started.process) != 0;
    ::ResumeThread(started.thread);
    ::CloseHandle(started.thread);

    for (;;) {
        if (::WaitForSingleObject(started.process, 0) == WAIT_OBJECT_0) {
            DWORD code = 0;
            ::GetExitCodeProcess(started.process, &code);
            outcome.kind = ProcessOutcome::Kind::Exited;
            outcome.exitCode = static_cast<int>(code);
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            if (!inJob || !::TerminateJobObject(job, 1)) ::TerminateProcess(started.process, 1);
            // Ending a process takes moments; one that will not end is left
            // to the system rather than holding the commission's window.
            ::WaitForSingleObject(started.process, 5000);
            outcome.kind = ProcessOutcome::Kind::TimedOut;
            break;
        }
        if (tick) tick();
        std::this_thread::sleep_for(kPollInterval);
    }
    ::CloseHandle(started.process);
    ::CloseHandle(job);
    return outcome;
}

}  // namespace talmorek::media
