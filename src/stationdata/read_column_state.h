// What the station decoders read of the main window before they decide what its read column shows.
#pragma once
#include <QString>

namespace qv {

// The main window's state as the decoders find it. The main window fills it
// from its controls before it calls a decoder and applies the decoder's view
// afterwards, so the decoders themselves never touch a control.
struct MainWindowReadState
{
    bool expertView = false;         // mnuViewExpert.Checked
    QString modeChoiceText;          // coMO.Text, the mode chosen for writing
    QString hardwareText;            // txtHardware.Text, the model text shown
    QString writeWorkTimeText;       // txtWtime(1).Text, the work time to write
    QString readConsumptionCaption;  // lblConsumption(0).Caption
    QString writeConsumptionCaption; // lblConsumption(1).Caption
    QString funcText;                // txtFUNC.Text
};

} // namespace qv
