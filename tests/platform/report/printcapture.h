#pragma once

#include "platform/report/pagemodel.h"
#include "platform/report/printing.h"

#include <QList>
#include <QString>

// The texts of a model that do not show whole in their boxes (cut at a side or below), each
// with its page, as "page 2: +45 86 12 34".
inline QStringList cutTexts(const PageModel &model)
{
    QStringList cut;
    for (int p = 0; p < model.pageCount(); ++p) {
        for (const PageItem &item : model.page(p).items) {
            if (!TextMetrics::fits(item))
                cut.append(QStringLiteral("page %1: %2").arg(p + 1).arg(item.text));
        }
    }
    return cut;
}

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
