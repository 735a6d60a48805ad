#include <algorithm>
#include <cctype>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <ostream>

#include "core/checks/catalogue.h"
#include "core/data/errors.h"
#include "core/data/file_io.h"
#include "core/data/path_text.h"
#include "core/data/record_file.h"
#include "core/data/registers.h"
#include "core/data/station.h"
#include "core/data/working_files.h"
#include "tool/command_support.h"
#include "tool/commands.h"

namespace talmorek::tool {
namespace {

const data::RecordLayout* layoutForFile(const std::string& path) {
    std::string name = data::utf8Of(data::pathOf(path).filename());
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
    for (const data::RecordLayout* layout :
         {&data::stanice::kLayout, &data::okrsky::kLayout, &data::psrzvo::kLayout, &data::psrvok::kLayout,
          &data::strany::kLayout, &data::kandidat::kLayout, &data::hlaso::kLayout, &data::komise::kLayout,
          &checks::cischyb::kLayout}) {
        if (name == layout->name) return layout;
    }
    return nullptr;
}

}  // namespace

// Prints the records of a ".RCD" file as JSON objects keyed by field name;
// padding and reserved bytes are left out.
int runDump(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "Použití: talmorek-tool dump SOUBOR.RCD\n";
        return kExitFailure;
    }
    const std::string& path = args[0];
    const data::RecordLayout* layout = layoutForFile(path);
    if (!layout) {
        err << "Soubor " << path << " není známý soubor záznamů (.RCD) instalace.\n";
        return kExitFailure;
    }
    try {
        std::string bytes = data::readWholeFile(path);
        // Judged as the program judges it when it reads the file.
        if (bytes.size() % layout->size != 0) data::failIncompleteRecord(path, bytes.size() / layout->size);
        nlohmann::ordered_json records = nlohmann::ordered_json::array();
        for (std::size_t at = 0; at < bytes.size(); at += layout->size) {
            std::string_view record = std::string_view(bytes).substr(at, layout->size);
            nlohmann::ordered_json object = nlohmann::ordered_json::object();
            for (const auto& field : layout->fields) {
                if (field.kind == data::FieldKind::Int32)
                    object[std::string(field.name)] = data::getInt32(record, field);
                else
                    object[std::string(field.name)] = data::getStr(record, field);
            }
            records.push_back(std::move(object));
        }
        out << records.dump(2) << "\n";
    } catch (const std::exception& e) {
        return reportFailure(e, err);
    }
    return kExitOk;
}

}  // namespace talmorek::tool
