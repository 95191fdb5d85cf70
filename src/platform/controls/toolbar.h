// Toolbar: keyed buttons 1.. with captions, tooltips, images and pressed state; docked at the window's top.
#pragma once
#include "platform/controls/collection.h"
#include "platform/controls/control.h"

class QHBoxLayout;
class QToolButton;

namespace qv {

class ImageList;
class Toolbar;

class ToolbarButton : public CollectionItem
{
  public:
    ToolbarButton(Toolbar* toolbar, int style);
    ~ToolbarButton() override;

    const QString& Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    const QString& ToolTipText() const { return m_toolTip; }
    void setToolTipText(const QString& text);
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    bool Visible() const { return m_visible; }
    void setVisible(bool visible);
    // tbrUnpressed 0 or tbrPressed 1; setting it runs no event.
    int Value() const { return m_value; }
    void setValue(int value);
    int Style() const { return m_style; }
    // The picture from the toolbar's image list, by index or key.
    void setImage(int index);
    void setImage(const QString& key);

    // Position and size in twips within the toolbar.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;

    QToolButton* button() const { return m_button; }

  private:
    friend class Toolbar;
    friend class ToolbarButtonList;
    void showValue();
    Toolbar* m_toolbar;
    QToolButton* m_button;
    QString m_caption;
    QString m_toolTip;
    bool m_enabled = true;
    bool m_visible = true;
    int m_value = tbrUnpressed;
    int m_style;
};

class ToolbarButtonList : public KeyedCollection<ToolbarButton>
{
  public:
    explicit ToolbarButtonList(Toolbar* toolbar) : m_toolbar(toolbar) {}
    // Adds a button at the 1-based index (the end when omitted).
    ToolbarButton& Add(std::optional<int> index = {}, const QString& key = {}, const QString& caption = {},
                       int style = tbrDefault);
    void Remove(int index);
    void Remove(const QString& key) { Remove(Item(key).Index()); }
    void Clear();

  private:
    Toolbar* m_toolbar;
};

class Toolbar : public Control
{
  public:
    Toolbar(Form* form, const QString& name, int index = -1);
    ~Toolbar() override;
    QString TypeName() const override { return QStringLiteral("Toolbar"); }

    ToolbarButtonList& Buttons() { return m_buttons; }
    const ToolbarButtonList& Buttons() const { return m_buttons; }
    ImageList* imageList() const { return m_imageList; }
    void setImageList(ImageList* images) { m_imageList = images; }
    // 1 docked at the top of the window (the default), 2 at the bottom, 0 placed freely.
    int Align() const { return m_align; }
    void setAlign(int align);

    // A click on an enabled button (a check-style button toggles first).
    std::function<void(ToolbarButton& Button)> onButtonClick;

    void formResized() override;

  private:
    friend class ToolbarButton;
    friend class ToolbarButtonList;
    void buttonClicked(ToolbarButton& button);
    QHBoxLayout* layout() const;
    ToolbarButtonList m_buttons;
    ImageList* m_imageList = nullptr;
    int m_align = 1;
};

} // namespace qv
