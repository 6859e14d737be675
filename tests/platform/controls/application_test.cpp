#include "fixtures/sandbox.h"
#include "platform/db/dberror.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {
class Failing : public QObject
{
protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User)
            throw Dao::DbError("The database file is locked by another user or program.");
        return QObject::event(e);
    }
};
} // namespace

// An error that no handler traps ends its event with a message, and the program goes on.
TEST(Application, AnUntrappedErrorEndsItsEventWithAMessage)
{
    Sandbox box;
    Failing target;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&target, &event));
    ASSERT_EQ(box.shown().size(), 1);
    EXPECT_EQ(box.lastText(), "The database file is locked by another user or program.");
    EXPECT_EQ(box.shown().last().style, MsgBox::OkOnly | MsgBox::Critical);

    QPushButton button("Save");
    QObject::connect(&button, &QPushButton::clicked, [] { throw std::runtime_error("no room"); });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(box.lastText(), "no room");
    QTest::mouseClick(&button, Qt::LeftButton);   // and again: nothing was left broken
    EXPECT_EQ(box.shown().size(), 3);
}

// While the box of one error waits for the user, events go on; the same error striking again
// is not shown in a box of its own, so boxes never pile up inside each other.
TEST(Application, AnErrorWhileItsBoxIsShownOpensNoFurtherBox)
{
    Sandbox box;
    Failing target;
    int boxes = 0;
    MsgBox::setHandler([&](const MsgBox::Shown &) {
        if (++boxes < 20) {   // a box's own event loop delivers the failing event again
            QEvent again(QEvent::User);
            QCoreApplication::sendEvent(&target, &again);
        }
        return int(MsgBox::Ok);
    });
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&target, &event);
    EXPECT_EQ(boxes, 1);
    QCoreApplication::sendEvent(&target, &event);   // a later error has its box again
    EXPECT_EQ(boxes, 2);
}
