// Program-wide values of the card list: counters, punch-column state, change flags and column-set flags.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace qv {

// ---- Rows ----
// Running number of the last card added to the list.
inline int32_t gCardCount = 0;
// The list holds rows not yet saved to a card-list file.
inline bool gCardListChanged = false;
// The column set has changes not yet saved to a column-header file.
inline bool gColumnsChanged = false;
// gDirectCardsMode (cards read go straight into the list) is held in link/link_globals.h, below the cards.
// The data in hand are card records (not a station's punch records).
inline bool gCardReadout = false;
// The 64-punch warning is still to be shown; set when the card list window opens.
inline bool gWarnPunchCap = false;
inline bool& gRowLimitWarning = gWarnPunchCap;
// The card-list file whose rows the list shows (read from it or saved to it last); "" while the list holds
// cards read or is new. The status bar names it, never a file used for an earlier list.
inline QString gCardListFile;
// The design tool-tip of the card list's Save button, kept when the window opens.
inline QString gSaveButtonToolTip;

// ---- Per-punch columns ----
// Punches for which per-punch column groups exist in the list.
inline int16_t gPunchColumnCount = 0;
// 0 no per-punch columns; 1 code-number and time groups; 2 also the weekday group.
inline uint8_t gPunchCountColumn = 0;
inline uint8_t& gPunchColumnMode = gPunchCountColumn;
// The column set asks for the weekday group (its punch-count column is N133002).
inline bool gPunchCountN133002 = false;
inline bool& gPunchListChosen = gPunchCountN133002;
// The column chooser's per-punch group entries ("..." and a group's caption), and per group the highest
// punch number chosen or shown (filled each time the chooser fills its lists).
inline QStringList gPunchGroupNames;
inline QList<int> gPunchGroupMax;

// ---- Flags of the column set last loaded ----
inline bool gColumnN157000 = false;     // the set shows the card's battery voltage
inline bool gColumnAbove143000 = false; // the set holds a column after the per-punch groups
inline bool gHighColumnKeys =
    false;                       // the set holds a column numbered above 143 (values of the card's block 3)
inline bool gNodrelMode = false; // Nodrel evaluation mode of the air-card list: per-punch columns hidden
// The tick of frmCards.chkSprintUsed, which the window keeps equal to the check mark of
// frmCards.mnuSprintUsed: start and finish slots carry 1/256 s.
inline bool gSprintUsed = false;

// ---- Window and column-header file ----
// The width in twips proposed for the card list window by the column builders and readers.
inline double gCardsFormWidth = 0;
// The answer to the question whether to open the remembered column-header file (6 Yes, 7 No, 2 Cancel).
inline int32_t gOpenColHeadAnswer = 0;
inline int32_t& gColHeadAnswer = gOpenColHeadAnswer;
// The first line of every column-header file (the main window's start-up sets it).
inline QString gColHeadTitle;

// Punch records a station sent and the list shows, since the list was last emptied.
inline int32_t gPunchRecordCount = 0;

// ---- The window ----
// The card list window is loaded; blocks and punch records read meanwhile go into it.
inline bool gCardsFormOpen = false;
// The column-header question of a card read-out has been asked since the window was last loaded.
inline bool gColHeadAsked = false;
// The operation code when the window opened in card-list mode; back after the card-list file dialog.
inline int16_t gSavedActionCode = 0;

// ---- Card-list files ----
// The list columns headed like the start-time and finish-time columns (1-based, 0 = none), found by the
// last list text built; their texts with a sub-second part get a blank in front.
inline int16_t gStartTimeColumn = 0;
inline int16_t gFinishTimeColumn = 0;
// The fields of the line being built.
inline QStringList gListFields;
// The card-list file dialog opens for saving (true) or for opening (false); its opener sets it.
inline bool gSaveMode = false;
// The filter the card-list file dialog's OK hands its browse step ("" for the list of card-list kinds).
inline QString gDialogFilter;

} // namespace qv
