// Choosing an operating mode in the main window's mode box as a user's click on its line does.
#pragma once
#include "app/language.h"
#include "stationdata/modes.h"
#include "ui/main/frm_main.h"

#include <gtest/gtest.h>

namespace qv::test {

// Chooses the line of mode `mode` (its name in the current language); the line already chosen is chosen
// again, which runs the choice once more.
inline void chooseMode(FrmMain& f, int mode)
{
    const QString name = GetLangText(gLangIndex, kModeTextBase + mode, QString());
    for (int i = 0; i < f.coMO.ListCount(); ++i) {
        if (f.coMO.List(i) == name) {
            if (f.coMO.ListIndex() == i)
                f.coMO_Click();
            else
                f.coMO.setListIndex(i);
            return;
        }
    }
    ADD_FAILURE() << "no mode " << mode << " in the list";
}

} // namespace qv::test
