#pragma once

#include "fixtures/sandbox.h"
#include "platform/report/printcapture.h"

#include <QString>
#include <QStringList>

#include <ostream>

class PageModel;

// Readable texts in test failures.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// A fresh bookingfile in a sandbox as the program's bookingfile, with the preview captured.
class ReportFixture
{
public:
    explicit ReportFixture(bool demo = false);

    // Runs statements on the bookingfile.
    void exec(const QStringList &statements) const;

    // The texts of every page of the one report shown; empty when none was shown.
    QStringList shownTexts() const;
    // The pictures placed on one page of a model.
    static int pictures(const PageModel &model, int page);

    Sandbox sandbox;
    PrintCapture capture;
    QString path;
};
