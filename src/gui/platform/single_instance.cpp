#include "gui/platform/single_instance.h"

#include <QDir>

namespace talmorek::gui {

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
    // The session's runtime directory where there is one (cleared at every
    // boot), else the temporary directory.
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists()) dir = QDir::tempPath();
    QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    QString name = user.isEmpty() ? QStringLiteral("talmorek.lock") : QStringLiteral("talmorek-%1.lock").arg(user);
    return QDir(dir).filePath(name);
}

}  // namespace talmorek::gui
