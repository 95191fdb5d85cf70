// MenuItem over QAction, with a QMenu for the items below it.
#include "platform/controls/menuitem.h"

#include "platform/controls/form.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace qv {

MenuItem::MenuItem(Form* form, const QString& name, int index) : MenuItem(form, name, index, nullptr) {}

MenuItem::MenuItem(MenuItem* parentMenu, const QString& name, int index)
    : MenuItem(&parentMenu->Parent(), name, index, parentMenu)
{
}

MenuItem::MenuItem(Form* form, const QString& name, int index, MenuItem* parentMenu)
    : Control(form, name, index), m_action(new QAction)
{
    QObject::connect(m_action, &QAction::triggered, m_action, [this] {
        // The old platform ticks a menu item only when code sets Checked.
        m_action->setChecked(m_checked);
        Click();
    });
    attach(parentMenu, nullptr);
}

MenuItem::~MenuItem()
{
    detach();
    for (MenuItem* item : std::as_const(m_items))
        item->m_parentMenu = nullptr;
    delete m_menu;
    delete m_action;
}

void MenuItem::attach(MenuItem* parentMenu, QAction* before)
{
    m_parentMenu = parentMenu;
    if (parentMenu) {
        qsizetype at = parentMenu->m_items.size();
        for (qsizetype i = 0; i < parentMenu->m_items.size(); ++i)
            if (parentMenu->m_items.at(i)->m_action == before)
                at = i;
        parentMenu->m_items.insert(at, this);
        parentMenu->menu()->insertAction(before, m_action);
    } else {
        Parent().menuBar()->insertAction(before, m_action);
        Parent().menuBarChanged();
    }
}

void MenuItem::detach()
{
    if (m_parentMenu) {
        m_parentMenu->m_items.removeAll(this);
        if (m_parentMenu->m_menu)
            m_parentMenu->m_menu->removeAction(m_action);
    } else if (QMenuBar* bar = Parent().existingMenuBar()) {
        bar->removeAction(m_action);
        Parent().menuBarChanged();
    }
    m_parentMenu = nullptr;
}

void MenuItem::setParentMenu(MenuItem* parentMenu)
{
    if (parentMenu == m_parentMenu || parentMenu == this)
        return;
    detach();
    attach(parentMenu, nullptr);
}

QMenu* MenuItem::menu()
{
    if (!m_menu) {
        m_menu = new QMenu;
        m_menu->setTitle(m_caption);
        QObject::connect(m_menu, &QMenu::aboutToShow, m_menu, [this] { Click(); });
        m_action->setMenu(m_menu);
    }
    return m_menu;
}

void MenuItem::setCaption(const QString& caption)
{
    m_caption = caption;
    const bool separator = caption == QLatin1String("-");
    m_action->setSeparator(separator);
    m_action->setText(separator ? QString() : caption);
    if (m_menu)
        m_menu->setTitle(caption);
}

void MenuItem::setChecked(bool checked)
{
    m_checked = checked;
    if (checked)
        m_action->setCheckable(true);
    m_action->setChecked(checked);
}

void MenuItem::setShortcut(const QKeySequence& shortcut)
{
    m_shortcut = shortcut;
    m_action->setShortcut(shortcut);
    // The shortcut works wherever the focus is on the window.
    m_action->setShortcutContext(Qt::WindowShortcut);
    Parent().addAction(m_action);
}

void MenuItem::Click()
{
    if (!Enabled())
        return;
    fire(onClick, "Click");
}

void MenuItem::applyEnabled()
{
    m_action->setEnabled(Enabled());
}

void MenuItem::applyVisible()
{
    m_action->setVisible(Visible());
    if (!m_parentMenu)
        Parent().menuBarChanged();
}

void MenuItem::applyToolTip()
{
    m_action->setToolTip(ToolTipText());
}

void MenuItem::copyDesignFrom(const Control& first)
{
    Control::copyDesignFrom(first);
    const auto& firstItem = static_cast<const MenuItem&>(first);
    if (!firstItem.m_parentMenu) {
        setParentMenu(nullptr);
        return;
    }
    // After the last element of the same array that precedes this one.
    MenuItem* parent = firstItem.m_parentMenu;
    detach();
    QAction* before = nullptr;
    bool afterLast = false;
    for (MenuItem* item : parent->m_items) {
        if (afterLast) {
            before = item->m_action;
            afterLast = false;
        }
        if (item->Name().compare(Name(), Qt::CaseInsensitive) == 0 && item->Index() < Index())
            afterLast = true;
    }
    attach(parent, afterLast ? nullptr : before);
}

} // namespace qv
