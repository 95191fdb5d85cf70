// The main window's sides of the subsystems below it: each subsystem declares in its own header what it needs
// of the main window (link/link_window.h, cards/cardlist_main_window.h, receiver/receiver_window.h,
// extras/extras_window.h); the window implements it, one file per subsystem here.
#pragma once

namespace qv {

void InstallLinkWindow();
void InstallCardListMainWindow();
void InstallReceiverWindow();
void InstallCardReplyWindow();
// The card list window's side of the link, the reply handlers and the card interpreter.
void InstallCardListWindow();
void InstallBackupWindow();
void InstallExtrasMainWindow();
// The radio-card dialog's side of the reply handlers (ui/dialogs/air_card_window.cpp).
void InstallAirCardWindow();
void InstallWriteWindow();
// The battery dialog, shown by the battery operations' replies (ui/dialogs/frm_batt.cpp).
void InstallBatteryDialog();
// The extended settings dialog, shown by the extended-settings operation's replies
// (ui/dialogs/frm_ext_set.cpp).
void InstallExtSettingsDialog();
// F1 in a control opens the help page at the control's topic (frm_main_helpmenu.cpp).
void InstallHelpKey();

// Installs every side above. It runs once before main() in every program that links the window layer
// (window_sides.cpp); a test may call it again after putting in a side of its own.
void InstallWindowSides();

} // namespace qv
