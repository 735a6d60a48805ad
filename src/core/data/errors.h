#pragma once
// Typed failures of the core. The core never words a message for the user:
// the command level (program or tool) catches these and says in Czech what
// went wrong, naming the file; nothing already saved is lost.

#include <stdexcept>
#include <string>

namespace talmorek::data {

// A file operation failed: the path and the operating system's error code
// (errno; 0 when the failure was not reported by the OS, e.g. a short record).
class IoError : public std::runtime_error {
public:
    IoError(std::string path, int osError, const std::string& what)
        : std::runtime_error(what), path_(std::move(path)), osError_(osError) {}
    const std::string& path() const noexcept { return path_; }
    int osError() const noexcept { return osError_; }

private:
    std::string path_;
    int osError_;
};

// A text that had to be a decimal number was not one.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(std::string text, const std::string& what = {})
        : std::runtime_error(what.empty() ? "'" + text + "' is not a valid integer value" : what),
          text_(std::move(text)) {}
    const std::string& text() const noexcept { return text_; }

private:
    std::string text_;
};

// A file was readable but its content does not have the expected form
// (a register with too many records, a damaged package, a short data line).
// `position` is a 0-based record index or byte/character position, as
// `unit` says; -1 when none applies.
class FormatError : public std::runtime_error {
public:
    enum class Unit { Byte, Record };
    FormatError(std::string file, long long position, const std::string& what, Unit unit = Unit::Byte)
        : std::runtime_error(what), file_(std::move(file)), position_(position), unit_(unit) {}
    const std::string& file() const noexcept { return file_; }
    long long position() const noexcept { return position_; }
    Unit unit() const noexcept { return unit_; }

private:
    std::string file_;
    long long position_;
    Unit unit_;
};

// A value is too wide for the fixed-width field that stores it; nothing
// was written.
class FieldWidthError : public std::runtime_error {
public:
    FieldWidthError(std::string field, long long value, int width)
        : std::runtime_error("value " + std::to_string(value) + " of " + field + " is wider than " +
                             std::to_string(width) + " characters"),
          field_(std::move(field)), value_(value), width_(width) {}
    const std::string& field() const noexcept { return field_; }
    long long value() const noexcept { return value_; }
    int width() const noexcept { return width_; }

private:
    std::string field_;
    long long value_;
    int width_;
};

}  // namespace talmorek::data
