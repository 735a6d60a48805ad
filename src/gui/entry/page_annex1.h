#pragma once
// Page "Příloha č. 1" of the entry window: the votes of one party at a time
// and the preferential votes of its candidates, 36 rows in three columns of
// 12, each with its control product (order × votes), the party's check
// numbers KČ2–KČ4 and the last candidate with a preferential vote.
//
// The page shows what the logic holds and decides nothing: which rows take
// votes, what a product reads and which party is shown are the logic's.
#include <QList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;

namespace talmorek::gui {

class TSEdit;

class PageAnnex1 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 36;
    static constexpr int kRowsPerColumn = 12;

    explicit PageAnnex1(QWidget* parent);

    QComboBox* partyCombo() const { return combo_; }
    TSEdit* votes() const { return votes_; }
    TSEdit* lastCandidate() const { return lastCandidate_; }
    // The party number, KČ2, KČ3 and KČ4, shown only.
    const QList<TSEdit*>& displays() const { return displays_; }
    // Row j (1..36): its vote field and its product.
    TSEdit* candidate(int order) const { return candidates_.at(order - 1); }
    QLabel* product(int order) const { return products_.at(order - 1); }
    // The receiving point's mark that the corrections of the party's annex
    // were initialled there (`T4P.Oprava`): never shown, it only mirrors
    // the party shown.
    QCheckBox* opravaBox() const { return opravaCB_; }
    // The three bars between the columns of candidates and after the last.
    const QList<QFrame*>& bars() const { return bars_; }

private:
    QComboBox* combo_ = nullptr;
    TSEdit* votes_ = nullptr;
    TSEdit* lastCandidate_ = nullptr;
    QList<TSEdit*> displays_;
    QList<TSEdit*> candidates_;
    QList<QLabel*> products_;
    QList<QFrame*> bars_;
    QCheckBox* opravaCB_ = nullptr;
};

}  // namespace talmorek::gui
