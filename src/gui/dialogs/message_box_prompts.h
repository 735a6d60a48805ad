#pragma once
// The program's answer to what commands ask and tell: modal message boxes
// with a Czech title, an icon and Czech buttons ("Ano"/"Ne", "OK"), and the
// information dialog `TZ_infoE_F`.
#include <QMessageBox>
#include <QString>

#include "core/workflow/prompts.h"

class QWidget;

namespace talmorek::gui {

class TZ_infoE_F;

class MessageBoxPrompts : public workflow::Prompts {
public:
    // `parent` owns the boxes (the main window); `info` is the program's one
    // information dialog.
    MessageBoxPrompts(QWidget* parent, TZ_infoE_F* info) : parent_(parent), info_(info) {}

    bool question(const std::string& text, const std::string& title) override;
    bool questionDefaultNo(const std::string& text, const std::string& title) override;
    workflow::Answer questionOrDismiss(const std::string& text, const std::string& title) override;
    void exclamation(const std::string& text, const std::string& title) override;
    void information(const std::string& text, const std::string& title) override;
    void infoDialog(const std::string& caption, const std::string& heading, const std::string& body) override;
    void failure(const std::string& text, const std::string& title) override;

private:
    QWidget* owner() const;

    QWidget* parent_;
    TZ_infoE_F* info_;
};

// A modal message box with OK and the icon; returns when it is closed. Used
// also before any window exists (parent null).
void showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text, const QString& title);

// A modal Yes/No question ("Ano" the default unless `defaultYes` is false); true for "Ano".
// The keys A and N (with Alt or without) press "Ano" and "Ne".
bool askYesNo(QWidget* parent, const QString& text, const QString& title, bool defaultYes = true);

}  // namespace talmorek::gui
