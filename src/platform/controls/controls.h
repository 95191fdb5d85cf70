// The VB-style controls layer: include this one header to build a window.
//
// Declaring a window: a class derived from Form, its controls as public
// members (each takes the form, its name and, in an array, its index), its
// handlers as member functions named as the old program named them, and one
// accessor that creates and loads the one instance on first touch:
//
//     class FrmDemo : public Form {
//     public:
//         FrmDemo();
//         Frame frOptions{this, "frOptions"};
//         CheckBox chkBeep{this, "chkBeep"};
//         ControlArray<TextBox> txtCodeNo{this, "txtCodeNo", {0, 1}};
//         CommandButton cmdOK{this, "cmdOK"};
//         MenuItem mnuFile{this, "mnuFile"};
//         MenuItem mnuExit{&mnuFile, "mnuExit"};
//         void Form_Load() override;                  // events of the window itself
//         void Form_QueryUnload(int& Cancel, int UnloadMode) override;
//         void chkBeep_Click();
//         void txtCodeNo_Change(int Index);
//         void txtCodeNo_KeyPress(int Index, int& KeyAscii);
//     };
//     inline FrmDemo& frmDemo() { return FormInstance<FrmDemo>::get(); }
//
// The constructor lays the window out (twips, 15 to a pixel), puts controls
// into their containers and wires every handler in one place:
//
//     FrmDemo::FrmDemo() : Form("frmDemo") {
//         setCaption("Demo");
//         Move(0, 0, 6000, 4000);
//         frOptions.Move(120, 120, 3000, 1500);
//         chkBeep.setContainer(&frOptions);
//         chkBeep.Move(120, 300, 2500, 300);
//         chkBeep.onClick = [this] { chkBeep_Click(); };
//         txtCodeNo.onChange = [this](int Index) { txtCodeNo_Change(Index); };
//         txtCodeNo.onKeyPress = [this](int Index, int& KeyAscii) { txtCodeNo_KeyPress(Index, KeyAscii); };
//         mnuExit.onClick = [this] { Unload(*this); };
//     }
//
// Rules the layer keeps, so handlers behave as on the old platform:
// - Assigning a property runs its handler at once, nested, as the user's
//   action would (Text -> Change, also a Label's Caption; Value of a
//   CheckBox or OptionButton -> Click; ListIndex -> Click; Value of a scroll
//   bar or slider -> Change). Assigning the value already there runs nothing.
// - After Text is assigned the caret stands at 0.
// - A check box holds 0, 1 or 2 (greyed); a user's click sets 1 from 0 or 2
//   and 0 from 1. Click runs before MouseUp, KeyPress before Space toggles.
// - KeyAscii = 0 in KeyPress swallows the key; with KeyPreview the window's
//   Form_KeyDown/Form_KeyPress/Form_KeyUp run before the control's.
// - SetFocus runs LostFocus of the control that had the focus, then GotFocus
//   of the new one, itself (also under the offscreen platform).
// - An error escaping a handler is reported and goes no further.
// - Show(vbModal) runs a nested event loop; tests queue answers with
//   Form::queueModalAnswer so a modal Show returns at once.
//
// Each kind and the Qt widget it owns:
//   Label         QLabel (plain text; "&" access keys not shown)
//   TextBox       QLineEdit, or QPlainTextEdit when MultiLine
//   CheckBox      QCheckBox (tri-state)
//   OptionButton  QRadioButton (grouped by container)
//   CommandButton QPushButton
//   ComboBox      QComboBox (editable, or a drop-down list)
//   ListBox       QListWidget
//   Frame         QGroupBox (a container)
//   PictureBox    QLabel showing a picture (a container)
//   Image         QLabel showing a picture
//   HScrollBar    QScrollBar (horizontal)
//   VScrollBar    QScrollBar (vertical)
//   Slider        QSlider that marks its selected range
//   ProgressBar   QProgressBar
//   TimerControl  QTimer (no widget)
//   MenuItem      QAction, with a QMenu for its items
//   Toolbar       QWidget with a row of QToolButtons
//   StatusBar     QWidget with a row of QLabels
//   TabStrip      QTabBar
//   ListView      QTableView over a QAbstractTableModel (report view)
//   RichTextBox   QTextEdit
//   ImageList     QPixmaps (no widget)
//   Form          QWidget top-level window (QMenuBar above the inner area)
#pragma once
#include "platform/controls/buttons.h"
#include "platform/controls/control.h"
#include "platform/controls/controlarray.h"
#include "platform/controls/form.h"
#include "platform/controls/imagelist.h"
#include "platform/controls/labels.h"
#include "platform/controls/lists.h"
#include "platform/controls/listview.h"
#include "platform/controls/menuitem.h"
#include "platform/controls/ranges.h"
#include "platform/controls/richtextbox.h"
#include "platform/controls/screen.h"
#include "platform/controls/statusbar.h"
#include "platform/controls/tabstrip.h"
#include "platform/controls/textbox.h"
#include "platform/controls/timercontrol.h"
#include "platform/controls/toolbar.h"
#include "platform/controls/vbconst.h"
