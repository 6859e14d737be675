#include "platform/controls/helpviewer.h"

#include "platform/controls/form.h"
#include "platform/controls/msgbox.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
QPointer<HelpViewer> g_viewer;
} // namespace

HelpViewer::HelpViewer(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_browser(new QTextBrowser(this))
    , m_contents(new QToolButton(this))
    , m_back(new QToolButton(this))
    , m_forward(new QToolButton(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Vantix Help"));
    resize(820, 640);

    m_contents->setText(tr("Contents"));
    m_back->setText(tr("Back"));
    m_forward->setText(tr("Forward"));
    m_back->setArrowType(Qt::LeftArrow);
    m_forward->setArrowType(Qt::RightArrow);
    for (QToolButton *b : {m_contents, m_back, m_forward})
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(false);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_contents);
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);

    connect(m_contents, &QToolButton::clicked, m_browser, &QTextBrowser::home);
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::historyChanged, this, &HelpViewer::updateButtons);
    updateButtons();
}

HelpViewer *HelpViewer::showTopic(const QString &file, const QString &topic)
{
    const QFileInfo info(file);
    if (file.isEmpty() || !info.isFile() || !info.isReadable()) {
        MsgBox::show(tr("The help file \"%1\" cannot be found.")
                         .arg(QDir::toNativeSeparators(file)),
                     MsgBox::Exclamation, tr("Help"));
        return nullptr;
    }
    if (!g_viewer) {
        // Opened over the window the user asked from (the help does not belong to it), whole
        // within the screen's available area.
        QWidget *opener = Forms::activeWindow();
        g_viewer = new HelpViewer;
        Forms::centreOver(g_viewer, opener);
    }
    g_viewer->open(info.absoluteFilePath(), topic);
    g_viewer->show();
    g_viewer->raise();
    g_viewer->activateWindow();
    return g_viewer;
}

HelpViewer *HelpViewer::instance()
{
    return g_viewer;
}

void HelpViewer::open(const QString &file, const QString &topic)
{
    QUrl url = QUrl::fromLocalFile(file);
    const QString anchor = topic.startsWith('#') ? topic.mid(1) : topic;
    if (m_browser->source().matches(url, QUrl::RemoveFragment)) {
        // The same file: only move to the topic, so Back returns to where the user was.
        if (hasAnchor(anchor))
            m_browser->scrollToAnchor(anchor);
        else
            m_browser->verticalScrollBar()->setValue(0);
        return;
    }
    m_browser->setSource(url);
    m_browser->clearHistory();
    if (hasAnchor(anchor)) {
        url.setFragment(anchor);
        m_browser->setSource(url);
    }
    const QString title = m_browser->documentTitle();
    if (!title.isEmpty())
        setWindowTitle(title);
}

bool HelpViewer::hasAnchor(const QString &name) const
{
    if (name.isEmpty())
        return false;
    const QTextDocument *doc = m_browser->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block.charFormat().anchorNames().contains(name)
            || block.blockFormat().property(QTextFormat::AnchorName).toString() == name)
            return true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorNames().contains(name))
                return true;
        }
    }
    return false;
}

void HelpViewer::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HelpViewer::updateButtons()
{
    m_back->setEnabled(m_browser->isBackwardAvailable());
    m_forward->setEnabled(m_browser->isForwardAvailable());
}
