// HScrollBar, VScrollBar, Slider (with a selection mark) and ProgressBar.
#pragma once
#include "platform/controls/control.h"

class QProgressBar;
class QScrollBar;
class QSlider;

namespace qv {

// A scroll bar: a different Value runs Change; dragging the thumb runs
// Scroll at each step and Change when it is let go.
class ScrollBar : public Control
{
  public:
    bool raisesOwnClick() const override { return true; }
    int Min() const { return m_min; }
    void setMin(int min);
    int Max() const { return m_max; }
    void setMax(int max);
    int Value() const { return m_value; }
    // A value outside Min..Max raises error 380.
    void setValue(int value);
    int SmallChange() const { return m_smallChange; }
    void setSmallChange(int step);
    int LargeChange() const { return m_largeChange; }
    void setLargeChange(int step);

    std::function<void()> onScroll;

    QScrollBar* scrollBar() const;

  protected:
    ScrollBar(Form* form, const QString& name, int index, Qt::Orientation orientation);

  private:
    void applyRange();
    void userMoved(int value);
    void userReleased();
    int m_min = 0;
    int m_max = 32767;
    int m_value = 0;
    int m_smallChange = 1;
    int m_largeChange = 1;
    int m_changedValue = 0; // the value the last Change reported
    bool m_setting = false;
};

class HScrollBar : public ScrollBar
{
  public:
    HScrollBar(Form* form, const QString& name, int index = -1) : ScrollBar(form, name, index, Qt::Horizontal)
    {
    }
    QString TypeName() const override { return QStringLiteral("HScrollBar"); }
};

class VScrollBar : public ScrollBar
{
  public:
    VScrollBar(Form* form, const QString& name, int index = -1) : ScrollBar(form, name, index, Qt::Vertical)
    {
    }
    QString TypeName() const override { return QStringLiteral("VScrollBar"); }
};

// A slider: code's Value changes run Change; the user's moves run Scroll at
// each step and Change when the move ends. With SelectRange the range
// SelStart..SelStart+SelLength is marked along the track.
class Slider : public Control
{
  public:
    Slider(Form* form, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("Slider"); }

    int Min() const { return m_min; }
    void setMin(int min);
    int Max() const { return m_max; }
    void setMax(int max);
    int Value() const { return m_value; }
    void setValue(int value);
    int SmallChange() const { return m_smallChange; }
    void setSmallChange(int step);
    int LargeChange() const { return m_largeChange; }
    void setLargeChange(int step);
    int TickFrequency() const { return m_tickFrequency; }
    void setTickFrequency(int frequency);
    bool SelectRange() const { return m_selectRange; }
    void setSelectRange(bool on);
    int SelStart() const { return m_selStart; }
    void setSelStart(int start);
    int SelLength() const { return m_selLength; }
    void setSelLength(int length);

    std::function<void()> onScroll;

    QSlider* slider() const;

  private:
    void applyRange();
    void userMoved(int value);
    void userReleased();
    void changeTo(int value);
    int m_min = 0;
    int m_max = 10;
    int m_value = 0;
    int m_smallChange = 1;
    int m_largeChange = 5;
    int m_tickFrequency = 1;
    bool m_selectRange = false;
    int m_selStart = 0;
    int m_selLength = 0;
    int m_changedValue = 0;
    bool m_setting = false;
};

class ProgressBar : public Control
{
  public:
    ProgressBar(Form* form, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("ProgressBar"); }
    int Min() const { return m_min; }
    void setMin(int min);
    int Max() const { return m_max; }
    void setMax(int max);
    int Value() const { return m_value; }
    // A value outside Min..Max raises error 380.
    void setValue(int value);

    QProgressBar* progressBar() const;

  private:
    void applyRange();
    int m_min = 0;
    int m_max = 100;
    int m_value = 0;
};

} // namespace qv
