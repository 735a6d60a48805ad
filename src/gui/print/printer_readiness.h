#pragma once
// Whether the selected printer can take a job at all, asked before the
// first page of a job is drawn for it. The platform's printing tells none
// of this itself: a print queue that refuses new jobs swallows the job
// without a word, and without any printer installed the output silently
// becomes a PDF file that nobody named.

#include <QString>
#include <optional>

class QPrinter;

namespace talmorek::gui {

// Raises render::PrintOutputError, worded for the commission, when
// `printer` cannot take a job now: no printer is installed, the printer's
// name is not one the system knows, or its queue refuses new jobs. A
// question the spooler does not answer is no refusal.
void ensurePrinterTakesJobs(const QPrinter& printer);

// The spooler's word on whether the queue `name` accepts new jobs;
// std::nullopt when it cannot be asked (no `lpstat`, or no answer within
// `timeoutMs`, after which the asking process is ended).
std::optional<bool> queueAcceptsJobs(const QString& name, int timeoutMs = 5000);

}  // namespace talmorek::gui
