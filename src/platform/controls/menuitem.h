// MenuItem: an entry of the form's menu bar or of a menu, with Caption, Checked, Enabled, Visible and Click.
#pragma once
#include "platform/controls/control.h"

#include <QKeySequence>
#include <QList>

class QAction;
class QMenu;

namespace qv {

class MenuItem : public Control
{
  public:
    // A menu of the form's menu bar.
    MenuItem(Form* form, const QString& name, int index = -1);
    // An item of the menu parentMenu.
    MenuItem(MenuItem* parentMenu, const QString& name, int index = -1);
    ~MenuItem() override;

    QString TypeName() const override { return QStringLiteral("Menu"); }
    bool hasCaption() const override { return true; }
    QString Caption() const override { return m_caption; }
    // "&" marks the access key; "-" makes the item a separator line.
    void setCaption(const QString& caption) override;
    bool Checked() const { return m_checked; }
    void setChecked(bool checked);
    QKeySequence Shortcut() const { return m_shortcut; }
    void setShortcut(const QKeySequence& shortcut);

    // The menu the item belongs to (nullptr: the menu bar). A new parent puts
    // the item at the end of that menu.
    MenuItem* ParentMenu() const { return m_parentMenu; }
    void setParentMenu(MenuItem* parentMenu);
    // The items of this menu, in their order.
    const QList<MenuItem*>& items() const { return m_items; }

    // The user's choice of the item: runs Click when the item is enabled. A
    // menu that holds items runs its Click just before it drops down (from the
    // menu bar or as a pop-up), so its handler can set up the items first.
    void Click();

    QAction* action() const { return m_action; }
    // The pop-up of this item's sub-items (created on first use).
    QMenu* menu();

    // A loaded array element joins the first element's menu after the last element.
    void copyDesignFrom(const Control& first) override;

  protected:
    void applyEnabled() override;
    void applyVisible() override;
    void applyToolTip() override;
    void applyColors() override {}
    void applyFont() override {}
    void applyGeometry() override {}

  private:
    MenuItem(Form* form, const QString& name, int index, MenuItem* parentMenu);
    void attach(MenuItem* parentMenu, QAction* before);
    void detach();
    QString m_caption;
    bool m_checked = false;
    QKeySequence m_shortcut;
    MenuItem* m_parentMenu = nullptr;
    QList<MenuItem*> m_items;
    QAction* m_action;
    QMenu* m_menu = nullptr;
};

} // namespace qv
