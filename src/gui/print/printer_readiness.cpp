#include "gui/print/printer_readiness.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include "render/print_errors.h"

namespace talmorek::gui {

void ensurePrinterTakesJobs(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        // A PDF file the user chose is a printer like any other.
        if (printer.outputFileName().isEmpty()) throw render::PrintOutputError("Není nainstalována žádná tiskárna.");
        return;
    }
    const QString name = printer.printerName();
    if (name.isEmpty()) throw render::PrintOutputError("Není nainstalována žádná tiskárna.");
    if (QPrinterInfo::printerInfo(name).isNull())
        throw render::PrintOutputError("Tiskárna " + name.toStdString() + " není nainstalována.");
    if (queueAcceptsJobs(name) == false)
        throw render::PrintOutputError("Tiskárna " + name.toStdString() + " nyní nepřijímá žádné tiskové úlohy.");
}

std::optional<bool> queueAcceptsJobs(const QString& name, int timeoutMs) {
    const QString lpstat = QStandardPaths::findExecutable(QStringLiteral("lpstat"));
    if (lpstat.isEmpty()) return std::nullopt;
    QProcess process;
    // The answer is read in English whatever the user's language.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(lpstat, {QStringLiteral("-a"), name});
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return std::nullopt;
    // "<name> accepting requests since ..." or "<name> not accepting requests since ...".
    const QString answer = QString::fromLocal8Bit(process.readAllStandardOutput());
    for (const QString& line : answer.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.section(QLatin1Char(' '), 0, 0) != name) continue;
        const QString rest = line.section(QLatin1Char(' '), 1);
        if (rest.startsWith(QLatin1String("not accepting"))) return false;
        if (rest.startsWith(QLatin1String("accepting"))) return true;
    }
    return std::nullopt;
}

}  // namespace talmorek::gui
