// What a read-out asks of the card list window: its progress bar and the re-evaluation of the data in hand.
#include "app/bytes.h"
#include "app/file_helpers.h"
#include "app/settings.h"
#include "cards/backup_cards.h"
#include "cards/card_reevaluation.h"
#include "cards/cardlist_columns.h"
#include "cards/cardlist_file_write.h"
#include "cards/cardlist_main_window.h"
#include "cards/cardlist_state.h"
#include "cards/frm_cards.h"
#include "link/link_globals.h"
#include "platform/dialogs/msgbox.h"
#include "stationdata/backup_memory.h"
#include "stationdata/station_time.h"

#include <QFile>

namespace qv {

namespace {

// Language text of the message about bytes at the end of a dump file that make no whole record.
constexpr int kTextDumpTail = 1893;

void evaluateDumpFile(bool fileDialogActive)
{
    QFile file(gCardFilePath);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        MsgBox(gCardFilePath + QStringLiteral("\r\n") + cardListText(1843) + QStringLiteral(" ") +
                   file.errorString(),
               vbCritical);
        return;
    }
    const QByteArray data = file.readAll();
    const DumpRecordCount count = dumpRecordCount(data.size());
    evaluateCardImages(
        int(count.records), 1,
        [&](int i) { return data.mid(qsizetype(i - 1) * kDumpRecordBytes, kDumpRecordBytes); },
        [] { AddCardListRow(); }, fileDialogActive);
    if (count.tailBytes > 0) {
        // A run cut short while a block was written leaves a piece of a record: said, not evaluated.
        const QString text =
            cardListText(kTextDumpTail, QStringLiteral("The dump file ends with %1 bytes that "
                                                       "make no whole card block; they were "
                                                       "not evaluated."))
                .arg(count.tailBytes);
        cardListMainWindow().setActionText(text);
        frmCards().statusPanel().setText(text);
    }
}

} // namespace

void AdvanceCardsProgress()
{
    ProgressBar& bar = frmCards().pbProgressReadCard;
    if (bar.Max() > bar.Value())
        bar.setValue(bar.Value() + 1);
}

void EvaluateCardRecords(bool fileDialogActive)
{
    if (gEvaluatingDumpFile) {
        evaluateDumpFile(fileDialogActive);
        return;
    }
    if (gCardReadout) {
        const QList<QByteArray>& frames = gDataBlocks;
        const int last = int(frames.size()) - 1;
        // A slot without a frame leaves the image of the slot before it in place.
        QByteArray image;
        evaluateCardImages(
            last, gUseExtCommands ? 1 : -1,
            [&](int i) {
                const QByteArray data = GetCardResponseData(frames.value(i), gUseExtCommands);
                if (!data.isEmpty())
                    image = data;
                return image;
            },
            [] { AddCardListRow(); }, fileDialogActive);
        return;
    }
    QStringList lines = gBackupLines;
    if (!lines.isEmpty())
        lines.removeFirst(); // slot 0 holds no line
    if (!gUseExtCommands)
        std::reverse(lines.begin(), lines.end());
    // The fixed read-out record format appends the listing to what was built before.
    gBackupListText =
        backupLinesListText(lines, cardListText(1050), gSeparatorType, qualifierText(gTextQualifier),
                            gSeparatorType == kSeparatorReadout, gBackupListText);
}

} // namespace qv
