// StatusBar: keyed panels 1.. with text, tooltip, width and sizing; docked at the window's bottom.
#pragma once
#include "platform/controls/collection.h"
#include "platform/controls/control.h"

class QHBoxLayout;
class QLabel;

namespace qv {

class StatusBar;

class Panel : public CollectionItem
{
  public:
    explicit Panel(StatusBar* bar);
    ~Panel() override;

    const QString& Text() const { return m_text; }
    void setText(const QString& text);
    const QString& ToolTipText() const { return m_toolTip; }
    void setToolTipText(const QString& text);
    bool Visible() const { return m_visible; }
    void setVisible(bool visible);
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    // Width in twips (the fixed width, or the least width of a sized panel).
    int Width() const;
    void setWidth(int twips);
    int MinWidth() const { return m_minWidth; }
    void setMinWidth(int twips);
    // sbrNoAutoSize, sbrSpring (takes the room left) or sbrContents (fits its text).
    int AutoSize() const { return m_autoSize; }
    void setAutoSize(int autoSize);
    int Alignment() const { return m_alignment; }
    void setAlignment(int alignment);
    const QPixmap& Picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);

    QLabel* label() const { return m_label; }

  private:
    friend class PanelList;
    void applySize();
    StatusBar* m_bar;
    QLabel* m_label;
    QString m_text;
    QString m_toolTip;
    QPixmap m_picture;
    bool m_visible = true;
    bool m_enabled = true;
    int m_width = 1440;
    int m_minWidth = 0;
    int m_autoSize = sbrNoAutoSize;
    int m_alignment = vbLeftJustify;
};

class PanelList : public KeyedCollection<Panel>
{
  public:
    explicit PanelList(StatusBar* bar) : m_bar(bar) {}
    Panel& Add(std::optional<int> index = {}, const QString& key = {}, const QString& text = {});
    void Remove(int index) { take(index); }
    void Remove(const QString& key) { take(Item(key).Index()); }
    void Clear() { takeAll(); }

  private:
    StatusBar* m_bar;
};

class StatusBar : public Control
{
  public:
    StatusBar(Form* form, const QString& name, int index = -1);
    ~StatusBar() override;
    QString TypeName() const override { return QStringLiteral("StatusBar"); }

    PanelList& Panels() { return m_panels; }
    const PanelList& Panels() const { return m_panels; }
    // 2 docked at the bottom of the window (the default), 1 at the top, 0 placed freely.
    int Align() const { return m_align; }
    void setAlign(int align);

    std::function<void(Panel& panel)> onPanelClick;
    std::function<void(Panel& panel)> onPanelDblClick;

    void formResized() override;

  private:
    friend class Panel;
    friend class PanelList;
    QHBoxLayout* layout() const;
    void panelClicked(QLabel* label, bool doubleClick);
    PanelList m_panels;
    QObject* m_clickFilter;
    int m_align = 2;
};

} // namespace qv
