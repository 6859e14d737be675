#pragma once

#include "plannergeometry.h"

#include <QAbstractScrollArea>
#include <QList>
#include <QPointer>
#include <QString>

class PageModel;
class QLineEdit;
class QPainter;

// Multi-day planner grid: time slots as rows, resource columns (day grid) or seven day
// columns (week grid), items drawn as coloured blocks. The user selects slots, types new
// items, moves and resizes them, edits their text and opens them; the grid reports each of
// these through its signals and never writes data of its own.
//
// Column and item indexes start at 1. Times are minutes since midnight; an item whose end
// lies before its start runs past midnight and is drawn to the end of its day. Days are day
// numbers (1900-01-01 is day 0). Colours are numbers with red in the low byte (255 is red).
class PlannerGrid : public QAbstractScrollArea
{
    Q_OBJECT
public:
    enum Mode { DayGrid, WeekGrid };

    explicit PlannerGrid(Mode mode = DayGrid, QWidget *parent = nullptr);
    ~PlannerGrid() override;

    Mode mode() const { return m_mode; }
    void setMode(Mode mode);

    // --- Columns --------------------------------------------------------------------------
    // Day grid: one column per resource. The week grid has its seven day columns instead and
    // ignores these calls.
    int AddColumn(qint32 resourceNo, const QString &title);   // returns the new column's index
    void ClearColumns();
    int ColumnCount() const;
    qint32 ColumnResource(int column) const;   // 0 for no such column and in the week grid
    QString ColumnTitle(int column) const;
    // A further value kept with a column for its owner; the grid does not use it.
    void SetColumnValue(int column, int value);
    int ColumnValue(int column) const;

    // Week grid: the day of its first column, the day of a column, the title above the grid.
    // The day grid may also be told its day: typed items take it as their day.
    void SetFirstDay(qint32 day);
    qint32 FirstDay() const { return m_firstDay; }
    qint32 DayOfColumn(int column) const;      // 0 for no such column
    void SetTitle(const QString &title);
    QString Title() const { return m_title; }

    // --- Items ----------------------------------------------------------------------------
    int AddItem(int start, int end, qint32 day, const QString &text, const QString &keyText);
    void RemoveItem(int index);   // later items move down one index
    void ClearItems();
    int ItemCount() const { return int(m_items.size()); }

    QString ItemText(int index) const;
    void SetItemText(int index, const QString &text);
    int ItemStart(int index) const;
    void SetItemStart(int index, int minute);
    int ItemEnd(int index) const;
    void SetItemEnd(int index, int minute);
    quint32 ItemColour(int index) const;
    void SetItemColour(int index, quint32 rgb);
    bool ItemTentative(int index) const;
    void SetItemTentative(int index, bool tentative);
    // An item marked as cut is drawn faded with a "Cut" tag until the mark is taken off.
    bool ItemCut(int index) const;
    void SetItemCut(int index, bool cut);
    QString ItemAccountName(int index) const;
    void SetItemAccountName(int index, const QString &name);
    QString ItemKeyText(int index) const;
    void SetItemKeyText(int index, const QString &key);
    qint32 ItemDay(int index) const;
    void SetItemDay(int index, qint32 day);
    qint32 ItemResource(int index) const;
    void SetItemResource(int index, qint32 resourceNo);
    // Puts an item that the user just moved or resized back where it was before, for an owner
    // that could not store the change; false when the item's last change was no such gesture
    // or the item is not the one that was moved.
    bool RevertItemChange(int index);

    // --- Selection ------------------------------------------------------------------------
    int SelectedItem() const { return m_selectedItem; }   // less than 1: none
    int CurrentSlot() const;                               // slot from the top row; -1: none
    int SelectedStart() const;                             // minutes; -1 with no slot
    int SelectedEnd() const;
    int SelectedColumn() const;                            // 0: none
    void SetSelectedItem(int index);
    // Selects the slots of [startMinute, endMinute) in a column, as a click and drag does.
    void SetSelection(int column, int startMinute, int endMinute);
    // Selects the item whose key text is key, with no slot highlighted beside it; with no such
    // item nothing is selected. Answers whether it was found.
    bool SelectItemByKey(const QString &key);

    // --- Settings -------------------------------------------------------------------------
    void SetOpeningTime(int minute);
    int OpeningTime() const { return m_opening; }
    void SetClosingTime(int minute);
    int ClosingTime() const { return m_closing; }
    void SetPrimeStart(int minute);
    int PrimeStart() const { return m_primeStart; }
    void SetPrimeEnd(int minute);
    int PrimeEnd() const { return m_primeEnd; }
    // The span of the printed schedule.
    void SetScheduleStart(int minute) { m_scheduleStart = minute; }
    int ScheduleStart() const { return m_scheduleStart; }
    void SetScheduleEnd(int minute) { m_scheduleEnd = minute; }
    int ScheduleEnd() const { return m_scheduleEnd; }
    // Slot length in minutes on screen, and in the printed schedule.
    void SetTimeUnit(int minutes);
    int TimeUnit() const { return m_unit; }
    void SetPrintTimeUnit(int minutes) { m_printUnit = minutes; }
    int PrintTimeUnit() const { return m_printUnit; }
    // Times read "HH:mm" with 24-hour time, else "h:mm", followed by am/pm when asked.
    void SetAmPm(bool on);
    bool AmPm() const { return m_amPm; }
    void SetMilitary(bool on);
    bool Military() const { return m_military; }
    // Picture of the week grid's column dates; codes in PlannerGeometry::formatDatePicture.
    void SetDatePicture(const QString &picture);
    QString DatePicture() const { return m_datePicture; }
    // Shown while the grid holds no items.
    void SetHintText(const QString &text);
    QString HintText() const { return m_hint; }

    // --- Printing -------------------------------------------------------------------------
    void SetPrintTitle(const QString &title) { m_printTitle = title; }
    QString PrintTitle() const { return m_printTitle; }
    void SetPrintSubTitle(const QString &subTitle) { m_printSubTitle = subTitle; }
    QString PrintSubTitle() const { return m_printSubTitle; }
    // Grid line colour (red in the low byte), items without colour, ruler width in points,
    // columns per page.
    void SetPrintLayout(quint32 lineColour, bool monochrome, int rulerWidth, int columnsPerPage);
    quint32 PrintLineColour() const { return m_print.lineColour; }
    bool PrintMonochrome() const { return m_print.monochrome; }
    int PrintRulerWidth() const { return m_print.rulerWidth; }
    int PrintColumnsPerPage() const { return m_print.columnsPerPage; }

    // The printed schedule: columns across, ScheduleStart to ScheduleEnd down, the items.
    QList<PlannerGeometry::PlannerPrintItem> printLayout(const QSizeF &page) const;
    int printPageCount() const;
    // Paints one page of printLayout(target's size) into target.
    void renderPrint(QPainter *painter, const QRectF &target, int page = 0) const;
    // The printed schedule on landscape A4 paper, as the program's printing takes it.
    PageModel printPages() const;
    // Prints the schedule: printPages() goes to the print preview, from which the user prints.
    void Print();

    // Where a column's slot and an item lie in the viewport (empty when not shown).
    QRect slotRect(int column, int slot);
    QRect itemRect(int index);

signals:
    // The user typed text into an empty slot; the item exists in the grid. column is the
    // column it was typed in; cancelled is always false for a typed item.
    void ItemAdded(int index, int start, int end, int column, bool cancelled);
    void ItemChanged(int index);                          // moved or resized
    // Text edited in place; an edit that leaves the text empty keeps the old text and raises
    // nothing.
    void ItemEdited(int index, const QString &text);
    void ItemDblClick(int index);
    void DblClick();                                      // outside the items
    void ItemMenuRequest(int index, const QPoint &globalPos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    struct Column
    {
        qint32 resource = 0;
        QString title;
        int value = 0;
    };
    struct Item
    {
        int start = 0;
        int end = 0;
        qint32 day = 0;
        QString text;
        QString keyText;
        QString accountName;
        quint32 colour = 0xF5D7B4;   // light blue
        bool tentative = false;
        bool cut = false;
        qint32 resource = 0;
    };
    struct Placement
    {
        int column = 0;
        PlannerGeometry::Lane lane;
    };
    enum class Drag { None, SelectRange, MaybeMove, Move, ResizeTop, ResizeBottom };
    enum class Edit { None, NewItem, ItemText };

    class Margin;
    friend class Margin;

    Item *item(int index);
    const Item *item(int index) const;
    void changed();
    void ensureLayout();
    int columnOfItem(const Item &item) const;
    QString headerText(int column) const;
    int rulerWidth() const;
    int headerHeight() const;
    int titleHeight() const;
    double baseSlotHeight() const;
    QPointF toContents(const QPointF &viewportPos) const;
    QRectF itemContentRect(int index) const;
    QRectF itemContentRect(const Item &item, int column, const PlannerGeometry::Lane &lane) const;
    int itemAt(const QPointF &contentPos) const;
    int slotOfMinute(int minute) const;
    void selectSlot(int column, int slot, bool extend);
    void ensureMinuteVisible(int minute);
    void updateCursor(const QPointF &contentPos);

    void startNewItemEdit(const QString &firstText);
    void startItemTextEdit(int index);
    void placeEditor();
    void deselectItem();
    void commitEdit();
    void cancelEdit();

    void paintGrid(QPainter &p, const QRect &exposed);
    void paintItem(QPainter &p, const QRectF &r, const Item &item, bool selected, bool ghost);
    void paintHeader(QPainter &p, const QRect &area);
    void paintRuler(QPainter &p, const QRect &area);
    void headerDoubleClicked(const QPoint &pos);

    Mode m_mode;
    QList<Column> m_columns;
    QList<Item> m_items;
    qint32 m_firstDay = 0;
    QString m_title;

    // The selected slots are kept as minutes, so they stay put when the rows widen.
    int m_selectedItem = 0;
    int m_selColumn = 0;
    int m_anchorMinute = -1;
    int m_currentMinute = -1;

    int m_opening = 480;
    int m_closing = 1080;
    int m_primeStart = 480;
    int m_primeEnd = 1020;
    int m_scheduleStart = 480;
    int m_scheduleEnd = 1080;
    int m_unit = 30;
    int m_printUnit = 30;
    bool m_amPm = false;
    bool m_military = true;
    QString m_datePicture = QStringLiteral("D N-m-y");
    QString m_hint;

    QString m_printTitle;
    QString m_printSubTitle;
    PlannerGeometry::PlannerPrintSettings m_print;

    // Layout, rebuilt after every change.
    bool m_dirty = true;
    bool m_relayoutQueued = false;
    PlannerGeometry::TimeScale m_scale;
    PlannerGeometry::ColumnScale m_cols;
    QList<Placement> m_placement;
    int m_shownFirstMinute = -1;

    // Mouse gesture under way.
    Drag m_drag = Drag::None;
    int m_dragItem = 0;
    QPointF m_pressPos;        // contents
    int m_ghostStart = 0;
    int m_ghostEnd = 0;
    int m_ghostColumn = 0;
    bool m_pressedSelected = false;
    int m_pendingEditItem = 0;
    int m_editTimer = 0;
    // Where the item of the last move or resize was before it (index 0: none to put back).
    struct LastChange
    {
        int index = 0;
        QString keyText;
        int start = 0;
        int end = 0;
        qint32 day = 0;
        qint32 resource = 0;
    } m_lastChange;

    // In-place editor.
    QPointer<QLineEdit> m_editor;
    bool m_forwardingKey = false;   // a key handed to the editor comes back when it ignores it
    Edit m_edit = Edit::None;
    int m_editItem = 0;
    int m_editColumn = 0;
    int m_editStart = 0;
    int m_editEnd = 0;

    Margin *m_header = nullptr;
    Margin *m_ruler = nullptr;

protected:
    void timerEvent(QTimerEvent *event) override;
};
