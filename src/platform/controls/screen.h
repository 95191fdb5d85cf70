// Screen: the active window, the program's mouse pointer and the screen size; and Beep.
#pragma once
#include "platform/controls/vbconst.h"

#include <QList>
#include <QRect>

namespace qv {

class Control;
class Form;

class ScreenObject
{
  public:
    // The window the program activated last (nullptr when none is).
    Form* ActiveForm() const { return m_activeForm; }
    // Tests set it to stand for the window the user has in front.
    void setActiveForm(Form* form);
    // The control whose GotFocus ran last.
    Control* ActiveControl() const;

    // vbDefault, vbHourglass, ...: shown over every window of the program.
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);

    // The screen's size in twips; tests pin it.
    int Width() const;
    int Height() const;
    void pinSize(int widthTwips, int heightTwips);
    void unpinSize();
    // The usable area (pixels, without task bars) of the screen that shows the point, the primary screen's
    // when none does; a pinned size stands for a screen of that size at 0,0.
    QRect availableArea(const QPoint& at) const;
    int TwipsPerPixelX() const { return kTwipsPerPixel; }
    int TwipsPerPixelY() const { return kTwipsPerPixel; }

    // Internal to the controls layer: activation history, so the window
    // activated before comes back when the active one is hidden or unloaded.
    void formActivated(Form* form);
    void formGone(Form* form);
    Form* previousActiveForm() const;

  private:
    Form* m_activeForm = nullptr;
    QList<Form*> m_history;
    int m_mousePointer = vbDefault;
    bool m_overrideCursor = false;
    int m_pinnedWidth = 0;
    int m_pinnedHeight = 0;
};

inline ScreenObject Screen;

// Where a window of `size` stands centred over `owner`, moved inside `area`; a window larger than the area
// keeps its left and top edges inside it.
QRect placedOver(const QSize& size, const QRect& owner, const QRect& area);

// Sounds the system beep; every call is counted, so tests can assert a beep.
void Beep();
int BeepCount();
void resetBeepCount();

} // namespace qv
