#pragma once

#include "platform/report/pagemodel.h"
#include "platform/report/printing.h"

#include <QList>
#include <QString>

// Takes the place of the preview window and the printer dialog for one test: every model
// handed to Printing::preview or Printing::print is kept, nothing opens.
class PrintCapture
{
public:
    PrintCapture()
    {
        Printing::setPreviewHandler([this](const PageModel &model, const QString &title) {
            previews.append(model);
            titles.append(title);
        });
        Printing::setPrintHandler([this](const PageModel &model) {
            printed.append(model);
            return printAnswer;
        });
    }
    ~PrintCapture()
    {
        Printing::setPreviewHandler(nullptr);
        Printing::setPrintHandler(nullptr);
    }
    PrintCapture(const PrintCapture &) = delete;
    PrintCapture &operator=(const PrintCapture &) = delete;

    QList<PageModel> previews;
    QList<QString> titles;
    QList<PageModel> printed;
    bool printAnswer = true;
};
