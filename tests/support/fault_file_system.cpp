#include "support/fault_file_system.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "core/data/file_io.h"

namespace talmorek::testing {
namespace {

std::string normal(const std::string& path) {
    return std::filesystem::path(path).lexically_normal().generic_string();
}

std::string lastComponent(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

// An open file of the fault file system: the system's file, with the faults
// of its target applied to its writes and flushes.
class FaultFile : public data::File {
public:
    FaultFile(FaultFileSystem& fs, std::unique_ptr<data::File> file, std::string path)
        : fs_(fs), file_(std::move(file)), path_(std::move(path)), target_(fs.targetOf(path_)) {
        fs_.open_.insert(this);
    }
    ~FaultFile() override { fs_.open_.erase(this); }
    FaultFile(const FaultFile&) = delete;
    FaultFile& operator=(const FaultFile&) = delete;

    int readAll(std::string& out) override { return file_ ? file_->readAll(out) : EBADF; }

    int writeAt(std::size_t offset, std::string_view bytes) override {
        fs_.note("write", path_);
        if (!file_) return EBADF;
        std::string garbled;
        if (fs_.garbled_.count(target_) > 0 && !bytes.empty()) {
            garbled.assign(bytes);
            garbled[0] = static_cast<char>(garbled[0] ^ 0x01);
            bytes = garbled;
        }
        auto room = fs_.room_.find(target_);
        if (room == fs_.room_.end()) return file_->writeAt(offset, bytes);
        const std::size_t fits = std::min(bytes.size(), room->second);
        room->second -= fits;
        if (fits > 0) {
            if (int err = file_->writeAt(offset, bytes.substr(0, fits))) return err;
        }
        return fits < bytes.size() ? ENOSPC : 0;
    }

    int sync() override {
        fs_.note("sync", path_);
        if (auto failure = fs_.syncFailures_.find(target_); failure != fs_.syncFailures_.end()) return failure->second;
        return file_ ? file_->sync() : EBADF;
    }

    int close() override {
        fs_.note("close", path_);
        return file_ ? file_->close() : 0;
    }

    // The process that held it died: the system closed it.
    void abandon() {
        if (file_) file_->close();
        file_.reset();
    }

private:
    FaultFileSystem& fs_;
    std::unique_ptr<data::File> file_;
    std::string path_;
    std::string target_;
};

void FaultFileSystem::closeEveryOpenFile() {
    for (FaultFile* file : open_) file->abandon();
}

void FaultFileSystem::diskFullAfter(const std::string& path, std::size_t room) { room_[normal(path)] = room; }
void FaultFileSystem::writeProtect(const std::string& path) { writeProtected_.insert(normal(path)); }
void FaultFileSystem::vanishOnOpen(const std::string& path) { vanishing_.insert(normal(path)); }
void FaultFileSystem::refuseRemove(const std::string& path, int error) { removeRefusals_[normal(path)] = error; }
void FaultFileSystem::refuseRename(const std::string& path, int error) { renameRefusals_[normal(path)] = error; }
void FaultFileSystem::failSync(const std::string& path, int error) { syncFailures_[normal(path)] = error; }
void FaultFileSystem::garbleWrites(const std::string& path) { garbled_.insert(normal(path)); }

std::string FaultFileSystem::targetOf(const std::string& path) const {
    const std::string p = normal(path);
    auto isTemporaryOf = [&](const std::string& target) { return normal(data::temporaryPathFor(target)) == p; };
    for (const auto& [target, room] : room_)
        if (isTemporaryOf(target)) return target;
    for (const auto& [target, error] : syncFailures_)
        if (isTemporaryOf(target)) return target;
    for (const auto& target : garbled_)
        if (isTemporaryOf(target)) return target;
    return p;
}

void FaultFileSystem::note(const std::string& what, const std::string& path, const std::string& other) {
    std::string entry = what + " " + lastComponent(path);
    if (!other.empty()) entry += " " + lastComponent(other);
    journal_.push_back(std::move(entry));
}

data::OpenResult FaultFileSystem::open(const std::string& path, data::OpenMode mode) {
    const bool reading = mode == data::OpenMode::Read || mode == data::OpenMode::ReadOwn;
    note(reading ? "read" : mode == data::OpenMode::Update ? "update" : "create", path);
    const std::string p = normal(path);
    if (vanishing_.erase(p) > 0) base_.remove(path);
    if (!reading && writeProtected_.count(p) > 0) return {nullptr, EACCES};
    data::OpenResult opened = base_.open(path, mode);
    if (!opened.file) return opened;
    return {std::make_unique<FaultFile>(*this, std::move(opened.file), path), 0};
}

int FaultFileSystem::rename(const std::string& from, const std::string& to) {
    note("rename", from, to);
    if (beforeRename_) beforeRename_();
    if (auto refusal = renameRefusals_.find(normal(to)); refusal != renameRefusals_.end()) return refusal->second;
    return base_.rename(from, to);
}

int FaultFileSystem::remove(const std::string& path) {
    note("remove", path);
    if (auto refusal = removeRefusals_.find(normal(path)); refusal != removeRefusals_.end()) return refusal->second;
    return base_.remove(path);
}

bool FaultFileSystem::exists(const std::string& path) {
    note("exists", path);
    return base_.exists(path);
}

std::vector<std::string> FaultFileSystem::filesIn(const std::string& directory) {
    journal_.push_back("list directory");
    return base_.filesIn(directory);
}

int FaultFileSystem::createDirectory(const std::string& path) {
    note("mkdir", path);
    return base_.createDirectory(path);
}

int FaultFileSystem::syncDirectory(const std::string& directory) {
    journal_.push_back("sync directory");
    return base_.syncDirectory(directory);
}

}  // namespace talmorek::testing
