// The common dialog control: open and save file dialogs and the printer dialog, with the old properties.
#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

class QPrinter;

namespace qv {

// Error number raised by Show* when CancelError is set and the user cancels.
constexpr int cdlCancel = 32755;

// Flags of the file dialogs. Those without an effect on this platform are accepted and ignored.
constexpr int32_t cdlOFNReadOnly = 0x1;
constexpr int32_t cdlOFNOverwritePrompt = 0x2; // save: ask before replacing an existing file
constexpr int32_t cdlOFNHideReadOnly = 0x4;
constexpr int32_t cdlOFNNoChangeDir = 0x8; // the dialogs never change the current folder here
constexpr int32_t cdlOFNHelpButton = 0x10;
constexpr int32_t cdlOFNNoValidate = 0x100;
constexpr int32_t cdlOFNAllowMultiselect = 0x200;
constexpr int32_t cdlOFNExtensionDifferent = 0x400;
constexpr int32_t cdlOFNPathMustExist = 0x800;  // the chosen file's folder must exist
constexpr int32_t cdlOFNFileMustExist = 0x1000; // open: only an existing file can be chosen
constexpr int32_t cdlOFNCreatePrompt = 0x2000;
constexpr int32_t cdlOFNShareAware = 0x4000;
constexpr int32_t cdlOFNNoReadOnlyReturn = 0x8000; // the chosen file must be writable
constexpr int32_t cdlOFNNoLongNames = 0x40000;
constexpr int32_t cdlOFNExplorer = 0x80000;
constexpr int32_t cdlOFNNoDereferenceLinks = 0x100000;
constexpr int32_t cdlOFNLongNames = 0x200000;

// Flags of the printer dialog.
constexpr int32_t cdlPDAllPages = 0x0;
constexpr int32_t cdlPDSelection = 0x1;
constexpr int32_t cdlPDPageNums = 0x2;
constexpr int32_t cdlPDNoSelection = 0x4; // no choice of printing the selection only
constexpr int32_t cdlPDNoPageNums = 0x8;  // no choice of a page range
constexpr int32_t cdlPDCollate = 0x10;
constexpr int32_t cdlPDPrintToFile = 0x20;
constexpr int32_t cdlPDReturnDC = 0x100; // always so here: hDC() is the chosen printer
constexpr int32_t cdlPDDisablePrintToFile = 0x80000;
constexpr int32_t cdlPDHidePrintToFile = 0x100000; // no choice of printing into a file

// One entry of a Filter: the text shown and its patterns ("*.CSV;*.TXT" gives two).
struct DialogFilter
{
    QString description;
    QStringList patterns;
};

// Splits a Filter "text|pattern|text|pattern" into its entries. Patterns are split at ";" and trimmed; an
// entry without patterns gets "*"; a trailing text without a pattern is dropped. "*.*" matches every
// file here as it did on the old platform, and patterns match without regard to case.
QList<DialogFilter> parseDialogFilter(const QString& filter);

// The common dialog control. The caller sets the properties, calls ShowOpen, ShowSave or ShowPrinter and
// reads the result back from FileName, FileTitle and FilterIndex, or hDC() for the printer. The dialogs are
// Qt's own (never the desktop's), so they behave the same everywhere, offscreen included.
class CommonDialog
{
  public:
    CommonDialog();
    ~CommonDialog();
    CommonDialog(const CommonDialog&) = delete;
    CommonDialog& operator=(const CommonDialog&) = delete;

    QString DialogTitle;      // empty: "Open" or "Save As"
    QString Filter;           // "text|pattern|text|pattern"
    int FilterIndex = 0;      // 1-based entry of Filter shown first (anything else: the first); set to the
                              // entry the user chose
    QString InitDir;          // the folder shown first (a folder in FileName takes precedence)
    QString FileName;         // the name proposed; after a choice the full path chosen
    QString FileTitle;        // after a choice the chosen file's name without its folder
    QString DefaultExt;       // added ("csv" or ".csv") to a chosen name that has no extension
    int32_t Flags = 0;        // cdlOFN... for the file dialogs, cdlPD... for the printer dialog
    bool CancelError = false; // Cancel raises VbError cdlCancel "Cancel was selected."

    // Each returns true when the user chose, false on Cancel (when CancelError is off; with it on Cancel
    // raises the error). On Cancel FileName, FileTitle and FilterIndex keep their values.
    bool ShowOpen();
    bool ShowSave();
    bool ShowPrinter();

    // The printer chosen in the printer dialog; the printing code paints on it.
    QPrinter& hDC();

  private:
    bool showFile(bool save);
    void chosen(const QString& path, int filterIndex);
    bool cancelled();

    std::unique_ptr<QPrinter> m_printer;
};

} // namespace qv
