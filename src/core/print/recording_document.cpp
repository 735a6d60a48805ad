#include "core/print/recording_document.h"

#include <stdexcept>

namespace talmorek::print {

template <typename F>
void RecordingDocument::toSink(F&& f) {
    try {
        f(*sink_);
    } catch (...) {
        // The printer's job is cancelled: what it took of a copy that cannot
        // be finished must not come out as if it were the whole record.
        sink_->abortJob();
        building_ = false;
        directJob_ = false;
        throw;
    }
}

void RecordingDocument::BeginDoc() {
    if (building_) return;
    document_.pages.clear();
    directJob_ = directPrint_;
    if (directJob_) {
        if (sink_ == nullptr) throw std::logic_error("direct print without a printer");
        toSink([&](PageSink& s) { s.startJob(document_.title); });
    }
    building_ = true;
    startPage();
    changed();
}

void RecordingDocument::NewPage() {
    if (!building_) throw std::logic_error("NewPage outside a document");
    if (directJob_) sendCurrentPage();
    startPage();
    changed();
}

void RecordingDocument::EndDoc() {
    if (!building_) return;
    if (directJob_) {
        sendCurrentPage();
        toSink([](PageSink& s) { s.endJob(); });
    }
    building_ = false;
    directJob_ = false;
    changed();
}

void RecordingDocument::AbortDoc() noexcept {
    if (!building_) return;
    if (directJob_ && sink_ != nullptr) sink_->abortJob();
    else document_.pages.clear();
    building_ = false;
    directJob_ = false;
    changed();
}

PageSurface& RecordingDocument::Canvas() {
    if (!building_) throw std::logic_error("no page is being drawn");
    return surface_;
}

void RecordingDocument::startPage() {
    if (directJob_) {
        scratch_ = RecordedPage{orientation_, {}};
        surface_.retarget(scratch_);
    } else {
        document_.pages.push_back(RecordedPage{orientation_, {}});
        surface_.retarget(document_.pages.back());
    }
}

void RecordingDocument::sendCurrentPage() {
    toSink([&](PageSink& s) { s.printPage(scratch_); });
}

}  // namespace talmorek::print
