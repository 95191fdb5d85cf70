// The card list's file dialog as a person uses it in the window tests.
#pragma once
#include "cards/frm_cards.h"
#include "cards/frm_disk.h"
#include "window_support.h"

#include <QAction>
#include <QPushButton>

namespace qv::test {

// File > open in the card list window: the path typed into the file dialog, OK. Returns when the dialog has
// closed and the file is read.
inline void openCardListFile(FrmCards& list, const QString& path)
{
    Form::queueModalAnswer([path](Form& d) {
        auto& disk = static_cast<FrmDisk&>(d);
        settle(50);
        typeInto(disk.txtDisk.lineEdit(), path);
        clickWith(disk.cmdOK.button());
    });
    list.mnuOpenFile.action()->trigger();
}

} // namespace qv::test
