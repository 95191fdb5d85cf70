// Base of every VB-style control: common properties, events, focus bookkeeping and event dispatch.
#pragma once
#include "platform/controls/vbconst.h"

#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

class QKeyEvent;
class QMouseEvent;

namespace qv {

class Form;

// Reports an error a handler let escape: handlers run from the event loop or
// nested in a property assignment, and nothing may cross into Qt. Logged once.
void reportUnhandledError(const QString& where, const QString& what);

// Calls an event handler when one is set; an error escaping the handler is
// reported, never passed on.
template <class Fn, class... Args> void raiseEvent(const QString& where, const Fn& fn, Args&&... args)
{
    if constexpr (std::is_constructible_v<bool, const Fn&>) {
        if (!fn)
            return;
    }
    try {
        fn(std::forward<Args>(args)...);
    } catch (const std::exception& e) {
        reportUnhandledError(where, QString::fromUtf8(e.what()));
    } catch (...) {
        reportUnhandledError(where, QStringLiteral("unknown error"));
    }
}

class Control
{
  public:
    Control(Form* form, const QString& name, int index = -1);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The type name the language files use ("CommandButton", "Label", ...).
    virtual QString TypeName() const = 0;
    const QString& Name() const { return m_name; }
    // The index within a control array; -1 for a single control.
    int Index() const { return m_index; }
    Form& Parent() const { return *m_form; }
    // The frame or picture box the control sits in; nullptr for the form itself.
    Control* Container() const { return m_container; }
    void setContainer(Control* container);

    // Caption: only the kinds that show one; the others raise error 438.
    virtual bool hasCaption() const { return false; }
    virtual QString Caption() const;
    virtual void setCaption(const QString& caption);

    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    bool Visible() const { return m_visible; }
    void setVisible(bool visible);
    const QString& Tag() const { return m_tag; }
    void setTag(const QString& tag) { m_tag = tag; }
    const QString& ToolTipText() const { return m_toolTip; }
    void setToolTipText(const QString& text);
    int HelpContextID() const { return m_helpContextId; }
    void setHelpContextID(int id) { m_helpContextId = id; }
    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor color);
    OleColor ForeColor() const { return m_foreColor; }
    void setForeColor(OleColor color);

    // Position and size in twips, relative to the container.
    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void setLeft(int twips) { Move(twips); }
    void setTop(int twips) { Move(m_left, twips); }
    void setWidth(int twips) { Move(m_left, m_top, twips); }
    void setHeight(int twips) { Move(m_left, m_top, m_width, twips); }
    void Move(int left, std::optional<int> top = {}, std::optional<int> width = {},
              std::optional<int> height = {});

    QFont Font() const { return m_font; }
    void setFont(const QFont& font);
    bool FontBold() const { return m_font.bold(); }
    void setFontBold(bool bold);
    double FontSize() const { return m_font.pointSizeF(); }
    void setFontSize(double points);
    QString FontName() const { return m_font.family(); }
    void setFontName(const QString& family);

    int TabIndex() const { return m_tabIndex; }
    void setTabIndex(int index);
    bool TabStop() const { return m_tabStop; }
    void setTabStop(bool stop);
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    const QPixmap& MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap& icon);

    // Moves the focus here: LostFocus of the control that had it, then GotFocus
    // of this one, raised by the layer itself. Raises error 5 when the control,
    // a container or the form is hidden or disabled.
    void SetFocus();
    // True when the control can take the focus now.
    bool canFocus() const;
    // 0 brings the control to the front of its container, 1 sends it to the back.
    void ZOrder(int position = 0);
    void Refresh();

    // The owned Qt widget (nullptr for Timer, Menu and ImageList).
    QWidget* widget() const { return m_widget; }
    // The widget child controls are placed in (frames and picture boxes only).
    virtual QWidget* containerWidget() const { return nullptr; }

    // Events common to most kinds. Handlers run at once, nested, whether the
    // user acted or code assigned a property.
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void()> onChange;
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;
    std::function<void(int& KeyCode, int Shift)> onKeyDown;
    std::function<void(int& KeyCode, int Shift)> onKeyUp;
    std::function<void(int& KeyAscii)> onKeyPress;
    std::function<void(int Button, int Shift, float X, float Y)> onMouseDown;
    std::function<void(int Button, int Shift, float X, float Y)> onMouseUp;
    std::function<void(int Button, int Shift, float X, float Y)> onMouseMove;

    // Copies the properties a new control-array element takes from the array's
    // first element when it is loaded at run time.
    virtual void copyDesignFrom(const Control& first);
    // Called when the form's inner area changed size (docked bars follow it).
    virtual void formResized() {}

    // The layer's focus bookkeeping: the control whose GotFocus ran last.
    static Control* focusedControl();
    // Runs the focus events for a move of the focus to control (nullptr: none).
    static void focusArrived(Control* control);
    // Forgets the focus without events when it is on a control of form (the
    // window is being unloaded).
    static void dropFocus(const Form* form);

  protected:
    // Takes ownership of the widget, places it in the container and applies
    // every stored property. Kinds without a widget never call it.
    void setWidget(QWidget* widget);
    // Another widget of this control that sees keys or the mouse (a combo
    // box's edit field, a list's viewport). A scroll area's viewport is driven
    // by its view's own filter: its mouse events are seen, never handed on,
    // and the view itself then reports no mouse events of its own.
    void addEventSource(QWidget* source, bool isViewport = false);
    // Where the caller's handlers are named in error reports ("txtCodeNo(1).Change").
    QString where(const char* event) const;
    void fire(const std::function<void()>& handler, const char* event) const
    {
        raiseEvent(where(event), handler);
    }
    // A shared flag that turns false when the control is destroyed, for code
    // that must not touch it after a handler ran.
    std::shared_ptr<bool> aliveToken() const { return m_alive; }

    virtual void applyEnabled();
    virtual void applyVisible();
    virtual void applyToolTip();
    virtual void applyColors();
    virtual void applyFont();
    virtual void applyGeometry();
    // Default colours of the kind (used until code sets its own).
    virtual OleColor defaultBackColor() const { return vbButtonFace; }
    virtual OleColor defaultForeColor() const { return vbButtonText; }

    // Hooks of the key translation: whether Enter should press the form's
    // default button, and whether the control refuses a typed character
    // (a full text box).
    virtual bool passesEnterToDefault() const { return true; }
    virtual bool refusesTypedChar(int /*keyAscii*/) const { return false; }
    // Whether the widget gets a key after the key events ran (a combo box
    // keeps Enter from Qt, which would take it as a choice from the list).
    virtual bool passesKeyToWidget(const QKeyEvent& /*event*/) const { return true; }
    // The widget that receives the keys (a combo box's edit field).
    virtual QWidget* keyTarget() const { return m_widget; }
    // Kinds whose Click means more than a mouse click (buttons, lists) raise
    // it themselves; for the others the layer raises it on a left click.
    virtual bool raisesOwnClick() const { return false; }

  private:
    friend class ControlEventFilter;
    friend class Form;
    bool filterEvent(QObject* watched, QEvent* event);
    bool handleKey(QWidget* target, QKeyEvent* event);
    bool handleKeyRelease(QWidget* target, QKeyEvent* event);
    bool handleMouse(QWidget* target, QMouseEvent* event);
    void forward(QWidget* target, QEvent* event);
    void reparentWidget();
    QWidget* parentWidgetForChildren() const;

    Form* m_form;
    QString m_name;
    int m_index;
    Control* m_container = nullptr;
    QPointer<QWidget> m_widget;
    QObject* m_filter = nullptr;
    QWidget* m_viewport = nullptr;
    std::shared_ptr<bool> m_alive;

    bool m_enabled = true;
    bool m_visible = true;
    QString m_tag;
    QString m_toolTip;
    int m_helpContextId = 0;
    OleColor m_backColor = vbButtonFace;
    OleColor m_foreColor = vbButtonText;
    bool m_colorsSet = false;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    QFont m_font;
    int m_tabIndex = 0;
    bool m_tabStop = true;
    int m_mousePointer = vbDefault;
    QPixmap m_mouseIcon;
    bool m_hadGotFocus = false;
    bool m_afterDblClick = false;
};

// The help topic F1 in a control opens: the first HelpContextID set on the control, the frames and
// pictures it sits in, or its window; 0 when none has one (the help's first page).
int helpTopicOf(const Control& control);
// What F1 in a control does with its topic (the program opens its help there); unset, F1 is an ordinary
// key. A KeyDown handler that clears the key code keeps the help closed.
inline std::function<void(int topic)> helpKeyHandler;

// Key translation between Qt and the old platform's key codes.
int vbKeyCodeFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
int qtKeyFromVbKeyCode(int keyCode);
int vbShiftFromQt(Qt::KeyboardModifiers modifiers);
int vbButtonFromQt(Qt::MouseButton button);
int vbButtonsFromQt(Qt::MouseButtons buttons);
// The character code a key event types (KeyAscii), 0 when it types none.
int keyAsciiFromEvent(const QKeyEvent& event);
// Text without the access-key markers ("&File" shows as "File", "&&" as "&").
QString stripAccessKeys(const QString& caption);

} // namespace qv
