// The card list window frmCards: its controls, its list, and the card-list procedures that work on it.
#pragma once
#include "cards/cardlist_model.h"
#include "platform/controls/controls.h"

#include <cstdint>
#include <memory>

namespace qv {

class FrmCards : public Form
{
  public:
    FrmCards();
    ~FrmCards() override;

    Toolbar Toolbar1{this, "Toolbar1"};
    ListView lvCards{this, "lvCards"};
    StatusBar StatusBar1{this, "StatusBar1"};
    ProgressBar pbProgressReadCard{this, "pbProgressReadCard"};
    CheckBox chkMulti{this, "chkMulti"};
    CheckBox chkSprintUsed{this, "chkSprintUsed"};
    PictureBox piWait{this, "piWait"};
    Label lblWait{this, "lblWait"};
    ImageList imlToolbarIcons{this, "imlToolbarIcons"};

    MenuItem mnuFile{this, "mnuFile"};
    MenuItem mnuOpenFile{&mnuFile, "mnuOpenFile"};
    MenuItem mnuSaveFile{&mnuFile, "mnuSaveFile"};
    MenuItem mnuPrint{&mnuFile, "mnuPrint"};
    MenuItem mnuTZ1{&mnuFile, "mnuTZ1"};
    MenuItem mnuOpen{&mnuFile, "mnuOpen"};
    MenuItem mnuSave{&mnuFile, "mnuSave"};
    MenuItem mnuTZ2{&mnuFile, "mnuTZ2"};
    MenuItem mnuExit{&mnuFile, "mnuExit"};
    MenuItem mnuEdit{this, "mnuEdit"};
    MenuItem mnuNew{&mnuEdit, "mnuNew"};
    MenuItem mnuPrevEval{&mnuEdit, "mnuPrevEval"};
    MenuItem mnuDetails{&mnuEdit, "mnuDetails"};
    MenuItem mnuFind{&mnuEdit, "mnuFind"};
    MenuItem mnuFindContinue{&mnuEdit, "mnuFindContinue"};
    MenuItem mnuDelete{&mnuEdit, "mnuDelete"};
    MenuItem mnuSettings{this, "mnuSettings"};
    MenuItem mnuSelCol{&mnuSettings, "mnuSelCol"};
    MenuItem mnuMulti{&mnuSettings, "mnuMulti"};
    MenuItem mnuSprintUsed{&mnuSettings, "mnuSprintUsed"};
    MenuItem mnuSetClipBoard{&mnuSettings, "mnuSetClipBoard"};
    MenuItem mnuQVEL_Nodrel{&mnuSettings, "mnuQVEL_Nodrel"};

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;

    void mnuNew_Click();
    void mnuPrevEval_Click();
    void mnuOpenFile_Click();
    void mnuSaveFile_Click();
    void mnuExit_Click();
    void mnuMulti_Click();
    void chkMulti_Click();
    void chkMulti_GotFocus();
    void mnuSprintUsed_Click();
    void chkSprintUsed_Click();
    void mnuSetClipBoard_Click();
    void mnuQVEL_Nodrel_Click();
    void mnuFind_Click();
    void mnuFindContinue_Click();
    void mnuDelete_Click();
    void mnuSelCol_Click();
    void Toolbar1_ButtonClick(ToolbarButton& Button);
    void StatusBar1_PanelClick(Panel& panel);
    void lvCards_BeforeLabelEdit(int& Cancel);
    void lvCards_MouseUp(int Button, int Shift, float x, float y);
    void mnuDetails_Click();
    void mnuPrint_Click();
    void lvCards_DblClick();
    // Ctrl+C copies the selected rows, one line each, every cell followed by ";" (as a read card's row is
    // copied).
    void lvCards_KeyDown(int& KeyCode, int Shift);
    void lvCards_KeyPress(int& KeyAscii);
    QString selectedRowsText();
    // Widens the columns whose texts in rows first to last (1-based; of many rows the first and the last
    // hundred) or whose headings do not fit; a hidden column stays hidden.
    void fitColumnsToRows(int first, int last);
    // The 1-based index of the selected row, or 0 after telling the user that there is no card.
    int noCardSel();
    // Lets the user choose a column-header file and builds the list's columns from it; a cancelled dialog
    // changes nothing.
    void mnuOpen_Click();
    // Lets the user choose a file and saves the list's column set in it.
    void mnuSave_Click();
    // Offers unsaved changes of the column set and of the rows for saving before they are lost: Yes saves
    // them (a mark is cleared only by a save that is done), No lets them go.
    void evtlSave();
    // The column set or the rows have changes not saved yet, or the window shows them as such.
    bool unsavedChanges();

    // The list search: its text, and the row the next search starts at (0: ask for a text first).
    QString such;
    int32_t weiterSuch = 0;

    // The window's own caption at the start of the load, and the Nodrel suffix.
    QString baseCaption;
    QString nodrelSuffix;

    // The list view as the card-list code sees it.
    CardListAccess& cardList();
    // The toolbar's Save button.
    ToolbarButton& saveButton();
    // Panel 1 (the unsaved-changes mark) and panel 2 (the status text) of the status bar.
    Panel& changedPanel();
    Panel& statusPanel();

  private:
    void wireHandlers();
    bool loadCardListMode(bool portWasOpen);
    void loadPunchListMode();
    void FindCard();
    // Searches rows first to the last for the search text and shows the result.
    void findFrom(int first);

    std::unique_ptr<CardListAccess> m_list;
    bool m_closeWhenShown = false;
    // The load of this showing was cancelled: the window closes without asking to save.
    bool m_loadCancelled = false;
};

inline FrmCards& frmCards()
{
    return FormInstance<FrmCards>::get();
}

// Gives the card list window the width proposed in gCardsFormWidth (at least 6000 twips, at most the
// screen's width) and centres it on the screen.
void PlaceCardsWindow();

// The card-list procedures as the program calls them; each works on frmCards (creating it when needed).
void SetDefaultColumns();
void SetPunchViewColumns();
void SetStationColumns();
void LoadColumnHeaders(const QString& text);
void UpdateCardListStatus(const QString& letters);
void AddCardListRow();
// Saves the card list's text (`build`, returned in `text`) or `text` to `path`; true when the file was
// written.
bool SaveCardListFile(const QString& path, QString& text, bool build);
void ReadCardListFile(const QString& path);

// Hands every card the interpreter completes to AddCardListRow.
void InstallCardListRowHook();

// One step of the read-out progress bar of the card list, up to its maximum.
void AdvanceCardsProgress();
// Rebuilds the list from the data in hand: the card blocks of a read-out, or the dump file gCardFilePath when
// gEvaluateDumpFile is set.
void EvaluateCardRecords(bool fileDialogActive = false);
// During a card read-out, offers once per opening of the card list a column-header file for the first
// radio card.
void AskOpenColumnFile();

} // namespace qv
