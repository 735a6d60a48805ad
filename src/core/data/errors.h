#pragma once
// Typed failures of the core. The core never words a message for the user:
// the command level (program or tool) catches `DataError` and says in Czech
// what went wrong, naming the file, the record and the field where they are
// known; nothing already saved is lost.

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace talmorek::data {

class IoError;
class ConversionError;
class FormatError;
class FieldWidthError;
class FieldValueError;
class EmptyFileError;

// Tells the kinds of DataError apart without a chain of casts: whoever words
// a failure implements one `visit` per kind, and a new kind does not compile
// until every wording knows it.
class DataErrorVisitor {
public:
    virtual void visit(const IoError& e) = 0;
    virtual void visit(const ConversionError& e) = 0;
    virtual void visit(const FormatError& e) = 0;
    virtual void visit(const FieldWidthError& e) = 0;
    virtual void visit(const FieldValueError& e) = 0;
    virtual void visit(const EmptyFileError& e) = 0;

protected:
    ~DataErrorVisitor() = default;
};

// A failure on a file or on the data read from one. `file` is the path (or,
// where only that is known, the name) of the file, `field` the name of the
// field in its record layout, `record` the 0-based index of the record in the
// file; each is empty / -1 when it is not known or does not apply.
class DataError : public std::runtime_error {
public:
    const std::string& file() const noexcept { return file_; }
    const std::string& field() const noexcept { return field_; }
    long long record() const noexcept { return record_; }

    // Adds what the raiser could not know, keeping what it did know. A site
    // that converts a field it has read from a file catches the failure,
    // locates it and rethrows it with `throw;`, so its kind is kept.
    void locate(std::string_view file, std::string_view field = {}, long long record = -1);
    // The failure was found in a copy of a file (a set of files checked
    // where it can be opened for writing): names the original instead, so
    // that the user is told of the file they gave.
    void nameOriginal(std::string file) { file_ = std::move(file); }

    virtual void accept(DataErrorVisitor& visitor) const = 0;

protected:
    DataError(const std::string& what, std::string file, std::string field, long long record)
        : std::runtime_error(what), file_(std::move(file)), field_(std::move(field)), record_(record) {}

private:
    std::string file_;
    std::string field_;
    long long record_;
};

// A file operation failed: the path and the operating system's error code
// (errno; 0 when the failure was not reported by the OS, e.g. a short
// record, whose index `record` then gives where known).
class IoError : public DataError {
public:
    IoError(std::string path, int osError, const std::string& what, long long record = -1)
        : DataError(what, std::move(path), {}, record), osError_(osError) {}
    const std::string& path() const noexcept { return file(); }
    int osError() const noexcept { return osError_; }
    void accept(DataErrorVisitor& visitor) const override { visitor.visit(*this); }

private:
    int osError_;
};

// A text that had to be a decimal number was not one.
class ConversionError : public DataError {
public:
    // The text alone; the file and the field are added by the site that read it.
    explicit ConversionError(std::string text, const std::string& what = {})
        : DataError(what.empty() ? describe(text, {}, {}) : what, {}, {}, -1), text_(std::move(text)) {}
    // The text with the field of the file it was read from.
    ConversionError(std::string text, const std::string& file, const std::string& field, long long record = -1)
        : DataError(describe(text, file, field), file, field, record), text_(std::move(text)) {}
    const std::string& text() const noexcept { return text_; }
    void accept(DataErrorVisitor& visitor) const override { visitor.visit(*this); }

private:
    static std::string describe(const std::string& text, const std::string& file, const std::string& field);
    std::string text_;
};

// A file was readable but its content does not have the expected form
// (a register with too many records, a damaged package, a short data line).
// `position` is a 0-based record index or byte/character position, as
// `unit` says; -1 when none applies. A record index is also the error's
// `record`.
class FormatError : public DataError {
public:
    enum class Unit { Byte, Record };
    FormatError(std::string file, long long position, const std::string& what, Unit unit = Unit::Byte)
        : DataError(what, std::move(file), {}, unit == Unit::Record ? position : -1),
          position_(position),
          unit_(unit) {}
    long long position() const noexcept { return position_; }
    Unit unit() const noexcept { return unit_; }
    void accept(DataErrorVisitor& visitor) const override { visitor.visit(*this); }

private:
    long long position_;
    Unit unit_;
};

// A value is too wide for the fixed-width field that stores it; nothing
// was written. `file` is the file that was to hold it, where known.
class FieldWidthError : public DataError {
public:
    FieldWidthError(const std::string& field, long long value, int width, std::string file = {})
        : DataError("value " + std::to_string(value) + " of " + field + " is wider than " +
                        std::to_string(width) + " characters",
                    std::move(file), field, -1),
          value_(value),
          width_(width) {}
    long long value() const noexcept { return value_; }
    int width() const noexcept { return width_; }
    void accept(DataErrorVisitor& visitor) const override { visitor.visit(*this); }

private:
    long long value_;
    int width_;
};

// A field holds a value it may not hold: a code that must be digits, a
// number outside its range, a status letter nobody writes, a party flag that
// is not "0" or "1", a text the code page cannot store. `text` is the value
// as it was read or given (UTF-8). Reading refuses such a record rather than
// printing or saving nonsense; writing refuses it before anything is written.
class FieldValueError : public DataError {
public:
    FieldValueError(std::string text, const std::string& field, std::string file = {}, long long record = -1)
        : DataError("value '" + text + "' is not allowed in " + field, std::move(file), field, record),
          text_(std::move(text)) {}
    const std::string& text() const noexcept { return text_; }
    void accept(DataErrorVisitor& visitor) const override { visitor.visit(*this); }

private:
    std::string text_;
};

// A file that must hold at least one record holds none: a party list
// without parties, a catalogue without messages, a register the searches
// cannot read a first record from.
class EmptyFileError : public DataError {
public:
    explicit EmptyFileError(std::string file)
        : DataError("'" + file + "' holds no record", std::move(file), {}, -1) {}
    void accept(DataErrorVisitor& visitor) const override { visitor.visit(*this); }
};

}  // namespace talmorek::data
