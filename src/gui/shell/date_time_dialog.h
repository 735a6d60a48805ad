#pragma once
// The date/time confirmation shown right after start. The date and time of
// the computer go into the summary record and onto every printout, so the
// commission compares the clock shown here with the real time and corrects
// the computer's clock before it starts work. The labels follow the clock
// every second while the dialog is open, including a clock the user changes
// meanwhile; nothing is stored.
#include <QDialog>
#include <memory>

#include "core/data/clock.h"

class QLabel;
class QPushButton;
class QTimer;

namespace talmorek::gui {

class TZ_Info_F : public QDialog {
    Q_OBJECT
public:
    explicit TZ_Info_F(QWidget* parent = nullptr);

    // The clock read by the labels: the one that dates the record and the
    // printouts (the system clock unless the window or a test sets another).
    void setClock(std::shared_ptr<const data::Clock> clock) { clock_ = std::move(clock); }

public slots:
    // One tick of `datumCasTimer`: both labels from the clock again.
    void datumCasTimerTimer();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    std::shared_ptr<const data::Clock> clock_;
    QLabel* datum_ = nullptr;
    QLabel* cas_ = nullptr;
    QPushButton* ok_ = nullptr;
    QTimer* timer_ = nullptr;
};

}  // namespace talmorek::gui
