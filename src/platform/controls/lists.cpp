// ComboBox over QComboBox and ListBox over QListWidget.
#include "platform/controls/lists.h"

#include "platform/runtime/vberror.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <functional>

namespace qv {

namespace {
// Hands Tab and Shift+Tab pressed in a combo box's open list to the box.
class OpenListTab : public QObject
{
  public:
    OpenListTab(QObject* parent, std::function<void(const QKeyEvent&)> onTab)
        : QObject(parent), m_onTab(std::move(onTab))
    {
    }

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab)
            return false;
        m_onTab(*key);
        return true;
    }

  private:
    std::function<void(const QKeyEvent&)> m_onTab;
};

[[noreturn]] void throwInvalidValue()
{
    throw VbError(ErrInvalidPropertyValue, QStringLiteral("Invalid property value"));
}

[[noreturn]] void throwInvalidIndex()
{
    throw VbError(381, QStringLiteral("Invalid property array index"));
}

// Where a new item goes in a sorted list: after the items that sort before
// it or equal it, ignoring case.
template <class Count, class At> int sortedPosition(const QString& item, Count count, At at)
{
    int pos = 0;
    const int n = count();
    while (pos < n && at(pos).compare(item, Qt::CaseInsensitive) <= 0)
        ++pos;
    return pos;
}

int insertPosition(std::optional<int> index, int count)
{
    if (!index)
        return count;
    if (*index < 0 || *index > count)
        throw VbError(ErrInvalidCall, VbErrorText(ErrInvalidCall));
    return *index;
}
} // namespace

ComboBox::ComboBox(Form* form, const QString& name, int index) : Control(form, name, index)
{
    auto* combo = new QComboBox;
    QObject::connect(combo, qOverload<int>(&QComboBox::activated), combo, [this](int i) { userChose(i); });
    combo->view()->installEventFilter(
        new OpenListTab(combo, [this](const QKeyEvent& key) { tabInOpenList(key); }));
    setWidget(combo);
    setStyle(vbComboDropdown);
}

QComboBox* ComboBox::comboBox() const
{
    return static_cast<QComboBox*>(widget());
}

QWidget* ComboBox::keyTarget() const
{
    QComboBox* combo = comboBox();
    return combo && combo->lineEdit() ? static_cast<QWidget*>(combo->lineEdit()) : combo;
}

bool ComboBox::passesKeyToWidget(const QKeyEvent& event) const
{
    return !(comboBox()->isEditable() && (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter));
}

void ComboBox::setStyle(int style)
{
    if (style != vbComboDropdown && style != vbComboSimple && style != vbComboDropdownList)
        throwInvalidValue();
    m_style = style;
    QComboBox* combo = comboBox();
    const bool editable = style != vbComboDropdownList;
    if (combo->isEditable() == editable && (!editable || combo->lineEdit()->property("qvWired").toBool()))
        return;
    const QSignalBlocker block(combo);
    combo->setEditable(editable);
    if (!editable) {
        combo->setCurrentIndex(m_listIndex);
        return;
    }
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    QLineEdit* edit = combo->lineEdit();
    edit->setProperty("qvWired", true);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [this] { userTyped(); });
    addEventSource(edit);
}

void ComboBox::checkIndex(int index) const
{
    if (index < 0 || index >= ListCount())
        throwInvalidIndex();
}

void ComboBox::AddItem(const QString& item, std::optional<int> index)
{
    QComboBox* combo = comboBox();
    int pos = insertPosition(index, combo->count());
    if (!index && m_sorted)
        pos = sortedPosition(
            item, [combo] { return combo->count(); }, [combo](int i) { return combo->itemText(i); });
    const QString text = Text();
    const QSignalBlocker block(combo);
    combo->insertItem(pos, item);
    if (m_listIndex >= pos)
        ++m_listIndex;
    m_newIndex = pos;
    // Qt chooses the first item of an empty list itself; the old platform does not.
    combo->setCurrentIndex(m_listIndex);
    if (combo->isEditable())
        combo->setEditText(text);
}

void ComboBox::RemoveItem(int index)
{
    QComboBox* combo = comboBox();
    if (index < 0 || index >= combo->count())
        throw VbError(ErrInvalidCall, VbErrorText(ErrInvalidCall));
    const QString text = Text();
    const QSignalBlocker block(combo);
    combo->removeItem(index);
    if (index == m_listIndex)
        m_listIndex = -1;
    else if (index < m_listIndex)
        --m_listIndex;
    combo->setCurrentIndex(m_listIndex);
    if (combo->isEditable())
        combo->setEditText(text);
}

void ComboBox::Clear()
{
    QComboBox* combo = comboBox();
    const QSignalBlocker block(combo);
    combo->clear();
    if (combo->isEditable())
        combo->clearEditText();
    m_listIndex = -1;
}

QString ComboBox::List(int index) const
{
    if (index < -1)
        throwInvalidIndex();
    return index >= 0 && index < ListCount() ? comboBox()->itemText(index) : QString();
}

void ComboBox::setList(int index, const QString& item)
{
    checkIndex(index);
    const QSignalBlocker block(comboBox());
    comboBox()->setItemText(index, item);
}

int ComboBox::ListCount() const
{
    return comboBox()->count();
}

void ComboBox::setListIndex(int index)
{
    if (index < -1 || index >= ListCount())
        throwInvalidValue();
    if (index == m_listIndex)
        return;
    m_listIndex = index;
    {
        QComboBox* combo = comboBox();
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(index);
        if (combo->lineEdit())
            combo->lineEdit()->setCursorPosition(0);
    }
    fire(onClick, "Click");
}

int32_t ComboBox::ItemData(int index) const
{
    checkIndex(index);
    return comboBox()->itemData(index).toInt();
}

void ComboBox::setItemData(int index, int32_t data)
{
    checkIndex(index);
    comboBox()->setItemData(index, data);
}

QString ComboBox::Text() const
{
    QComboBox* combo = comboBox();
    if (combo->isEditable())
        return combo->lineEdit()->text();
    return m_listIndex >= 0 ? combo->itemText(m_listIndex) : QString();
}

void ComboBox::setText(const QString& text)
{
    QComboBox* combo = comboBox();
    if (!combo->isEditable()) {
        if (text.isEmpty()) {
            setListIndex(-1);
            return;
        }
        for (int i = 0; i < combo->count(); ++i) {
            if (combo->itemText(i).compare(text, Qt::CaseInsensitive) == 0) {
                setListIndex(i);
                return;
            }
        }
        throw VbError(ErrPropertyReadOnly, QStringLiteral("'Text' property is read-only"));
    }
    if (text == Text())
        return;
    if (m_listIndex >= 0 && combo->itemText(m_listIndex) != text)
        m_listIndex = -1;
    {
        const QSignalBlocker block(combo);
        const QSignalBlocker blockEdit(combo->lineEdit());
        combo->setEditText(text);
        combo->lineEdit()->setCursorPosition(0);
    }
    fire(onChange, "Change");
}

void ComboBox::userChose(int index)
{
    m_listIndex = index;
    fire(onClick, "Click");
}

void ComboBox::tabInOpenList(const QKeyEvent& key)
{
    // Nothing is chosen: only a click or Enter chooses a line.
    comboBox()->hidePopup();
    // The key goes to the box, which moves the focus on as from a closed box.
    QCoreApplication::postEvent(keyTarget(), new QKeyEvent(QEvent::KeyPress, key.key(), key.modifiers()));
}

void ComboBox::userTyped()
{
    m_listIndex = -1;
    fire(onChange, "Change");
}

int ComboBox::SelStart() const
{
    QLineEdit* edit = comboBox()->lineEdit();
    if (!edit)
        return 0;
    return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

void ComboBox::setSelStart(int start)
{
    if (start < 0)
        throwInvalidValue();
    if (QLineEdit* edit = comboBox()->lineEdit())
        edit->setCursorPosition(start);
}

int ComboBox::SelLength() const
{
    QLineEdit* edit = comboBox()->lineEdit();
    return edit ? edit->selectionLength() : 0;
}

void ComboBox::setSelLength(int length)
{
    if (length < 0)
        throwInvalidValue();
    if (QLineEdit* edit = comboBox()->lineEdit())
        edit->setSelection(SelStart(), length);
}

void ComboBox::ShowDropDown(bool show)
{
    if (show)
        comboBox()->showPopup();
    else
        comboBox()->hidePopup();
}

ListBox::ListBox(Form* form, const QString& name, int index) : Control(form, name, index)
{
    auto* list = new QListWidget;
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(list, &QListWidget::currentRowChanged, list, [this](int row) {
        if (!m_settingIndex)
            userMoved(row);
    });
    setWidget(list);
    addEventSource(list->viewport(), true);
}

QListWidget* ListBox::listWidget() const
{
    return static_cast<QListWidget*>(widget());
}

void ListBox::checkIndex(int index) const
{
    if (index < 0 || index >= ListCount())
        throwInvalidIndex();
}

void ListBox::AddItem(const QString& item, std::optional<int> index)
{
    QListWidget* list = listWidget();
    int pos = insertPosition(index, list->count());
    if (!index && m_sorted)
        pos = sortedPosition(
            item, [list] { return list->count(); }, [list](int i) { return list->item(i)->text(); });
    m_settingIndex = true;
    list->insertItem(pos, item);
    if (m_listIndex >= pos)
        ++m_listIndex;
    m_settingIndex = false;
    m_newIndex = pos;
}

void ListBox::RemoveItem(int index)
{
    QListWidget* list = listWidget();
    if (index < 0 || index >= list->count())
        throw VbError(ErrInvalidCall, VbErrorText(ErrInvalidCall));
    m_settingIndex = true;
    delete list->takeItem(index);
    if (index == m_listIndex)
        m_listIndex = -1;
    else if (index < m_listIndex)
        --m_listIndex;
    list->setCurrentRow(m_listIndex);
    if (m_listIndex < 0)
        list->clearSelection();
    m_settingIndex = false;
}

void ListBox::Clear()
{
    m_settingIndex = true;
    listWidget()->clear();
    m_settingIndex = false;
    m_listIndex = -1;
}

QString ListBox::List(int index) const
{
    if (index < -1)
        throwInvalidIndex();
    return index >= 0 && index < ListCount() ? listWidget()->item(index)->text() : QString();
}

void ListBox::setList(int index, const QString& item)
{
    checkIndex(index);
    listWidget()->item(index)->setText(item);
}

int ListBox::ListCount() const
{
    return listWidget()->count();
}

void ListBox::setListIndex(int index)
{
    if (index < -1 || index >= ListCount())
        throwInvalidValue();
    if (index == m_listIndex)
        return;
    m_listIndex = index;
    m_settingIndex = true;
    listWidget()->setCurrentRow(index);
    if (index < 0)
        listWidget()->clearSelection();
    m_settingIndex = false;
    fire(onClick, "Click");
}

void ListBox::userMoved(int row)
{
    if (row == m_listIndex)
        return;
    m_listIndex = row;
    fire(onClick, "Click");
}

int32_t ListBox::ItemData(int index) const
{
    checkIndex(index);
    return listWidget()->item(index)->data(Qt::UserRole).toInt();
}

void ListBox::setItemData(int index, int32_t data)
{
    checkIndex(index);
    listWidget()->item(index)->setData(Qt::UserRole, data);
}

QString ListBox::Text() const
{
    return List(m_listIndex);
}

int ListBox::TopIndex() const
{
    const QModelIndex top = listWidget()->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void ListBox::setTopIndex(int index)
{
    checkIndex(index);
    listWidget()->scrollToItem(listWidget()->item(index), QAbstractItemView::PositionAtTop);
}

} // namespace qv
