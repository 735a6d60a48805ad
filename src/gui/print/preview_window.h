#pragma once
// The preview window ("Preview"): the document a print job has just drawn,
// page by page, with zoom, page navigation, the printer dialog and "Tisk".
// Shown modally; the job that filled it continues when it closes.

#include <QDialog>
#include <functional>

#include "gui/print/preview_output.h"
#include "core/print/preview_document.h"
#include "core/print/recording_document.h"

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace talmorek::gui {

class PageView;

class TpreviewF : public QDialog {
    Q_OBJECT
public:
    // `preview` is the job side of `document` (its page count, the range
    // and copies that "Tisk" prints); `output` is the printer dialog and
    // the printer. All three must outlive the window.
    TpreviewF(print::PreviewDocument& preview, print::RecordingDocument& document, PreviewOutput& output,
              QWidget* parent = nullptr);
    ~TpreviewF() override;

    // Enables the navigation buttons for the current page: "first" and
    // "prior" unless it is page 1, "next" and "last" unless it is the last.
    void aktBtn();

    PageView* PrintPreview() const { return PrintPreview_; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildBar();
    void placeButtons();
    // After every change of the document or of the current page.
    void documentChanged();
    void goToPage(int page);
    void firstPage();
    void priorPage();
    void nextPage();
    void lastPage();
    // True when the key was one of the preview's own and has been handled.
    bool handleKey(QKeyEvent* event);
    void zoomChosen(int index);
    void printerSetup();
    void printDocument();
    bool idle() const;

    print::PreviewDocument& preview_;
    print::RecordingDocument& document_;
    PreviewOutput& output_;
    std::function<void()> previousOnChange_;
    bool printing_ = false;

    QWidget* bar_ = nullptr;
    QLabel* LupaL_ = nullptr;
    QComboBox* zoomCB_ = nullptr;
    QToolButton* firstSB_ = nullptr;
    QToolButton* priorSB_ = nullptr;
    QToolButton* nextSB_ = nullptr;
    QToolButton* lastSB_ = nullptr;
    QLabel* pageNL_ = nullptr;
    QToolButton* printerSetupSB_ = nullptr;
    QPushButton* printBtn_ = nullptr;
    QPushButton* zavritBtn_ = nullptr;
    PageView* PrintPreview_ = nullptr;
};

}  // namespace talmorek::gui
