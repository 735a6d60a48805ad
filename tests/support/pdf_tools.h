#pragma once
// Reading PDF files back with the poppler tools, as a person would check
// them: the text a PDF holds and the size of its pages. Every run is
// bounded; a missing tool makes the calling test skip.

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QtMath>
#include <optional>

namespace talmorek::testing {

inline bool havePdfTool(const char* tool) { return !QStandardPaths::findExecutable(tool).isEmpty(); }

// The standard output of `tool args`, or nothing when it failed or did not
// finish within 30 seconds.
inline std::optional<QString> runPdfTool(const char* tool, const QStringList& args) {
    QProcess process;
    process.start(QStandardPaths::findExecutable(tool), args);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished(5000);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of the PDF in reading order, page by page.
inline std::optional<QString> pdfText(const QString& file) {
    return runPdfTool("pdftotext", {QStringLiteral("-layout"), file, QStringLiteral("-")});
}

// What pdfinfo says about pages 1..pages (one "Page    n size: …" line each).
inline std::optional<QString> pdfInfo(const QString& file, int pages = 1) {
    return runPdfTool("pdfinfo", {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                  QString::number(pages), file});
}

// The page sizes in pdfinfo's report, "595 x 842" for A4 portrait.
inline QStringList pageSizes(const QString& info) {
    QStringList sizes;
    static const QRegularExpression size(R"(Page\s+\d+ size:\s+([\d.]+) x ([\d.]+) pts)");
    for (auto it = size.globalMatch(info); it.hasNext();) {
        const auto m = it.next();
        sizes << QString("%1 x %2").arg(qRound(m.captured(1).toDouble())).arg(qRound(m.captured(2).toDouble()));
    }
    return sizes;
}

}  // namespace talmorek::testing
