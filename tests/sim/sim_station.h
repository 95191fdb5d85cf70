// The simulated station: answers the protocol from a station memory, with scripted faults and a log of every
// frame.
#pragma once
#include "sim_frame.h"
#include "sim_memory.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

namespace qv::sim {

class SimPty;

enum class Direction { Received, Sent };

// One frame as the station saw or sent it.
struct LogEntry
{
    Direction direction = Direction::Received;
    FrameForm form = FrameForm::Extended;
    quint8 command = 0;
    QByteArray data; // received: the request's data; sent: the reply's data (after LEN)
    QByteArray raw;  // the bytes on the wire
    QString note;    // why a request got no ordinary answer ("", "NAK", "silent", ...)
    QDateTime at;    // received: when it came, on the station's time source
};

struct Request
{
    quint8 command = 0;
    QByteArray data;
    FrameForm form = FrameForm::Extended;
};

// What a command handler answers. A frame's payload follows the station's code
// number, which the station puts in front (two bytes extended, one legacy).
struct Reply
{
    enum class Kind { Frame, Nak, Silent };
    Kind kind = Kind::Frame;
    quint8 command = 0;
    QByteArray payload;

    static Reply frame(quint8 command, const QByteArray& payload = {})
    {
        return {Kind::Frame, command, payload};
    }
    static Reply nak() { return {Kind::Nak, 0, {}}; }
    static Reply silent() { return {Kind::Silent, 0, {}}; }
};

class SimStation;
using CommandHandler = std::function<Reply(SimStation& station, const Request& request)>;

class SimStation : public QObject
{
    Q_OBJECT
  public:
    explicit SimStation(QObject* parent = nullptr);
    ~SimStation() override;

    // The line. start() opens a pseudo-terminal whose slavePath() the program
    // opens; without it, bytes go in through receiveBytes() and out through the
    // output sink (tests of the station itself).
    bool start();
    void stop(); // closes the terminal, as if the station were unplugged
    QString slavePath() const;
    QString errorString() const;
    void receiveBytes(const QByteArray& bytes);
    void setOutputSink(std::function<void(const QByteArray&)> sink);

    // The station answers only when the line runs at its own speed. Without a
    // terminal, or when the system does not tell the line's speed, it answers.
    int stationBaud() const { return m_stationBaud; }
    void setStationBaud(int baud) { m_stationBaud = baud; }
    int lineBaud() const;

    StationMemory& memory() { return m_memory; }
    const StationMemory& memory() const { return m_memory; }

    // The station clock runs on from the time it was set to, `driftPerHour` seconds fast (negative: slow)
    // for every hour that passes.
    QDateTime clock() const;
    void setClock(const QDateTime& time);
    void setDriftPerHour(double seconds);
    int weekCounter() const { return m_weekCounter; }
    void setWeekCounter(int week) { m_weekCounter = week & 3; }
    // Where time comes from and how it passes while the station is busy: the machine's clock and a real
    // wait unless a test shares its own clock with the station.
    void setTimeSource(std::function<QDateTime()> now, std::function<void(qint64 ms)> pass);
    // The next n answers to `command` take ms longer than usual (a station busy with its clock).
    void slowReplies(quint8 command, int n, qint64 ms);
    // A station whose clock cannot be set refuses the set-time command with a NAK.
    bool clockSettable() const { return m_clockSettable; }
    void setClockSettable(bool settable) { m_clockSettable = settable; }

    bool switchedOff() const { return m_switchedOff; }
    void setSwitchedOff(bool off) { m_switchedOff = off; }
    int signalCount() const { return m_signalCount; }
    void noteSignal(int beeps) { m_signalCount += beeps; }
    int clearBackupCount() const { return m_clearBackupCount; }
    void noteClearBackup() { ++m_clearBackupCount; }

    // Faults, each for the next n requests or replies.
    void nakNextRequests(int n) { m_nakRequests = n; }
    void ignoreNextRequests(int n) { m_silentRequests = n; }
    void corruptCrcOfNextReplies(int n) { m_corruptReplies = n; }
    void addGarbageBeforeNextReplies(const QByteArray& garbage, int n);
    // The next n replies arrive garbled (a failing line, a wrong speed): as many bytes as the reply, none of
    // them a frame mark, so the PC finds no frame in them.
    void garbleNextReplies(int n) { m_garbledReplies = n; }
    // Bytes on the line that no station sent (a disturbance, a plug moved): they go out at once, between
    // frames, and are not logged as frames.
    void sendNoise(const QByteArray& noise) { transmit(noise); }
    // Replies go out in pieces of chunkBytes with delayMs between them (0 turns it off).
    void setSplitReplies(int chunkBytes, int delayMs);
    // Replies carry this code number instead of the station's own (a wrong station).
    void setReplyCodeNumber(std::optional<int> code) { m_replyCode = code; }

    // The command table: one handler per command byte. A command without a
    // handler is refused with a NAK.
    void registerCommand(quint8 command, CommandHandler handler);
    bool hasCommand(quint8 command) const { return m_commands.contains(command); }

    // Sends a frame of the station's own accord (a card put in, a punch),
    // with the code number in front of the payload.
    void sendFrame(quint8 command, const QByteArray& payload, FrameForm form);

    // Sends a frame whose data the caller lays out whole (no code number put in front): the station's
    // short reports and the transmitted punch records carry flags in the code-number bytes.
    void sendRawFrame(quint8 command, const QByteArray& data, FrameForm form);
    // Called for every bare acknowledge (0x06 outside a frame) the PC sends.
    void setAcknowledgeHandler(std::function<void()> handler) { m_ackHandler = std::move(handler); }

    // The code number the current request is answered with.
    int answeringCode() const { return m_answeringCode; }

    const QList<LogEntry>& log() const { return m_log; }
    QList<LogEntry> received() const;
    QList<LogEntry> sent() const;
    void clearLog() { m_log.clear(); }

  signals:
    void frameReceived(const qv::sim::LogEntry& entry);
    void frameSent(const qv::sim::LogEntry& entry);
    // The last byte of what the station had to send has gone to the line (with split replies, after the
    // last piece).
    void outputDrained();

  private:
    void handleFrames(const QList<Frame>& frames);
    void handleFrame(const Frame& frame);
    void logReceived(const Frame& frame, const QString& note);
    void transmit(const QByteArray& bytes);
    void drainOutput();
    void writeOut(const QByteArray& bytes);
    void sendReply(quint8 command, const QByteArray& payload, FrameForm form, int code);
    void sendNak(FrameForm form);

    SimPty* m_pty = nullptr;
    std::function<void(const QByteArray&)> m_sink;
    FrameParser m_parser;
    QTimer m_quietTimer; // decides a held-back legacy frame after a quiet spell
    QTimer m_outTimer;
    QList<QByteArray> m_outQueue;

    StationMemory m_memory;
    QHash<quint8, CommandHandler> m_commands;
    QDateTime timeNow() const;
    QDateTime m_clockBase;  // the station time when it was last set
    QDateTime m_clockSetAt; // the time of the time source then
    double m_driftPerHour = 0;
    std::function<QDateTime()> m_timeNow;
    std::function<void(qint64)> m_timePass;
    QHash<quint8, QPair<int, qint64>> m_slowReplies;
    bool m_clockSettable = true;
    int m_weekCounter = 0;
    int m_stationBaud = 38400;
    bool m_switchedOff = false;
    int m_signalCount = 0;
    int m_clearBackupCount = 0;
    int m_answeringCode = 0;

    int m_nakRequests = 0;
    int m_silentRequests = 0;
    int m_corruptReplies = 0;
    QByteArray m_garbage;
    int m_garbageReplies = 0;
    int m_garbledReplies = 0;
    int m_splitChunk = 0;
    int m_splitDelayMs = 0;
    std::optional<int> m_replyCode;

    QList<LogEntry> m_log;
    std::function<void()> m_ackHandler;
};

// The station's time as it reports it: year (two digits), month, day, TD
// (bit 0 afternoon, bits 1-3 weekday from Sunday 0, bits 4-5 week counter),
// seconds within the half day (two bytes) and, when asked, 1/256 s.
QByteArray encodeStationTime(const QDateTime& time, int week, bool withSubSecond);

// Installs the answers every station gives: mode select, memory read and write,
// clear backup, set and get time, signal, switch off and baud change.
void registerStandardCommands(SimStation& station);

} // namespace qv::sim
