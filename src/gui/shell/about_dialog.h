#pragma once
// "O programu": which election and which task this program serves, and its
// version. Fixed size, no close box; OK (also Enter) closes it.
#include <QDialog>

namespace talmorek::gui {

class TZ_OProgramu_F : public QDialog {
    Q_OBJECT
public:
    explicit TZ_OProgramu_F(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace talmorek::gui
