#include "gui/dialogs/message_box_prompts.h"

#include <QApplication>
#include <QPushButton>

#include "gui/controls/text.h"
#include "gui/dialogs/info_e_dialog.h"

namespace talmorek::gui {

void showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text, const QString& title) {
    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

namespace {

// Yes or No; with `escapeIsNo` false, Escape and the close box answer neither.
workflow::Answer ask(QWidget* parent, const QString& text, const QString& title, bool defaultYes, bool escapeIsNo) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    // A and N answer, with Alt or without, as in every question of the
    // system the commission knows; the underlined letter says so.
    QPushButton* yes = box.addButton(QStringLiteral("&Ano"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Ne"), QMessageBox::NoRole);
    box.setDefaultButton(defaultYes ? yes : no);
    if (escapeIsNo) {
        box.setEscapeButton(no);
    } else {
        // Escape goes to a button nobody sees: the box closes unanswered.
        QPushButton* aside = box.addButton(QStringLiteral("Odložit"), QMessageBox::RejectRole);
        aside->hide();
        box.setEscapeButton(aside);
    }
    box.exec();
    if (box.clickedButton() == yes) return workflow::Answer::Yes;
    if (box.clickedButton() == no) return workflow::Answer::No;
    return workflow::Answer::Dismissed;
}

}  // namespace

bool askYesNo(QWidget* parent, const QString& text, const QString& title, bool defaultYes) {
    return ask(parent, text, title, defaultYes, true) == workflow::Answer::Yes;
}

QWidget* MessageBoxPrompts::owner() const {
    // Over the modal window that asks (the entry window), else over the main
    // window: a box owned by a window behind the modal one could open behind it.
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return parent_;
}

bool MessageBoxPrompts::question(const std::string& text, const std::string& title) {
    return askYesNo(owner(), displayText(text), displayText(title));
}

bool MessageBoxPrompts::questionDefaultNo(const std::string& text, const std::string& title) {
    return askYesNo(owner(), displayText(text), displayText(title), false);
}

workflow::Answer MessageBoxPrompts::questionOrDismiss(const std::string& text, const std::string& title) {
    return ask(owner(), displayText(text), displayText(title), true, false);
}

void MessageBoxPrompts::exclamation(const std::string& text, const std::string& title) {
    showMessage(owner(), QMessageBox::Warning, displayText(text), displayText(title));
}

void MessageBoxPrompts::information(const std::string& text, const std::string& title) {
    showMessage(owner(), QMessageBox::Information, displayText(text), displayText(title));
}

void MessageBoxPrompts::infoDialog(const std::string& caption, const std::string& heading, const std::string& body) {
    info_->showInfo(displayText(caption), displayText(heading), displayText(body));
}

void MessageBoxPrompts::failure(const std::string& text, const std::string& title) {
    showMessage(owner(), QMessageBox::Critical, displayText(text), displayText(title));
}

}  // namespace talmorek::gui
