// The card list window's load in card-list and punch-list mode, its unload, and its commands and toggles.
#include "app/file_helpers.h"
#include "app/language.h"
#include "app/settings.h"
#include "cards/card_interpreter.h"
#include "cards/cardlist_colhead.h"
#include "cards/cardlist_columns.h"
#include "cards/cardlist_main_window.h"
#include "cards/cardlist_state.h"
#include "cards/frm_cards.h"
#include "cards/frm_disk.h"
#include "link/end_action.h"
#include "link/link_globals.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"
#include "stationdata/station_time.h"

#include <QAbstractItemModel>
#include <QFileInfo>
#include <QTableView>

#include <algorithm>

namespace qv {

namespace {

// Answers of the column-header question at load.
constexpr int kAnswerCancel = vbCancel;
constexpr int kAnswerYes = vbYes;

// The image of the "Alt" button when the window opens without an operation.
constexpr int kRefreshImage = 9;

QString withoutAccessKeys(const QString& caption)
{
    QString c = caption;
    return c.remove(QLatin1Char('&'));
}

} // namespace

void FrmCards::wireHandlers()
{
    mnuNew.onClick = [this] { mnuNew_Click(); };
    mnuPrevEval.onClick = [this] { mnuPrevEval_Click(); };
    mnuOpenFile.onClick = [this] { mnuOpenFile_Click(); };
    mnuSaveFile.onClick = [this] { mnuSaveFile_Click(); };
    mnuOpen.onClick = [this] { mnuOpen_Click(); };
    mnuSave.onClick = [this] { mnuSave_Click(); };
    mnuExit.onClick = [this] { mnuExit_Click(); };
    mnuMulti.onClick = [this] { mnuMulti_Click(); };
    chkMulti.onClick = [this] { chkMulti_Click(); };
    chkMulti.onGotFocus = [this] { chkMulti_GotFocus(); };
    mnuSprintUsed.onClick = [this] { mnuSprintUsed_Click(); };
    chkSprintUsed.onClick = [this] { chkSprintUsed_Click(); };
    mnuSetClipBoard.onClick = [this] { mnuSetClipBoard_Click(); };
    mnuQVEL_Nodrel.onClick = [this] { mnuQVEL_Nodrel_Click(); };
    mnuFind.onClick = [this] { mnuFind_Click(); };
    mnuFindContinue.onClick = [this] { mnuFindContinue_Click(); };
    mnuDelete.onClick = [this] { mnuDelete_Click(); };
    mnuSelCol.onClick = [this] { mnuSelCol_Click(); };
    Toolbar1.onButtonClick = [this](ToolbarButton& b) { Toolbar1_ButtonClick(b); };
    StatusBar1.onPanelClick = [this](Panel& p) { StatusBar1_PanelClick(p); };
    lvCards.onBeforeLabelEdit = [this](int& cancel) { lvCards_BeforeLabelEdit(cancel); };
    lvCards.onMouseUp = [this](int button, int shift, float x, float y) {
        lvCards_MouseUp(button, shift, x, y);
    };
    lvCards.onDblClick = [this] { lvCards_DblClick(); };
    // Several rows can be selected and copied together; details, print and delete take the first.
    lvCards.setMultiSelect(true);
    lvCards.onKeyDown = [this](int& keyCode, int shift) { lvCards_KeyDown(keyCode, shift); };
    lvCards.onKeyPress = [this](int& keyAscii) { lvCards_KeyPress(keyAscii); };
    // Rows handed to the view are measured once the view holds them all.
    QObject::connect(
        lvCards.tableView()->model(), &QAbstractItemModel::rowsInserted, lvCards.tableView(),
        [this](const QModelIndex&, int first, int last) {
            fitColumnsToRows(first + 1, std::min(last + 1, cardList().rowCount()));
        },
        Qt::QueuedConnection);
    mnuDetails.onClick = [this] { mnuDetails_Click(); };
    mnuPrint.onClick = [this] { mnuPrint_Click(); };
}

void FrmCards::Form_Load()
{
    gColHeadAsked = false;
    m_loadCancelled = false;
    if (Top() < 0)
        setTop(0);
    // The port is closed while the window builds its columns, so no card waits half-read meanwhile.
    const bool portWasOpen = mainPortOpen();
    if (portWasOpen)
        setMainPortOpen(false);
    ApplyLanguage(*this);
    mnuSetClipBoard.setChecked(gAutoClipBoard);
    gCardsFormOpen = true;
    if (!gDirectCardsMode && mainModeComboVisible())
        gDirectCardsMode = mainModeText() == gModeTextPrintout;
    baseCaption = Caption();
    nodrelSuffix = QStringLiteral(" (") + withoutAccessKeys(mnuQVEL_Nodrel.Caption()) + QLatin1Char(')');

    if (gDirectCardsMode) {
        if (!loadCardListMode(portWasOpen)) {
            // The cancelled load: no columns, and the window closes as soon as it comes up.
            m_closeWhenShown = true;
            m_loadCancelled = true;
            return;
        }
    } else {
        loadPunchListMode();
    }
    copyMainMousePointer(lvCards);
    if (portWasOpen)
        setMainPortOpen(true);
    mnuSetClipBoard.setEnabled(gDirectCardsFile.isEmpty());
}

bool FrmCards::loadCardListMode(bool portWasOpen)
{
    UpdateCardListStatus(QString());
    gSaveButtonToolTip = saveButton().ToolTipText();
    gSavedActionCode = gActionCode;
    QString s;
    if (!gDirectCardsFile.isEmpty())
        s = QStringLiteral("DirectCards: ") + gDirectCardsFile + QStringLiteral("; ");
    changedPanel().setVisible(false);

    if (gActionCode != ActAirCardList && !gColHeadFile.isEmpty()) {
        gColHeadAnswer = MsgBox(cardListText(1954, QStringLiteral("Öffne Spaltenkopf-Datei:")) +
                                    QLatin1Char(' ') + gColHeadFile,
                                vbYesNoCancel + vbQuestion);
        if (gColHeadAnswer == kAnswerCancel) {
            if (portWasOpen)
                setMainPortOpen(true);
            return false;
        }
        if (gColHeadAnswer == kAnswerYes) {
            s += cardListText(1756) + QLatin1Char(' ') + gColHeadFile;
        } else {
            if (MsgBox(cardListText(1977, QStringLiteral("Kopfdatei nicht mehr vorschlagen?")),
                       vbYesNo + vbQuestion + vbDefaultButton2) == vbYes)
                gColHeadFile.clear();
            // The file was not opened: the next radio-card read-out may offer one again.
            gColHeadFolder.clear();
        }
    }
    if (gActionCode == ActNone) {
        ToolbarButton& alt = Toolbar1.Buttons().Item(QStringLiteral("Alt"));
        alt.setImage(kRefreshImage);
        alt.setToolTipText(cardListText(1953, QStringLiteral("refresh")));
        mnuPrevEval.setCaption(alt.ToolTipText());
    }
    // A new window shows no file's rows, unless it opens on a dump file's records.
    gCardListFile = gEvaluatingDumpFile ? gCardFilePath : QString();
    if (!gCardListFile.isEmpty())
        s += QLatin1Char(' ') + cardListText(1755) + QLatin1Char(' ') + gCardListFile;
    statusPanel().setText(s);
    const bool changed = gCardListChanged || gColumnsChanged;
    changedPanel().setVisible(changed);
    saveButton().setEnabled(changed);
    gReadCardNumbers = QStringLiteral(";");
    gRowLimitWarning = true;

    if (gNodrelMode) {
        setCaption(Caption() + nodrelSuffix);
        mnuQVEL_Nodrel.setChecked(true);
    } else {
        const QString t = cardListText(1080 + gActionCode);
        setCaption(baseCaption + (t.isEmpty() ? QString() : QStringLiteral(" (") + t + QLatin1Char(')')));
    }
    chkMulti.setVisible(gActionCode == ActReadCards || gActionCode == ActAirCardList);

    if (lvCards.ColumnHeaders().Count() == 0) {
        if (gActionCode == ActAirCardList) {
            LoadColumnHeaders(airCardColumnSet());
        } else if (gColHeadAnswer == kAnswerYes && !gColHeadFile.isEmpty() &&
                   QFileInfo::exists(gColHeadFile)) {
            LoadColumnHeaders(QString());
            statusPanel().setText(gColHeadFile);
        } else {
            SetDefaultColumns();
        }
    }
    gCardCount = 0;
    // Over the main window, as wide as the columns want and the screen allows.
    PlaceCardsWindow();
    const bool live =
        gActionCode == ActReadCards || gActionCode == ActViewPunch || gActionCode == ActCardsFile;
    if (!live && !gEvaluatingDumpFile) {
        lvCards.ListItems().Clear();
        EvaluateCardRecords();
    }
    gColumnsChanged = false;
    UpdateCardListStatus(QString());
    mnuMulti.setChecked(true);
    chkMulti.setValue(vbChecked);
    return true;
}

void FrmCards::loadPunchListMode()
{
    changedPanel().setVisible(false);
    const QString t = mainModeComboVisible() ? mainModeText() : mainHardwareText();
    saveButton().setEnabled(false);
    gCardListFile.clear();
    statusPanel().setText(gCardListFile);
    setCaption(QStringLiteral("QV-Config ") + cardListText(1852, QStringLiteral("Stempel-")) + t);
    chkMulti.setVisible(false);
    chkSprintUsed.setVisible(false);
    Toolbar1.Buttons().Item(QStringLiteral("Alt")).setVisible(false);
    for (MenuItem* m : {&mnuSettings, &mnuMulti, &mnuSprintUsed, &mnuOpen, &mnuSave, &mnuPrevEval, &mnuTZ2})
        m->setVisible(false);
    gPunchRecordCount = 0;
    SetStationColumns();
}

void FrmCards::Form_Activate()
{
    if (m_closeWhenShown)
        chkMulti_GotFocus();
}

void FrmCards::chkMulti_GotFocus()
{
    if (gColHeadAnswer == kAnswerCancel)
        mnuExit_Click();
}

void FrmCards::Form_Unload(int& /*Cancel*/)
{
    m_closeWhenShown = false;
    // A window whose load was cancelled has nothing to save.
    if (!m_loadCancelled)
        evtlSave();
    restoreMainConnectionMode();
    enableMainReadoutButtons();
    gCardsFormOpen = false;
    // A read-out running into this window stops with it, and so does the card-file operation.
    EndStationAction();
}

void FrmCards::mnuExit_Click()
{
    Unload(*this);
}

void FrmCards::mnuNew_Click()
{
    gCardCount = 0;
    gReadCardNumbers = QStringLiteral(";");
    lvCards.ListItems().Clear();
    gCardListFile.clear();
    gPunchRecordCount = 0;
    UpdateCardListStatus(QStringLiteral("F"));
}

void FrmCards::mnuPrevEval_Click()
{
    gCardCount = 0;
    const bool dump =
        QFileInfo(gCardFilePath).suffix().compare(QStringLiteral("BIN"), Qt::CaseInsensitive) == 0;
    if (dump) {
        gCardReadout = true;
        gEvaluatingDumpFile = true;
    }
    const bool live =
        gActionCode == ActReadCards || gActionCode == ActViewPunch || gActionCode == ActCardsFile;
    if (dump || !live) {
        lvCards.ListItems().Clear();
        EvaluateCardRecords();
    } else {
        ReadCardListFile(gCardFilePath);
    }
    gEvaluatingDumpFile = false;
}

void FrmCards::mnuOpenFile_Click()
{
    gSaveMode = false;
    frmDisk().Show(vbModal);
    // The open sets the operation of the file it read; the window keeps the one it was opened for.
    gActionCode = gSavedActionCode;
}

void FrmCards::mnuSaveFile_Click()
{
    if (lvCards.ListItems().Count() == 0) {
        MsgBox(cardListText(1770, QStringLiteral("Nothing to store")), vbOKOnly);
        return;
    }
    gSaveMode = true;
    frmDisk().Show(vbModal);
    UpdateCardListStatus(QString());
}

void FrmCards::mnuMulti_Click()
{
    UpdateCardListStatus(QString());
    mnuMulti.setChecked(!mnuMulti.Checked());
    chkMulti.setValue(mnuMulti.Checked() ? vbChecked : vbUnchecked);
}

void FrmCards::chkMulti_Click()
{
    mnuMulti.setChecked(chkMulti.Value() == vbChecked);
}

void FrmCards::mnuSprintUsed_Click()
{
    mnuSprintUsed.setChecked(!mnuSprintUsed.Checked());
    chkSprintUsed.setValue(mnuSprintUsed.Checked() ? vbChecked : vbUnchecked);
}

void FrmCards::chkSprintUsed_Click()
{
    mnuSprintUsed.setChecked(chkSprintUsed.Value() == vbChecked);
    gSprintUsed = mnuSprintUsed.Checked();
}

void FrmCards::mnuSetClipBoard_Click()
{
    gAutoClipBoard = !gAutoClipBoard;
    mnuSetClipBoard.setChecked(gAutoClipBoard);
}

void FrmCards::mnuQVEL_Nodrel_Click()
{
    const int rows = lvCards.ListItems().Count();
    if (!gColHeadFile.isEmpty() && rows > 0) {
        if (!m_loadCancelled)
            evtlSave();
        if (MsgBox(cardListText(1974), vbOKCancel + vbQuestion) == vbCancel)
            return;
        lvCards.ListItems().Clear();
        ColumnHeaderList& columns = lvCards.ColumnHeaders();
        for (int i = columns.Count(); i >= 1; --i) {
            const QString text = columns.Item(i).Text();
            if (text.contains(QLatin1Char('.')) && Val(text) > 0)
                columns.Remove(i);
        }
        gPunchColumnCount = 0;
    }
    gNodrelMode = !gNodrelMode;
    mnuQVEL_Nodrel.setChecked(gNodrelMode);
    setCaption(gNodrelMode ? baseCaption + nodrelSuffix : baseCaption);
}

void FrmCards::Toolbar1_ButtonClick(ToolbarButton& Button)
{
    UpdateCardListStatus(QString());
    const QString& key = Button.Key();
    if (key == u"Speichern") {
        if (gCardListChanged || gCardFilePath.right(4).toUpper() == u".BIN")
            mnuSaveFile_Click();
        if (gColumnsChanged)
            mnuSave_Click();
    } else if (key == u"Öffnen") {
        mnuOpenFile_Click();
    } else if (key == u"Drucken") {
        mnuPrint_Click();
    } else if (key == u"Neu") {
        mnuNew_Click();
    } else if (key == u"Alt") {
        mnuPrevEval_Click();
    } else if (key == u"Suchen") {
        // The toolbar's search goes on from the last hit; the menu's search asks for a new text.
        mnuFindContinue_Click();
    } else if (key == u"Löschen") {
        mnuDelete_Click();
    } else if (key == u"Ende") {
        mnuExit_Click();
    }
}

void FrmCards::StatusBar1_PanelClick(Panel& /*panel*/)
{
    mnuSaveFile_Click();
}

void FrmCards::lvCards_BeforeLabelEdit(int& /*Cancel*/)
{
    UpdateCardListStatus(QString());
}

void FrmCards::lvCards_MouseUp(int Button, int Shift, float /*x*/, float /*y*/)
{
    if (Button == vbRightButton && Shift == 0)
        PopupMenu(mnuEdit);
}

} // namespace qv
