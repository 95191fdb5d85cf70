// What the radio-card steps of the reply handlers read from and show in the radio-card dialog
// (frmConfigQVEL). The dialog's side (ui/dialogs/air_card_window.cpp) implements it; without the dialog
// every box reads as not ticked and every step does nothing.
#pragma once
#include "app/window_side.h"
#include "stationdata/radio_card.h"

#include <QByteArray>
#include <QString>

namespace qv {

class AirCardWindow
{
  public:
    virtual ~AirCardWindow() = default;
    // The dialog, shown modally until it is closed (loaded first).
    virtual void showModal() {}
    virtual bool loaded() { return false; }
    // The dialog is the window the user has in front.
    virtual bool inFront() { return false; }

    // The choices a configuration is built from: "for all following cards", the preset chosen, the counts,
    // the four one-shot boxes and the start-time slider (the rest is filled in by the caller).
    virtual RadioCardConfigChoice choices() { return {}; }
    // The captions the protocol record takes (versions, battery date, volts, partner, start time, state).
    virtual RadioCardLogInput logInput() { return {}; }
    // Whether one of the four one-shot boxes is ticked.
    virtual bool stateBoxTicked() { return false; }

    // The card-number label lblCardNo(1).
    virtual QString cardNumber() { return {}; }
    virtual void setCardNumber(const QString& /*text*/) {}
    // The card on the station is done: its settings were written (written), or its state was read and
    // nothing written (a card of the software that reports its state). The number stays shown.
    virtual void showCardDone(bool /*written*/) {}
    virtual void setCaption(const QString& /*caption*/) {}
    virtual void setPartnerShown(bool /*shown*/) {}
    virtual void setPartnerText(const QString& /*text*/) {}
    virtual QString partnerText() { return {}; }
    virtual bool okVisible() { return false; }
    // OK off until the next card (the station signalled that the last write was done).
    virtual void disableOk() {}
    // The partner field emptied, and shown with its label only for an air card in the expert view.
    virtual void showPartnerField(bool /*airCard*/) {}
    // The card was taken out: OK disabled, the card's number, versions, battery, state and partner emptied.
    virtual void resetCardFields() {}
    // OK enabled exactly when something differs from the card and the partner number is acceptable.
    virtual void updateOkFromCard() {}
    // The card's values shown while gFillingControls is set.
    virtual void showCardValues(const QByteArray& /*sel*/, const QByteArray& /*brd*/,
                                const QByteArray& /*partner*/)
    {
    }
    virtual void setVersionsText(const QString& /*text*/) {}
    virtual void markVersionsRefused() {}
    virtual void markStartRefused() {}
    virtual void setBatteryDateText(const QString& /*text*/) {}
    // The battery icon by picture number of the main window's image list (0: none).
    virtual void setBatteryPicture(int /*level*/) {}
    virtual void showBattery(const RadioCardBatteryView& /*view*/) {}
    virtual void setKezWaitText(const QString& /*text*/) {}
    // A different card: battery icon, versions and battery date emptied.
    virtual void clearCardFields() {}
    virtual void focusCancel() {}
    virtual void unload() {}
};

using AirCardWindowSide = WindowSide<AirCardWindow>;

inline AirCardWindow& airCardWindow()
{
    return AirCardWindowSide::get();
}

} // namespace qv
