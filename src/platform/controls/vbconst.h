// Constants of the VB-style controls: colours, key codes, mouse buttons, check-box and form values.
#pragma once
#include <QColor>
#include <cstdint>

namespace qv {

// A colour as the old platform held it: 0x00BBGGRR, or a system colour
// reference (high bit set, low byte the system colour index).
using OleColor = uint32_t;

constexpr OleColor RGB(int red, int green, int blue)
{
    return OleColor(red & 0xFF) | (OleColor(green & 0xFF) << 8) | (OleColor(blue & 0xFF) << 16);
}

constexpr OleColor vbBlack = 0x000000;
constexpr OleColor vbRed = 0x0000FF;
constexpr OleColor vbGreen = 0x00FF00;
constexpr OleColor vbYellow = 0x00FFFF;
constexpr OleColor vbBlue = 0xFF0000;
constexpr OleColor vbMagenta = 0xFF00FF;
constexpr OleColor vbCyan = 0xFFFF00;
constexpr OleColor vbWhite = 0xFFFFFF;

// System colour references; they follow the desktop's palette.
constexpr OleColor vbScrollBars = 0x80000000;
constexpr OleColor vbDesktop = 0x80000001;
constexpr OleColor vbInactiveTitleBar = 0x80000003;
constexpr OleColor vbWindowBackground = 0x80000005;
constexpr OleColor vbWindowText = 0x80000008;
constexpr OleColor vbHighlight = 0x8000000D;
constexpr OleColor vbHighlightText = 0x8000000E;
constexpr OleColor vbButtonFace = 0x8000000F;
constexpr OleColor vbButtonShadow = 0x80000010;
constexpr OleColor vbGrayText = 0x80000011;
constexpr OleColor vbButtonText = 0x80000012;
constexpr OleColor vbInfoText = 0x80000017;
constexpr OleColor vbInfoBackground = 0x80000018;

// The colour to paint for a colour value (system references resolved through the palette).
QColor toQColor(OleColor color);
// The colour value of a Qt colour (alpha dropped).
OleColor fromQColor(const QColor& color);

// Geometry: the old platform measured in twips, 15 to a logical pixel.
constexpr int kTwipsPerPixel = 15;
int twipsToPixels(int twips);
constexpr int pixelsToTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

// Check-box values.
constexpr int vbUnchecked = 0;
constexpr int vbChecked = 1;
constexpr int vbGrayed = 2;

// Mouse buttons (Button argument) and shift states (Shift argument).
constexpr int vbLeftButton = 1;
constexpr int vbRightButton = 2;
constexpr int vbMiddleButton = 4;
constexpr int vbShiftMask = 1;
constexpr int vbCtrlMask = 2;
constexpr int vbAltMask = 4;

// Mouse pointers.
constexpr int vbDefault = 0;
constexpr int vbArrow = 1;
constexpr int vbCrosshair = 2;
constexpr int vbIbeam = 3;
constexpr int vbSizeAll = 5;
constexpr int vbSizeNESW = 6;
constexpr int vbSizeNS = 7;
constexpr int vbSizeNWSE = 8;
constexpr int vbSizeWE = 9;
constexpr int vbUpArrow = 10;
constexpr int vbHourglass = 11;
constexpr int vbNoDrop = 12;
constexpr int vbArrowHourglass = 13;
constexpr int vbArrowQuestion = 14;
constexpr int vbCustom = 99;

// Show modes, window states and unload reasons of forms.
constexpr int vbModeless = 0;
constexpr int vbModal = 1;
constexpr int vbNormal = 0;
constexpr int vbMinimized = 1;
constexpr int vbMaximized = 2;
constexpr int vbFormControlMenu = 0; // the user closed the window
constexpr int vbFormCode = 1;        // Unload called from code
constexpr int vbAppWindows = 2;
constexpr int vbAppTaskManager = 3;
// Where a form opens when it is first shown (StartUpPosition).
constexpr int vbStartUpManual = 0;         // where the form placed itself
constexpr int vbStartUpOwner = 1;          // centred over the window that opened it
constexpr int vbStartUpScreen = 2;         // centred on the screen
constexpr int vbStartUpWindowsDefault = 3; // where the window system puts it

// Combo-box styles.
constexpr int vbComboDropdown = 0;
constexpr int vbComboSimple = 1;
constexpr int vbComboDropdownList = 2;

// Alignment of labels, text boxes and list-view columns.
constexpr int vbLeftJustify = 0;
constexpr int vbRightJustify = 1;
constexpr int vbCenter = 2;

// Key codes (KeyCode argument of KeyDown and KeyUp).
constexpr int vbKeyBack = 8;
constexpr int vbKeyTab = 9;
constexpr int vbKeyClear = 12;
constexpr int vbKeyReturn = 13;
constexpr int vbKeyShift = 16;
constexpr int vbKeyControl = 17;
constexpr int vbKeyMenu = 18;
constexpr int vbKeyPause = 19;
constexpr int vbKeyCapital = 20;
constexpr int vbKeyEscape = 27;
constexpr int vbKeySpace = 32;
constexpr int vbKeyPageUp = 33;
constexpr int vbKeyPageDown = 34;
constexpr int vbKeyEnd = 35;
constexpr int vbKeyHome = 36;
constexpr int vbKeyLeft = 37;
constexpr int vbKeyUp = 38;
constexpr int vbKeyRight = 39;
constexpr int vbKeyDown = 40;
constexpr int vbKeyPrint = 42;
constexpr int vbKeySnapshot = 44;
constexpr int vbKeyInsert = 45;
constexpr int vbKeyDelete = 46;
constexpr int vbKeyHelp = 47;
constexpr int vbKey0 = 48; // vbKey1 .. vbKey9 follow
constexpr int vbKeyA = 65; // vbKeyB .. vbKeyZ follow
constexpr int vbKeyNumpad0 = 96;
constexpr int vbKeyMultiply = 106;
constexpr int vbKeyAdd = 107;
constexpr int vbKeySeparator = 108;
constexpr int vbKeySubtract = 109;
constexpr int vbKeyDecimal = 110;
constexpr int vbKeyDivide = 111;
constexpr int vbKeyF1 = 112; // vbKeyF2 .. vbKeyF16 follow
constexpr int vbKeyNumlock = 144;
constexpr int vbKeyScrollLock = 145;

// Toolbar button styles.
constexpr int tbrDefault = 0;
constexpr int tbrCheck = 1;
constexpr int tbrButtonGroup = 2;
constexpr int tbrSeparator = 3;
constexpr int tbrPlaceholder = 4;

// Button values of a toolbar.
constexpr int tbrUnpressed = 0;
constexpr int tbrPressed = 1;

// Status-bar panel sizing.
constexpr int sbrNoAutoSize = 0;
constexpr int sbrSpring = 1;
constexpr int sbrContents = 2;

// List-view sort order and label editing.
constexpr int lvwAscending = 0;
constexpr int lvwDescending = 1;
constexpr int lvwAutomatic = 0;
constexpr int lvwManual = 1;

// Runtime errors the controls raise.
constexpr int ErrInvalidPropertyValue = 380;
constexpr int ErrControlArrayElementMissing = 340;
constexpr int ErrControlArrayElementExists = 360;
constexpr int ErrPropertyReadOnly = 383;
constexpr int ErrNotSupported = 438;
constexpr int ErrKeyNotUnique = 35602;
constexpr int ErrElementNotFound = 35601;

} // namespace qv
