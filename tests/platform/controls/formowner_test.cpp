// Forms that own forms: an owner unloads what it owns first, through their own unload, and
// keeps them above itself.
#include "platform/controls/form.h"

#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

QStringList g_unloads;

// A form that notes its unload and refuses it while told to.
template<int N>
class NotedForm final : public Form
{
public:
    void Form_Unload(bool &cancel) override
    {
        g_unloads << QString::number(N);
        cancel = refuse;
    }
    bool refuse = false;
};
using Top = NotedForm<1>;
using Middle = NotedForm<2>;
using Bottom = NotedForm<3>;

class FormOwnerTest : public ::testing::Test
{
protected:
    void SetUp() override { g_unloads.clear(); }
    void TearDown() override { Forms::unloadAll(); }
    // Top owns Middle, which owns Bottom.
    void chain()
    {
        Forms::get<Top>()->Show();
        Forms::get<Middle>()->Show(Form::Modeless, Forms::get<Top>());
        Forms::get<Bottom>()->Show(Form::Modeless, Forms::get<Middle>());
    }
};

TEST_F(FormOwnerTest, AnOwnerUnloadsWhatItOwnsFirstEachThroughItsOwnUnload)
{
    chain();
    EXPECT_EQ(Forms::get<Middle>()->owner(), Forms::get<Top>());
    EXPECT_EQ(Forms::get<Middle>()->parentWidget(), nullptr);   // owned, not a Qt child
    EXPECT_EQ(Forms::ownedBy(Forms::get<Top>()), QList<Form *>({Forms::get<Middle>()}));
    EXPECT_TRUE(Forms::get<Top>()->Unload());
    EXPECT_EQ(g_unloads, QStringList({"3", "2", "1"}));
    EXPECT_FALSE(Forms::isLoaded<Top>());
    EXPECT_FALSE(Forms::isLoaded<Middle>());
    EXPECT_FALSE(Forms::isLoaded<Bottom>());
}

TEST_F(FormOwnerTest, AnOwnedFormThatRefusesKeepsItsOwnersOpen)
{
    chain();
    Forms::get<Middle>()->refuse = true;
    EXPECT_FALSE(Forms::get<Top>()->Unload());
    EXPECT_EQ(g_unloads, QStringList({"3", "2"}));   // the top's own unload never ran
    EXPECT_TRUE(Forms::isLoaded<Top>());
    EXPECT_TRUE(Forms::get<Top>()->isVisible());
    EXPECT_TRUE(Forms::isLoaded<Middle>());
    EXPECT_FALSE(Forms::isLoaded<Bottom>());
    EXPECT_FALSE(Forms::unloadOwnedBy(Forms::get<Top>()));
    // The close box asks the same.
    Forms::get<Top>()->close();
    EXPECT_TRUE(Forms::isLoaded<Top>());

    Forms::get<Middle>()->refuse = false;
    EXPECT_TRUE(Forms::unloadOwnedBy(Forms::get<Top>()));
    EXPECT_FALSE(Forms::isLoaded<Middle>());
    EXPECT_TRUE(Forms::isLoaded<Top>());
}

TEST_F(FormOwnerTest, AnOwnerDestroyedWithoutUnloadDestroysNothingItOwns)
{
    auto *owner = new QWidget;
    owner->show();
    Forms::get<Middle>()->Show(Form::Modeless, owner);
    delete owner;
    EXPECT_TRUE(Forms::isLoaded<Middle>());
    EXPECT_EQ(Forms::get<Middle>()->owner(), nullptr);
    EXPECT_TRUE(g_unloads.isEmpty());
}

TEST_F(FormOwnerTest, AnOwnedFormStaysAboveTheOwnerItWasShownForLast)
{
    QWidget first;
    QWidget second;
    first.show();
    second.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&second));
    auto *form = Forms::get<Middle>();
    form->Show(Form::Modeless, &first);
    ASSERT_NE(form->windowHandle(), nullptr);
    EXPECT_EQ(form->windowHandle()->transientParent(), first.windowHandle());
    EXPECT_EQ(form->windowType(), Qt::Dialog);   // what window managers keep above another
    form->Show(Form::Modeless, &second);
    EXPECT_EQ(form->owner(), &second);
    EXPECT_EQ(form->windowHandle()->transientParent(), second.windowHandle());
    form->Show();   // without an owner it keeps the one it had
    EXPECT_EQ(form->owner(), &second);
    EXPECT_TRUE(Forms::unloadOwnedBy(&second));
    EXPECT_FALSE(Forms::isLoaded<Middle>());
}

TEST_F(FormOwnerTest, UnloadAllDestroysAFormThatRefusesWithoutItsUnload)
{
    chain();
    Forms::get<Bottom>()->refuse = true;
    QPointer<Form> bottom = Forms::get<Bottom>();
    Forms::unloadAll();
    EXPECT_TRUE(Forms::loaded().isEmpty());
    EXPECT_TRUE(bottom.isNull());
}

} // namespace
