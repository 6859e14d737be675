#pragma once

#include "platform/controls/datacontrol.h"

#include <QHash>
#include <QList>
#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

// A data-bound list or combo box: it shows one field (ListField) of every row of its row source
// (a DataControl) and keeps another (BoundColumn) as the value of each row. The selection follows
// the data control's current row; a click by the user selects a row and moves the data control
// to it, then raises Click. Nothing is written to the tables.
//
// Bound to a field of another data control (DataControl::bind), the list shows that field's
// value instead: the selection follows the bound value, a refill keeps it, and a pick changes it;
// the row source then only supplies the rows and is never moved by the list.
//
// Neither style sizes its window by its entries: a combo asks for the width of a fixed number of
// characters, a list for none, and an entry longer than the box is cut short with an ellipsis.
class QStringListModel;

class DBList : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QVariant BoundText READ BoundText WRITE setBoundText NOTIFY boundTextChanged
                   USER true)
public:
    enum Style { ListStyle, ComboStyle };

    explicit DBList(Style style = ListStyle, QWidget *parent = nullptr);
    ~DBList() override;

    void setRowSource(DataControl *source);
    DataControl *RowSource() const { return m_source; }
    void setListField(const QString &field);
    QString ListField() const { return m_listField; }
    void setBoundColumn(const QString &field);
    QString BoundColumn() const { return m_boundColumn; }

    // The value (BoundColumn) of the selected row; empty text when none is selected.
    QVariant BoundText() const;
    // The shown text (ListField) of the selected row.
    QString Text() const;
    // Selects the row whose value is this (nothing when none has it) and moves the data control
    // (a list bound to a field keeps the value even when no row has it).
    void setBoundText(const QVariant &value);
    int ListCount() const;
    QString List(int row) const;     // the shown text of a row
    int ListIndex() const;           // selected row, -1 when none
    void setListIndex(int row);      // as a user's pick: moves the data control and raises Click
    // Refills from the row source (done on its Refreshed signal too).
    void ReFill();

    // Set by DataControl::bind: the selection follows the bound field's value.
    void setDataBound(bool bound);
    bool isDataBound() const { return m_dataBound; }
    // The text a combo shows while no row is selected.
    void setPlaceholderText(const QString &text);

signals:
    void Click();
    // BoundText changed: by a pick, by code or by following the row source.
    void boundTextChanged();

private:
    void followSource();
    void userPicked(int row);
    void select(int row);
    int selectedRow() const;
    int rowOf(const QVariant &value) const;
    void setValue(const QVariant &value);

    Style m_style;
    QPointer<DataControl> m_source;
    QString m_listField;
    QString m_boundColumn;
    QWidget *m_view = nullptr;   // a QListWidget or a QComboBox
    QStringListModel *m_model = nullptr;   // a combo's entries
    QList<QVariant> m_values;
    QHash<qint64, int> m_rowOfNumber;      // the first row of each whole number
    QHash<QString, int> m_rowOfText;       // and of each other value
    QVariant m_value;
    bool m_filling = false;
    bool m_dataBound = false;
    QMetaObject::Connection m_repositionConnection;
    QMetaObject::Connection m_refreshedConnection;
};
