// The export target dialog as the commission uses it, keyboard first: the
// carriers of a fixture machine, Enter moving on, a typed text that is no
// item, the export to the hard disk with its report and fingerprint, a
// failing carrier that keeps the dialog open, Escape, and the safe removal.

#include "gui/export/export_target_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include <gtest/gtest.h>

#include "core/media/media_machine.h"
#include "core/export/export_fingerprint.h"
#include "gui/dialogs/info_e_dialog.h"
#include "support/fault_file_system.h"
#include "support/installation.h"

namespace talmorek::gui {
namespace {

using talmorek::testing::MediaMachine;
using talmorek::testing::spaceOf;

constexpr const char* kFile = "OP554782.00003";

// Answers the modal windows that open while a call runs, one handler each,
// in order, each window once (the target dialog is modal again when the
// information dialog over it closes); a window left without a handler is
// rejected. Bounded: after
// `kPolls` polls every window still open is rejected.
class Modals {
public:
    Modals() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }
    void then(std::function<void(QWidget*)> handler) { handlers_.push_back(std::move(handler)); }
    int answered() const { return answered_; }

private:
    static constexpr int kPolls = 3000;
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (++polls_ > kPolls) {
            if (modal) static_cast<QDialog*>(modal)->reject();
            return;
        }
        if (!modal || seen_.count(modal) > 0 || !modal->isVisible()) return;
        seen_.insert(modal);
        ++answered_;
        if (handlers_.empty()) {
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
            return;
        }
        // Run from the event loop, not from this poll: a handler that opens
        // the next window waits in its loop, where this timer must go on
        // firing (a timer never fires again inside its own slot).
        QTimer::singleShot(0, modal, [handler = std::move(handlers_.front()), modal] { handler(modal); });
        handlers_.pop_front();
    }

    QTimer timer_;
    std::deque<std::function<void(QWidget*)>> handlers_;
    std::set<QWidget*> seen_;
    int polls_ = 0;
    int answered_ = 0;
};

QStringList items(QWidget* dialog) {
    auto* combo = dialog->findChild<QComboBox*>("Z_SeznZar_CB");
    QStringList out;
    for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
    return out;
}

class ExportTargetDialog : public ::testing::Test {
protected:
    ExportTargetDialog() {
        std::filesystem::create_directories(dir.file("data"));
        bytes = std::string(3000, 'x') + "results";
        dir.write(std::string("data/") + kFile, bytes);
        dirs = {dir.path(), dir.path(), dir.file("data/"), false};
    }

    // A stick mounted at a real directory of the test, so the file can go there.
    std::string plugInStick(std::uint64_t free = 500000000) {
        const std::string mountPoint = dir.file("STICK");
        std::filesystem::create_directories(mountPoint);
        machine.addDisk("sdb", true, MediaMachine::Bus::Usb, {"sdb1"});
        machine.mount("/dev/sdb1", mountPoint, spaceOf(1000000000, free));
        return mountPoint;
    }

    ExportMedia media() {
        ExportMedia m;
        m.sources = machine.sources();
        m.files = &files;
        return m;
    }

    talmorek::testing::TempDir dir;
    MediaMachine machine;
    talmorek::testing::FaultFileSystem files;
    data::Directories dirs;
    std::string bytes;
    TZ_infoE_F info;
};

TEST_F(ExportTargetDialog, ListsTheCarriersOfTheMachineAndEscapeCancels) {
    const std::string stick = plugInStick();
    machine.addDisk("sdc", true, MediaMachine::Bus::Usb, {"sdc1"});
    machine.mount("/dev/sdc1", "/media/komise/CARD", std::nullopt);
    TZ_ExportDat_F dialog(info, media());
    Modals modals;
    QStringList shown;
    QString caption, label;
    int selected = -1;
    modals.then([&](QWidget* w) {
        shown = items(w);
        caption = w->windowTitle();
        label = w->findChild<QLabel*>("Z_ExportDat_Lbl")->text();
        selected = w->findChild<QComboBox*>("Z_SeznZar_CB")->currentIndex();
        QTest::keyClick(w->findChild<QComboBox*>("Z_SeznZar_CB"), Qt::Key_Escape);
    });
    EXPECT_FALSE(dialog.run(dirs, talmorek::testing::station()));
    EXPECT_EQ(caption, "Export dat");
    EXPECT_EQ(label, "Zvolte zařízení, na které chcete data exportovat");
    EXPECT_EQ(shown, (QStringList{QString::fromStdString(stick + " - vyjímatelné zařízení"),
                                  QString::fromStdString("do adresáře " + dir.path() + "Export ")}));
    EXPECT_EQ(selected, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("STICK/") + kFile));
}

TEST_F(ExportTargetDialog, KeyboardOnlyExportToTheHardDiskReportsWhereAndTheFingerprint) {
    TZ_ExportDat_F dialog(info, media());
    Modals modals;
    QString heading, body, caption;
    bool removalOffered = true;
    modals.then([&](QWidget* w) {
        auto* combo = w->findChild<QComboBox*>("Z_SeznZar_CB");
        EXPECT_EQ(combo->count(), 1);
        QTest::keyClick(combo, Qt::Key_Return);  // on to "Uložit", as Tab
        QWidget* focus = w->focusWidget();
        ASSERT_TRUE(focus);
        EXPECT_EQ(focus->objectName(), "Z_ExportDatOK_Btn");
        QTest::keyClick(focus, Qt::Key_Return);
    });
    modals.then([&](QWidget* w) {
        caption = w->windowTitle();
        heading = w->findChild<QLabel*>("titulek2")->text();
        body = w->findChild<QLabel*>("titulek3")->text();
        removalOffered = w->findChild<QPushButton*>("Odebrat_Btn")->isVisible();
        w->findChild<QPushButton*>("OK_Btn")->click();
    });
    EXPECT_TRUE(dialog.run(dirs, talmorek::testing::station()));
    EXPECT_EQ(modals.answered(), 2);
    ASSERT_TRUE(std::filesystem::exists(dir.file("Export/") + kFile)) << "the Export directory is created";
    std::ifstream in(dir.file("Export/") + kFile, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes);
    EXPECT_EQ(caption, "Export dat a tisk zápisu");
    EXPECT_EQ(heading, "Export dat na pevný disk proveden.");
    EXPECT_EQ(body.toStdString(),
              "Soubor " + std::string(kFile) + "\nje uložen v adresáři " + dir.path() +
                  "Export.\nSoubor překopírujte na technický nosič.\n\n"
                  "S tímto souborem je nutno na PM předat jen zápis,\n který bude nyní vytisknut.\n"
                  "Zápis je nutno vytisknout ve 2 kopiích.\n\nOtisk souboru: " +
                  exporting::exportFingerprint(bytes));
    EXPECT_FALSE(removalOffered) << "nothing to remove after an export to the hard disk";
}

TEST_F(ExportTargetDialog, ATypedTextThatIsNoItemGoesBackToItemZero) {
    plugInStick();
    TZ_ExportDat_F dialog(info, media());
    Modals modals;
    int index = -1;
    QString text;
    modals.then([&](QWidget* w) {
        auto* combo = w->findChild<QComboBox*>("Z_SeznZar_CB");
        combo->setCurrentIndex(1);
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), "F:\\");
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        index = combo->currentIndex();
        text = combo->currentText();
        QTest::keyClick(combo, Qt::Key_Escape);
    });
    EXPECT_FALSE(dialog.run(dirs, talmorek::testing::station()));
    EXPECT_EQ(index, 0);
    EXPECT_EQ(text, QString::fromStdString(dir.file("STICK") + " - vyjímatelné zařízení"));
}

// A stick without room for the file is offered all the same: choosing it
// tells why it cannot take the file, and the dialog stays open.
TEST_F(ExportTargetDialog, AFullStickIsToldAndTheDialogStaysOpenForAnotherTarget) {
    const std::string stick = plugInStick(/*free=*/100);
    files.diskFullAfter(stick + "/" + kFile, 100);
    TZ_ExportDat_F dialog(info, media());
    Modals modals;
    QString warning;
    QString stillOpen;
    QStringList offered;
    modals.then([&](QWidget* w) {
        offered = items(w);
        w->findChild<QPushButton*>("Z_ExportDatOK_Btn")->click();
    });
    modals.then([&](QWidget* w) {
        warning = static_cast<QMessageBox*>(w)->text();
        static_cast<QMessageBox*>(w)->accept();
        // Back in the target dialog: choose the hard disk instead.
        QTimer::singleShot(0, [&] {
            QWidget* again = QApplication::activeModalWidget();
            stillOpen = again ? again->objectName() : QString();
            if (again) again->findChild<QPushButton*>("Z_ExportDatZrus_Btn")->click();
        });
    });
    EXPECT_FALSE(dialog.run(dirs, talmorek::testing::station()));
    EXPECT_EQ(warning.toStdString(), "Export na " + stick + " se nepovedl: na nosiči není dost místa.\nData nebyla "
                                                            "exportována.");
    EXPECT_EQ(offered.size(), 2);
    EXPECT_EQ(stillOpen, "Z_ExportDat_F");
    EXPECT_TRUE(std::filesystem::is_empty(stick)) << "no half-written file on the stick";
}

// The stick listed is unmounted while the dialog is open: "Uložit" finds
// its mount point a bare directory of the system disk, says so, writes
// nothing there and reports no export.
TEST_F(ExportTargetDialog, AStickUnmountedBeforeUlozitIsToldAndNothingIsWritten) {
    const std::string stick = plugInStick();
    TZ_ExportDat_F dialog(info, media());
    Modals modals;
    QString warning, stillOpen;
    modals.then([&](QWidget* w) {
        machine.unmount(stick);
        w->findChild<QPushButton*>("Z_ExportDatOK_Btn")->click();
    });
    modals.then([&](QWidget* w) {
        warning = static_cast<QMessageBox*>(w)->text();
        static_cast<QMessageBox*>(w)->accept();
        QTimer::singleShot(0, [&] {
            QWidget* again = QApplication::activeModalWidget();
            stillOpen = again ? again->objectName() : QString();
            if (again) again->findChild<QPushButton*>("Z_ExportDatZrus_Btn")->click();
        });
    });
    EXPECT_FALSE(dialog.run(dirs, talmorek::testing::station()));
    EXPECT_EQ(warning.toStdString(), "Export na " + stick + " se nepovedl: nosič není připojen (byl vyjmut?).\nData "
                                                            "nebyla exportována.");
    EXPECT_EQ(stillOpen, "Z_ExportDat_F");
    EXPECT_TRUE(std::filesystem::is_empty(stick)) << "written to the system disk under the stick's name";
}

TEST_F(ExportTargetDialog, ReloadFindsAStickPluggedInMeanwhile) {
    TZ_ExportDat_F dialog(info, media());
    Modals modals;
    QStringList before, after;
    modals.then([&](QWidget* w) {
        before = items(w);
        plugInStick();
        // The sources were copied into the dialog; the fixture tree they
        // point to is the same.
        w->findChild<QPushButton*>("Z_ZnovuNacist_Btn")->click();
        after = items(w);
        static_cast<QDialog*>(w)->reject();
    });
    EXPECT_FALSE(dialog.run(dirs, talmorek::testing::station()));
    EXPECT_EQ(before.size(), 1);
    EXPECT_EQ(after.size(), 2);
}

TEST_F(ExportTargetDialog, AfterAnExportToAStickTheRemovalIsOfferedAndChecked) {
    const std::string stick = plugInStick();
    const std::string script = dir.file("udisksctl");
    std::ofstream(script) << "#!/bin/sh\nexit 0\n";  // answers success, removes nothing
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    ExportMedia m = media();
    m.removal.program = script;
    m.removal.bound = std::chrono::milliseconds(5000);
    TZ_ExportDat_F dialog(info, m);
    Modals modals;
    QString heading, body, removal, hint;
    modals.then([&](QWidget* w) { w->findChild<QPushButton*>("Z_ExportDatOK_Btn")->click(); });
    modals.then([&](QWidget* w) {
        heading = w->findChild<QLabel*>("titulek2")->text();
        body = w->findChild<QLabel*>("titulek3")->text();
        auto* odebrat = w->findChild<QPushButton*>("Odebrat_Btn");
        hint = odebrat->toolTip();
        if (odebrat->isVisible()) odebrat->click();
    });
    modals.then([&](QWidget* w) {
        removal = static_cast<QMessageBox*>(w)->text();
        static_cast<QMessageBox*>(w)->accept();
        QTimer::singleShot(0, [] {
            if (QWidget* infoDialog = QApplication::activeModalWidget())
                infoDialog->findChild<QPushButton*>("OK_Btn")->click();
        });
    });
    EXPECT_TRUE(dialog.run(dirs, talmorek::testing::station()));
    EXPECT_EQ(heading, "Export dat na vyjímatelné zařízení proveden.");
    EXPECT_TRUE(body.startsWith(QString::fromStdString("Soubor " + std::string(kFile) +
                                                        "\nje uložen na vyjímatelné zařízení v jednotce " + stick +
                                                        ".\n")))
        << body.toStdString();
    EXPECT_EQ(hint, "Bezpečně odebrat USB disk");
    EXPECT_EQ(removal, "Odebrání se nepovedlo.") << "the stick is still there";
    EXPECT_FALSE(info.removalButton()->isVisibleTo(&info)) << "hidden again for the next use of the dialog";
}

}  // namespace
}  // namespace talmorek::gui
