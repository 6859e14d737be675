#include "platform/controls/dedit.h"

#include "platform/controls/msgbox.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

DEdit::DEdit(QWidget *parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_drop(new QToolButton(this)),
      m_up(new QToolButton(this)), m_down(new QToolButton(this))
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    row->addWidget(m_edit, 1);
    row->addWidget(m_drop);
    auto *spins = new QVBoxLayout;
    spins->setContentsMargins(0, 0, 0, 0);
    spins->setSpacing(0);
    spins->addWidget(m_up);
    spins->addWidget(m_down);
    row->addLayout(spins);

    m_drop->setArrowType(Qt::DownArrow);
    m_drop->setFocusPolicy(Qt::NoFocus);
    m_drop->setVisible(false);
    for (QToolButton *b : {m_up, m_down}) {
        b->setArrowType(b == m_up ? Qt::UpArrow : Qt::DownArrow);
        b->setFocusPolicy(Qt::NoFocus);   // the caret stays where the user put it
        b->setAutoRepeat(true);
        b->setFixedSize(16, 11);
        b->setIconSize(QSize(7, 5));
    }
    setFocusProxy(m_edit);
    m_edit->installEventFilter(this);

    connect(m_up, &QToolButton::clicked, this, [this] { spin(false); });
    connect(m_down, &QToolButton::clicked, this, [this] { spin(true); });
    connect(m_drop, &QToolButton::clicked, this, [this] {
        if (!m_readOnly)
            emit DropDown();
    });
    connect(m_edit, &QLineEdit::textEdited, this, &DEdit::userEdited);
    connect(m_edit, &QLineEdit::editingFinished, this, &DEdit::finishEditing);
    // The caret as the user moves it; code may also put it between a unit and its separator,
    // where the mask lets no user caret rest.
    connect(m_edit, &QLineEdit::cursorPositionChanged, this, [this](int, int position) {
        if (!m_showing)
            m_caret = position;
    });
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void DEdit::setDropButtonVisible(bool visible) { m_drop->setVisible(visible); }

void DEdit::setNull() { store(std::nullopt); }

void DEdit::setValue(int value) { store(normalized(value)); }

void DEdit::store(std::optional<int> value)
{
    const bool changed = value != m_value;
    m_value = value;
    display(true);
    if (changed)
        emit Change();
}

int DEdit::caretPosition() const { return m_caret; }

void DEdit::setCaretPosition(int position)
{
    m_caret = qMax(0, position);
    m_showing = true;
    m_edit->setCursorPosition(m_caret);
    m_showing = false;
}

QString DEdit::text() const { return m_value ? format(*m_value) : QString(); }

void DEdit::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    m_edit->setReadOnly(readOnly);
    m_up->setEnabled(!readOnly);
    m_down->setEnabled(!readOnly);
    m_drop->setEnabled(!readOnly);
}

void DEdit::reformat()
{
    m_showing = true;
    m_edit->setInputMask(inputMask());
    m_showing = false;
    display(false);
}

void DEdit::display(bool keepCaret)
{
    m_showing = true;
    m_edit->setText(m_value ? format(*m_value) : QString());
    m_showing = false;
    setCaretPosition(keepCaret ? m_caret : 0);
}

void DEdit::userEdited(const QString &text)
{
    if (m_showing || m_readOnly)
        return;
    // A box emptied by the user holds Null; a complete, valid text holds its value. A text
    // half typed keeps the last value until the user leaves the box.
    QString digits = text;
    digits.remove(QRegularExpression(QStringLiteral("[^0-9]")));
    std::optional<int> value;
    if (!digits.isEmpty()) {
        value = parse(text);
        if (!value)
            return;
    }
    const bool changed = value != m_value;
    m_value = value;
    if (changed) {
        m_typing = true;
        emit Change();
        m_typing = false;
    }
}

void DEdit::finishEditing()
{
    // A complete text that is no value (a time of "25:00:00", a 31st of February) is refused
    // where it was typed, not dropped without a word; a text left half typed goes back to
    // the value.
    const QString typed = m_edit->text();
    const bool complete = !typed.contains(QLatin1Char(' ')) && typed.size() == format(0).size();
    if (m_refusing || m_readOnly || !complete || parse(typed)
        || typed == (m_value ? format(*m_value) : QString())) {
        display(true);
        return;
    }
    m_refusing = true;
    MsgBox::show(refusal(typed), MsgBox::OkOnly | MsgBox::Exclamation, QString());
    display(true);
    m_edit->setFocus(Qt::OtherFocusReason);
    m_edit->selectAll();
    m_refusing = false;
}

QString DEdit::refusal(const QString &text) const
{
    return QStringLiteral("%1 is not a valid value.").arg(text);
}

void DEdit::spin(bool down)
{
    if (!m_readOnly)
        emit Spin(down);
}

bool DEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit) {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            const bool alt = key->modifiers() & Qt::AltModifier;
            if (key->key() == Qt::Key_F4 || (key->key() == Qt::Key_Down && alt)) {
                if (!m_drop->isHidden() && !m_readOnly)
                    emit DropDown();
                return true;
            }
            if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
                spin(key->key() == Qt::Key_Down);
                return true;
            }
        } else if (event->type() == QEvent::FocusIn) {
            emit GotFocus();
        } else if (event->type() == QEvent::FocusOut) {
            emit LostFocus();
        }
    }
    return QWidget::eventFilter(watched, event);
}
