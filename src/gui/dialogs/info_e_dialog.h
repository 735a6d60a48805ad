#pragma once
// The information dialog of the export and of the tally sheet: a caption, a
// bold heading, a body of several lines, and OK. After an export to a USB
// disk it also offers the safe removal of that disk (`Odebrat_Btn`).
#include <QDialog>

class QLabel;
class QPushButton;

namespace talmorek::gui {

class TZ_infoE_F : public QDialog {
    Q_OBJECT
public:
    explicit TZ_infoE_F(QWidget* parent = nullptr);

    // Sets the texts and shows the dialog modally until OK. Texts may hold
    // "\r" line breaks.
    void showInfo(const QString& caption, const QString& heading, const QString& body);

    // The removal button, shown only after an export to a removable drive.
    void setRemovalOffered(bool offered);
    QPushButton* removalButton() const { return odebrat_; }

signals:
    void removalRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* heading_ = nullptr;
    QLabel* body_ = nullptr;
    QPushButton* odebrat_ = nullptr;
};

}  // namespace talmorek::gui
