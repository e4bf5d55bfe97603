#pragma once

#include "common/Outcome.h"

#include <QUrl>
#include <QWidget>

class QLabel;
class QLineEdit;

namespace ui {

// Shows local documents (MHTML archives) in an embedded browser. The browser engine is loaded
// (from the velmora_browser plugin beside the program) on the first navigate(), so a window with
// viewers starts without it. Always offline (every request that is not for a local file or an
// archive part is refused, nothing is kept on disk) and silent (no script dialogs, no error
// pages, no new windows). Without the plugin a viewer stays empty.
//
// Keys while the viewer has the focus: Ctrl+F opens a find bar at its top right (Enter finds the
// next match, Shift+Enter the previous, Esc closes the bar and nothing else); Ctrl+= (or Ctrl++)
// and Ctrl+- make the text larger or smaller by the step of Ctrl+wheel, Ctrl+0 gives back the
// text size set.
class HtmlViewer final : public QWidget {
    Q_OBJECT
public:
    explicit HtmlViewer(QWidget* parent = nullptr);
    ~HtmlViewer() override;

    // Shows the document at a file path. A missing file (or browser) leaves the viewer empty and
    // fails with the reason.
    common::Outcome<> navigate(const QString& path);
    QUrl url() const;
    // Text size on a five-step scale, 0 (smallest) to 4 (largest); 2 is medium. Clamped.
    void setTextSize(int size);
    int textSize() const { return m_textSize; }
    // The browser widget (a QWebEngineView), or nullptr before the first navigate().
    QWidget* browser() const { return m_browser; }

    // Every outside request refused so far, by any viewer of the program.
    static QList<QUrl> refusedRequests();

Q_SIGNALS:
    void loadFinished(bool ok);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool createBrowser();
    void createKeys();
    void createFindBar();
    void placeFindBar();
    void zoomIn();
    void zoomOut();
    void resetZoom();
    void stepZoom(double step);
    void openFindBar();
    // Selects the next (or previous) match of the find bar's text.
    void findNext(bool backward = false);
    void closeFindBar();

    QWidget* m_browser = nullptr;
    QWidget* m_findBar = nullptr;
    QLineEdit* m_findBox = nullptr;
    QLabel* m_findCount = nullptr;
    int m_textSize = 2;
};

} // namespace ui
