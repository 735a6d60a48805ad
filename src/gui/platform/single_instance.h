#pragma once
// One running program per user: two instances over the same precinct data
// would overwrite each other's saves.
//
// The running instance holds a lock file. QLockFile writes the holder's
// process id and host into it and, on a later attempt, takes over a lock
// whose holder is no longer running, so an instance that crashed or was
// killed never blocks the next start. The age of the lock is not taken as
// a sign of staleness: the program may rightly stay open for days.
#include <QLockFile>
#include <QString>
#include <memory>

namespace talmorek::gui {

class SingleInstance {
public:
    // `lockPath` names the lock file; `defaultLockPath()` for the program.
    explicit SingleInstance(const QString& lockPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this is the only instance; the lock is then held until this
    // object is destroyed. False when a running instance holds it, or when
    // the lock file cannot be made at all (`lockUnavailable` tells which).
    bool acquire();
    bool held() const { return held_; }
    // After a failed `acquire`: the lock file could not be created (its
    // directory is missing or not writable), which is no other instance.
    bool lockUnavailable() const { return unavailable_; }
    const QString& path() const { return path_; }

    // Per user, in a directory only the user can write: the session's
    // runtime directory, else ~/.cache/talmorek (made with mode 0700).
    static QString defaultLockPath();

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
    bool held_ = false;
    bool unavailable_ = false;
};

}  // namespace talmorek::gui
