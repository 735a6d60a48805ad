#pragma once
// The record of the vote printed by the program's own print job: a clean
// record of the tests' installation, the copies dialog answered as a user
// types, the preview window watched while it is open and then closed.
// Every wait is bounded.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QDeadlineTimer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

#include "gui/controls/s_edit.h"
#include "gui/print/copies_dialog.h"
#include "gui/print/preview_window.h"
#include "gui/print/printing_service.h"
#include "gui/shell/qt_print_jobs.h"
#include "support/installation.h"
#include "support/pdf_tools.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

namespace talmorek::gui {

// Answers the program's modal windows while a call runs: the copies dialog
// gets `typed` and Enter; the preview is handed to `onPreview` and closed.
// A poll limit closes anything left open so that no test hangs.
class RecordPrintAnswerer {
public:
    explicit RecordPrintAnswerer(QString typed = QStringLiteral("2")) : typed_(std::move(typed)) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }

    std::function<void(TpreviewF&)> onPreview;
    bool copiesDialogSeen = false;
    bool previewSeen = false;

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<TZ_PocetKopii_F*>(modal); dialog && !copiesDialogSeen) {
            copiesDialogSeen = true;
            TSEdit* field = dialog->field();
            QTest::keyClick(field, Qt::Key_End);
            for (int n = field->text().size(); n > 0; --n) QTest::keyClick(field, Qt::Key_Backspace);
            if (!typed_.isEmpty()) QTest::keyClicks(field, typed_);
            // Enter moves on to OK, Enter there confirms.
            QTest::keyClick(field, Qt::Key_Return);
            QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, Qt::Key_Return);
            return;
        }
        if (auto* preview = qobject_cast<TpreviewF*>(modal); preview && !previewSeen) {
            previewSeen = true;
            if (onPreview) onPreview(*preview);
            preview->reject();
            return;
        }
        if (modal != nullptr && deadline_.hasExpired()) {
            ADD_FAILURE() << "a modal window was left open: " << modal->objectName().toStdString();
            modal->close();
        }
    }

    QString typed_;
    QTimer timer_;
    QDeadlineTimer deadline_{120000};
};

// A clean record of the tests' installation (parties 1, 2 and 7, four
// members: five pages), printed through QtPrintJobs as the export command
// does it.
class RecordPrinting : public ::testing::Test {
protected:
    RecordPrinting() {
        talmorek::testing::writeInstallation(dir);
        record = talmorek::testing::cleanRecord(registers.NactiStrany());
        // A moment no other run prints: the footer's time stamp tells this
        // job's pages from any other's.
        const QDateTime t = QDateTime::currentDateTime();
        now = {2021, 10, 9, t.time().hour(), t.time().minute(), t.time().second(), t.time().msec()};
        stamp = QStringLiteral("%1:%2:%3,%4")
                    .arg(now.hour, 2, 10, QLatin1Char('0'))
                    .arg(now.minute, 2, 10, QLatin1Char('0'))
                    .arg(now.second, 2, 10, QLatin1Char('0'))
                    .arg(now.millisecond, 3, 10, QLatin1Char('0'));
    }

    // The copies dialog as the export command shows it, then the job.
    void printRecord() {
        workflow::RecordPrintRequest request;
        request.record = &record;
        request.station = &station;
        request.registers = &registers;
        request.pocetKopii = askPocetKopii(&owner);
        request.now = now;
        jobs.recordOfVote(request);
    }

    talmorek::testing::TempDir dir;
    data::Registers registers{dir.path()};
    data::TStanice station = talmorek::testing::station();
    record::RecordOfVote record;
    data::LocalDateTime now;
    QString stamp;  // "hh:mm:ss,zzz" of `now`, on every page's footer
    talmorek::testing::ScriptedPrompts prompts;
    QWidget owner;
    QtPrintJobs jobs{&owner, prompts};
};

}  // namespace talmorek::gui
