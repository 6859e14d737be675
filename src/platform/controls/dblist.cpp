#include "platform/controls/dblist.h"

#include "platform/controls/msgbox.h"
#include "platform/db/dberror.h"

#include <QComboBox>
#include <QListWidget>
#include <QScreen>
#include <QStringListModel>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <cmath>

namespace {

// How wide a combo box asks to be, in characters: a long entry never widens its window; it is
// shown cut short with an ellipsis.
constexpr int kComboCharacters = 20;

// The key under which a value is found among the rows: values that sameValue holds equal have
// one key. A whole number (the usual bound value) is its own key; any other value a text.
struct ValueKey
{
    bool empty = true;
    bool whole = false;
    qint64 number = 0;
    QString text;
};

ValueKey valueKey(const QVariant &v)
{
    ValueKey key;
    if (v.isNull() || !v.isValid())
        return key;
    double d = 0;
    bool number = false;
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
        key.empty = false;
        key.whole = true;
        key.number = v.toLongLong();
        return key;
    default:
        key.text = v.toString();
        if (key.text.isEmpty())
            return key;
        d = key.text.toDouble(&number);
    }
    key.empty = false;
    if (!number) {
        key.text.prepend(QLatin1Char('$'));
    } else if (d == std::floor(d) && std::abs(d) < 9e15) {
        key.whole = true;
        key.number = qint64(d);
    } else {
        key.text = QLatin1Char('#') + QString::number(d, 'g', 17);
    }
    return key;
}

// A combo box that shows a text longer than itself cut short with an ellipsis, and whose list of
// entries is at most a few times its own width.
class ElidingComboBox : public QComboBox
{
    static constexpr int kListCharacters = 60;

public:
    explicit ElidingComboBox(QWidget *parent) : QComboBox(parent) {}

    void showPopup() override
    {
        QComboBox::showPopup();
        // Qt makes the list as wide as its longest entry, up to the screen's width.
        QWidget *list = view()->window();
        const int bound = std::max(width(), fontMetrics().averageCharWidth() * kListCharacters);
        if (list->width() <= bound)
            return;
        QRect place = list->geometry();
        place.setWidth(bound);
        place.moveLeft(mapToGlobal(QPoint(0, 0)).x());
        if (const QScreen *shown = screen()) {
            const QRect room = shown->availableGeometry();
            place.moveRight(std::min(place.right(), room.right()));
            place.moveLeft(std::max(place.left(), room.left()));
        }
        list->setGeometry(place);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        const QRect text = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                   QStyle::SC_ComboBoxEditField, this);
        option.currentText =
            fontMetrics().elidedText(option.currentText, Qt::ElideRight, text.width());
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }
};

// Lays the entries of a list out as wide as the list itself, so that a long entry is cut short
// with an ellipsis rather than widening the list or its window.
class ViewWideDelegate : public QStyledItemDelegate
{
public:
    explicit ViewWideDelegate(QListWidget *list) : QStyledItemDelegate(list), m_list(list) {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setWidth(std::min(size.width(), std::max(1, m_list->viewport()->width())));
        return size;
    }

private:
    QListWidget *m_list;
};

// Values of a row source compare as numbers when both read as numbers ("7" finds 7).
bool sameValue(const QVariant &a, const QVariant &b)
{
    const bool aNull = a.isNull() || !a.isValid() || a.toString().isEmpty();
    const bool bNull = b.isNull() || !b.isValid() || b.toString().isEmpty();
    if (aNull || bNull)
        return aNull && bNull;
    bool aNumber = false;
    bool bNumber = false;
    const double x = a.toString().toDouble(&aNumber);
    const double y = b.toString().toDouble(&bNumber);
    if (aNumber && bNumber)
        return x == y;
    return a.toString() == b.toString();
}

} // namespace

DBList::DBList(Style style, QWidget *parent) : QWidget(parent), m_style(style)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (m_style == ComboStyle) {
        auto *combo = new ElidingComboBox(this);
        combo->setEditable(false);
        // Sized from a fixed length, not from its entries, which may be thousands of accounts;
        // filled in one go from a model of its own.
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(kComboCharacters);
        m_model = new QStringListModel(combo);
        combo->setModel(m_model);
        if (auto *popup = qobject_cast<QListView *>(combo->view())) {
            popup->setUniformItemSizes(true);
            popup->setTextElideMode(Qt::ElideRight);
        }
        connect(combo, &QComboBox::activated, this, [this](int row) { userPicked(row); });
        m_view = combo;
    } else {
        auto *list = new QListWidget(this);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setTextElideMode(Qt::ElideRight);
        list->setResizeMode(QListView::Adjust);
        list->setItemDelegate(new ViewWideDelegate(list));
        connect(list, &QListWidget::currentRowChanged, this, [this](int row) {
            if (!m_filling && row >= 0)
                userPicked(row);
        });
        m_view = list;
    }
    layout->addWidget(m_view);
    setFocusProxy(m_view);
    setFocusPolicy(m_view->focusPolicy());
}

DBList::~DBList() = default;

void DBList::setRowSource(DataControl *source)
{
    disconnect(m_repositionConnection);
    disconnect(m_refreshedConnection);
    m_source = source;
    if (source) {
        m_repositionConnection = connect(source, &DataControl::Reposition, this,
                                         [this] { followSource(); });
        m_refreshedConnection = connect(source, &DataControl::Refreshed, this,
                                        [this] { ReFill(); });
    }
    ReFill();
}

void DBList::setListField(const QString &field)
{
    m_listField = field;
    ReFill();
}

void DBList::setBoundColumn(const QString &field)
{
    m_boundColumn = field;
    ReFill();
}

void DBList::setDataBound(bool bound)
{
    m_dataBound = bound;
}

void DBList::setPlaceholderText(const QString &text)
{
    if (auto *combo = qobject_cast<QComboBox *>(m_view))
        combo->setPlaceholderText(text);
}

QVariant DBList::BoundText() const
{
    return m_value.isNull() ? QVariant(QString()) : m_value;
}

QString DBList::Text() const
{
    const int row = selectedRow();
    return row >= 0 ? List(row) : QString();
}

int DBList::ListCount() const
{
    return int(m_values.size());
}

QString DBList::List(int row) const
{
    if (auto *combo = qobject_cast<QComboBox *>(m_view))
        return combo->itemText(row);
    auto *list = static_cast<QListWidget *>(m_view);
    const QListWidgetItem *item = list->item(row);
    return item ? item->text() : QString();
}

int DBList::ListIndex() const
{
    return selectedRow();
}

int DBList::selectedRow() const
{
    if (auto *combo = qobject_cast<QComboBox *>(m_view))
        return combo->currentIndex();
    auto *list = static_cast<QListWidget *>(m_view);
    const QListWidgetItem *item = list->currentItem();
    return item && item->isSelected() ? list->row(item) : -1;
}

void DBList::select(int row)
{
    const bool wasFilling = m_filling;
    m_filling = true;
    if (row < 0 || row >= ListCount())
        row = -1;
    if (auto *combo = qobject_cast<QComboBox *>(m_view)) {
        combo->setCurrentIndex(row);
    } else {
        auto *list = static_cast<QListWidget *>(m_view);
        if (row < 0) {
            list->clearSelection();
            list->setCurrentRow(-1);
        } else {
            list->setCurrentRow(row);
            list->scrollToItem(list->item(row));
        }
    }
    m_filling = wasFilling;
}

int DBList::rowOf(const QVariant &value) const
{
    const ValueKey key = valueKey(value);
    if (key.empty)
        return -1;
    return key.whole ? m_rowOfNumber.value(key.number, -1) : m_rowOfText.value(key.text, -1);
}

void DBList::setValue(const QVariant &value)
{
    const bool empty = value.isNull() || !value.isValid() || value.toString().isEmpty();
    const QVariant v = empty ? QVariant() : value;
    const bool changed = !sameValue(v, m_value);
    m_value = v;
    if (changed)
        emit boundTextChanged();
}

void DBList::ReFill()
{
    QList<QVariantList> rows;
    if (m_source && m_source->isOpen() && !m_listField.isEmpty()) {
        const QString bound = m_boundColumn.isEmpty() ? m_listField : m_boundColumn;
        rows = m_source->rowValues({m_listField, bound});
    }
    const bool wasFilling = m_filling;
    m_filling = true;
    m_values.clear();
    m_rowOfNumber.clear();
    m_rowOfText.clear();
    QStringList texts;
    texts.reserve(rows.size());
    m_values.reserve(rows.size());
    m_rowOfNumber.reserve(rows.size());
    for (const QVariantList &r : std::as_const(rows)) {
        texts << r.value(0).toString();
        // Each value finds the first row that holds it.
        const ValueKey key = valueKey(r.value(1));
        const int row = int(m_values.size());
        if (key.whole && !m_rowOfNumber.contains(key.number))
            m_rowOfNumber.insert(key.number, row);
        else if (!key.whole && !key.empty && !m_rowOfText.contains(key.text))
            m_rowOfText.insert(key.text, row);
        m_values << r.value(1);
    }
    if (auto *combo = qobject_cast<QComboBox *>(m_view)) {
        m_model->setStringList(texts);
        combo->setCurrentIndex(-1);
    } else {
        auto *list = static_cast<QListWidget *>(m_view);
        list->clear();
        list->addItems(texts);
    }
    m_filling = wasFilling;

    if (m_dataBound)
        select(rowOf(m_value));
    else
        followSource();
}

void DBList::followSource()
{
    if (m_dataBound)
        return;
    const int row = m_source ? m_source->position() : -1;
    select(row);
    setValue(row >= 0 && row < m_values.size() ? m_values[row] : QVariant());
}

void DBList::userPicked(int row)
{
    if (row < 0 || row >= m_values.size())
        return;
    select(row);
    setValue(m_values[row]);
    if (!m_dataBound && m_source && m_source->position() != row) {
        try {
            m_source->moveTo(row);
        } catch (const Dao::DbError &e) {
            // The row source could not write its own changed row before moving.
            followSource();
            MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation);
            return;
        }
        if (m_source->position() != row) {   // its Validate kept the row it is on
            followSource();
            return;
        }
    }
    emit Click();
}

void DBList::setListIndex(int row)
{
    if (row < 0 || row >= m_values.size()) {
        select(-1);
        setValue(QVariant());
        return;
    }
    userPicked(row);
}

void DBList::setBoundText(const QVariant &value)
{
    const int row = rowOf(value);
    select(row);
    if (m_dataBound) {
        setValue(value);
        return;
    }
    setValue(row >= 0 ? m_values[row] : QVariant());
    if (row >= 0 && m_source && m_source->position() != row)
        m_source->moveTo(row);
}
