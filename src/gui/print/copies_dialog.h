#pragma once
// `TZ_PocetKopii_F`: after the export, the number of copies of the record
// that go straight to the printer before the preview opens. One digit, "2"
// offered; Enter in the field moves on to OK, and OK (a click, or Enter on
// it) confirms what the field shows; any other way of closing keeps two copies.
#include <QDialog>

#include "core/print/copies.h"

namespace talmorek::gui {

class TSEdit;

class TZ_PocetKopii_F : public QDialog {
    Q_OBJECT
public:
    explicit TZ_PocetKopii_F(QWidget* parent = nullptr);

    // The number of copies: what OK confirmed, else 2. Kept until the
    // dialog is shown again.
    int pocetKopii() const { return pocetKopii_; }

    TSEdit* field() const { return field_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // `Z_PKOK_Btn`: the field shows what is printed, then the dialog closes.
    void confirm();

    TSEdit* field_ = nullptr;
    int pocetKopii_ = print::kVychoziPocetKopii;
};

// Shows the copies dialog modally over `parent` and returns the number of
// copies to print directly (1..9; 2 when closed without OK).
int askPocetKopii(QWidget* parent);

}  // namespace talmorek::gui
