// qv-station-sim: a simulated station on a pseudo-terminal; prints the terminal's path and serves until
// killed.
#include "sim_backup.h"
#include "sim_scenes.h"
#include "sim_station.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

using namespace qv::sim;

namespace {

QString hex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex('-').toUpper());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("qv-station-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A simulated timing station on a pseudo-terminal."));
    parser.addHelpOption();
    const QCommandLineOption baudOption(QStringLiteral("baud"),
                                        QStringLiteral("Station speed: 4800 or 38400."),
                                        QStringLiteral("baud"), QStringLiteral("38400"));
    const QCommandLineOption codeOption(QStringLiteral("code"), QStringLiteral("Code number (1 to 1023)."),
                                        QStringLiteral("number"));
    const QCommandLineOption serialOption(QStringLiteral("serial"), QStringLiteral("Serial number."),
                                          QStringLiteral("number"));
    const QCommandLineOption traceOption(QStringLiteral("trace"),
                                         QStringLiteral("Print every frame on stderr."));
    const QCommandLineOption punchesOption(QStringLiteral("punches"),
                                           QStringLiteral("Punches in the backup memory (default 0)."),
                                           QStringLiteral("count"));
    const QCommandLineOption sceneOption(
        QStringLiteral("scene"),
        QStringLiteral("What the station is: station (a control station, the default), readout (a read-out "
                       "station that cards are put into one after the other), radio (a read-out station with "
                       "radio cards put on it), gsm (a mobile-network station)."),
        QStringLiteral("name"), QStringLiteral("station"));
    const QCommandLineOption intervalOption(
        QStringLiteral("card-interval"),
        QStringLiteral("Milliseconds a card lies in the station unread before the next is put in."),
        QStringLiteral("ms"));
    parser.addOptions(
        {baudOption, codeOption, serialOption, traceOption, punchesOption, sceneOption, intervalOption});
    parser.process(app);

    QTextStream err(stderr);
    SimStation station;
    const int baud = parser.value(baudOption).toInt();
    if (baud != 4800 && baud != 38400) {
        err << "qv-station-sim: the speed must be 4800 or 38400\n";
        return 2;
    }
    station.setStationBaud(baud);
    if (parser.isSet(codeOption))
        station.memory().setCodeNumber(parser.value(codeOption).toInt());
    if (parser.isSet(serialOption))
        station.memory().setSerialNumber(parser.value(serialOption).toUInt());
    if (parser.isSet(punchesOption)) {
        // One card a few seconds after the other, from this morning on.
        const QDateTime from(QDate::currentDate(), QTime(9, 0));
        QByteArray memory;
        const int count = std::clamp(parser.value(punchesOption).toInt(), 0, 16000);
        for (int i = 0; i < count; ++i)
            memory += encodePunch(0, 1001 + i, from.addSecs(i * 7), true, (i * 37) & 0xFF);
        setBackup(station.memory(), memory);
    }
    const QString scene = parser.value(sceneOption);
    // Radio cards stay on the station long enough for a person to work with them in the dialog.
    const int interval = parser.isSet(intervalOption) ? parser.value(intervalOption).toInt()
                         : scene == u"radio"          ? 20000
                                                      : 4000;
    if (!demoSceneNames().contains(scene)) {
        err << "qv-station-sim: the scene must be one of " << demoSceneNames().join(QStringLiteral(", "))
            << '\n';
        return 2;
    }
    if (!station.start()) {
        err << "qv-station-sim: " << station.errorString() << '\n';
        return 1;
    }
    if (parser.isSet(traceOption)) {
        auto trace = [&err](const char* dir, const LogEntry& e) {
            err << dir << ' ' << hex(e.raw);
            if (!e.note.isEmpty())
                err << "  (" << e.note << ')';
            err << Qt::endl;
        };
        QObject::connect(&station, &SimStation::frameReceived,
                         [trace](const LogEntry& e) { trace("<-", e); });
        QObject::connect(&station, &SimStation::frameSent, [trace](const LogEntry& e) { trace("->", e); });
    }

    const std::unique_ptr<QObject> running = setUpDemoScene(station, scene, std::max(interval, 100));
    std::printf("%s\n", station.slavePath().toLocal8Bit().constData());
    std::fflush(stdout);
    return app.exec();
}
