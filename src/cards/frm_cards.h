// The card list window frmCards: its controls, its list, and the card-list procedures that work on it.
#pragma once
#include "cards/cardlist_model.h"
#include "platform/controls/controls.h"

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
    MenuItem mnuSettings{this, "mnuSettings"};
    MenuItem mnuQVEL_Nodrel{&mnuSettings, "mnuQVEL_Nodrel"};

    // The captions and tool-tips of the chosen language.
    void Form_Load() override;
    void Form_Resize() override;

    // The list view as the card-list code sees it.
    CardListAccess& cardList();
    // The toolbar's Save button.
    ToolbarButton& saveButton();
    // Panel 1 (the unsaved-changes mark) and panel 2 (the status text) of the status bar.
    Panel& changedPanel();
    Panel& statusPanel();

  private:
    std::unique_ptr<CardListAccess> m_list;
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
QString BuildCardListText();
void SaveCardListFile(const QString& path, QString& text, bool build);
void ReadCardListFile(const QString& path);

// Shows the card list window modally (a "show the card list?" answered Yes).
void ShowCardListModal();

// Hands every card the interpreter completes to AddCardListRow.
void InstallCardListRowHook();

} // namespace qv
