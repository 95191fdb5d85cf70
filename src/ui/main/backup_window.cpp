// The main window's side of the backup read-out (receiver/backup_window.h): the option boxes it reads, the
// panes, the progress bar and the data view.
#include "receiver/backup_window.h"

#include "app/language.h"
#include "cards/cardlist_state.h"
#include "platform/runtime/strings.h"
#include "receiver/backup_readout.h"
#include "receiver/receiver_globals.h"
#include "stationdata/modes.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"
#include "ui/main/menus.h"
#include "ui/main/window_sides.h"

#include <algorithm>
#include <limits>

namespace qv {

namespace {

// The data view needs at least this width (twips) for card records and for punch records.
constexpr int kCardViewWidth = 11000;
constexpr int kPunchViewWidth = 12000;
// The heading's first part stands right-aligned in this many characters.
constexpr int kHeadingNumberWidth = 22;
// The progress bar's frame stands this far (twips) above the bar.
constexpr int kProgressMargin = 30;
// Up to this many blocks the bar keeps the step the operation's start gave it.
constexpr int64_t kFewBlocks = 23;
// Room the progress frame leaves below the log pane's height (twips).
constexpr int kProgressRoom = 1000;
// Texts of the data pane's heading: the number column, and the columns of card and of punch records.
constexpr int kTextHeadingNumber = 1861;
constexpr int kTextHeadingCards = 1865;
constexpr int kTextHeadingPunches = 1866;

void appendAtEnd(RichTextBox& pane, const QString& text)
{
    pane.appendLater(text, RichTextBox::Append::AtEnd);
}

class MainBackupWindow final : public BackupWindow
{
  public:
    bool extendedProtocolTicked() override { return frmMain().chkCPC0(0).Value() == vbChecked; }
    bool cardRecordsTicked() override { return frmMain().chkCPC7(0).Value() == vbChecked; }
    bool printoutModeShown() override { return frmMain().txtMO.Text() == gModeTextPrintout; }
    QString actionText() override { return frmMain().Aktion().Text(); }
    void clearModeBox() override { frmMain().coMO.setText(QString()); }
    void appendToDataPane(const QString& text) override { appendAtEnd(frmMain().rtbox(1), text); }
    void appendToBothPanes(const QString& text) override
    {
        appendAtEnd(frmMain().rtbox(0), text);
        appendAtEnd(frmMain().rtbox(1), text);
    }
    void setDataPane(const QString& text) override
    {
        RichTextBox& pane = frmMain().rtbox(1);
        pane.setText(QString());
        appendAtEnd(pane, text);
    }
    void showListing() override { ShowBackupDump(); }
    void startProgress() override
    {
        FrmMain& f = frmMain();
        f.lblProgress(0).setHeight(f.lblProgress(1).Height() + kProgressMargin);
    }
    void sizeProgress(int64_t blocks) override
    {
        FrmMain& f = frmMain();
        f.lblProgress(1).setHeight(std::max(0, f.lblProgress(0).Height() - kProgressMargin));
        if (blocks > kFewBlocks) {
            gProgressStep = int16_t(std::max<int64_t>((f.rtbox(0).Height() - kProgressRoom) / blocks, 0));
            f.lblProgress(0).setHeight(
                int(std::min<int64_t>(blocks * gProgressStep, std::numeric_limits<int>::max())));
        }
    }
    void updateViewButtons() override;
};

void MainBackupWindow::updateViewButtons()
{
    if (!gBackupFlag)
        return;
    FrmMain& f = frmMain();
    QString heading =
        Right(QString(kHeadingNumberWidth, QLatin1Char(' ')) +
                  GetLangText(gLangIndex, kTextHeadingNumber, QString()),
              kHeadingNumberWidth) +
        QStringLiteral("  ") +
        GetLangText(gLangIndex, gCardReadout ? kTextHeadingCards : kTextHeadingPunches, QString());
    heading.replace(QLatin1Char(' '), QChar(0xA0));
    f.lblRTBHead.setCaption(heading);
    f.tbar.Buttons().Item(QStringLiteral("HEX")).setValue(tbrUnpressed);
    gShowActionLog = false;
    f.rtbox(1).setVisible(true);
    f.lblRTBHead.setVisible(true);
    const int width = gCardReadout ? kCardViewWidth : kPunchViewWidth;
    if (f.Width() < width)
        f.setWidth(width);
    f.mnuDisk.setVisible(true);
    f.tbar.Buttons().Item(QStringLiteral("DISK")).setVisible(true);
    f.tbar.Buttons().Item(QStringLiteral("HEX")).setVisible(true);
    f.mnuViewAction.setVisible(true);
    f.mnuViewTZ.setVisible(true);
    f.rtbox(0).setVisible(false);
}

MainBackupWindow side;

} // namespace

void InstallBackupWindow()
{
    BackupWindowSide::install(&side);
}

} // namespace qv
