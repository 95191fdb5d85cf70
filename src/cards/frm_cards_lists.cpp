// The card-list procedures on the card list window: column sets, column-header files, status, rows, files.
#include "app/settings.h"
#include "cards/card_record.h"
#include "cards/cardlist_colhead.h"
#include "cards/cardlist_columns.h"
#include "cards/cardlist_file_read.h"
#include "cards/cardlist_file_write.h"
#include "cards/cardlist_main_window.h"
#include "cards/cardlist_rows.h"
#include "cards/cardlist_state.h"
#include "cards/frm_cards.h"
#include "link/link_globals.h"
#include "platform/controls/screen.h"

namespace qv {

namespace {

void showChangedState(FrmCards& form)
{
    const bool changed = gColumnsChanged || gCardListChanged;
    form.changedPanel().setVisible(changed);
    form.saveButton().setEnabled(changed);
}

} // namespace

void PlaceCardsWindow()
{
    FrmCards& form = frmCards();
    const MainWindowAnchor main = CardListMainWindowSide::get().anchor();
    const QRect mainWindow(main.left, main.top, main.width, main.height);
    // The screen that shows the main window (the card list's own without one), its usable area in twips.
    const QPoint shownAt = mainWindow.isEmpty() ? form.geometry().center()
                                                : QPoint(twipsToPixels(mainWindow.center().x()),
                                                         twipsToPixels(mainWindow.center().y()));
    const QRect area = Screen.availableArea(shownAt);
    const QRect areaTwips(pixelsToTwips(area.left()), pixelsToTwips(area.top()), pixelsToTwips(area.width()),
                          pixelsToTwips(area.height()));
    const QRect p = cardsWindowPlacement(gCardsFormWidth, form.Height(), mainWindow, areaTwips);
    gCardsFormWidth = p.width();
    form.Move(p.left(), p.top(), p.width(), p.height());
}

void SetDefaultColumns()
{
    appendDefaultColumns(frmCards().cardList());
    setMainActionText(cardListText(1600) + QStringLiteral(": "));
    PlaceCardsWindow();
}

void SetPunchViewColumns()
{
    appendPunchViewColumns(frmCards().cardList(), !mainModeComboVisible() || gGsmDevice);
    setMainActionText(cardListText(1600) + QStringLiteral(": "));
    PlaceCardsWindow();
}

void SetStationColumns()
{
    SetPunchViewColumns();
}

void LoadColumnHeaders(const QString& text)
{
    FrmCards& form = frmCards();
    loadColumnHeaders(form.cardList(), text);
    PlaceCardsWindow();
    form.mnuQVEL_Nodrel.setChecked(gNodrelMode);
}

void UpdateCardListStatus(const QString& letters)
{
    applyCardListChanges(letters);
    if (!gCardReadout)
        return;
    FrmCards& form = frmCards();
    form.statusPanel().setText(cardListStatusText());
    showChangedState(form);
}

void AddCardListRow()
{
    FrmCards& form = frmCards();
    const AddedCardRow row = addCardListRow(form.cardList(), gCardRecord);
    if (!row.added)
        return;
    form.changedPanel().setVisible(true);
    ToolbarButton& save = form.saveButton();
    save.setEnabled(true);
    // During a read-out into a direct-cards file the Save button names that file.
    save.setToolTipText(!gDirectCardsFile.isEmpty() && gActionCode > 0 && gCardReadout ? gDirectCardsFile
                                                                                       : gSaveButtonToolTip);
}

bool SaveCardListFile(const QString& path, QString& text, bool build)
{
    // A text handed in (the backup-memory listing) is written without the card list window.
    if (!build)
        return saveCardListFile(nullptr, path, text, false);
    FrmCards& form = frmCards();
    if (!saveCardListFile(&form.cardList(), path, text, true))
        return false;
    gCardListFile = path;
    form.changedPanel().setVisible(false);
    UpdateCardListStatus(QString());
    return true;
}

void ReadCardListFile(const QString& path)
{
    FrmCards& form = frmCards();
    const CardListReadResult r = readCardListFile(form.cardList(), path, gSeparatorType, gTextQualifier,
                                                  mainPortOpen() && !gDirectCardsMode);
    if (!r.read)
        return;
    gDeletedCards = QLatin1Char(';') + r.cardNumbers;
    if (r.rowsAdded > 0)
        form.changedPanel().setVisible(false);
    gCardListFile = path;
    form.statusPanel().setText(cardListStatusText());
    setMainActionText(cardListText(1013, QStringLiteral("File:")) + QLatin1Char(' ') + gCardFilePath +
                      QLatin1Char(' ') + cardListText(1014, QStringLiteral("read in")));
    PlaceCardsWindow();
    gCardCount = form.cardList().rowCount();
}

} // namespace qv
