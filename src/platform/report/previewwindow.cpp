#include "platform/report/previewwindow.h"

#include "platform/report/printing.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace {
const QColor kDeskColor(0x80, 0x84, 0x8a);
}

// Paints one page on a grey desk, with a shadow, at the window's zoom.
class PreviewPageView : public QWidget
{
public:
    explicit PreviewPageView(const PageModel &model) : m_model(model) {}

    void show(int page, double zoom)
    {
        m_page = page;
        m_zoom = zoom;
        const QSizeF paper = m_model.paperSize() * pixelsPerPoint();
        setFixedSize(int(paper.width()) + 2 * kDesk, int(paper.height()) + 2 * kDesk);
        update();
    }
    double pixelsPerPoint() const { return m_zoom * logicalDpiX() / 72.0; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), kDeskColor);
        const QSizeF paper = m_model.paperSize() * pixelsPerPoint();
        const QRectF sheet(kDesk, kDesk, paper.width(), paper.height());
        p.fillRect(sheet.translated(4, 4), QColor(0, 0, 0, 70));
        p.fillRect(sheet, Qt::white);
        p.translate(sheet.topLeft());
        p.scale(pixelsPerPoint(), m_zoom * logicalDpiY() / 72.0);
        m_model.render(&p, m_page);
    }

private:
    static constexpr int kDesk = 16;
    const PageModel &m_model;
    int m_page = 0;
    double m_zoom = 1.0;
};

namespace {
struct ZoomChoice { const char *text; double zoom; };   // 0: page width, -1: whole page
constexpr ZoomChoice kZooms[] = {
    {"50%", 0.5}, {"75%", 0.75}, {"100%", 1.0}, {"125%", 1.25}, {"150%", 1.5}, {"200%", 2.0},
    {"Page Width", 0}, {"Whole Page", -1},
};
}

PreviewWindow::PreviewWindow(const PageModel &model, const QString &title, QWidget *parent)
    : QWidget(parent, Qt::Window), m_model(model)
{
    setWindowTitle(title);
    auto *bar = new QHBoxLayout;
    m_first = new QPushButton(tr("|<  First"));
    m_previous = new QPushButton(tr("<  Previous"));
    m_pageLabel = new QLabel;
    m_pageLabel->setMinimumWidth(90);
    m_pageLabel->setAlignment(Qt::AlignCenter);
    m_next = new QPushButton(tr("Next  >"));
    m_last = new QPushButton(tr("Last  >|"));
    m_zoomBox = new QComboBox;
    for (const ZoomChoice &z : kZooms)
        m_zoomBox->addItem(tr(z.text), z.zoom);
    m_print = new QPushButton(tr("Print..."));
    m_close = new QPushButton(tr("Close"));
    for (QPushButton *b : {m_first, m_previous, m_next, m_last, m_print, m_close})
        b->setAutoDefault(false);
    bar->addWidget(m_first);
    bar->addWidget(m_previous);
    bar->addWidget(m_pageLabel);
    bar->addWidget(m_next);
    bar->addWidget(m_last);
    bar->addSpacing(16);
    bar->addWidget(new QLabel(tr("Zoom:")));
    bar->addWidget(m_zoomBox);
    bar->addStretch(1);
    bar->addWidget(m_print);
    bar->addWidget(m_close);

    m_view = new PreviewPageView(m_model);
    m_scroll = new QScrollArea;
    m_scroll->setWidget(m_view);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette desk = m_scroll->palette();
    desk.setColor(QPalette::Window, kDeskColor);
    m_scroll->setPalette(desk);
    m_scroll->setBackgroundRole(QPalette::Window);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);

    connect(m_first, &QPushButton::clicked, this, [this] { setCurrentPage(0); });
    connect(m_previous, &QPushButton::clicked, this, [this] { setCurrentPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { setCurrentPage(m_page + 1); });
    connect(m_last, &QPushButton::clicked, this,
            [this] { setCurrentPage(m_model.pageCount() - 1); });
    connect(m_print, &QPushButton::clicked, this, [this] { Printing::print(m_model, this); });
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_zoomBox, &QComboBox::activated, this, &PreviewWindow::zoomChosen);

    // As large as the page at its real size; the opener keeps the window inside the screen.
    m_zoomBox->setCurrentIndex(2);
    updateState();
    const QSize page = m_view->size();
    const QSize chrome(2 * 6 + m_scroll->frameWidth() * 2
                           + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4,
                       2 * 6 + bar->sizeHint().height() + layout->spacing()
                           + m_scroll->frameWidth() * 2 + 4);
    resize(QSize(std::max(page.width() + chrome.width(), bar->sizeHint().width() + 12),
                 page.height() + chrome.height()));
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::setCurrentPage(int page)
{
    m_page = qBound(0, page, qMax(0, m_model.pageCount() - 1));
    updateState();
    m_scroll->verticalScrollBar()->setValue(0);
}

void PreviewWindow::setZoom(double zoom)
{
    m_zoom = qBound(0.1, zoom, 8.0);
    // The box follows a zoom set from code; a fitted zoom keeps showing its fit choice.
    const double shown = m_zoomBox->currentData().toDouble();
    if (shown > 0 && !qFuzzyCompare(shown, m_zoom)) {
        int index = m_zoomBox->findData(m_zoom);
        if (index < 0) {
            const int custom = m_zoomBox->findData(QStringLiteral("custom"), Qt::UserRole + 1);
            if (custom >= 0)
                m_zoomBox->removeItem(custom);
            m_zoomBox->addItem(QStringLiteral("%1%").arg(qRound(m_zoom * 100)), m_zoom);
            index = m_zoomBox->count() - 1;
            m_zoomBox->setItemData(index, QStringLiteral("custom"), Qt::UserRole + 1);
        }
        m_zoomBox->setCurrentIndex(index);
    }
    updateState();
}

void PreviewWindow::fitWidth()
{
    const double available = m_scroll->viewport()->width() - 40;
    const double paper = m_model.paperSize().width() * logicalDpiX() / 72.0;
    if (paper > 0 && available > 0)
        setZoom(available / paper);
}

void PreviewWindow::fitPage()
{
    const double availableW = m_scroll->viewport()->width() - 40;
    const double availableH = m_scroll->viewport()->height() - 40;
    const QSizeF paper = m_model.paperSize() * (logicalDpiX() / 72.0);
    if (paper.width() > 0 && availableW > 0 && availableH > 0)
        setZoom(qMin(availableW / paper.width(), availableH / paper.height()));
}

void PreviewWindow::fitOpeningZoom()
{
    if (m_zoomChosen)
        return;
    const double available = m_scroll->viewport()->width() - 2 * 16;
    const double paper = m_model.paperSize().width() * logicalDpiX() / 72.0;
    if (paper > 0 && available > 0)
        setZoom(std::min(1.0, available / paper));
}

void PreviewWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    fitOpeningZoom();
}

void PreviewWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitOpeningZoom();
}

void PreviewWindow::zoomChosen(int index)
{
    m_zoomChosen = true;
    const double z = m_zoomBox->itemData(index).toDouble();
    if (z > 0)
        setZoom(z);
    else if (z == 0)
        fitWidth();
    else
        fitPage();
}

void PreviewWindow::updateState()
{
    const int count = m_model.pageCount();
    m_pageLabel->setText(tr("Page %1 of %2").arg(count ? m_page + 1 : 0).arg(count));
    m_first->setEnabled(m_page > 0);
    m_previous->setEnabled(m_page > 0);
    m_next->setEnabled(m_page < count - 1);
    m_last->setEnabled(m_page < count - 1);
    m_print->setEnabled(count > 0);
    m_view->show(m_page, m_zoom);
}

void PreviewWindow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageDown: setCurrentPage(m_page + 1); return;
    case Qt::Key_PageUp: setCurrentPage(m_page - 1); return;
    case Qt::Key_Home:
        if (event->modifiers() & Qt::ControlModifier) {
            setCurrentPage(0);
            return;
        }
        break;
    case Qt::Key_End:
        if (event->modifiers() & Qt::ControlModifier) {
            setCurrentPage(m_model.pageCount() - 1);
            return;
        }
        break;
    case Qt::Key_Escape: close(); return;
    default: break;
    }
    QWidget::keyPressEvent(event);
}
