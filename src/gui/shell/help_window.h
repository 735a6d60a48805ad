#pragma once
// The program's own help: concise Czech pages carried inside the program,
// so help is there whatever was (or was not) installed beside it.
#include <QDialog>

class QTextBrowser;

namespace talmorek::gui {

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Shows the window at its first topic and brings it to the front.
    void showContents();
    // Shows the window at the topic of a help context (platform/help.h);
    // the first topic for any other. Over a modal dialog the help is modal
    // too, or it could not be read until the dialog is closed.
    void showTopic(int helpContext);

private:
    QTextBrowser* browser_ = nullptr;
};

}  // namespace talmorek::gui
