// Form: a top-level window with VB-style properties and events, its controls, and the one-instance accessor.
#pragma once
#include "platform/controls/vbconst.h"

#include <QIcon>
#include <QList>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

class QEventLoop;
class QMenuBar;

namespace qv {

class CommandButton;
class Control;
class MenuItem;

class Form : public QWidget
{
  public:
    // name: the window's name as the language file and Screen.ActiveForm know it ("frmMain").
    explicit Form(const QString& name);
    ~Form() override;

    const QString& Name() const { return m_name; }
    QString Caption() const { return windowTitle(); }
    void setCaption(const QString& caption) { setWindowTitle(caption); }

    // Position and size of the window in twips; ScaleWidth/ScaleHeight are
    // the inner area below the menu bar.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void setLeft(int twips);
    void setTop(int twips);
    void setWidth(int twips);
    void setHeight(int twips);
    void Move(int left, std::optional<int> top = {}, std::optional<int> width = {},
              std::optional<int> height = {});
    int ScaleWidth() const;
    int ScaleHeight() const;

    bool Visible() const { return isVisible(); }
    // True shows the window (as Show), false hides it (as Hide).
    void setVisible(bool visible) override;
    bool Enabled() const { return isEnabled(); }
    void setEnabled(bool enabled) { QWidget::setEnabled(enabled); }
    int WindowState() const;
    void setWindowState(int state);
    QIcon Icon() const { return windowIcon(); }
    void setIcon(const QIcon& icon) { setWindowIcon(icon); }
    bool KeyPreview() const { return m_keyPreview; }
    void setKeyPreview(bool preview) { m_keyPreview = preview; }
    const QString& Tag() const { return m_tag; }
    void setTag(const QString& tag) { m_tag = tag; }
    // Where the window opens when it is first shown after its load (vbStartUpManual, vbStartUpOwner, ...).
    int StartUpPosition() const { return m_startUpPosition; }
    void setStartUpPosition(int position) { m_startUpPosition = position; }
    // Moves the window centred over `owner`, inside the usable area of the screen that shows the owner.
    void placeOver(const QWidget& owner);
    int HelpContextID() const { return m_helpContextId; }
    void setHelpContextID(int id) { m_helpContextId = id; }
    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor color);

    // Loads the window (Form_Load runs once) unless it is loaded.
    void Load();
    bool loaded() const { return m_loaded; }
    // Shows the window; vbModal runs a nested event loop until it is hidden or
    // unloaded, or, with a queued modal answer, runs that answer and returns.
    void Show(int modal = vbModeless);
    void Hide();
    void Refresh();
    // Shows a menu's items as a pop-up at the mouse pointer and returns when
    // one was chosen (its Click has run) or the pop-up was dismissed.
    void PopupMenu(MenuItem& menu);

    // The controls in creation order, and one by name (case-insensitive) and
    // array index (-1 for a single control); nullptr when there is none.
    const QList<Control*>& Controls() const { return m_controls; }
    Control* control(const QString& name, int index = -1) const;
    // The control of this window whose GotFocus ran last, if any.
    Control* ActiveControl() const;

    // The area the controls are placed in, below the menu bar.
    QWidget* clientWidget() const { return m_client; }
    QMenuBar* menuBar();
    QMenuBar* existingMenuBar() const { return m_menuBar; }
    // Shows the menu bar while it holds a visible menu.
    void menuBarChanged();

    // Events. A window overrides the ones it handles.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    virtual void Form_Resize() {}
    virtual void Form_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/) {}
    virtual void Form_Unload(int& /*Cancel*/) {}
    virtual void Form_Terminate() {}
    virtual void Form_KeyDown(int& /*KeyCode*/, int /*Shift*/) {}
    virtual void Form_KeyUp(int& /*KeyCode*/, int /*Shift*/) {}
    virtual void Form_KeyPress(int& /*KeyAscii*/) {}
    virtual void Form_MouseDown(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {}
    virtual void Form_MouseUp(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {}
    virtual void Form_MouseMove(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {}
    virtual void Form_Click() {}
    virtual void Form_DblClick() {}

    // Answer hooks for tests: each modal Show takes the next queued answer,
    // runs it on the shown window and returns at once (the window is hidden
    // afterwards unless the answer unloaded or hid it).
    static void queueModalAnswer(std::function<void(Form&)> answer);
    static int pendingModalAnswers();
    static void clearModalAnswers();
    // Each PopupMenu takes the next queued answer: the name of the item to
    // choose (and the index of an array item), or an empty name to dismiss.
    static void queuePopupAnswer(const QString& itemName, int index = -1);
    static void clearPopupAnswers();

    // The loaded windows, in load order.
    static QList<Form*> loadedForms();

    // Internal to the controls layer.
    int registerControl(Control* control);
    void unregisterControl(Control* control);
    void setDefaultButton(CommandButton* button, bool on);
    void setCancelButton(CommandButton* button, bool on);
    CommandButton* defaultButton() const;
    CommandButton* cancelButton() const;
    bool pressDefaultButton();
    bool pressCancelButton();
    void previewKeyDown(int& keyCode, int shift);
    void previewKeyUp(int& keyCode, int shift);
    void previewKeyPress(int& keyAscii);
    // Makes this the active window (Form_Activate when it was not).
    void activateForm();
    // Unloads the window: QueryUnload and Unload may cancel; then it is
    // hidden, Terminate runs and the one-instance accessor forgets it.
    bool unload(int unloadMode);
    // Set by FormInstance: forgets the instance so the next touch creates a new one.
    std::function<void()> detachInstance;

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void showModal();
    void placeAtFirstShow();
    void layoutClient();
    void applyTabOrder();
    void deactivated();

    QString m_name;
    QWidget* m_client;
    QMenuBar* m_menuBar = nullptr;
    QList<Control*> m_controls;
    int m_nextTabIndex = 0;
    CommandButton* m_defaultButton = nullptr;
    CommandButton* m_cancelButton = nullptr;
    bool m_keyPreview = false;
    bool m_loaded = false;
    bool m_unloading = false;
    bool m_deletePending = false;
    bool m_afterDblClick = false;
    QString m_tag;
    int m_helpContextId = 0;
    int m_startUpPosition = vbStartUpManual;
    bool m_placePending = false;
    OleColor m_backColor = vbButtonFace;
    QEventLoop* m_modalLoop = nullptr;
};

// The VB statement Unload: unloads the window unless QueryUnload or Unload
// cancels; returns whether it was unloaded.
bool Unload(Form& form);

// The one instance of a window class, created and loaded on first touch.
// A window is declared once and reached by its own name:
//     inline FrmCards& frmCards() { return FormInstance<FrmCards>::get(); }
// Unload destroys it (deleted when control returns to the event loop); the
// next get() creates and loads a new one.
template <class F> class FormInstance
{
  public:
    static F& get()
    {
        if (s_instance)
            return *s_instance;
        // Form_Load may unload the window again; the caller still gets it.
        F* form = new F();
        s_instance = form;
        form->detachInstance = [] { s_instance = nullptr; };
        form->Load();
        return *form;
    }
    static bool loaded() { return s_instance != nullptr; }

  private:
    static inline F* s_instance = nullptr;
};

} // namespace qv
