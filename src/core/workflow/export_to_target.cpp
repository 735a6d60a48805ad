#include "core/workflow/export_to_target.h"

#include "core/export/data_file.h"
#include "core/export/export_fingerprint.h"
#include "core/media/proven_copy.h"

namespace talmorek::workflow {

ExportReport exportReport(const media::ExportTarget& target, const std::string& fileName,
                          const std::string& programDir, const std::string& fingerprint) {
    ExportReport report;
    if (target.removable) {
        const std::string kind = "vyjímatelné zařízení";
        report.heading = "Export dat na " + kind + " proveden.";
        report.body = "Soubor " + fileName + "\rje uložen na " + kind + " v jednotce " + target.place + ".";
    } else {
        report.heading = "Export dat na pevný disk proveden.";
        report.body = "Soubor " + fileName + "\rje uložen v adresáři " + programDir +
                      "Export.\rSoubor překopírujte na technický nosič.";
    }
    report.body +=
        "\r\rS tímto souborem je nutno na PM předat jen zápis,\r který bude nyní vytisknut.\r"
        "Zápis je nutno vytisknout ve 2 kopiích.";
    // The receiving point compares it with the file it has read.
    report.body += "\r\rOtisk souboru: " + fingerprint;
    report.fingerprint = fingerprint;
    return report;
}

ExportReport exportToTarget(const media::ExportTarget& target, const data::Directories& dirs,
                            const data::TStanice& station, const media::MediaSources& sources,
                            data::FileSystem& fs) {
    const std::string fileName =
        exporting::dataFileName(exporting::DataLetter::O, station.KodObce, station.CisloOkrsku);
    using media::ExportError;
    if (!media::carrierStillThere(target, sources))
        throw ExportError(target.place, target.directory + fileName, ExportError::Step::CarrierGone, 0);
    const std::string source =
        exporting::dataFilePath(dirs.data, exporting::DataLetter::O, station.KodObce, station.CisloOkrsku);
    const std::string bytes = media::copyProven(source, target.directory, fileName, target.place, fs);
    // Pulled during the copy: what was written went to the mount point's
    // bare directory on the system disk, and goes again.
    if (!media::carrierStillThere(target, sources)) {
        fs.remove(target.directory + fileName);
        throw ExportError(target.place, target.directory + fileName, ExportError::Step::CarrierGone, 0);
    }
    return exportReport(target, fileName, dirs.program, exporting::exportFingerprint(bytes));
}

std::string removalMessage(bool removed, const media::ExportTarget& target) {
    return removed ? "Odebrán vyjímatelný disk " + target.place + "." : "Odebrání se nepovedlo.";
}

}  // namespace talmorek::workflow
