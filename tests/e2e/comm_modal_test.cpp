// A receive handler that opens a modal dialog still gets the station's next reply while the dialog is up.
#include "platform/comm/comm_control.h"
#include "sim_on_port.h"
#include "sim_test_support.h"

#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

using namespace qv;
using namespace qv::sim;

TEST(CommModal, ReplyArrivesWhileAHandlersDialogIsUp)
{
    SimOnPort sim;
    ASSERT_TRUE(sim.started());
    CommControl comm;
    comm.setCommPort(int16_t(sim.number()));
    comm.setSettings(QStringLiteral("38400,n,8,1"));
    comm.setPortOpen(true);

    FrameParser parser;
    QList<quint8> replies; // command bytes of the replies, in order of arrival
    int depth = 0;         // receive handlers running at the moment
    int deepest = 0;
    bool closedByReply = false;
    QDialog* dialog = nullptr;

    QObject::connect(&comm, &CommControl::onComm, [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        QByteArray bytes;
        const int n = comm.InBufferCount();
        for (int i = 0; i < n; ++i)
            bytes += comm.Input();
        for (const Frame& f : parser.feed(bytes)) {
            replies << f.command;
            if (f.command == 0xF0) {
                // As a reply handler does: open a window modally and wait there.
                // Inside it the next request goes out; its reply must come in.
                QDialog box;
                dialog = &box;
                QTimer::singleShot(
                    0, &box, [&] { comm.Output(encodeFrame(0xF9, "\x01", FrameForm::Extended, true)); });
                QTimer::singleShot(5000, &box, &QDialog::reject); // only if the reply never came
                box.exec();
                dialog = nullptr;
            } else if (f.command == 0xF9 && dialog) {
                closedByReply = true;
                dialog->accept();
            }
        }
        --depth;
    });

    comm.Output(encodeFrame(0xF0, "M", FrameForm::Extended, true));
    ASSERT_TRUE(waitUntil([&] { return replies.size() == 2 && depth == 0; }, 10000));
    EXPECT_EQ(replies, (QList<quint8>{0xF0, 0xF9}));
    EXPECT_TRUE(closedByReply);
    EXPECT_EQ(deepest, 2); // the second reply was handled inside the first handler's dialog
    EXPECT_EQ(sim.station.signalCount(), 1);
}
