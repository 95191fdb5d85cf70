// TabStrip over QTabBar.
#include "platform/controls/tabstrip.h"

#include <QTabBar>

namespace qv {

void Tab::setCaption(const QString& caption)
{
    m_caption = caption;
    m_strip->tabBar()->setTabText(Index() - 1, caption);
}

void Tab::setToolTipText(const QString& text)
{
    m_toolTip = text;
    m_strip->tabBar()->setTabToolTip(Index() - 1, text);
}

bool Tab::Selected() const
{
    return m_strip->m_selected == Index();
}

void Tab::setSelected(bool selected)
{
    if (selected)
        m_strip->select(Index(), true);
}

Tab& TabList::Add(std::optional<int> index, const QString& key, const QString& caption)
{
    Tab& tab = insert(index, key, std::make_unique<Tab>(m_strip));
    m_strip->m_setting = true;
    m_strip->tabBar()->insertTab(tab.Index() - 1, caption);
    m_strip->m_setting = false;
    tab.setCaption(caption);
    if (m_strip->m_selected >= tab.Index())
        ++m_strip->m_selected;
    if (m_strip->m_selected == 0)
        m_strip->m_selected = tab.Index();
    m_strip->syncBar();
    return tab;
}

void TabList::Remove(int index)
{
    take(index);
    m_strip->m_setting = true;
    m_strip->tabBar()->removeTab(index - 1);
    m_strip->m_setting = false;
    int& selected = m_strip->m_selected;
    if (selected > index || (selected == index && selected > Count()))
        --selected;
    m_strip->syncBar();
}

void TabList::Clear()
{
    takeAll();
    m_strip->m_setting = true;
    while (m_strip->tabBar()->count() > 0)
        m_strip->tabBar()->removeTab(0);
    m_strip->m_setting = false;
    m_strip->m_selected = 0;
}

TabStrip::TabStrip(Form* form, const QString& name, int index) : Control(form, name, index), m_tabs(this)
{
    auto* bar = new QTabBar;
    bar->setExpanding(false);
    QObject::connect(bar, &QTabBar::currentChanged, bar, [this](int i) {
        if (!m_setting)
            select(i + 1, true);
    });
    setWidget(bar);
}

QTabBar* TabStrip::tabBar() const
{
    return static_cast<QTabBar*>(widget());
}

Tab* TabStrip::SelectedItem() const
{
    return m_selected > 0 && m_selected <= m_tabs.Count() ? &m_tabs(m_selected) : nullptr;
}

void TabStrip::setSelectedItem(Tab& tab)
{
    select(tab.Index(), true);
}

void TabStrip::syncBar()
{
    m_setting = true;
    tabBar()->setCurrentIndex(m_selected - 1);
    m_setting = false;
}

void TabStrip::select(int position, bool fireClick)
{
    if (position < 1 || position > m_tabs.Count() || position == m_selected) {
        syncBar();
        return;
    }
    m_selected = position;
    syncBar();
    if (fireClick)
        fire(onClick, "Click");
}

} // namespace qv
