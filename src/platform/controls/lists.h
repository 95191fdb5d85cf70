// ComboBox (drop-down list or editable) and ListBox: items with ItemData, ListIndex, NewIndex.
#pragma once
#include "platform/controls/control.h"

#include <cstdint>

class QComboBox;
class QListWidget;

namespace qv {

class ComboBox : public Control
{
  public:
    ComboBox(Form* form, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("ComboBox"); }
    bool raisesOwnClick() const override { return true; }

    // vbComboDropdown (editable, the default) or vbComboDropdownList.
    int Style() const { return m_style; }
    void setStyle(int style);
    // A sorted list puts each new item in order (ignoring case).
    bool Sorted() const { return m_sorted; }
    void setSorted(bool sorted) { m_sorted = sorted; }

    // Adds an item at index (the end when omitted, or its place in a sorted list).
    void AddItem(const QString& item, std::optional<int> index = {});
    void RemoveItem(int index);
    // Empties the list and the text.
    void Clear();
    // The item at index; "" beyond the list.
    QString List(int index) const;
    void setList(int index, const QString& item);
    int ListCount() const;
    // The chosen item (-1: none). A different index runs Click.
    int ListIndex() const { return m_listIndex; }
    void setListIndex(int index);
    int32_t ItemData(int index) const;
    void setItemData(int index, int32_t data);
    // The index of the item added last.
    int NewIndex() const { return m_newIndex; }

    // The editable box's text runs Change when it changes, and choosing from
    // the list runs Click only. Typing or assigning a text that is not the
    // chosen item leaves no item chosen (ListIndex -1). In a drop-down list the
    // text chooses the equal item, and a text that is no item raises error 383.
    QString Text() const;
    void setText(const QString& text);
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);

    // Opens or closes the list.
    void ShowDropDown(bool show = true);

    QComboBox* comboBox() const;

  protected:
    OleColor defaultBackColor() const override { return vbWindowBackground; }
    OleColor defaultForeColor() const override { return vbWindowText; }
    QWidget* keyTarget() const override;
    bool passesKeyToWidget(const QKeyEvent& event) const override;

  private:
    void userChose(int index);
    // Tab or Shift+Tab in the open list: the list closes and the focus moves on as Tab moves it from the
    // box.
    void tabInOpenList(const QKeyEvent& key);
    void userTyped();
    void checkIndex(int index) const;
    int m_style = vbComboDropdown;
    bool m_sorted = false;
    int m_listIndex = -1;
    int m_newIndex = -1;
};

class ListBox : public Control
{
  public:
    ListBox(Form* form, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("ListBox"); }
    bool raisesOwnClick() const override { return true; }

    bool Sorted() const { return m_sorted; }
    void setSorted(bool sorted) { m_sorted = sorted; }
    void AddItem(const QString& item, std::optional<int> index = {});
    void RemoveItem(int index);
    void Clear();
    QString List(int index) const;
    void setList(int index, const QString& item);
    int ListCount() const;
    // The highlighted item (-1: none); a different index runs Click.
    int ListIndex() const { return m_listIndex; }
    void setListIndex(int index);
    int32_t ItemData(int index) const;
    void setItemData(int index, int32_t data);
    int NewIndex() const { return m_newIndex; }
    // The text of the highlighted item.
    QString Text() const;
    // The first item shown.
    int TopIndex() const;
    void setTopIndex(int index);

    QListWidget* listWidget() const;

  protected:
    OleColor defaultBackColor() const override { return vbWindowBackground; }
    OleColor defaultForeColor() const override { return vbWindowText; }

  private:
    void userMoved(int row);
    void checkIndex(int index) const;
    bool m_sorted = false;
    int m_listIndex = -1;
    int m_newIndex = -1;
    bool m_settingIndex = false;
};

} // namespace qv
