#include "platform/report/printcapture.h"
#include "platform/report/previewwindow.h"
#include "platform/report/printing.h"
#include "platform/report/report.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using Units::mm;

namespace {

// A two-page list with Danish letters, page numbers and a footer.
class DanishReport : public Report
{
public:
    DanishReport() : Report("danish")
    {
        setCaption("Resource List  -  Domestic");
        ReportHeader().setHeight(mm(12));
        auto *title = ReportHeader().addLabel("Label0", {0, 0, mm(120), mm(10)},
                                              "Resource List  -  Domestic");
        title->setFontSize(16);
        title->setBold(true);
        Detail().setHeight(mm(8));
        Detail().addTextBox("Lokalenavn", {0, 0, mm(80), mm(8)}, "Lokalenavn");
        Detail().addTextBox("Lejetime", {mm(90), 0, mm(30), mm(8)}, "Lejetime", "Fixed",
                            Qt::AlignRight);
        PageFooter().setHeight(mm(8));
        PageFooter().addPageNumber("page", {0, 0, printWidth(), mm(8)});
        QList<QVariantMap> rows;
        for (int i = 0; i < 40; ++i) {
            rows.append({{"Lokalenavn", QString("Blåbærgrød på Ærø %1").arg(i)},
                         {"Lejetime", 100 + i}});
        }
        setRows(rows);
    }
};

QString pdfText(const QString &path)
{
    QProcess p;
    p.start("pdftotext", {"-enc", "UTF-8", "-layout", path, "-"});
    if (!p.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

PageModel pagesOf(int count)
{
    PageModel model;
    model.setTitle("three");
    QFont font("DejaVu Sans");
    font.setPointSizeF(12);
    for (int i = 0; i < count; ++i) {
        model.addPage().items.append(PageItem::makeText({mm(20), mm(20), mm(100), mm(10)},
                                                        QString("side %1").arg(i + 1), font));
    }
    return model;
}

} // namespace

TEST(Printing, ShowHandsTheLaidOutPagesToThePreviewSeam)
{
    PrintCapture capture;
    DanishReport report;
    report.Show();
    ASSERT_EQ(capture.previews.size(), 1);
    EXPECT_EQ(capture.titles.first(), "Resource List  -  Domestic");
    const PageModel &model = capture.previews.first();
    EXPECT_EQ(model.pageCount(), 2);
    EXPECT_EQ(model.texts(1).last(), "Page 2 of 2");
    EXPECT_EQ(model.findText("100.00")->flags & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

TEST(Printing, WritesAPdfThatReadsBackWithDanishLettersAndPageNumbers)
{
    QTemporaryDir dir;
    DanishReport report;
    const QString path = dir.filePath("liste.pdf");
    const PageModel pages = report.run();
    ASSERT_TRUE(Printing::writePdf(pages, path));
    const QString text = pdfText(path);
    // pdftotext gives runs of blanks back as one.
    EXPECT_TRUE(text.simplified().contains("Resource List - Domestic"))
        << text.left(300).toStdString();
    EXPECT_TRUE(text.contains("Blåbærgrød på Ærø 0")) << text.left(300).toStdString();
    EXPECT_TRUE(text.contains("Blåbærgrød på Ærø 39"));
    EXPECT_TRUE(text.contains("139.00"));
    EXPECT_TRUE(text.contains("Page 1 of 2"));
    EXPECT_TRUE(text.contains("Page 2 of 2"));
    EXPECT_EQ(text.count(QChar('\f')), 2);   // two pages

    EXPECT_FALSE(Printing::writePdf(pages, dir.filePath("no/such/folder/x.pdf")));
}

TEST(Printing, RenderDrawsAPageInPointsOnAnyPainter)
{
    PageModel model = pagesOf(1);
    model.page(0).items.append(PageItem::makeRect({mm(20), mm(50), mm(50), mm(20)}, 1,
                                                  Qt::black, QColor(255, 0, 0)));
    // A4 at 36 dpi: half a pixel per point.
    QImage image(298, 421, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(0.5, 0.5);
    model.render(&p, 0);
    p.end();
    EXPECT_EQ(image.pixelColor(int(mm(45) / 2), int(mm(60) / 2)), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(int(mm(45) / 2), int(mm(80) / 2)), QColor(Qt::white));
    bool inked = false;   // the text "side 1" left some ink in its box
    for (int x = int(mm(20) / 2); x < int(mm(40) / 2) && !inked; ++x) {
        for (int y = int(mm(20) / 2); y < int(mm(30) / 2) && !inked; ++y)
            inked = image.pixelColor(x, y).lightness() < 128;
    }
    EXPECT_TRUE(inked);
}

TEST(Printing, PreviewWindowPagesZoomsAndPrintsThroughTheSeam)
{
    PrintCapture capture;
    PreviewWindow window(pagesOf(3), "three");
    EXPECT_EQ(window.windowTitle(), "three");
    EXPECT_EQ(window.pageLabel()->text(), "Page 1 of 3");
    EXPECT_FALSE(window.previousButton()->isEnabled());
    QTest::mouseClick(window.nextButton(), Qt::LeftButton);
    EXPECT_EQ(window.currentPage(), 1);
    QTest::mouseClick(window.lastButton(), Qt::LeftButton);
    EXPECT_EQ(window.pageLabel()->text(), "Page 3 of 3");
    EXPECT_FALSE(window.nextButton()->isEnabled());
    QTest::mouseClick(window.nextButton(), Qt::LeftButton);   // disabled: stays
    EXPECT_EQ(window.currentPage(), 2);
    QTest::mouseClick(window.firstButton(), Qt::LeftButton);
    EXPECT_EQ(window.currentPage(), 0);
    QTest::keyClick(&window, Qt::Key_PageDown);
    EXPECT_EQ(window.currentPage(), 1);

    const int i200 = window.zoomBox()->findText("200%");
    window.zoomBox()->setCurrentIndex(i200);
    emit window.zoomBox()->activated(i200);
    EXPECT_DOUBLE_EQ(window.zoom(), 2.0);

    QTest::mouseClick(window.printButton(), Qt::LeftButton);
    ASSERT_EQ(capture.printed.size(), 1);
    EXPECT_EQ(capture.printed.first().pageCount(), 3);

    window.show();
    QTest::mouseClick(window.closeButton(), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

TEST(Printing, ThePreviewDefaultOpensAModelessWindowThatOwnsACopyOfThePages)
{
    {
        PageModel model = pagesOf(2);
        Printing::preview(model, "copy");
    }   // the model is gone; the window keeps its own pages
    PreviewWindow *found = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *p = qobject_cast<PreviewWindow *>(w); p && p->windowTitle() == "copy")
            found = p;
    }
    ASSERT_NE(found, nullptr);
    EXPECT_FALSE(found->isModal());
    EXPECT_TRUE(found->isVisible());
    EXPECT_EQ(found->model().texts(1), QStringList{"side 2"});
    found->close();   // deletes itself
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A preview opens over its window, inside the screen, and shows the whole width of its page:
// at the page's real size where the screen has room, smaller where it has not.
TEST(Printing, APreviewOpensInsideTheScreenShowingTheWholeWidthOfItsPage)
{
    QWidget opener;
    opener.setGeometry(100, 80, 500, 300);
    opener.show();
    QApplication::setActiveWindow(&opener);
    const QRect screen = opener.screen()->availableGeometry();
    for (const auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
        PageModel model = pagesOf(1);
        model.setOrientation(orientation);
        Printing::preview(model, "placed");
        PreviewWindow *window = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *p = qobject_cast<PreviewWindow *>(w); p && p->windowTitle() == "placed")
                window = p;
        }
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(screen.contains(window->frameGeometry())) << orientation;
        const auto *view = window->findChild<QScrollArea *>()->widget();
        const QWidget *viewport = window->findChild<QScrollArea *>()->viewport();
        EXPECT_LE(view->width(), viewport->width()) << orientation;
        const double pageAtFullSize = model.paperSize().width() * window->logicalDpiX() / 72.0;
        if (pageAtFullSize + 40 <= viewport->width())
            EXPECT_DOUBLE_EQ(window->zoom(), 1.0);
        else
            EXPECT_LT(window->zoom(), 1.0);
        // A zoom the user picks stays when the window is resized.
        const int i200 = window->zoomBox()->findText("200%");
        window->zoomBox()->setCurrentIndex(i200);
        emit window->zoomBox()->activated(i200);
        window->resize(window->width() - 50, window->height());
        EXPECT_DOUBLE_EQ(window->zoom(), 2.0);
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
