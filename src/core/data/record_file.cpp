#include "data/record_file.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace talmorek::data {
namespace {

std::string osText(int err) { return err ? std::string(": ") + std::strerror(err) : std::string(); }

}  // namespace

RecordFile::RecordFile(std::unique_ptr<File> file, std::string path, std::size_t recordSize, std::string data)
    : file_(std::move(file)), path_(std::move(path)), recordSize_(recordSize), data_(std::move(data)) {}

RecordFile::RecordFile(RecordFile&& other) noexcept
    : file_(std::move(other.file_)),
      path_(std::move(other.path_)),
      recordSize_(other.recordSize_),
      data_(std::move(other.data_)),
      position_(other.position_) {}

RecordFile& RecordFile::operator=(RecordFile&& other) noexcept {
    if (this != &other) {
        file_ = std::move(other.file_);
        path_ = std::move(other.path_);
        recordSize_ = other.recordSize_;
        data_ = std::move(other.data_);
        position_ = other.position_;
    }
    return *this;
}

RecordFile::~RecordFile() = default;

void RecordFile::fail(int osError, const std::string& what) const {
    throw IoError(path_, osError, what + " '" + path_ + "'" + osText(osError));
}

RecordFile RecordFile::openExisting(const std::string& path, std::size_t recordSize, FileSystem& fs) {
    OpenResult opened = fs.open(path, OpenMode::Update);
    if (!opened.file) throw IoError(path, opened.error, "Cannot open '" + path + "'" + osText(opened.error));
    std::string data;
    if (int err = opened.file->readAll(data)) throw IoError(path, err, "Cannot read '" + path + "'" + osText(err));
    return RecordFile(std::move(opened.file), path, recordSize, std::move(data));
}

RecordFile RecordFile::create(const std::string& path, std::size_t recordSize, FileSystem& fs) {
    OpenResult opened = fs.open(path, OpenMode::Create);
    if (!opened.file) throw IoError(path, opened.error, "Cannot create '" + path + "'" + osText(opened.error));
    return RecordFile(std::move(opened.file), path, recordSize, std::string());
}

void RecordFile::remove(const std::string& path, FileSystem& fs) {
    if (int err = fs.remove(path)) throw IoError(path, err, "Cannot delete '" + path + "'" + osText(err));
}

void RecordFile::failRead() const {
    if (!file_) fail(EBADF, "File is closed:");
    if (atEnd()) fail(0, "Read beyond the end of");
    fail(0, "Short record " + std::to_string(position_ + 1) + " in");
}

std::string_view RecordFile::readRemaining() {
    if (!file_) fail(EBADF, "File is closed:");
    std::size_t start = position_ * recordSize_;
    if (start >= data_.size()) return {};
    std::size_t count = (data_.size() - start) / recordSize_;
    position_ += count;
    return std::string_view(data_.data() + start, count * recordSize_);
}

void RecordFile::write(std::string_view record) {
    if (!file_) fail(EBADF, "File is closed:");
    if (record.size() != recordSize_) fail(EINVAL, "Wrong record size for");
    if (int err = file_->writeAt(position_ * recordSize_, record)) fail(err, "Cannot write");
    std::size_t start = position_ * recordSize_;
    if (data_.size() < start + recordSize_) data_.resize(start + recordSize_);
    data_.replace(start, recordSize_, record);
    ++position_;
}

void RecordFile::seek(std::size_t index) {
    if (!file_) fail(EBADF, "File is closed:");
    if (index > (data_.size() + recordSize_ - 1) / recordSize_) fail(EINVAL, "Seek beyond the end of");
    position_ = index;
}

void RecordFile::close() {
    if (file_) {
        const int err = std::exchange(file_, nullptr)->close();
        if (err != 0) fail(err, "Cannot close");
    }
}

}  // namespace talmorek::data
