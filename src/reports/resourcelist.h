#pragma once

#include "reports/reportframe.h"

#include "platform/report/report.h"
#include "platform/report/reportdatacontrol.h"

#include <QList>

// What the three resource lists share: the items of one kind under their group and type
// headers, with the report frame around them. Each list gives its title, statement and
// columns.
class ResourceList : public Report
{
public:
    void Show() override { ReportFrame::show(*this); }

    void ActiveReport_ReportStart() override;
    void ActiveReport_ReportEnd() override;

    ReportDataControl DataCtl;
    ReportLabel *Title = nullptr;
    ReportSubReport *SubReport1 = nullptr;
    ReportTextBox *OverGruppenavn = nullptr;
    ReportTextBox *Lokalitetsnavn = nullptr;
    ReportTextBox *Cinfo1 = nullptr;
    ReportTextBox *Cinfo2 = nullptr;

protected:
    struct Column
    {
        QString caption;
        QString field;
        QString format;
        double width = 0;   // millimetres
        Qt::Alignment alignment = Qt::AlignLeft;
    };
    ResourceList(const QString &name, const QString &title, const QString &sql,
                 const QList<Column> &columns, QPageLayout::Orientation orientation);

    // The equipment lists (Add-On, Stand-Alone) share their query and columns but for the kind.
    static QString equipmentSql(int kind);
    static QList<Column> equipmentColumns();

private:
    QString m_sql;
    ReportFrame::Footer m_footer;
};
