#pragma once

#include <QString>

#include <functional>

class PageModel;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

// Every printed page of the program leaves through here: reports, lists and schedules hand
// over a laid-out PageModel. The preview and the printer dialog are seams: a test installs
// handlers that capture the model, so no window or printer ever opens under test.
namespace Printing {

// Shows the pages in the print preview window, modeless; the window prints on request.
void preview(const PageModel &model, const QString &title);
// Asks for a printer (the printer dialog) and prints the pages; false when cancelled.
bool print(const PageModel &model, QWidget *parent = nullptr);

// The one painting path of every target: all pages (or pages from..to, counted from 0)
// onto a printer or a PDF writer, each page as the model's paper and orientation.
void paint(const PageModel &model, QPagedPaintDevice *device, int from = 0, int to = -1);
void printTo(const PageModel &model, QPrinter *printer);
// Writes the pages to a PDF file; false when the file cannot be written.
bool writePdf(const PageModel &model, const QString &path);

// Replace the preview window or the printer dialog; nullptr puts the default back.
using PreviewHandler = std::function<void(const PageModel &model, const QString &title)>;
void setPreviewHandler(PreviewHandler handler);
using PrintHandler = std::function<bool(const PageModel &model)>;
void setPrintHandler(PrintHandler handler);

} // namespace Printing
