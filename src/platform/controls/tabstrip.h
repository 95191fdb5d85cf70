// TabStrip: tabs 1.. with caption, tooltip and key; the selected tab; Click when the selection changes.
#pragma once
#include "platform/controls/collection.h"
#include "platform/controls/control.h"

class QTabBar;

namespace qv {

class TabStrip;

class Tab : public CollectionItem
{
  public:
    explicit Tab(TabStrip* strip) : m_strip(strip) {}
    const QString& Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    const QString& ToolTipText() const { return m_toolTip; }
    void setToolTipText(const QString& text);
    bool Selected() const;
    // Selecting a tab runs the strip's Click when the selection changes.
    void setSelected(bool selected);

  private:
    TabStrip* m_strip;
    QString m_caption;
    QString m_toolTip;
};

class TabList : public KeyedCollection<Tab>
{
  public:
    explicit TabList(TabStrip* strip) : m_strip(strip) {}
    Tab& Add(std::optional<int> index = {}, const QString& key = {}, const QString& caption = {});
    void Remove(int index);
    void Remove(const QString& key) { Remove(Item(key).Index()); }
    void Clear();

  private:
    TabStrip* m_strip;
};

class TabStrip : public Control
{
  public:
    TabStrip(Form* form, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("TabStrip"); }
    bool raisesOwnClick() const override { return true; }

    TabList& Tabs() { return m_tabs; }
    const TabList& Tabs() const { return m_tabs; }
    // The selected tab (nullptr while there is none). The first tab added is
    // selected without an event; a different selection runs Click.
    Tab* SelectedItem() const;
    void setSelectedItem(Tab& tab);

    QTabBar* tabBar() const;

  private:
    friend class Tab;
    friend class TabList;
    void select(int position, bool fireClick);
    void syncBar();
    TabList m_tabs;
    int m_selected = 0; // 1-based, 0 = none
    bool m_setting = false;
};

} // namespace qv
