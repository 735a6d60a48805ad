#include "gui/platform/single_instance.h"

#include <QDir>
#include <QFile>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace talmorek::gui {
namespace {
#ifndef _WIN32
bool isPrivateDirectory(const QString& dir) {
    struct stat st {};
    const QByteArray path = QFile::encodeName(dir);
    return !dir.isEmpty() && ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 077) == 0;
}

// Makes `dir` (mode 0700) where nothing stands, and puts right the mode of
// one of the user's own; true when it is then the user's alone.
bool makePrivateDirectory(const QString& dir) {
    const QByteArray path = QFile::encodeName(dir);
    ::mkdir(path.constData(), 0700);
    struct stat st {};
    if (::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) != 0)
        ::chmod(path.constData(), 0700);
    return isPrivateDirectory(dir);
}
#endif
}  // namespace

SingleInstance::SingleInstance(const QString& lockPath)
    : path_(lockPath), lock_(std::make_unique<QLockFile>(lockPath)) {
    lock_->setStaleLockTime(0);  // only a dead holder makes a lock stale
}

SingleInstance::~SingleInstance() {
    if (held_) lock_->unlock();
}

bool SingleInstance::acquire() {
    if (held_) return true;
    // tryLock removes a lock left behind by a process that is no longer
    // running and then takes it; a live holder makes it fail at once.
    held_ = lock_->tryLock(0);
    unavailable_ = !held_ && lock_->error() != QLockFile::LockFailedError;
    return held_;
}

QString SingleInstance::defaultLockPath() {
#ifdef _WIN32
    // The temporary directory of a Windows account is the account's own.
    return QDir(QDir::tempPath()).filePath(QStringLiteral("talmorek.lock"));
#else
    // Only a directory no other user can write: a shared one (the system's
    // temporary directory) would let any local user plant the lock and
    // keep the program from ever starting. The session's runtime directory
    // first (cleared at every boot); without one, a directory of the
    // program's own among the user's cached files.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (isPrivateDirectory(runtime)) return QDir(runtime).filePath(QStringLiteral("talmorek.lock"));
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty() || !QDir::isAbsolutePath(cache)) cache = QDir::home().filePath(QStringLiteral(".cache"));
    QDir().mkpath(cache);
    const QString own = QDir(cache).filePath(QStringLiteral("talmorek"));
    if (makePrivateDirectory(own)) return QDir(own).filePath(QStringLiteral("talmorek.lock"));
    // A home without room for it (read-only, or the directory taken by
    // another user): one of the user's own in the temporary directory,
    // made here and checked to be the user's alone.
    const QString temp = QDir(QDir::tempPath()).filePath(QStringLiteral("talmorek-%1").arg(::getuid()));
    makePrivateDirectory(temp);
    return QDir(temp).filePath(QStringLiteral("talmorek.lock"));
#endif
}

}  // namespace talmorek::gui
