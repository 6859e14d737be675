#pragma once

#include <QString>
#include <QWidget>

#include <optional>

class QLineEdit;
class QToolButton;

// The common part of the time and date edit boxes: a masked text box with spin buttons and an
// optional drop-down button. Its value is a whole number (seconds, or a day number) or Null.
// The spin buttons and the Up/Down keys only report (Spin); the form's handler sets the value.
class DEdit : public QWidget
{
    Q_OBJECT
public:
    bool isNull() const { return !m_value.has_value(); }
    void setNull();
    // The value, or 0 while Null.
    int value() const { return m_value.value_or(0); }
    void setValue(int value);

    // The caret in the shown text, 0 at the left.
    int caretPosition() const;
    void setCaretPosition(int position);
    QString text() const;   // the shown text

    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }

    // True while Change is raised by the user's typing (a text typed whole, digit by digit);
    // false for a spin handled by the form, a value set by code or a fill.
    bool isTyping() const { return m_typing; }

    // Does what the spin buttons do.
    void spinUp() { spin(false); }
    void spinDown() { spin(true); }

signals:
    void Spin(bool down);
    // The value changed, by the user or by code.
    void Change();
    // The drop-down button was pressed (date edits that show one).
    void DropDown();
    void GotFocus();
    void LostFocus();

protected:
    explicit DEdit(QWidget *parent);

    void setDropButtonVisible(bool visible);
    // Re-reads the mask and the shown text after a change of display format.
    void reformat();
    virtual QString format(int value) const = 0;
    virtual QString inputMask() const = 0;
    virtual std::optional<int> parse(const QString &text) const = 0;
    virtual int normalized(int value) const { return value; }
    // The message that refuses a complete text that is no value.
    virtual QString refusal(const QString &text) const;

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void spin(bool down);
    void display(bool keepCaret);
    void userEdited(const QString &text);
    void store(std::optional<int> value);
    void finishEditing();

    QLineEdit *m_edit;
    QToolButton *m_drop;
    QToolButton *m_up;
    QToolButton *m_down;
    std::optional<int> m_value;
    bool m_readOnly = false;
    bool m_showing = false;
    bool m_typing = false;
    bool m_refusing = false;
    int m_caret = 0;
};
