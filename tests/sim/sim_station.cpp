// The simulated station: request handling, faults, output pacing and the frame log.
#include "sim_station.h"

#include <QThread>

#include "sim_pty.h"

namespace qv::sim {

namespace {

// A held-back legacy frame is taken as such after this much quiet on the line.
constexpr int kQuietMs = 15;

QByteArray codeBytes(int code, FrameForm form)
{
    QByteArray b;
    if (form == FrameForm::Extended)
        b.append(char((code >> 8) & 0xFF));
    b.append(char(code & 0xFF));
    return b;
}

} // namespace

SimStation::SimStation(QObject* parent) : QObject(parent)
{
    m_quietTimer.setSingleShot(true);
    m_quietTimer.setInterval(kQuietMs);
    connect(&m_quietTimer, &QTimer::timeout, this, [this] { handleFrames(m_parser.flush()); });
    m_outTimer.setSingleShot(true);
    connect(&m_outTimer, &QTimer::timeout, this, &SimStation::drainOutput);
    setClock(QDateTime::currentDateTime());
    registerStandardCommands(*this);
}

SimStation::~SimStation() = default;

bool SimStation::start()
{
    if (!m_pty) {
        m_pty = new SimPty(this);
        connect(m_pty, &SimPty::bytesReceived, this, &SimStation::receiveBytes);
    }
    return m_pty->open();
}

void SimStation::stop()
{
    m_outTimer.stop();
    m_outQueue.clear();
    if (m_pty)
        m_pty->close();
}

QString SimStation::slavePath() const
{
    return m_pty ? m_pty->slavePath() : QString();
}

QString SimStation::errorString() const
{
    return m_pty ? m_pty->errorString() : QString();
}

void SimStation::setOutputSink(std::function<void(const QByteArray&)> sink)
{
    m_sink = std::move(sink);
}

int SimStation::lineBaud() const
{
    return m_pty && m_pty->isOpen() ? m_pty->lineBaud() : 0;
}

QDateTime SimStation::timeNow() const
{
    return m_timeNow ? m_timeNow() : QDateTime::currentDateTime();
}

QDateTime SimStation::clock() const
{
    const qint64 passed = m_clockSetAt.msecsTo(timeNow());
    return m_clockBase.addMSecs(passed + qint64(double(passed) * m_driftPerHour / 3600.0));
}

void SimStation::setClock(const QDateTime& time)
{
    m_clockBase = time;
    m_clockSetAt = timeNow();
}

void SimStation::setDriftPerHour(double seconds)
{
    // The drift counts from now on.
    setClock(clock());
    m_driftPerHour = seconds;
}

void SimStation::setTimeSource(std::function<QDateTime()> now, std::function<void(qint64 ms)> pass)
{
    const QDateTime stationTime = clock();
    m_timeNow = std::move(now);
    m_timePass = std::move(pass);
    setClock(stationTime);
}

void SimStation::slowReplies(quint8 command, int n, qint64 ms)
{
    m_slowReplies.insert(command, qMakePair(n, ms));
}

void SimStation::addGarbageBeforeNextReplies(const QByteArray& garbage, int n)
{
    m_garbage = garbage;
    m_garbageReplies = n;
}

void SimStation::setSplitReplies(int chunkBytes, int delayMs)
{
    m_splitChunk = chunkBytes;
    m_splitDelayMs = delayMs;
}

void SimStation::registerCommand(quint8 command, CommandHandler handler)
{
    m_commands.insert(command, std::move(handler));
}

void SimStation::sendFrame(quint8 command, const QByteArray& payload, FrameForm form)
{
    sendReply(command, payload, form, m_replyCode.value_or(m_memory.codeNumber()));
}

void SimStation::sendRawFrame(quint8 command, const QByteArray& data, FrameForm form)
{
    const QByteArray raw = encodeFrame(command, data, form);
    LogEntry e{Direction::Sent, form, command, data, raw, QString(), {}};
    m_log << e;
    emit frameSent(e);
    transmit(raw);
}

QList<LogEntry> SimStation::received() const
{
    QList<LogEntry> out;
    for (const LogEntry& e : m_log) {
        if (e.direction == Direction::Received)
            out << e;
    }
    return out;
}

QList<LogEntry> SimStation::sent() const
{
    QList<LogEntry> out;
    for (const LogEntry& e : m_log) {
        if (e.direction == Direction::Sent)
            out << e;
    }
    return out;
}

void SimStation::receiveBytes(const QByteArray& bytes)
{
    const int acksBefore = m_parser.acknowledges();
    handleFrames(m_parser.feed(bytes));
    for (int n = m_parser.acknowledges() - acksBefore; n > 0 && m_ackHandler; --n)
        m_ackHandler();
    if (m_parser.hasPending())
        m_quietTimer.start();
    else
        m_quietTimer.stop();
}

void SimStation::handleFrames(const QList<Frame>& frames)
{
    for (const Frame& f : frames)
        handleFrame(f);
}

void SimStation::handleFrame(const Frame& frame)
{
    if (m_switchedOff) {
        logReceived(frame, QStringLiteral("switched off"));
        return;
    }
    const int line = lineBaud();
    if (line > 0 && line != m_stationBaud) {
        logReceived(frame, QStringLiteral("line at %1 baud, station at %2").arg(line).arg(m_stationBaud));
        return;
    }
    if (!frame.crcOk) {
        logReceived(frame, QStringLiteral("bad CRC"));
        sendNak(frame.form);
        return;
    }
    if (m_silentRequests > 0) {
        --m_silentRequests;
        logReceived(frame, QStringLiteral("silent"));
        return;
    }
    if (m_nakRequests > 0) {
        --m_nakRequests;
        logReceived(frame, QStringLiteral("NAK"));
        sendNak(frame.form);
        return;
    }
    logReceived(frame, QString());

    // The code number is the one the station had when the request came, so a
    // write that changes it is still answered under the old one.
    m_answeringCode = m_replyCode.value_or(m_memory.codeNumber());
    if (auto slow = m_slowReplies.find(frame.command); slow != m_slowReplies.end() && slow->first > 0) {
        --slow->first;
        if (m_timePass)
            m_timePass(slow->second);
        else
            QThread::msleep(static_cast<unsigned long>(slow->second));
    }
    const auto it = m_commands.constFind(frame.command);
    const Reply reply =
        it == m_commands.cend() ? Reply::nak() : (*it)(*this, Request{frame.command, frame.data, frame.form});
    switch (reply.kind) {
    case Reply::Kind::Frame:
        sendReply(reply.command, reply.payload, frame.form, m_answeringCode);
        break;
    case Reply::Kind::Nak:
        sendNak(frame.form);
        break;
    case Reply::Kind::Silent:
        break;
    }
}

void SimStation::logReceived(const Frame& frame, const QString& note)
{
    LogEntry e{Direction::Received, frame.form, frame.command, frame.data, frame.raw, note, timeNow()};
    m_log << e;
    emit frameReceived(e);
}

void SimStation::sendReply(quint8 command, const QByteArray& payload, FrameForm form, int code)
{
    const QByteArray data = codeBytes(code, form) + payload;
    QByteArray raw = encodeFrame(command, data, form);
    QString note;
    if (m_corruptReplies > 0 && form == FrameForm::Extended) {
        --m_corruptReplies;
        raw[raw.size() - 2] = char(raw[raw.size() - 2] ^ 0x5A); // the CRC's low byte
        note = QStringLiteral("CRC corrupted");
    }
    QByteArray wire = raw;
    if (m_garbledReplies > 0) {
        --m_garbledReplies;
        for (qsizetype i = 0; i < wire.size(); ++i)
            wire[i] = char(0x80 | ((i * 37 + 0x25) & 0x7F));
        note = note.isEmpty() ? QStringLiteral("garbled") : note + QStringLiteral(", garbled");
    }
    if (m_garbageReplies > 0) {
        --m_garbageReplies;
        wire.prepend(m_garbage);
        note = note.isEmpty() ? QStringLiteral("garbage before") : note + QStringLiteral(", garbage before");
    }
    LogEntry e{Direction::Sent, form, command, data, raw, note, {}};
    m_log << e;
    emit frameSent(e);
    transmit(wire);
}

void SimStation::sendNak(FrameForm form)
{
    const QByteArray raw(1, char(kNak));
    LogEntry e{Direction::Sent, form, kNak, {}, raw, QStringLiteral("NAK"), {}};
    m_log << e;
    emit frameSent(e);
    transmit(raw);
}

void SimStation::transmit(const QByteArray& bytes)
{
    if (m_splitChunk > 0) {
        for (qsizetype i = 0; i < bytes.size(); i += m_splitChunk)
            m_outQueue << bytes.mid(i, m_splitChunk);
    } else {
        m_outQueue << bytes;
    }
    drainOutput();
}

void SimStation::drainOutput()
{
    while (!m_outQueue.isEmpty() && !m_outTimer.isActive()) {
        writeOut(m_outQueue.takeFirst());
        if (m_splitChunk > 0 && m_splitDelayMs > 0 && !m_outQueue.isEmpty())
            m_outTimer.start(m_splitDelayMs);
        else if (m_outQueue.isEmpty())
            emit outputDrained();
    }
}

void SimStation::writeOut(const QByteArray& bytes)
{
    if (m_pty && m_pty->isOpen())
        m_pty->write(bytes);
    else if (m_sink)
        m_sink(bytes);
}

} // namespace qv::sim
