// The card details view: builds the text of the selected row once per load, prints it on a printer the user
// picks.
#include "cards/frm_details.h"

#include "app/app_info.h"
#include "app/language.h"
#include "app/settings.h"
#include "app/system_helpers.h"
#include "cards/card_details.h"
#include "cards/cardlist_state.h"
#include "cards/frm_cards.h"
#include "link/link_window.h"
#include "platform/dialogs/common_dialog.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QStyle>
#include <QTextEdit>

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

constexpr int32_t kTextRowCaption = 1452;
constexpr int32_t kTextCardNo = 1603;
constexpr int32_t kTextFirstFixed = 1605;
constexpr int32_t kTextLastFixed = 1616;
constexpr int32_t kTextPunchCaption = 1641;
constexpr int kAnswerYes = vbYes;

// The design: client area 6345 x 7200 twips, a button strip of 555 twips along the bottom.
constexpr int kDesignWidth = 6465;
constexpr int kDesignHeight = 7680;
constexpr int kStripHeight = 555;
constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 375;
// Twips of window height per point of font size and shown column, and the fixed part around the box.
constexpr double kTwipsPerPointLine = 7.85;
constexpr int kHeightBesidesLines = 3750;
// Caption and value colours: the caption in the colour of an inactive title, the value as the box writes.
constexpr OleColor kCaptionColor = vbInactiveTitleBar;
// The printer dialog: a device context for the chosen printer, no page-range choice.
constexpr int32_t kPrinterFlags = cdlPDReturnDC | cdlPDNoPageNums;

QString text(int id)
{
    return GetLangText(gLangIndex, id, QString());
}

} // namespace

FrmDetails::FrmDetails() : Form(QStringLiteral("frmDetails"))
{
    setCaption(QStringLiteral("zeile zeigen"));
    setTag(QStringLiteral("1451"));
    Move(0, 0, kDesignWidth, kDesignHeight);
    setStartUpPosition(vbStartUpOwner);
    frDetails.setCaption(QStringLiteral("zeile:"));
    frDetails.setTag(QStringLiteral("1452"));
    rtbox.setContainer(&frDetails);
    rtbox.setLocked(true);
    // A punch's values stay on one line; a narrow window scrolls sideways rather than breaking it.
    rtbox.textEdit()->setLineWrapMode(QTextEdit::NoWrap);
    picTestWidth.setVisible(false);
    Picture1.setBorderStyle(0);
    cmdPrint.setContainer(&Picture1);
    cmdPrint.setPicture(
        QApplication::style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(16, 16));
    OKButton.setContainer(&Picture1);
    OKButton.setCaption(QStringLiteral("OK"));
    OKButton.setTag(QStringLiteral("1405"));
    OKButton.setDefault(true);
    // Escape closes the view as OK does: it only shows and prints.
    OKButton.setCancel(true);

    cmdPrint.onClick = [this] { cmdPrint_Click(); };
    OKButton.onClick = [this] { OKButton_Click(); };
}

void FrmDetails::Form_Load()
{
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    ApplyLanguage(*this);
    rtbox.setText(QString());
    buildText();
    Form_Resize();
    // A fixed dialog border: the load alone sizes the window.
    setFixedSize(size());
}

void FrmDetails::buildText()
{
    const OleColor valueColor = rtbox.SelColor();
    ListView& list = frmCards().lvCards;
    int row = 0;
    for (int j = 1; j <= list.ListItems().Count(); ++j) {
        if (list.ListItems().Item(j).Selected()) {
            row = j;
            break;
        }
    }
    if (row == 0)
        return;
    frDetails.setCaption(text(kTextRowCaption) + QLatin1Char(' ') + QString::number(row));
    picTestWidth.setFont(rtbox.Font());

    rtbox.setText(AppTitle() + QString(10, QLatin1Char(' ')) + CStr(Date()) + QString(3, QLatin1Char(' ')) +
                  CStr(Time()) + QStringLiteral("\r\n\r\n"));
    rtbox.setSelStart(rtbox.Text().size());

    DetailsTexts texts;
    for (int id = kTextFirstFixed; id <= kTextLastFixed; ++id)
        texts.fixedCaptions << text(id);
    texts.punchCaption = text(kTextPunchCaption);
    texts.cardNoCaption = text(kTextCardNo);
    const bool colHeadInUse = !gColHeadFile.isEmpty() && gColHeadAnswer == kAnswerYes;

    const ListItem& item = list.ListItems().Item(row);
    QList<DetailsColumn> columns;
    for (int i = 1; i <= list.ColumnHeaders().Count(); ++i) {
        const ColumnHeader& header = list.ColumnHeaders().Item(i);
        columns.append({header.Text(), header.Width(), i == 1 ? item.Text() : item.SubItems(i - 1)});
    }
    const QFontMetricsF metrics(picTestWidth.Font());
    const DetailsText details = BuildDetailsText(columns, texts, colHeadInUse, [&](const QString& s) {
        return metrics.horizontalAdvance(s) * pixelsToTwips(1);
    });

    for (const DetailsPiece& piece : details.pieces) {
        rtbox.setSelBold(false);
        rtbox.setSelColor(kCaptionColor);
        rtbox.setSelText(piece.caption);
        rtbox.setSelBold(true);
        rtbox.setSelColor(valueColor);
        if (piece.closesLine)
            rtbox.setSelText(piece.value + QStringLiteral("\r\n"));
        else
            rtbox.setSelText(piece.value);
    }
    if (!details.titleSuffix.isEmpty())
        setCaption(Caption() + details.titleSuffix);
    fitHeight(details.shownColumns);

    rtbox.setSelStart(0);
    rtbox.setSelLength(10);
}

void FrmDetails::fitHeight(int shownColumns)
{
    const int usable = int(std::lround(double(Screen.Height()) - GetTaskbarHeight()));
    const int h =
        int(std::lround(rtbox.Font().pointSizeF() * kTwipsPerPointLine * shownColumns)) + kHeightBesidesLines;
    if (Height() >= h)
        return;
    setHeight(Screen.Height() < h ? usable : h);
    if (Top() + Height() > Screen.Height())
        setTop((usable - Height()) / 2);
}

void FrmDetails::Form_Activate()
{
    if (printWhenShown) {
        printWhenShown = false;
        cmdPrint_Click();
    }
}

void FrmDetails::Form_Resize()
{
    constexpr int kMargin = 120;
    const int stripTop = std::max(0, ScaleHeight() - kStripHeight);
    // The frame follows the window's size, and never reaches under the button strip or past the edge
    // where the desktop's window border takes more room than the design counted.
    if (Width() > 500) {
        frDetails.setWidth(std::max(0, std::min(Width() - 350, ScaleWidth() - kMargin)));
        rtbox.setWidth(std::max(0, frDetails.Width() - 100));
    }
    if (Height() > 1400) {
        frDetails.setHeight(std::max(0, std::min(Height() - 950, stripTop - kMargin)));
        rtbox.setHeight(std::max(0, frDetails.Height() - 300));
    }
    frDetails.Move(kMargin / 2, kMargin / 2);
    rtbox.Move(50, 240);
    Picture1.Move(0, stripTop, ScaleWidth(), kStripHeight);
    const int buttonTop = (kStripHeight - kButtonHeight) / 2;
    cmdPrint.Move(kMargin, buttonTop, kButtonHeight + kMargin, kButtonHeight);
    OKButton.Move(std::max(0, ScaleWidth() - kMargin - kButtonWidth), buttonTop, kButtonWidth, kButtonHeight);
}

void FrmDetails::cmdPrint_Click()
{
    try {
        rtbox.setSelLength(0);
        CommonDialog& dialog = linkWindow().CommonDialog1();
        dialog.CancelError = true;
        dialog.Flags = kPrinterFlags;
        dialog.ShowPrinter();
        rtbox.SelPrint(dialog.hDC());
    } catch (const VbError& e) {
        if (e.Number() == cdlCancel)
            return;
        MsgBox(QString::number(e.Number()) + QStringLiteral("\r\n") + e.Description(), vbOKOnly);
    }
}

void FrmDetails::OKButton_Click()
{
    Unload(*this);
}

} // namespace qv
