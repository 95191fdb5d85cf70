// Answer hooks of the modal dialogs: queued answers, the record of what each dialog asked, no-block mode.
#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace qv {

// The kinds of dialog the platform layer shows.
enum class DialogKind { MsgBox, CaptionMsgBox, InputBox, OpenFile, SaveFile, Printer };

// Readable name of a kind ("MsgBox", "InputBox", ...), for messages.
QString dialogKindName(DialogKind kind);

// What one dialog was asked to show. Every call is recorded, answered by a hook or shown for real.
struct DialogRequest
{
    DialogKind kind = DialogKind::MsgBox;
    QString prompt;          // MsgBox, CaptionMsgBox, InputBox: the text as the caller passed it
    QString title;           // the title shown (the application's title when the caller gave none)
    int style = 0;           // MsgBox: the whole buttons value; CaptionMsgBox: the style value; file
                             // and printer dialogs: Flags
    QStringList captions;    // CaptionMsgBox: the captions
    int defaultButton = 1;   // MsgBox, CaptionMsgBox: 1-based number of the default button
    QString defaultText;     // InputBox: the proposed answer
    std::optional<int> xpos; // InputBox: the position asked for, in twips, when given
    std::optional<int> ypos;
    QString filter;        // file dialogs: the Filter property as it stood
    int filterIndex = 0;   // file dialogs: the FilterIndex property as it stood
    QString initDir;       // file dialogs: InitDir
    QString fileName;      // file dialogs: FileName before the dialog
    QString defaultExt;    // file dialogs: DefaultExt
    bool answered = false; // false when nothing answered it (no-block mode, or no GUI at all)
};

// One queued answer. Build it with the factory functions.
struct DialogAnswer
{
    enum class Action { PressCode, PressButton, Cancel, Type, ChooseFile, AcceptPrinter };

    Action action = Action::Cancel;
    int value = 0;       // PressCode: vbOK..vbNo; PressButton: 1-based position
    QString text;        // Type: the text typed; ChooseFile: the path; AcceptPrinter: PDF output file or ""
    int filterIndex = 0; // ChooseFile: the filter the user picked (0 leaves FilterIndex as it is)

    // MsgBox: the button that gives this return code (vbYes, vbCancel, ...).
    static DialogAnswer press(int returnCode);
    // MsgBox or CaptionMsgBox: the button at this 1-based position, left to right as the caller listed them.
    static DialogAnswer pressButton(int number);
    // The user cancels: Escape on a message box (Cancel where there is one, else No, OK on an OK-only box,
    // no button on a caption box of several), Cancel on an InputBox, a file or the printer dialog.
    static DialogAnswer cancel();
    // InputBox: the user types this text and presses OK.
    static DialogAnswer type(const QString& text);
    // File dialogs: the user chooses this path (and optionally the filter at this 1-based index).
    static DialogAnswer chooseFile(const QString& path, int filterIndex = 0);
    // Printer dialog: the user accepts; with a file name the printer prints into that PDF file.
    static DialogAnswer acceptPrinter(const QString& pdfFile = QString());
};

// The test side of the dialogs. A test queues answers; each dialog call takes the next one and returns at
// once; without a queued answer the real Qt dialog shows, unless no-block mode is on (environment
// QV_NO_MODAL=1, or setNoModal(true)): then the call returns its cancel or default answer and an error is
// recorded and printed, so a forgotten answer fails a test instead of hanging it.
class DialogHooks
{
  public:
    static void queue(const DialogAnswer& answer);
    // Answers still waiting in the queue.
    static int pending();
    // Every dialog shown or answered since the last reset, oldest first.
    static const QList<DialogRequest>& asked();
    // Dialogs that nobody answered in no-block mode, and answers that did not fit the dialog they met.
    static const QStringList& errors();
    // Forgets answers, records and errors, and the no-block override.
    static void reset();
    // Overrides QV_NO_MODAL: true never shows a real dialog, false always may; nullopt follows the variable.
    static void setNoModal(std::optional<bool> on);
    static bool noModal();
};

namespace dialogs_detail {

// What a dialog call does with the hooks: the queued answer it takes, or none (show the real dialog when
// `showReal`, else use the default answer).
struct HookResult
{
    std::optional<DialogAnswer> answer;
    bool showReal = false;
    qsizetype record = -1; // index of the request in asked()
};

// Records the request and takes the next answer when it suits `accepts`; reports an answer of the wrong
// kind or a missing answer in no-block mode as an error.
HookResult consult(DialogRequest request, bool (*accepts)(const DialogAnswer&));
// Marks a recorded request as answered once its real dialog has closed.
void markAnswered(qsizetype record);
// Records an error found while applying an answer (a button that the box does not have, ...).
void reportError(const QString& message);

// The window a new dialog belongs to: the active modal dialog, else the active window (may be null).
QWidget* dialogParent();
// The application's title: the default title of message boxes and input boxes.
QString applicationTitle();
// The prompt with the old line breaks (CR LF, a lone CR) turned into the line feeds Qt lays out.
QString normalizedPrompt(const QString& prompt);

} // namespace dialogs_detail

} // namespace qv
