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
#endif
}  // namespace

SingleInstance::SingleInstance(const QString& lockPath) : lock_(std::make_unique<QLockFile>(lockPath)) {
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
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return QDir(own).filePath(QStringLiteral("talmorek.lock"));
#endif
}

}  // namespace talmorek::gui
