#include "platform/controls/helpviewer.h"

#include "fixtures/sandbox.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

const QString kHelpFile = QStringLiteral(VANTIX_BUILD_DIR "/Vantix Help.html");

// The text of the block at the top of the viewer's visible area.
QString topLine(QTextBrowser *browser)
{
    return browser->cursorForPosition(QPoint(4, 4)).block().text();
}

class HelpViewerTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (HelpViewer *v = HelpViewer::instance()) {
            v->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    Sandbox sandbox;
};

TEST_F(HelpViewerTest, OpensTheBuiltHelpFileAtTheResourceHierarchy)
{
    HelpViewer *viewer = HelpViewer::showTopic(kHelpFile, "resource-hierarchy");
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->windowTitle(), "Vantix Help");
    EXPECT_TRUE(viewer->hasAnchor("resource-hierarchy"));
    EXPECT_EQ(viewer->browser()->source().fragment(), "resource-hierarchy");
    EXPECT_GT(viewer->browser()->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(topLine(viewer->browser()).contains("Resource Hierarchy"))
        << topLine(viewer->browser()).toStdString();
    EXPECT_TRUE(sandbox.shown().isEmpty());
}

TEST_F(HelpViewerTest, ASecondTopicReusesTheWindow)
{
    HelpViewer *first = HelpViewer::showTopic(kHelpFile, "resource-hierarchy");
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(first));
    HelpViewer *second = HelpViewer::showTopic(kHelpFile, "opening-hours");
    EXPECT_EQ(first, second);
    EXPECT_TRUE(topLine(second->browser()).contains("Opening hours"))
        << topLine(second->browser()).toStdString();

    // No topic, or one the file does not know: the top of the file.
    HelpViewer::showTopic(kHelpFile, "no-such-topic");
    EXPECT_EQ(second->browser()->verticalScrollBar()->value(), 0);
    HelpViewer::showTopic(kHelpFile);
    EXPECT_EQ(second->browser()->verticalScrollBar()->value(), 0);
}

// The help opens over the window it was asked from and wholly within the screen, also when
// that window sits in a corner and the screen is smaller than the help's own size.
TEST_F(HelpViewerTest, OpensOverItsWindowWithinTheScreen)
{
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget opener;
    opener.resize(300, 200);
    opener.move(room.right() - 320, room.bottom() - 240);
    opener.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&opener));
    opener.activateWindow();
    QApplication::setActiveWindow(&opener);

    HelpViewer *viewer = HelpViewer::showTopic(kHelpFile);
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
    const QRect placed = viewer->frameGeometry();
    EXPECT_TRUE(room.contains(placed)) << placed.x() << "," << placed.y() << " "
                                       << placed.width() << "x" << placed.height();
    // As near the opener's middle as the screen allows: it covers the opener.
    EXPECT_TRUE(placed.contains(opener.frameGeometry().center()));
}

TEST_F(HelpViewerTest, AMissingFileIsReportedAndOpensNothing)
{
    EXPECT_EQ(HelpViewer::showTopic(sandbox.file("Vantix Help.html"), "login"), nullptr);
    EXPECT_EQ(HelpViewer::instance(), nullptr);
    ASSERT_EQ(sandbox.shown().size(), 1);
    EXPECT_TRUE(sandbox.lastText().contains("cannot be found")) << sandbox.lastText().toStdString();
    EXPECT_EQ(sandbox.shown().first().title, "Help");

    EXPECT_EQ(HelpViewer::showTopic(QString(), "login"), nullptr);
    EXPECT_EQ(sandbox.shown().size(), 2);
}

} // namespace
