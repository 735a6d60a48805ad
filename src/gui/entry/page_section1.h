#pragma once
// Page "T/4 - odd. I" of the entry window: the identification of the
// precinct and section I of the record, the course of voting, as the
// sentences of the paper form with their blanks: when the chairman opened
// and closed voting on each day; whether the start was postponed, the time
// extended or voting interrupted (each with its date, time and reason);
// complaints with the number of their sheets; the portable ballot box.
//
// Nothing is checked here: the page shows what the record holds and hands
// every value typed or chosen to the window, which passes it to the form's
// logic.
#include <QList>
#include <QWidget>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace talmorek::gui {

struct DatedEvent;

class RadioPair;
class TSEdit;

class PageSection1 : public QWidget {
    Q_OBJECT
public:
    explicit PageSection1(QWidget* parent);

    // The fields that take typing, in tab order.
    const QList<TSEdit*>& edits() const { return edits_; }
    // The identification and the election dates, shown only.
    const QList<TSEdit*>& displays() const { return displays_; }
    // The five yes/no questions, in tab order.
    const QList<RadioPair*>& pairs() const { return pairs_; }
    QPushButton* dalsiButton() const { return dalsiBtn_; }
    QLabel* nazevObce() const { return nazevObce_; }

private:
    void buildIdentification(QVBoxLayout* lines);
    void buildTimes(QVBoxLayout* lines);
    // The postponed start or the extended voting.
    void buildDatedEvent(QVBoxLayout* lines, const DatedEvent& event);
    void buildInterrupted(QVBoxLayout* lines);
    void buildComplaints(QVBoxLayout* lines);
    void buildBallotBox(QVBoxLayout* lines);
    void settleTabOrder();

    QList<TSEdit*> edits_;
    QList<TSEdit*> displays_;
    QList<RadioPair*> pairs_;
    QLabel* nazevObce_ = nullptr;
    QPushButton* dalsiBtn_ = nullptr;
};

}  // namespace talmorek::gui
