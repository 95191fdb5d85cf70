// The program's own procedures behind the services the station panel procedures call.
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/sender.h"
#include "ui/main/frm_main.h"
#include "ui/main/read_column_apply.h"

namespace qv {

MainWindowServices programServices(std::function<void(int)> zeigExpert)
{
    MainWindowServices s;
    if (zeigExpert)
        s.zeigExpert = std::move(zeigExpert);
    else
        s.zeigExpert = [](int byChange) { frmMain().zeigExpert(uint8_t(byChange)); };
    s.setAltDevice = [](int value) { return int(SetAltDevice(int16_t(value))); };
    s.sendRequest = [](const QByteArray& request) {
        gSendBuffer = BuildFrame(request);
        SendFrame();
    };
    s.beginStationAction = [] { BeginStationAction(); };
    return s;
}

} // namespace qv

namespace qv {

// The main window's own panel procedures run the panel views with the program's services.
void FrmMain::ShowVEK()
{
    qv::ShowVEK(*this, programServices(nullptr));
}

void FrmMain::ShowVEKW_Data(bool bKeinBlock)
{
    qv::ShowVEKW_Data(*this, programServices(nullptr), bKeinBlock);
}

} // namespace qv
