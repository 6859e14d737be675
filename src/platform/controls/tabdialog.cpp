#include "platform/controls/tabdialog.h"

#include <QTabWidget>
#include <QVBoxLayout>

TabDialog::TabDialog(QWidget *parent) : QWidget(parent), m_tabs(new QTabWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);
    setFocusProxy(m_tabs);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int tab) {
        const int previous = m_current;
        m_current = tab;
        if (previous >= 0 && tab >= 0 && previous != tab)
            emit Click(previous);
    });
}

TabDialog::~TabDialog() = default;

QWidget *TabDialog::addTab(const QString &caption)
{
    auto *page = new QWidget;
    m_tabs->addTab(page, caption);
    return page;
}

int TabDialog::Tabs() const
{
    return m_tabs->count();
}

QWidget *TabDialog::page(int tab) const
{
    return m_tabs->widget(tab);
}

QString TabDialog::TabCaption(int tab) const
{
    return m_tabs->tabText(tab);
}

void TabDialog::setTabCaption(int tab, const QString &caption)
{
    m_tabs->setTabText(tab, caption);
}

bool TabDialog::TabEnabled(int tab) const
{
    return m_tabs->isTabEnabled(tab);
}

void TabDialog::setTabEnabled(int tab, bool enabled)
{
    m_tabs->setTabEnabled(tab, enabled);
}

int TabDialog::Tab() const
{
    return m_tabs->currentIndex();
}

void TabDialog::setTab(int tab)
{
    if (tab >= 0 && tab < m_tabs->count())
        m_tabs->setCurrentIndex(tab);
}
