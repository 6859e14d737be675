#include "platform/report/printing.h"

#include "platform/controls/form.h"

#include "platform/report/pagemodel.h"
#include "platform/report/previewwindow.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

namespace Printing {

namespace {
PreviewHandler &previewHandler()
{
    static PreviewHandler handler;
    return handler;
}

PrintHandler &printHandler()
{
    static PrintHandler handler;
    return handler;
}
} // namespace

void setPreviewHandler(PreviewHandler handler)
{
    previewHandler() = std::move(handler);
}

void setPrintHandler(PrintHandler handler)
{
    printHandler() = std::move(handler);
}

void preview(const PageModel &model, const QString &title)
{
    if (previewHandler()) {
        previewHandler()(model, title);
        return;
    }
    auto *window = new PreviewWindow(model, title);
    window->setAttribute(Qt::WA_DeleteOnClose);
    Forms::centreOver(window, Forms::activeWindow());   // fits the screen's available area
    window->show();
    window->raise();
    window->activateWindow();
}

bool print(const PageModel &model, QWidget *parent)
{
    if (printHandler())
        return printHandler()(model);
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);   // the model's origin is the paper's corner
    printer.setPageLayout(model.pageLayout());
    printer.setDocName(model.title());
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QObject::tr("Print"));
    dialog.setMinMax(1, qMax(1, model.pageCount()));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    int from = 0;
    int to = model.pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = printer.fromPage() - 1;
        to = qMin(to, printer.toPage() - 1);
    }
    paint(model, &printer, from, to);
    return true;
}

void paint(const PageModel &model, QPagedPaintDevice *device, int from, int to)
{
    if (to < 0 || to >= model.pageCount())
        to = model.pageCount() - 1;
    device->setPageLayout(model.pageLayout());
    QPainter painter;
    if (!painter.begin(device))
        return;
    // The model is in points; the device counts in its own dots.
    const double scale = device->logicalDpiX() / 72.0;
    const double scaleY = device->logicalDpiY() / 72.0;
    for (int i = from; i <= to; ++i) {
        if (i > from)
            device->newPage();
        painter.save();
        painter.scale(scale, scaleY);
        model.render(&painter, i);
        painter.restore();
    }
    painter.end();
}

void printTo(const PageModel &model, QPrinter *printer)
{
    printer->setFullPage(true);   // the model's origin is the paper's corner
    paint(model, printer);
}

bool writePdf(const PageModel &model, const QString &path)
{
    {
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly))
            return false;
    }
    QPdfWriter writer(path);
    writer.setTitle(model.title());
    writer.setCreator(QStringLiteral("Vantix"));
    writer.setResolution(1200);
    paint(model, &writer);
    return QFile(path).size() > 0;
}

} // namespace Printing
