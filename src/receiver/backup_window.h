// What the backup read-out needs of the main window: the option boxes it reads, the panes it writes, the
// progress bar and the data view. The main window's side (ui/main/backup_window_side.cpp) implements it;
// without a main window every step does nothing and every box reads as not ticked.
#pragma once
#include "app/window_side.h"

#include <QString>
#include <cstdint>

namespace qv {

class BackupWindow
{
  public:
    virtual ~BackupWindow() = default;

    // The read column's extended-protocol box (chkCPC0 index 0) and card-records box (chkCPC7 index 0).
    virtual bool extendedProtocolTicked() { return false; }
    virtual bool cardRecordsTicked() { return false; }
    // The read column shows the printout mode.
    virtual bool printoutModeShown() { return false; }
    // The text of the status panel "Aktion".
    virtual QString actionText() { return {}; }
    // Empties the write column's mode box.
    virtual void clearModeBox() {}
    // Adds text at the end of the data pane (rtbox 1) and keeps its caret there.
    virtual void appendToDataPane(const QString& /*text*/) {}
    // Adds text at the end of the traffic log pane and of the data pane.
    virtual void appendToBothPanes(const QString& /*text*/) {}
    // Replaces the data pane's text.
    virtual void setDataPane(const QString& /*text*/) {}
    // Lists gBackupLines anew in the data pane, the newest record first (ShowBackupDump).
    virtual void showListing() {}
    // The progress bar: its frame one step above the bar; then sized for `blocks` blocks.
    virtual void startProgress() {}
    virtual void sizeProgress(int64_t /*blocks*/) {}
    // Shows the data pane with its heading for a read-out in progress (UpdateViewButtons).
    virtual void updateViewButtons() {}
};

using BackupWindowSide = WindowSide<BackupWindow>;

inline BackupWindow& backupWindow()
{
    return BackupWindowSide::get();
}

} // namespace qv
