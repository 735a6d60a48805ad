#pragma once
// The program's pictures, drawn in code: a ballot box with a ballot paper
// going into its slot, in the blue, white and red of the state colours.
// Drawing them keeps them sharp at any size and needs no image files.
#include <QPixmap>
#include <QRectF>
#include <QWidget>

class QPainter;

namespace talmorek::gui {

// Draws the ballot box into the largest square centred in `area`.
void paintBallotBox(QPainter& painter, const QRectF& area);

// The small logo (window icon, the corner of the main window).
QPixmap ballotLogo(int size);

// The picture in the middle of the main window: the ballot box above the
// name of the task.
class BallotPicture : public QWidget {
    Q_OBJECT
public:
    explicit BallotPicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace talmorek::gui
