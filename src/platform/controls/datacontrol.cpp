#include "platform/controls/datacontrol.h"

#include "platform/controls/dblist.h"
#include "platform/controls/dedit.h"
#include "platform/db/database.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QMetaProperty>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <functional>

namespace {

// Carries the change notification of a widget known only by its USER property.
class ChangeRelay : public QObject
{
    Q_OBJECT
public:
    ChangeRelay(std::function<void()> onChange, QObject *parent)
        : QObject(parent), m_onChange(std::move(onChange))
    {}
    Q_SLOT void changed() { m_onChange(); }

private:
    std::function<void()> m_onChange;
};

// The text a box shows for a field value.
QString displayText(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        return dt.time() == QTime(0, 0) ? dt.date().toString(Qt::ISODate)
                                        : dt.toString(Qt::ISODate);
    }
    default:
        return value.toString();
    }
}

bool truthy(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return false;
    if (value.typeId() == QMetaType::QString) {
        const QString t = value.toString().trimmed();
        bool isNumber = false;
        const double d = t.toDouble(&isNumber);
        if (isNumber)
            return d != 0;
        return t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
               || t.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0;
    }
    return value.toBool();
}

// An empty text is no value: it is written as Null.
QVariant textValue(const QString &text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

QMetaProperty userProperty(const QWidget *box)
{
    return box->metaObject()->userProperty();
}

// A label shows its field and never changes it, unless a subclass offers a USER property
// (a picture box that the form can load a new picture into).
bool isPlainLabel(const QWidget *box)
{
    return qobject_cast<const QLabel *>(box) && !userProperty(box).isValid();
}

// A line edit binds by its text, unless a subclass offers a USER property of its own (a number
// box whose value is a number).
QLineEdit *plainLineEdit(QWidget *box)
{
    auto *e = qobject_cast<QLineEdit *>(box);
    if (e && userProperty(box).enclosingMetaObject() != &QLineEdit::staticMetaObject)
        return nullptr;
    return e;
}

} // namespace

DataControl::DataControl(QObject *parent) : QObject(parent) {}

DataControl::~DataControl()
{
    // A change still pending is dropped: only the form's own ways out write a row, through its
    // checks, and the form that owns the control may be half destroyed by now. A destructor
    // must not throw.
    try {
        if (m_recordset) {
            if (m_recordset->editMode() != Dao::EditMode::None)
                m_recordset->CancelUpdate();
            m_recordset->Close();
        }
    } catch (...) {
    }
    try {
        m_recordset.reset();
        m_db.reset();
    } catch (...) {
    }
}

void DataControl::setDatabaseName(const QString &path)
{
    m_databaseName = path;
}

void DataControl::setRecordSource(const QString &source)
{
    m_recordSource = source;
}

void DataControl::requireOpen() const
{
    if (!m_recordset)
        throw Dao::DbError(QStringLiteral("The data control has no open recordset."));
}

bool DataControl::Refresh()
{
    if (m_recordset && !writePending())
        return false;
    if (m_recordset) {
        m_recordset->Close();
        m_recordset.reset();
    }
    if (m_recordSource.trimmed().isEmpty()) {
        m_db.reset();
        throw Dao::DbError(QStringLiteral("The data control has no record source."));
    }
    try {
        if (!m_db || !m_db->isOpen() || m_db->path() != m_databaseName) {
            m_db.reset();
            m_db = Dao::Database::open(m_databaseName);
        }
        m_recordset = m_db->OpenRecordset(m_recordSource, m_readOnly
                                                              ? Dao::RecordsetType::Snapshot
                                                              : Dao::RecordsetType::Dynaset);
        if (m_recordset->RecordCount() > 0)
            m_recordset->MoveFirst();
    } catch (...) {
        m_recordset.reset();
        m_db.reset();
        throw;
    }
    clearChanged();
    fillBoxes();
    emit Refreshed();
    emit Reposition();
    return true;
}

void DataControl::afterMove()
{
    fillBoxes();
    emit Reposition();
}

bool DataControl::MoveFirst()
{
    requireOpen();
    if (!writePending())
        return false;
    m_recordset->MoveFirst();
    afterMove();
    return true;
}

bool DataControl::MoveNext()
{
    requireOpen();
    if (!writePending())
        return false;
    m_recordset->MoveNext();
    afterMove();
    return true;
}

bool DataControl::MovePrevious()
{
    requireOpen();
    if (!writePending())
        return false;
    m_recordset->MovePrevious();
    afterMove();
    return true;
}

bool DataControl::MoveLast()
{
    requireOpen();
    if (!writePending())
        return false;
    m_recordset->MoveLast();
    afterMove();
    return true;
}

bool DataControl::FindFirst(const QString &criteria)
{
    requireOpen();
    if (!writePending())
        return false;
    m_recordset->FindFirst(criteria);
    if (m_recordset->NoMatch()) {
        fillBoxes();   // a new row just written leaves the row that was current before it
        return true;
    }
    afterMove();
    return true;
}

bool DataControl::AddNew()
{
    requireOpen();
    if (!writePending())
        return false;
    m_recordset->AddNew();
    clearChanged();
    fillBoxes();
    emit Reposition();
    return true;
}

bool DataControl::UpdateRecord()
{
    requireOpen();
    if (!hasPending())
        return true;
    const bool added = m_recordset->editMode() == Dao::EditMode::AddNew;
    if (!writePending())
        return false;
    if (added)
        m_recordset->MoveToLastModified();
    fillBoxes();
    if (added)
        emit Reposition();
    return true;
}

void DataControl::CancelUpdate()
{
    if (!m_recordset)
        return;
    const bool added = m_recordset->editMode() == Dao::EditMode::AddNew;
    if (m_recordset->editMode() != Dao::EditMode::None)
        m_recordset->CancelUpdate();
    clearChanged();
    fillBoxes();
    if (added)
        emit Reposition();
}

void DataControl::UpdateControls()
{
    if (!m_recordset)
        return;
    clearChanged();
    fillBoxes();
}

bool DataControl::isDirty() const
{
    if (!m_recordset || m_readOnly)
        return false;
    for (const Binding &b : m_bindings) {
        if (b.changed && b.box)
            return true;
    }
    return false;
}

bool DataControl::Close()
{
    if (m_recordset) {
        if (!writePending())
            return false;
        m_recordset->Close();
        m_recordset.reset();
    }
    if (m_db) {
        m_db->Close();
        m_db.reset();
    }
    clearChanged();
    return true;
}

bool DataControl::hasCurrentRow() const
{
    if (!m_recordset)
        return false;
    if (m_recordset->editMode() == Dao::EditMode::AddNew)
        return true;
    // No position past either end, nor on a row deleted a moment ago.
    return m_recordset->AbsolutePosition() >= 0;
}

QVariant DataControl::value(const QString &field) const
{
    if (!hasCurrentRow() || !m_recordset->HasField(field))
        return QVariant();
    try {
        return m_recordset->Field(field);
    } catch (const Dao::DbError &) {
        return QVariant();   // the current row was deleted
    }
}

int DataControl::position() const
{
    if (!hasCurrentRow() || m_recordset->editMode() == Dao::EditMode::AddNew)
        return -1;
    return m_recordset->AbsolutePosition();
}

bool DataControl::moveTo(int position)
{
    requireOpen();
    if (!writePending())
        return false;
    if (m_recordset->RecordCount() > 0) {
        m_recordset->MoveFirst();
        if (position < 0) {
            m_recordset->MovePrevious();
        } else {
            for (int i = 0; i < position && !m_recordset->EOF_(); ++i)
                m_recordset->MoveNext();
        }
    }
    afterMove();
    return true;
}

QList<QVariantList> DataControl::rowValues(const QStringList &fields)
{
    QList<QVariantList> rows;
    if (!m_recordset || m_recordset->editMode() != Dao::EditMode::None
        || m_recordset->RecordCount() <= 0)
        return rows;
    const bool wasEof = m_recordset->EOF_();
    const bool wasBof = m_recordset->BOF();
    const int pos = position();
    for (m_recordset->MoveFirst(); !m_recordset->EOF_(); m_recordset->MoveNext()) {
        QVariantList row;
        row.reserve(fields.size());
        for (const QString &f : fields)
            row << (m_recordset->HasField(f) ? m_recordset->Field(f) : QVariant());
        rows << row;
    }
    // Back to the row that was current, without a move of the control.
    if (pos >= 0) {
        m_recordset->MoveFirst();
        for (int i = 0; i < pos && !m_recordset->EOF_(); ++i)
            m_recordset->MoveNext();
    } else if (wasBof && !wasEof) {
        m_recordset->MoveFirst();
        m_recordset->MovePrevious();
    }
    return rows;
}

void DataControl::bind(QWidget *box, const QString &field)
{
    if (!box)
        return;
    unbind(box);
    Binding b;
    b.box = box;
    b.field = field;
    auto changed = [this, box] { boxChanged(box); };
    if (auto *e = plainLineEdit(box)) {
        b.connection = connect(e, &QLineEdit::textChanged, this, changed);
    } else if (auto *e = qobject_cast<QPlainTextEdit *>(box)) {
        b.connection = connect(e, &QPlainTextEdit::textChanged, this, changed);
    } else if (auto *e = qobject_cast<QTextEdit *>(box)) {
        b.connection = connect(e, &QTextEdit::textChanged, this, changed);
    } else if (auto *c = qobject_cast<QCheckBox *>(box)) {
        b.connection = connect(c, &QCheckBox::stateChanged, this, changed);
    } else if (auto *c = qobject_cast<QComboBox *>(box)) {
        b.connection = connect(c, &QComboBox::currentTextChanged, this, changed);
    } else if (auto *d = qobject_cast<DEdit *>(box)) {
        b.connection = connect(d, &DEdit::Change, this, changed);
    } else if (isPlainLabel(box)) {
        // shows the field, never changes it
    } else {
        if (auto *list = qobject_cast<DBList *>(box))
            list->setDataBound(true);
        const QMetaProperty prop = userProperty(box);
        if (prop.isValid() && prop.hasNotifySignal()) {
            auto *relay = new ChangeRelay(changed, box);
            const int slot = relay->metaObject()->indexOfSlot("changed()");
            b.connection = QObject::connect(box, prop.notifySignal(), relay,
                                            relay->metaObject()->method(slot));
        }
    }
    m_bindings << b;
    if (m_recordset) {
        const bool wasFilling = m_filling;
        m_filling = true;
        setBoxValue(box, value(field));
        m_filling = wasFilling;
    }
}

void DataControl::unbind(QWidget *box)
{
    for (int i = m_bindings.size() - 1; i >= 0; --i) {
        if (m_bindings[i].box != box)
            continue;
        QObject::disconnect(m_bindings[i].connection);
        if (box) {
            if (auto *list = qobject_cast<DBList *>(box))
                list->setDataBound(false);
            const auto relays = box->findChildren<ChangeRelay *>(Qt::FindDirectChildrenOnly);
            for (ChangeRelay *r : relays)
                delete r;
        }
        m_bindings.removeAt(i);
    }
}

QString DataControl::boundField(QWidget *box) const
{
    for (const Binding &b : m_bindings) {
        if (b.box == box)
            return b.field;
    }
    return QString();
}

void DataControl::boxChanged(QWidget *box)
{
    if (m_filling || m_readOnly)
        return;
    for (Binding &b : m_bindings) {
        if (b.box == box)
            b.changed = true;
    }
}

void DataControl::clearChanged()
{
    for (Binding &b : m_bindings)
        b.changed = false;
}

bool DataControl::hasPending() const
{
    if (!m_recordset || m_readOnly)
        return false;
    if (m_recordset->editMode() == Dao::EditMode::AddNew)
        return true;   // a started row is stored even when no box was typed in
    return hasCurrentRow() && isDirty();
}

bool DataControl::writePending()
{
    if (!hasPending()) {
        clearChanged();   // with no row to hold them, changes have nowhere to go
        return true;
    }
    bool cancel = false;
    emit Validate(cancel);
    if (cancel)
        return false;
    writeRow();
    return true;
}

void DataControl::writeRow()
{
    const Dao::EditMode mode = m_recordset->editMode();
    if (mode == Dao::EditMode::None)
        m_recordset->Edit();
    try {
        for (const Binding &b : std::as_const(m_bindings)) {
            if (b.changed && b.box)
                m_recordset->SetField(b.field, boxValue(b.box));
        }
        m_recordset->Update();
    } catch (...) {
        // The boxes keep the user's input; a row being added stays in adding mode.
        if (mode == Dao::EditMode::None && m_recordset->editMode() == Dao::EditMode::Edit)
            m_recordset->CancelUpdate();
        throw;
    }
    clearChanged();
    emit Written(m_recordset->LastModifiedKey(), mode == Dao::EditMode::AddNew);
}

void DataControl::fillBoxes()
{
    const bool wasFilling = m_filling;
    m_filling = true;
    for (const Binding &b : std::as_const(m_bindings)) {
        if (!b.box)
            continue;
        if (m_recordset && !m_recordset->HasField(b.field))
            qWarning("DataControl %s: the record source has no field %s",
                     qPrintable(objectName()), qPrintable(b.field));
        setBoxValue(b.box, value(b.field));
    }
    m_filling = wasFilling;
    clearChanged();
}

QVariant DataControl::boxValue(QWidget *box) const
{
    if (auto *e = plainLineEdit(box))
        return textValue(e->text());
    if (auto *e = qobject_cast<QPlainTextEdit *>(box))
        return textValue(e->toPlainText());
    if (auto *e = qobject_cast<QTextEdit *>(box))
        return textValue(e->toPlainText());
    if (auto *c = qobject_cast<QCheckBox *>(box))
        return c->checkState() != Qt::Unchecked;
    if (auto *c = qobject_cast<QComboBox *>(box))
        return textValue(c->currentText());
    if (auto *d = qobject_cast<DEdit *>(box))
        return d->isNull() ? QVariant() : QVariant(d->value());
    if (isPlainLabel(box))
        return textValue(static_cast<QLabel *>(box)->text());
    const QMetaProperty prop = userProperty(box);
    if (!prop.isValid())
        return QVariant();
    const QVariant v = prop.read(box);
    if (!v.isValid() || v.isNull())
        return QVariant();
    if (v.typeId() == QMetaType::QString)
        return textValue(v.toString());
    return v;
}

void DataControl::setBoxValue(QWidget *box, const QVariant &value)
{
    const QString text = displayText(value);
    if (auto *e = plainLineEdit(box)) {
        if (e->text() != text)
            e->setText(text);
    } else if (auto *e = qobject_cast<QPlainTextEdit *>(box)) {
        if (e->toPlainText() != text)
            e->setPlainText(text);
    } else if (auto *e = qobject_cast<QTextEdit *>(box)) {
        if (e->toPlainText() != text)
            e->setPlainText(text);
    } else if (auto *c = qobject_cast<QCheckBox *>(box)) {
        c->setCheckState(truthy(value) ? Qt::Checked : Qt::Unchecked);
    } else if (auto *c = qobject_cast<QComboBox *>(box)) {
        const int index = c->findText(text);
        if (c->isEditable()) {
            if (index >= 0)
                c->setCurrentIndex(index);
            c->setEditText(text);
        } else {
            c->setCurrentIndex(index);
        }
    } else if (auto *d = qobject_cast<DEdit *>(box)) {
        bool ok = false;
        const qlonglong v = value.toLongLong(&ok);
        if (!ok) {
            if (!d->isNull())
                d->setNull();
        } else if (d->isNull() || d->value() != v) {
            d->setValue(int(v));
        }
    } else if (isPlainLabel(box)) {
        auto *l = static_cast<QLabel *>(box);
        if (value.typeId() == QMetaType::QByteArray) {
            QPixmap picture;
            picture.loadFromData(value.toByteArray());
            l->setPixmap(picture);
        } else {
            l->setText(text);
        }
    } else {
        const QMetaProperty prop = userProperty(box);
        if (!prop.isValid())
            return;
        if (prop.metaType().id() == QMetaType::QVariant)
            prop.write(box, value);
        else if (value.isNull() || !value.isValid())
            prop.write(box, QVariant(prop.metaType()));
        else
            prop.write(box, value);
    }
}

#include "datacontrol.moc"
