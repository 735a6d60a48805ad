#pragma once
// A print job on a recording document with the fixed-width measure: what a
// layout draws can be read back as calls or as the golden text form.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/data/station.h"
#include "core/print/fixed_measure.h"
#include "core/print/preview_document.h"
#include "core/print/primitives.h"
#include "core/print/print_state.h"
#include "core/print/recorded_page.h"
#include "core/print/recording_document.h"

namespace talmorek::print {

class PrintFixture : public ::testing::Test {
protected:
    PrintFixture() {
        station.NazevObce = "Horní Lhota";
        station.NazevKraje = "Jihomoravský kraj   ";
        station.KodObce = "584231";
        station.CisloOkrsku = 3;
    }

    // A job with its first page begun, as every layout starts.
    void startPage() {
        InitTisk(ctx, now);
        preview.ZacatekTisku();
        VratCanvas(ctx);
    }

    std::string recording() const { return toText(document.recorded()); }

    // The text calls of page n (1-based), in drawing order.
    std::vector<TextCall> texts(int page = 1) const {
        std::vector<TextCall> out;
        for (const DrawCall& call : document.recorded().pages.at(static_cast<std::size_t>(page - 1)).calls)
            if (const auto* t = std::get_if<TextCall>(&call)) out.push_back(*t);
        return out;
    }
    TextCall lastText() const {
        const auto& calls = document.recorded().pages.back().calls;
        return std::get<TextCall>(calls.back());
    }

    data::TStanice station;
    RecordingDocument document;
    PreviewDocument preview{document};
    FixedMeasure measure;
    PrintContext ctx{preview, measure, station};
    data::LocalDateTime now{2021, 10, 8, 14, 5, 9, 42};
};

}  // namespace talmorek::print
