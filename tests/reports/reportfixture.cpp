#include "reportfixture.h"

#include "core/generalen.h"
#include "platform/db/database.h"

#include <gtest/gtest.h>

ReportFixture::ReportFixture(bool demo)
{
    path = sandbox.newBookingfile(demo ? "demo.mdb" : "reports.mdb", demo);
    Generalen::resetState();
    Generalen::gDatabasePath = path;
    sandbox.setNow(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
}

void ReportFixture::exec(const QStringList &statements) const
{
    auto db = Dao::Database::open(path);
    for (const QString &sql : statements)
        db->Execute(sql);
    db->Close();
}

QStringList ReportFixture::shownTexts() const
{
    if (capture.previews.size() != 1) {
        ADD_FAILURE() << "previews shown: " << capture.previews.size();
        return {};
    }
    return capture.previews.first().texts();
}

int ReportFixture::pictures(const PageModel &model, int page)
{
    int count = 0;
    for (const PageItem &item : model.page(page).items)
        count += item.kind == PageItem::Picture ? 1 : 0;
    return count;
}
