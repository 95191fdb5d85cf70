// The hover help picture of the extended-protocol option: the pointer resting on the option's caption shows,
// after 0.6 s, which stations and modes the option is for, beside the column it rests on.
#include "app/language.h"
#include "platform/system/wait.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"

#include <QLabel>
#include <algorithm>

namespace qv {

namespace {

// How long the pointer rests on the caption before the picture shows.
constexpr int kHoverWaitMs = 600;
// The pointer within this many twips of the box's left edge is over the tick box, not the caption.
constexpr float kTickBoxTwips = 200;

// Language texts of the picture: the rows' texts, then the generations, the card note and the warning.
constexpr int32_t kTextReadoutRow = 1941;
constexpr int32_t kTextReadoutAutoRow = 1942;
constexpr int32_t kTextControlRow = 1943;
constexpr int32_t kTextControlAutoRow = 1944;
constexpr int32_t kTextGenerations = 1945;
constexpr int32_t kTextCards = 1946;
constexpr int32_t kTextWarning = 1947;
// The general view's words: the control stations, and the auto-send option.
constexpr int32_t kTextControlStations = 1560;
constexpr int32_t kTextWithAutoSend = 1561;

// The rows of the picture, in twips: where the first begins, the least height of one, the gap between two,
// the box's top above its text's, and the room above and below the buttons.
constexpr int kHoverRowsTop = 1335;
constexpr int kHoverRowHeight = 240;
constexpr int kHoverRowGap = 30;
constexpr int kHoverBoxAbove = 15;
constexpr int kHoverButtonsGap = 60;
constexpr int kHoverBottomMargin = 105;

QString text(int32_t id)
{
    return GetLangText(gLangIndex, id, QString());
}

} // namespace

void FrmMain::wireHoverHandlers()
{
    chkCPC0.onMouseMove = [this](int Index, int Button, int Shift, float X, float Y) {
        chkCPC0_MouseMove(Index, Button, Shift, X, Y);
    };
    chkPic1.onClick = [this](int Index) { chkPic1_Click(Index); };
    cmdPicHelp.onClick = [this](int Index) { cmdPicHelp_Click(Index); };
    tmrHover.setEnabled(false);
    tmrHover.onTimer = [this] {
        tmrHover.setEnabled(false);
        if (gHoverPending)
            ShowErwProtPic(mHoverIndex);
    };
}

void FrmMain::chkCPC0_MouseMove(int Index, int /*Button*/, int /*Shift*/, float X, float /*Y*/)
{
    piErwProt(Index == 1 ? 0 : 1).setVisible(false);
    if (X <= kTickBoxTwips)
        return;
    // Each move restarts the one wait; moving onto another control (noShowPic) stops it.
    gHoverPending = true;
    mHoverIndex = Index;
    tmrHover.setInterval(kHoverWaitMs);
    tmrHover.setEnabled(false);
    tmrHover.setEnabled(true);
}

void FrmMain::ShowErwProtPic(int Index)
{
    const int other = Index == 1 ? 0 : 1;
    PictureBox& pic = piErwProt(Index);
    lblPicErwProt(Index).setCaption(text(kTextGenerations));
    lblPicCard(Index).setCaption(text(kTextCards));
    lblPicWarning(Index).setCaption(text(kTextWarning));
    if (chkCPC0(Index).canFocus())
        chkCPC0(Index).SetFocus();
    // Escape closes the picture shown.
    cmdErwProtOK(Index).setCancel(true);
    cmdErwProtOK(other).setCancel(false);
    if (pic.Top() + pic.Height() > ScaleHeight())
        pic.setTop(ScaleHeight() - pic.Height());
    pic.setVisible(!gZokDevice);
    DoEvents();

    const QString modeText = Index == 0 ? txtMO.Text() : coMO.Text();
    lblPicMo(Index).setCaption(lblMO(Index).Caption() + QStringLiteral(":") + modeText);
    for (int k = 0; k <= 3; ++k) {
        if (Index == 0) {
            chkPic0(k).setValue(chkCPC0(kReadColumn).Value());
            chkPic0(k).setEnabled(false);
        } else {
            chkPic1(k).setValue(chkCPC0(Index).Value());
        }
    }

    // The rows are written into picture 0 and copied into the same row of picture 1.
    auto setRow = [this](int k, const QString& caption) {
        lblPic0Txt(k).setCaption(caption);
        lblPic1Txt(k).setCaption(caption);
    };
    auto showRows23 = [this](bool visible) {
        for (int k : {2, 3}) {
            lblPic0Txt(k).setVisible(visible);
            chkPic0(k).setVisible(visible);
            lblPic1Txt(k).setVisible(visible);
            chkPic1(k).setVisible(visible);
        }
    };
    if (modeText.isEmpty()) {
        // No mode: the general view over both kinds of station.
        showRows23(true);
        const QString controlStations = text(kTextControlStations);
        const QString withAutoSend = text(kTextWithAutoSend);
        setRow(0, gModeTextReadout + QStringLiteral(", ") + text(kTextReadoutRow));
        setRow(1, gModeTextReadout + QStringLiteral(", ") + withAutoSend + text(kTextReadoutAutoRow));
        setRow(2, controlStations + QStringLiteral(", ") + text(kTextControlRow));
        setRow(3, controlStations + QLatin1Char(' ') + withAutoSend + QStringLiteral(", ") +
                      text(kTextControlAutoRow));
        layOutHoverRows(Index);
        return;
    }
    const int m = ModeNumberOfText(modeText);
    const bool autoSend = chkCPC(Index).Value() != vbUnchecked;
    const bool readout = m == 5 || m == 11 || m == 15;
    setRow(0, text(readout ? kTextReadoutRow : kTextControlRow));
    lblPic1Txt(1).setVisible(autoSend);
    chkPic1(1).setVisible(autoSend);
    if (autoSend)
        setRow(1, text(readout ? kTextReadoutAutoRow : kTextControlAutoRow));
    showRows23(false);
    layOutHoverRows(Index);
}

void FrmMain::layOutHoverRows(int Index)
{
    PictureBox& pic = piErwProt(Index);
    ControlArray<Label>& rowText = Index == 0 ? lblPic0Txt : lblPic1Txt;
    ControlArray<CheckBox>& rowBox = Index == 0 ? chkPic0 : chkPic1;
    int top = kHoverRowsTop;
    for (int k = 0; k <= 3; ++k) {
        Label& label = rowText(k);
        if (!label.Visible())
            continue;
        // A text longer than the row's width wraps onto further lines, all of them shown.
        const int widthPx = twipsToPixels(label.Width());
        const int textPx = label.label()->heightForWidth(widthPx);
        const int height = std::max(kHoverRowHeight, pixelsToTwips(textPx));
        rowBox(k).setTop(top - kHoverBoxAbove);
        label.setTop(top);
        label.setHeight(height);
        top += height + kHoverRowGap;
    }
    const int buttonsTop = top + kHoverButtonsGap;
    cmdErwProtOK(Index).setTop(buttonsTop);
    cmdPicHelp(Index).setTop(buttonsTop);
    pic.setHeight(buttonsTop + cmdErwProtOK(Index).Height() + kHoverBottomMargin);
    if (pic.Top() + pic.Height() > ScaleHeight())
        pic.setTop(std::max(0, ScaleHeight() - pic.Height()));
}

void FrmMain::chkPic1_Click(int Index)
{
    // The picture's boxes set the option itself; its Click puts the value back into all four.
    chkCPC0(kWriteColumn).setValue(chkPic1(Index).Value());
}

void FrmMain::cmdPicHelp_Click(int /*Index*/)
{
    mnuHelpHelp_Click();
}

} // namespace qv
