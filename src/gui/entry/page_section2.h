#pragma once
// Page "T/4 - odd. II" of the entry window: section II of the record, the
// four totals of the precinct with the check numbers KČ1 and KČ2 computed
// from them, and the parties that received at least one valid vote, one
// check box each ("07: name"), in columns of 13.
//
// Nothing is decided here: the page shows what the record holds and hands
// every value typed and every box ticked to the window, which passes it to
// the form's logic. The page only knows the keys of its boxes: Space ticks,
// Enter moves on as Tab does, and a box left with Enter says so.
#include <QList>
#include <QString>
#include <QWidget>

class QCheckBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace talmorek::gui {

class TSEdit;

class PageSection2 : public QWidget {
    Q_OBJECT
public:
    explicit PageSection2(QWidget* parent);

    // The four totals, in tab order.
    const QList<TSEdit*>& edits() const { return edits_; }
    // The identification and KČ2, shown only.
    const QList<TSEdit*>& displays() const { return displays_; }
    QLabel* nazevObce() const { return nazevObce_; }
    QPushButton* dalsiButton() const { return dalsiBtn_; }
    // The marks of the receiving point, never shown: the corrections were
    // initialled there (`T4.Oprava`), the record was typed there because
    // the carrier could not be read (`TS.ZpusobPorizeni` 9). A commission
    // sets neither; the window only mirrors what the record holds.
    QCheckBox* opravaBox() const { return opravaCB_; }
    QCheckBox* zapisTNBox() const { return zapisTNCB_; }

    struct Party {
        int number = 0;   // the party number, which the box carries
        QString caption;  // "07: name"
    };
    // Builds the boxes of the party list anew (the list is read again at
    // every opening); none ticked.
    void setParties(const QList<Party>& parties);
    const QList<QCheckBox*>& partyBoxes() const { return boxes_; }
    int partyOf(const QCheckBox* box) const;
    // Ticks or unticks the box of `party` without announcing a click.
    void showTicked(int party, bool ticked);

signals:
    // The user ticked or unticked the box of `party` (mouse, Space).
    void partyClicked(int party, bool ticked);
    // The box of `party` lost the focus, after an Enter in it or otherwise.
    void partyLeft(int party, bool withEnter);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildIdentification(QVBoxLayout* lines);
    void buildTotals(QVBoxLayout* lines);
    void settleTabOrder();

    QList<TSEdit*> edits_;
    QList<TSEdit*> displays_;
    QList<QCheckBox*> boxes_;
    QCheckBox* leftWithEnter_ = nullptr;  // the box an Enter is moving away from
    bool movingOn_ = false;               // the Tab of that Enter is on its way
    QWidget* panel_ = nullptr;
    QGridLayout* boxGrid_ = nullptr;
    QLabel* nazevObce_ = nullptr;
    QPushButton* dalsiBtn_ = nullptr;
    QCheckBox* opravaCB_ = nullptr;
    QCheckBox* zapisTNCB_ = nullptr;
};

}  // namespace talmorek::gui
