#include "core/media/proven_copy.h"

#include <cerrno>
#include <cstring>

#include "core/data/file_io.h"
#include "core/media/target_directory.h"

namespace talmorek::media {
namespace {

const char* stepName(ExportError::Step step) {
    switch (step) {
        case ExportError::Step::ReadSource: return "cannot read the source";
        case ExportError::Step::CreateDirectory: return "cannot create the directory";
        case ExportError::Step::Write: return "cannot write the copy";
        case ExportError::Step::Replace: return "cannot rename the copy";
        case ExportError::Step::ReadBack: return "cannot read the copy back";
        case ExportError::Step::Differs: return "the copy read back differs";
        case ExportError::Step::TargetIsLink: return "a link stands at the target";
        case ExportError::Step::DirectoryIsLink: return "the target directory is a link";
        case ExportError::Step::TargetIsNoFile: return "a directory or device stands at the target";
        case ExportError::Step::CarrierGone: return "the carrier is no longer mounted";
    }
    return "export failed";
}

std::string describe(const std::string& place, const std::string& file, ExportError::Step step, int err) {
    std::string text = std::string("Export to ") + place + " failed: " + stepName(step) + " (" + file + ")";
    if (err != 0) text += std::string(": ") + std::strerror(err);
    return text;
}

}  // namespace

ExportError::ExportError(std::string place, std::string file, Step step, int osError)
    : std::runtime_error(describe(place, file, step, osError)),
      place_(std::move(place)),
      file_(std::move(file)),
      step_(step),
      osError_(osError) {}

std::string copyProven(const std::string& source, const std::string& directory, const std::string& fileName,
                       const std::string& place, data::FileSystem& fs) {
    std::string bytes;
    {
        data::OpenResult in = fs.open(source, data::OpenMode::Read);
        if (!in.file) throw ExportError(place, source, ExportError::Step::ReadSource, in.error);
        int err = in.file->readAll(bytes);
        const int closed = in.file->close();
        if (err == 0) err = closed;
        if (err != 0) throw ExportError(place, source, ExportError::Step::ReadSource, err);
    }

    const std::string dir = withoutTrailingSeparator(directory, separatorOf(directory));
    // The directory the file goes into is the target's own: a link there
    // would put the export wherever it points, and report it done.
    if (fs.kindOf(dir) == data::PathKind::Link) throw ExportError(place, dir, ExportError::Step::DirectoryIsLink, 0);
    if (int err = fs.createDirectory(dir)) throw ExportError(place, dir, ExportError::Step::CreateDirectory, err);

    const std::string target = directory + fileName;
    // The file is put in place as a file of its own: a link there (to a
    // file elsewhere, or off the carrier) would leave the carrier without
    // the data, and a directory cannot be replaced.
    switch (fs.kindOf(target)) {
        case data::PathKind::Link: throw ExportError(place, target, ExportError::Step::TargetIsLink, 0);
        case data::PathKind::Directory:
        case data::PathKind::Other: throw ExportError(place, target, ExportError::Step::TargetIsNoFile, 0);
        case data::PathKind::Nothing:
        case data::PathKind::RegularFile: break;
    }
    const std::string temp = data::temporaryPathFor(target);
    {
        data::OpenResult out = data::createTemporary(temp, fs);
        if (!out.file) throw ExportError(place, target, ExportError::Step::Write, out.error);
        // Whatever fails, the half-written temporary file goes.
        auto fail = [&](int err) {
            out.file.reset();
            fs.remove(temp);
            throw ExportError(place, target, ExportError::Step::Write, err);
        };
        if (!bytes.empty()) {
            if (int err = out.file->writeAt(0, bytes)) fail(err);
        }
        if (int err = out.file->sync()) fail(err);
        if (int err = out.file->close()) fail(err);
    }
    if (int err = fs.rename(temp, target)) {
        fs.remove(temp);
        throw ExportError(place, target, ExportError::Step::Replace, err);
    }
    if (int err = fs.syncDirectory(dir)) {
        fs.remove(target);
        throw ExportError(place, target, ExportError::Step::Write, err);
    }

    // What the medium now holds under the final name, compared with the file:
    // read from the medium, not from the pages still in memory, or a stick
    // that loses what it is given would pass.
    fs.dropCachedPages(target);
    std::string copy;
    // The file itself, not what a link put there meanwhile would name.
    data::OpenResult back = fs.open(target, data::OpenMode::ReadOwn);
    int err = back.file ? back.file->readAll(copy) : back.error;
    if (back.file) {
        const int closed = back.file->close();
        if (err == 0) err = closed;
    }
    if (err != 0) {
        fs.remove(target);
        throw ExportError(place, target, ExportError::Step::ReadBack, err);
    }
    if (copy != bytes) {
        fs.remove(target);
        fs.syncDirectory(dir);
        throw ExportError(place, target, ExportError::Step::Differs, 0);
    }
    return bytes;
}

}  // namespace talmorek::media
