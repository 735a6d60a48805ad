#pragma once
// `THlaskaF`: the message with which the entry window stops the commission
// when a value just typed breaks a check rule, and asks whether to fix it now
// ("&Opravit") or to go on ("&Ignorovat" for an error, "&Potvrdit" for a
// passable error or a warning). Errors are red, warnings blue, each inside a
// frame of its colour. One instance serves the whole run; the entry window
// prepares it with the wording the entry logic made when a field was left,
// and shows it once the focus has settled (`UkazHlasku`).
#include <QColor>
#include <QDialog>
#include <QString>

#include "core/checks/field_message.h"

class QLabel;
class QPushButton;

namespace talmorek::gui {

class THlaskaF : public QDialog {
    Q_OBJECT
public:
    static constexpr QRgb kRed = 0xFF0000;
    static constexpr QRgb kBlue = 0x0000FF;

    explicit THlaskaF(QWidget* parent = nullptr);

    // Prepares the message (`NastavHlasku`); does not show the dialog.
    void setMessage(const checks::FieldMessage& message);

    // Shows the prepared message modally; true when the user wants to fix
    // the value ("&Opravit", Escape, or closing the window any other way),
    // false to go on. Called while the dialog is already showing, it shows
    // nothing and returns false.
    bool UkazHlasku();

    bool Opravit() const { return opravit_; }
    QColor aktColor() const { return aktColor_; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // The underlined letters answer without Alt too (O, I or P), as the
    // questions' A and N do.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* chybaL_ = nullptr;
    QLabel* hlaskaL_ = nullptr;
    QPushButton* opravitBtn_ = nullptr;
    QPushButton* ignorovatBtn_ = nullptr;
    QColor aktColor_{kRed};
    bool opravit_ = true;
};

}  // namespace talmorek::gui
