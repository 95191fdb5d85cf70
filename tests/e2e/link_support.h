// Shared fixture of the link's end-to-end tests: a simulated station on COM1, a fresh main window, a fake
// clock, the program at its start values.
#pragma once
#include "link/link_globals.h"
#include "platform/controls/controls.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/runtime/clock.h"
#include "sim_on_port.h"
#include "sim_test_support.h"
#include "support/link_test.h"
#include "ui/main/frm_main.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace qv::test {

class LinkE2E : public LinkTest
{
  protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        ASSERT_TRUE(sim.started()) << sim.station.errorString().toStdString();
        gComPort = static_cast<int16_t>(sim.number());
        frmMain().PORT_Prepare();
    }

    // Waits until the station has received `count` frames in all.
    bool stationReceived(int count)
    {
        return sim::waitUntil([&] { return sim.station.received().size() >= count; });
    }

    FakeClock fake{QDateTime(QDate(2026, 12, 9), QTime(10, 0, 0, 0)), 10};
    ScopedClock scopedClock{fake};
    sim::SimOnPort sim{1};
};

} // namespace qv::test
