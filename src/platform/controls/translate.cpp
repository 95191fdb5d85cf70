// Translations between Qt and the old platform: key codes, shift states, mouse buttons, colours, twips.
#include "platform/controls/control.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPalette>
#include <cmath>

namespace qv {

int twipsToPixels(int twips)
{
    return int(std::lround(double(twips) / kTwipsPerPixel));
}

QColor toQColor(OleColor color)
{
    if ((color & 0x80000000u) == 0)
        return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
    const QPalette palette = QGuiApplication::palette();
    switch (color) {
    case vbWindowBackground:
        return palette.color(QPalette::Base);
    case vbWindowText:
        return palette.color(QPalette::Text);
    case vbHighlight:
        return palette.color(QPalette::Highlight);
    case vbHighlightText:
        return palette.color(QPalette::HighlightedText);
    case vbButtonText:
        return palette.color(QPalette::ButtonText);
    case vbGrayText:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case vbInfoText:
        return palette.color(QPalette::ToolTipText);
    case vbInfoBackground:
        return palette.color(QPalette::ToolTipBase);
    case vbButtonFace:
    case vbScrollBars:
        return palette.color(QPalette::Button);
    case vbButtonShadow:
        return palette.color(QPalette::Dark);
    case vbInactiveTitleBar:
        // The colour of a window title without the focus: the selection colour of an inactive window.
        return palette.color(QPalette::Inactive, QPalette::Highlight);
    default:
        return palette.color(QPalette::Window);
    }
}

OleColor fromQColor(const QColor& color)
{
    return RGB(color.red(), color.green(), color.blue());
}

int vbShiftFromQt(Qt::KeyboardModifiers modifiers)
{
    int shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= vbShiftMask;
    if (modifiers & Qt::ControlModifier)
        shift |= vbCtrlMask;
    if (modifiers & Qt::AltModifier)
        shift |= vbAltMask;
    return shift;
}

int vbButtonFromQt(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return vbLeftButton;
    case Qt::RightButton:
        return vbRightButton;
    case Qt::MiddleButton:
        return vbMiddleButton;
    default:
        return 0;
    }
}

int vbButtonsFromQt(Qt::MouseButtons buttons)
{
    int result = 0;
    if (buttons & Qt::LeftButton)
        result |= vbLeftButton;
    if (buttons & Qt::RightButton)
        result |= vbRightButton;
    if (buttons & Qt::MiddleButton)
        result |= vbMiddleButton;
    return result;
}

int vbKeyCodeFromQt(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return vbKeyNumpad0 + (qtKey - Qt::Key_0);
        switch (qtKey) {
        case Qt::Key_Asterisk:
            return vbKeyMultiply;
        case Qt::Key_Plus:
            return vbKeyAdd;
        case Qt::Key_Minus:
            return vbKeySubtract;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return vbKeyDecimal;
        case Qt::Key_Slash:
            return vbKeyDivide;
        default:
            break;
        }
    }
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return qtKey; // the same codes on both sides
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F16)
        return vbKeyF1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return vbKeyBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return vbKeyTab;
    case Qt::Key_Clear:
        return vbKeyClear;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vbKeyReturn;
    case Qt::Key_Shift:
        return vbKeyShift;
    case Qt::Key_Control:
        return vbKeyControl;
    case Qt::Key_Alt:
        return vbKeyMenu;
    case Qt::Key_Pause:
        return vbKeyPause;
    case Qt::Key_CapsLock:
        return vbKeyCapital;
    case Qt::Key_Escape:
        return vbKeyEscape;
    case Qt::Key_Space:
        return vbKeySpace;
    case Qt::Key_PageUp:
        return vbKeyPageUp;
    case Qt::Key_PageDown:
        return vbKeyPageDown;
    case Qt::Key_End:
        return vbKeyEnd;
    case Qt::Key_Home:
        return vbKeyHome;
    case Qt::Key_Left:
        return vbKeyLeft;
    case Qt::Key_Up:
        return vbKeyUp;
    case Qt::Key_Right:
        return vbKeyRight;
    case Qt::Key_Down:
        return vbKeyDown;
    case Qt::Key_Print:
        return vbKeySnapshot;
    case Qt::Key_Insert:
        return vbKeyInsert;
    case Qt::Key_Delete:
        return vbKeyDelete;
    case Qt::Key_Help:
        return vbKeyHelp;
    case Qt::Key_NumLock:
        return vbKeyNumlock;
    case Qt::Key_ScrollLock:
        return vbKeyScrollLock;
    // Punctuation keys of the US layout, shifted or not, report their key.
    case Qt::Key_Exclam:
        return vbKey0 + 1;
    case Qt::Key_At:
        return vbKey0 + 2;
    case Qt::Key_NumberSign:
        return vbKey0 + 3;
    case Qt::Key_Dollar:
        return vbKey0 + 4;
    case Qt::Key_Percent:
        return vbKey0 + 5;
    case Qt::Key_AsciiCircum:
        return vbKey0 + 6;
    case Qt::Key_Ampersand:
        return vbKey0 + 7;
    case Qt::Key_ParenLeft:
        return vbKey0 + 9;
    case Qt::Key_ParenRight:
        return vbKey0;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return 189;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return 222;
    case Qt::Key_Asterisk:
        return vbKey0 + 8;
    default:
        return 0;
    }
}

int qtKeyFromVbKeyCode(int keyCode)
{
    if ((keyCode >= vbKey0 && keyCode <= vbKey0 + 9) || (keyCode >= vbKeyA && keyCode <= vbKeyA + 25))
        return keyCode;
    if (keyCode >= vbKeyF1 && keyCode < vbKeyF1 + 16)
        return Qt::Key_F1 + (keyCode - vbKeyF1);
    switch (keyCode) {
    case vbKeyBack:
        return Qt::Key_Backspace;
    case vbKeyTab:
        return Qt::Key_Tab;
    case vbKeyReturn:
        return Qt::Key_Return;
    case vbKeyShift:
        return Qt::Key_Shift;
    case vbKeyControl:
        return Qt::Key_Control;
    case vbKeyMenu:
        return Qt::Key_Alt;
    case vbKeyEscape:
        return Qt::Key_Escape;
    case vbKeySpace:
        return Qt::Key_Space;
    case vbKeyPageUp:
        return Qt::Key_PageUp;
    case vbKeyPageDown:
        return Qt::Key_PageDown;
    case vbKeyEnd:
        return Qt::Key_End;
    case vbKeyHome:
        return Qt::Key_Home;
    case vbKeyLeft:
        return Qt::Key_Left;
    case vbKeyUp:
        return Qt::Key_Up;
    case vbKeyRight:
        return Qt::Key_Right;
    case vbKeyDown:
        return Qt::Key_Down;
    case vbKeyInsert:
        return Qt::Key_Insert;
    case vbKeyDelete:
        return Qt::Key_Delete;
    default:
        return keyCode >= 0x20 && keyCode < 0x7F ? keyCode : Qt::Key_unknown;
    }
}

int keyAsciiFromEvent(const QKeyEvent& event)
{
    const int key = event.key();
    // Keys that move the focus or edit without typing give no character.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Delete)
        return 0;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return 13;
    if (key == Qt::Key_Escape)
        return 27;
    if (key == Qt::Key_Backspace)
        return 8;
    if ((event.modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    const QString text = event.text();
    if (text.isEmpty())
        return 0;
    const char16_t c = text.at(0).unicode();
    return (c < 0x20 && c != 8 && c != 13 && c != 27) || c == 0x7F ? 0 : int(c);
}

QString stripAccessKeys(const QString& caption)
{
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        out += caption.at(i);
    }
    return out;
}

} // namespace qv
