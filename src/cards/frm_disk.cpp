// The card-list file dialog: names the file a card list is saved to or opened from, chooses the separator
// and the text qualifier, and hands the work to the card-list file routines and the re-evaluation.
#include "cards/frm_disk.h"

#include "app/app_info.h"
#include "app/file_helpers.h"
#include "app/language.h"
#include "app/path_helpers.h"
#include "app/settings.h"
#include "cards/card_interpreter.h"
#include "cards/card_reevaluation.h"
#include "cards/cardlist_file_write.h"
#include "cards/cardlist_main_window.h"
#include "cards/cardlist_state.h"
#include "cards/frm_cards.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "platform/dialogs/common_dialog.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vberror.h"
#include "platform/system/textfile.h"
#include "stationdata/station_data.h"
#include "stationdata/station_time.h"

#include <QFileInfo>

#include <algorithm>

namespace qv {

namespace {

constexpr int32_t kTextNoQualifier = 1431;
constexpr int32_t kTextChoose = 1836;
constexpr int32_t kTextCardListFile = 1002;
constexpr int32_t kTextAllFiles = 1769;
constexpr int32_t kTextFileError = 1837;
constexpr int32_t kTextNotFound = 1835;

// The browse step's flags: long names, the folder must exist, nothing read-only, the current folder kept;
// saving asks before replacing a file, opening takes only an existing one.
constexpr int32_t kSaveFlags = cdlOFNOverwritePrompt | cdlOFNNoChangeDir | cdlOFNPathMustExist |
                               cdlOFNNoReadOnlyReturn | cdlOFNLongNames;
constexpr int32_t kOpenFlags = kSaveFlags | cdlOFNFileMustExist;
// The browse step shows the second filter entry first.
constexpr int kFirstFilter = 2;

// The design: 5250 x 2010 twips inside the border.
constexpr int kDesignWidth = 5250;
constexpr int kDesignHeight = 2010;
// Below this width the path box and the browse button keep their places.
constexpr int kNarrowestResize = 1930;
constexpr int kPathBoxRightGap = 930;
constexpr int kBrowseButtonFromRight = 585;
// The dialog sits this far right of the main window's write button, below 1.2 toolbars.
constexpr int kRightOfWriteButton = 700;
constexpr double kToolbarsAbove = 1.2;

constexpr char16_t kDoubleQuote = u'"';
constexpr char16_t kSingleQuote = u'\'';

QString text(int32_t id)
{
    return GetLangText(gLangIndex, id, QString());
}

// A path without a folder: saving it asks the browse step where it goes.
bool isBareName(const QString& path)
{
    return !path.contains(kPathSep) && !path.contains(u'\\');
}

// The browse step's filter for one kind of card-list file: "(*.CSV)|*.CSV".
QString extensionFilter(const QString& extension)
{
    const QString pattern = QLatin1Char('*') + extension;
    return QLatin1Char('(') + pattern + QStringLiteral(")|") + pattern;
}

// The modification time of a dump file, as its cards carry it as their read-out time.
QString fileTimeText(const QString& path)
{
    return QFileInfo(path).lastModified().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
}

// Clears gSavingList however the save ends, so that later read-outs list their cards again.
class SavingListScope
{
  public:
    SavingListScope() { gSavingList = true; }
    ~SavingListScope() { gSavingList = false; }
    SavingListScope(const SavingListScope&) = delete;
    SavingListScope& operator=(const SavingListScope&) = delete;
};

} // namespace

QString separatorExtension(int index)
{
    static const QString kExtensions[] = {QStringLiteral(".CSV"), QStringLiteral(".TXT"),
                                          QStringLiteral(".TAB")};
    return index >= 0 && index < 3 ? kExtensions[index] : QString();
}

QString proposedCardListPath(const QString& lastPath, bool saving, int16_t actionCode,
                             const QString& serialNo, uint8_t separatorType)
{
    QString path = lastPath;
    const bool listInHand =
        actionCode == ActReadCards || actionCode == ActViewPunch || actionCode == ActCardsFile;
    if (saving && !listInHand)
        path = GetNameStem(lastPath) + QLatin1Char('_') + serialNo.trimmed() + GetExtension(lastPath);
    if (saving && path.right(4).toUpper() == u".BIN")
        path.chop(4);
    if (!path.contains(u'.'))
        path += separatorExtension(int(separatorType) - 1);
    return path;
}

FrmDisk::FrmDisk() : Form(QStringLiteral("frmDisk"))
{
    setCaption(QStringLiteral("qv-card datei"));
    Move(0, 0, kDesignWidth, kDesignHeight);

    txtDisk.Move(120, 120, kDesignWidth - kPathBoxRightGap, 315);
    cmdDisk.setCaption(QStringLiteral("..."));
    cmdDisk.Move(kDesignWidth - kBrowseButtonFromRight, 120, 375, 315);

    frTZ(0).setCaption(QStringLiteral("trennzeichen"));
    frTZ(0).setTag(QStringLiteral("1411"));
    frTZ(0).Move(120, 555, 2535, 1335);
    const char* optionCaptions[] = {"semikoleon", "komma", "tabulator", "readout"};
    const char* optionTags[] = {"1415", "1417", "1419", "1419"};
    for (int i = 0; i < 4; ++i) {
        optTZ(i).setContainer(&frTZ(0));
        optTZ(i).setCaption(QString::fromUtf8(optionCaptions[i]));
        optTZ(i).setTag(QString::fromLatin1(optionTags[i]));
        optTZ(i).Move(120, 255 + i * 255, 2295, 255);
    }

    frTZ(1).setCaption(QStringLiteral("text trennzeichen"));
    frTZ(1).setTag(QStringLiteral("1413"));
    frTZ(1).Move(2775, 555, 2355, 735);
    coTTZ.setContainer(&frTZ(1));
    coTTZ.Move(120, 285, 2115, 315);
    coTTZ.setText(QStringLiteral("(kein)"));

    cmdOK.setCaption(QStringLiteral("OK"));
    cmdOK.setTag(QStringLiteral("1405"));
    cmdOK.setDefault(true);
    cmdOK.Move(2775, 1515, 1125, 375);
    cmdCancel.setCaption(QStringLiteral("&Abbrechen"));
    cmdCancel.setTag(QStringLiteral("1403"));
    cmdCancel.setCancel(true);
    cmdCancel.Move(4005, 1515, 1125, 375);

    optTZ.onClick = [this](int Index) { optTZ_Click(Index); };
    coTTZ.onClick = [this] { coTTZ_Click(); };
    cmdDisk.onClick = [this] { cmdDisk_Click(); };
    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
}

void FrmDisk::Form_Load()
{
    ApplyLanguage(*this);
    gBackupListText.clear();
    if (!fileExists(gCardFilePath))
        gCardFilePath.clear();

    coTTZ.Clear();
    coTTZ.AddItem(text(kTextNoQualifier));
    coTTZ.AddItem(QString(QChar(kDoubleQuote)));
    coTTZ.AddItem(QString(QChar(kSingleQuote)));
    if (gTextQualifier != 0)
        coTTZ.setText(qualifierText(gTextQualifier));
    else
        coTTZ.setListIndex(0);

    // A stored separator type without an option (the run-together fields) keeps its value and no option is
    // ticked.
    if (gSeparatorType >= kSeparatorSemicolon && gSeparatorType <= kSeparatorReadout)
        optTZ(gSeparatorType - 1).setValue(true);

    txtDisk.setText(proposedCardListPath(gCardFilePath, gSaveMode, gActionCode,
                                         linkWindow().serialNumberText(), gSeparatorType));
    placeOverMainWindow();
}

void FrmDisk::placeOverMainWindow()
{
    const MainWindowAnchor a = cardListMainWindow().anchor();
    const int left = a.left + a.writeButtonLeft + kRightOfWriteButton;
    const int top = a.top + int(a.toolbarHeight * kToolbarsAbove);
    // The whole dialog stays on the screen.
    Move(std::max(0, std::min(left, Screen.Width() - Width())),
         std::max(0, std::min(top, Screen.Height() - Height())));
}

void FrmDisk::Form_Resize()
{
    if (Width() <= kNarrowestResize)
        return;
    txtDisk.setWidth(Width() - kPathBoxRightGap);
    cmdDisk.setLeft(Width() - kBrowseButtonFromRight);
}

void FrmDisk::Form_Unload(int& /*Cancel*/)
{
    gSavingList = false;
}

void FrmDisk::optTZ_Click(int Index)
{
    gSeparatorType = uint8_t(Index + 1);
    const QString path = txtDisk.Text();
    txtDisk.setText(GetFolder(path) + GetBaseName(path) + separatorExtension(Index));
}

void FrmDisk::coTTZ_Click()
{
    const int index = coTTZ.ListIndex();
    if (index <= 0) {
        gTextQualifier = 0;
        return;
    }
    const QString entry = coTTZ.List(index);
    gTextQualifier = entry.isEmpty() ? 0 : uint8_t(entry.at(0).unicode());
}

void FrmDisk::cmdDisk_Click()
{
    CommonDialog& dialog = linkWindow().CommonDialog1();
    try {
        dialog.DialogTitle = text(kTextChoose) + QLatin1Char(' ') + text(kTextCardListFile);
        dialog.Filter = !gDialogFilter.isEmpty() ? gDialogFilter
                                                 : QStringLiteral("(*.CSV,*.TXT;*.TAB)|*.CSV;*.TXT;*.TAB|") +
                                                       text(kTextAllFiles) + QStringLiteral("(*.*)|*.*");
        dialog.FilterIndex = kFirstFilter;
        dialog.Flags = gSaveMode ? kSaveFlags : kOpenFlags;
        // A path without a folder (a bare name typed in) starts in the data folder too.
        const QString folder = GetFolder(gCardFilePath);
        dialog.InitDir = folder.isEmpty() ? gDataFolder : folder;
        dialog.FileName = GetFileName(txtDisk.Text());
        dialog.DefaultExt.clear();
        dialog.CancelError = true;
        if (gSaveMode)
            dialog.ShowSave();
        else
            dialog.ShowOpen();
        gCardFilePath = dialog.FileName;
        txtDisk.setText(gCardFilePath);
    } catch (const VbError& e) {
        if (e.Number() == cdlCancel)
            return;
        MsgBox(QString::number(e.Number()) + QLatin1Char(' ') +
                   (e.Description().isEmpty() ? VbErrorText(e.Number()) : e.Description()),
               vbCritical, AppTitle() + QLatin1Char(' ') + text(kTextFileError));
    }
}

void FrmDisk::cmdOK_Click()
{
    gDialogFilter.clear();
    gCardFilePath = txtDisk.Text();
    if (gSaveMode) {
        if (isBareName(gCardFilePath)) {
            // Where the file goes is asked first; the dialog stays open for OK with the chosen path.
            int index = 0;
            for (int i = 0; i <= 2; ++i) {
                if (optTZ(i).Value())
                    index = i;
            }
            gDialogFilter = extensionFilter(separatorExtension(index));
            cmdDisk_Click();
            return;
        }
        save();
    } else if (!open()) {
        return;
    }
    Unload(*this);
}

void FrmDisk::save()
{
    const SavingListScope saving;
    if (!gCardReadout)
        EvaluateCardRecords(); // the backup-memory listing as card-list text
    const bool build = gActionCode == ActCardsFile || gActionCode == ActReadCards || gCardReadout;
    // The list's own text is built by the save; the listing is written as it stands.
    QString listText = gBackupListText;
    if (SaveCardListFile(gCardFilePath, listText, build))
        gColumnsChanged = false;
    UpdateCardListStatus(QString());
}

bool FrmDisk::open()
{
    // A typed name that names no file reads nothing: said, and the dialog stays for another name.
    if (!fileExists(gCardFilePath)) {
        MsgBox(gCardFilePath + QLatin1Char(' ') + text(kTextNotFound), vbExclamation);
        return false;
    }
    gCardReadout = true;
    if (GetExtension(gCardFilePath).toUpper() == u".BIN") {
        gActionCode = ActSwitchOff;
        gFileTimeText = fileTimeText(gCardFilePath);
        gEvaluatingDumpFile = true;
        EvaluateCardRecords(true);
        gEvaluatingDumpFile = false;
        gActionCode = ActCardsFile;
    } else {
        gActionCode = ActReadCards;
        ReadCardListFile(gCardFilePath);
    }
    return true;
}

void FrmDisk::cmdCancel_Click()
{
    Unload(*this);
}

} // namespace qv
