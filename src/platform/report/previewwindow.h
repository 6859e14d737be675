#pragma once

#include "platform/report/pagemodel.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class PreviewPageView;

// The print preview: one page of a PageModel at a time, with first, previous, next and last
// page, zoom, print (through Printing::print) and close.
class PreviewWindow : public QWidget
{
    Q_OBJECT
public:
    explicit PreviewWindow(const PageModel &model, const QString &title,
                           QWidget *parent = nullptr);
    ~PreviewWindow() override;

    const PageModel &model() const { return m_model; }
    int currentPage() const { return m_page; }          // from 0
    void setCurrentPage(int page);
    double zoom() const { return m_zoom; }              // 1.0: the paper's real size
    void setZoom(double zoom);
    void fitWidth();
    void fitPage();

    QPushButton *firstButton() const { return m_first; }
    QPushButton *previousButton() const { return m_previous; }
    QPushButton *nextButton() const { return m_next; }
    QPushButton *lastButton() const { return m_last; }
    QPushButton *printButton() const { return m_print; }
    QPushButton *closeButton() const { return m_close; }
    QComboBox *zoomBox() const { return m_zoomBox; }
    QLabel *pageLabel() const { return m_pageLabel; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateState();
    void zoomChosen(int index);
    // Until a zoom is chosen: the real size, or smaller where the window is narrower than
    // the page, so that the whole width of the page shows.
    void fitOpeningZoom();

    PageModel m_model;
    int m_page = 0;
    double m_zoom = 1.0;
    bool m_zoomChosen = false;
    QPushButton *m_first = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_last = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_close = nullptr;
    QComboBox *m_zoomBox = nullptr;
    QLabel *m_pageLabel = nullptr;
    QScrollArea *m_scroll = nullptr;
    PreviewPageView *m_view = nullptr;
};
