#include "TabStrip.h"

#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

namespace corvano {

TabStrip::TabStrip(QWidget* parent) : QWidget(parent), m_tabs(new QTabBar(this))
{
    m_tabs->setObjectName("TabStrip1Tabs");
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    setFocusProxy(m_tabs);
    connect(m_tabs, &QTabBar::currentChanged, this, [this] {
        if (!m_selecting)
            emit Click();
    });
}

void TabStrip::addTab(const QString& caption, const QString& key)
{
    const int index = m_tabs->addTab(caption);
    m_tabs->setTabData(index, key);
    m_tabs->resize(m_tabs->sizeHint().width(), m_tabs->sizeHint().height());
}

QString TabStrip::selectedCaption() const
{
    return m_tabs->tabText(m_tabs->currentIndex());
}

QString TabStrip::selectedKey() const
{
    return m_tabs->tabData(m_tabs->currentIndex()).toString();
}

void TabStrip::selectTab(int position)
{
    m_selecting = true;
    m_tabs->setCurrentIndex(position - 1);
    m_selecting = false;
}

void TabStrip::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_tabs->resize(std::min(width(), m_tabs->sizeHint().width()), m_tabs->sizeHint().height());
}

void TabStrip::paintEvent(QPaintEvent*)
{
    // The pane under the tabs, drawn as the style draws a tab widget's frame.
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame pane;
    pane.initFrom(this);
    pane.rect = rect().adjusted(0, m_tabs->height() - 1, 0, 0);
    pane.tabBarSize = m_tabs->size();
    pane.shape = QTabBar::RoundedNorth;
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, pane);
}

} // namespace corvano
