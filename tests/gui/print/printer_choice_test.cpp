// The printer chosen with "Výběr tiskárny" stays chosen: reopening the
// dialog (from the menu or from the preview) shows it, cancelling the dialog
// changes nothing, and every later job prints on it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QAbstractButton>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>
#include <functional>

#include "gui/print/printing_service.h"
#include "support/temp_dir.h"

namespace talmorek::gui {
namespace {

constexpr const char* kQueue = "TalmorekPDF";

// Runs `answer` on the printer dialog once it is open, at most ten seconds
// after the call; the dialog then must be closed by `answer`.
void answerPrintDialog(std::function<void(QPrintDialog&)> answer) {
    auto deadline = std::make_shared<QDeadlineTimer>(10000);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [answer, deadline, poll] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible()) {
            answer(*dialog);
        } else if (!deadline->hasExpired()) {
            QTimer::singleShot(10, *poll);
        }
    };
    QTimer::singleShot(0, *poll);
}

QComboBox* printerList(QPrintDialog& dialog) { return dialog.findChild<QComboBox*>(QStringLiteral("printers")); }

QString lastEntry(QPrintDialog& dialog) {
    QComboBox* list = printerList(dialog);
    return list ? list->itemText(list->count() - 1) : QString();
}

class PrinterChoice : public ::testing::Test {
protected:
    // Opens "Výběr tiskárny" (or, with `fromPreview`, the preview's printer
    // button), notes the printer the list shows, picks the entry `pick`
    // names (the last entry, the PDF file, when it is empty) and confirms
    // or cancels. Returns the printer shown on opening.
    QString open(bool fromPreview, const QString& pick, bool confirm) {
        QString shown;
        answerPrintDialog([&](QPrintDialog& dialog) {
            QComboBox* list = printerList(dialog);
            if (!list) {
                dialog.reject();
                return;
            }
            shown = list->currentText();
            list->setCurrentIndex(pick.isEmpty() ? list->count() - 1 : list->findText(pick));
            if (confirm) dialog.accept(); else dialog.reject();
        });
        if (fromPreview) {
            service.printerDialog(nullptr, 3, 1, 3, 1);
        } else {
            service.choosePrinter(nullptr);
        }
        return shown;
    }

    void expectQueueSelected() {
        EXPECT_EQ(service.printer().outputFormat(), QPrinter::NativeFormat);
        EXPECT_EQ(service.printer().printerName(), QString(kQueue));
    }

    ::talmorek::testing::TempDir dir;
    PrintingService service;
};

// Choosing a printer is a dialog that says so and confirms with "OK"; it
// prints nothing, so no button of it says "Tisk".
TEST_F(PrinterChoice, TheDialogChoosesAPrinterAndConfirmsWithOK) {
    for (bool fromPreview : {false, true}) {
        QString title;
        QStringList buttons;
        answerPrintDialog([&](QPrintDialog& dialog) {
            title = dialog.windowTitle();
            if (auto* box = dialog.findChild<QDialogButtonBox*>())
                for (QAbstractButton* b : box->buttons()) buttons << b->text();
            dialog.reject();
        });
        if (fromPreview) {
            service.printerDialog(nullptr, 3, 1, 3, 1);
        } else {
            service.choosePrinter(nullptr);
        }
        EXPECT_EQ(title, fromPreview ? QStringLiteral("Nastavení tiskárny") : QStringLiteral("Výběr tiskárny"));
        EXPECT_TRUE(buttons.contains(QStringLiteral("OK"))) << buttons.join(", ").toStdString();
        for (const QString& b : buttons) {
            EXPECT_NE(QString(b).remove('&'), QStringLiteral("Tisk"));
            EXPECT_NE(QString(b).remove('&'), QStringLiteral("Print"));
        }
    }
}

// The queue replaces a PDF file; browsing back to the file in the dialog and
// cancelling, from the menu or from the preview, leaves the queue selected.
TEST_F(PrinterChoice, TheChosenQueueIsShownAgainAndCancellingKeepsIt) {
    if (QPrinterInfo::printerInfo(kQueue).isNull()) GTEST_SKIP() << "no printer queue " << kQueue;
    service.printer().setOutputFormat(QPrinter::PdfFormat);
    service.printer().setOutputFileName(QString::fromStdString(dir.file("soubor.pdf")));

    open(false, kQueue, true);
    expectQueueSelected();
    for (bool fromPreview : {false, true, false}) {
        SCOPED_TRACE(fromPreview ? "preview's printer button" : "Výběr tiskárny");
        EXPECT_EQ(open(fromPreview, QString(), false), QString(kQueue));
        expectQueueSelected();
        EXPECT_EQ(service.printerName(), QString(kQueue)) << "later jobs print on the queue";
    }
}

// The same with the PDF file chosen after the queue.
TEST_F(PrinterChoice, TheChosenFileIsKeptWhenTheQueueIsBrowsedAndCancelled) {
    if (QPrinterInfo::printerInfo(kQueue).isNull()) GTEST_SKIP() << "no printer queue " << kQueue;
    service.printer().setPrinterName(kQueue);
    const QString file = QString::fromStdString(dir.file("zapis.pdf"));
    answerPrintDialog([&](QPrintDialog& dialog) {
        printerList(dialog)->setCurrentIndex(printerList(dialog)->count() - 1);
        if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("filename"))) name->setText(file);
        dialog.accept();
    });
    service.choosePrinter(nullptr);
    ASSERT_EQ(service.printer().outputFormat(), QPrinter::PdfFormat);
    ASSERT_EQ(service.printer().outputFileName(), file);

    for (bool fromPreview : {true, false}) {
        QString shownEntry, lastOne, shownFile;
        answerPrintDialog([&](QPrintDialog& dialog) {
            shownEntry = printerList(dialog)->currentText();
            if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("filename"))) shownFile = name->text();
            lastOne = lastEntry(dialog);
            printerList(dialog)->setCurrentIndex(printerList(dialog)->findText(kQueue));
            dialog.reject();
        });
        if (fromPreview) {
            service.printerDialog(nullptr, 3, 1, 3, 1);
        } else {
            service.choosePrinter(nullptr);
        }
        EXPECT_EQ(shownEntry, lastOne) << "the dialog opens on the PDF file";
        EXPECT_EQ(shownFile, file);
        EXPECT_EQ(service.printer().outputFormat(), QPrinter::PdfFormat);
        EXPECT_EQ(service.printer().outputFileName(), file);
        EXPECT_EQ(service.printerName(), QStringLiteral("PDF"));
    }
}

}  // namespace
}  // namespace talmorek::gui
