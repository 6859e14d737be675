#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <vector>

class PageModel;
class QTreeWidget;
class QTreeWidgetItem;

// The list grid of the list forms: columns numbered from 1 in the order they were added, rows
// numbered from 0 in the order they were added, each row with text cells and one hidden
// 32-bit key (RowData). A column can show check boxes or pictures instead of text. Rows are
// never re-sorted, so a row number stays valid until the rows are cleared.
// A width unit is a tenth of the list's text height (about 1.4 pixels at the usual font),
// so the forms' widths fit their texts at any font size: a date in 60, a time in 40. On screen
// the columns share the width the list has; PrintList prints the rows under the print title
// and sub-title with every text whole.
class ListGrid : public QWidget
{
    Q_OBJECT
public:
    explicit ListGrid(QWidget *parent = nullptr);
    ~ListGrid() override;

    void ClearRows();
    // Removes every column; rows keep their texts until ClearRows.
    void ClearColumns();
    // Appends a column and returns its number (from 1).
    int AddColumn(const QString &caption, int width);
    // 0 left, 1 right, 2 centred.
    void ColumnAlignment(int column, int value);
    // 1: the column's cells are check boxes (0: text again).
    void ColumnCheck(int column, int value);
    // 2 (any value but 0): the column's cells show pictures.
    void ColumnPicture(int column, int value);
    // Kept as given; they change nothing in this grid's look.
    void ColumnStyle(int column, int value);
    void ColumnFlag(int column, bool value);

    // Appends a row whose cells take the parts of text split at ";", in column order; a
    // missing part leaves its cell empty, parts beyond the last column are dropped. In a check
    // column the part "1", "-1" or "True" starts the box checked. Returns the row's number.
    int AddRow(const QString &text);
    // The same with the row's RowData, given before the row is shown (cheaper than setting it
    // afterwards when many rows are added).
    int AddRow(const QString &text, int rowData);
    int RowCount() const;
    int RowData(int row) const;              // 0 for a row that does not exist
    void RowData(int row, int value);
    // The selected row; negative when none is selected (also on an empty list).
    int SelectedRow() const;
    // Picture 1 (a double booking) or 2 (free) in a cell; 0 removes it.
    void CellPicture(int row, int column, int picture);
    int CellPicture(int row, int column) const;

    void PrintTitle(const QString &title) { m_printTitle = title; }
    QString PrintTitle() const { return m_printTitle; }
    void PrintSubTitle(const QString &subTitle) { m_printSubTitle = subTitle; }
    QString PrintSubTitle() const { return m_printSubTitle; }
    // 2: PrintList opens the print preview, from which the user prints; any other value:
    // PrintList asks for a printer and prints at once.
    void PrintOption(int option) { m_printOption = option; }
    int PrintOption() const { return m_printOption; }
    // Prints every row under the title and sub-title, through Printing.
    void PrintList();
    // The pages PrintList prints.
    PageModel printPages() const;

    // Reading and driving the grid from code.
    int ColumnCount() const { return int(m_columns.size()); }
    QString ColumnCaption(int column) const;
    int ColumnWidth(int column) const;
    QString CellText(int row, int column) const;
    int CellCheck(int row, int column) const;       // 1 checked, 0 not
    void setSelectedRow(int row);                   // negative: no selection
    QTreeWidget *view() const { return m_view; }
    // The picture shown for picture number 1 or 2 (a null image for any other number).
    static QImage pictureImage(int picture);

signals:
    // A row was double-clicked; read SelectedRow.
    void DblClick();
    // A check cell was clicked: its row, column and new value (1 checked, 0 not).
    void CheckClick(int row, short column, int value);

private:
    friend class ListGridDelegate;
    struct Column
    {
        QString caption;
        int width = 60;
        int alignment = 0;
        bool check = false;
        bool picture = false;
        int style = 0;
        bool flag = false;
    };
    bool validColumn(int column) const { return column >= 1 && column <= ColumnCount(); }
    // The columns on screen share the width the list has, each as wide as its widest text
    // where there is room (see fitWidths), until the user sizes a column himself. Rows change
    // in batches: the fit runs once the batch is added.
    void scheduleFit();
    void fitColumns();
    int designedPixels(const Column &c) const;
    bool eventFilter(QObject *watched, QEvent *event) override;
    QTreeWidgetItem *rowItem(int row) const;
    void applyColumn(int column);
    void toggleCheck(QTreeWidgetItem *item, int column);

    QTreeWidget *m_view = nullptr;
    std::vector<Column> m_columns;
    bool m_fitPending = false;
    bool m_fitting = false;
    bool m_userSized = false;
    QString m_printTitle;
    QString m_printSubTitle;
    int m_printOption = 2;
};
