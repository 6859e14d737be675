#include "platform/controls/form.h"
#include "platform/system.h"

#include <QLineEdit>

#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A dialog with Ok and Cancel, counting what each key ran.
class KeyDialog final : public Form
{
public:
    explicit KeyDialog(bool focusedButton = false)
    {
        auto *layout = new QVBoxLayout(this);
        other = new QPushButton("Other", this);
        layout->addWidget(other);
        connect(other, &QPushButton::clicked, this, [this] { ++otherClicks; });
        if (focusedButton)
            setDialogKeys([this] { pressFocusedButton(); }, [this] { ++cancels; });
        else
            setDialogKeys([this] { ++oks; }, [this] { ++cancels; });
    }
    void clearKeys() { setDialogKeys({}, {}); }

    QPushButton *other = nullptr;
    int oks = 0;
    int cancels = 0;
    int otherClicks = 0;
};

} // namespace

TEST(FormKeys, EnterRunsTheOkActionAndEscapeTheCancelActionOnce)
{
    KeyDialog form;
    QTest::keyClick(&form, Qt::Key_Return);
    QTest::keyClick(&form, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(form.oks, 2);
    EXPECT_EQ(form.cancels, 0);
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_EQ(form.cancels, 1);
    EXPECT_EQ(form.oks, 2);

    form.clearKeys();   // without actions the keys go on to Qt and do nothing here
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &enter);
    EXPECT_FALSE(enter.isAccepted());
    EXPECT_EQ(form.oks, 2);
}

TEST(FormKeys, EnterCanPressTheFocusedButton)
{
    KeyDialog form(true);
    form.show();
    form.other->setFocus();
    QTest::keyClick(form.other, Qt::Key_Return);
    EXPECT_EQ(form.otherClicks, 1);
    form.hide();
}

TEST(FormKeys, F1OpensTheHelpFromEveryForm)
{
    int shown = 0;
    System::setShowHelpHandler([&](const QString &, const QString &) { ++shown; });
    KeyDialog form;
    auto *box = new QLineEdit(&form);
    form.show();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_F1);   // from a box that has the focus too
    QTest::keyClick(&form, Qt::Key_F1);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(form.oks + form.cancels, 0);
    System::setShowHelpHandler(nullptr);
    form.hide();
}
