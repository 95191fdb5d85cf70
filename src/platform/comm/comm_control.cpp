// The serial communications control over QSerialPort.
#include "platform/comm/comm_control.h"

#include "platform/comm/comm_ports.h"
#include "platform/runtime/vberror.h"

#include <QFileInfo>
#include <QSerialPort>
#include <QtGlobal>
#include <exception>
#include <unistd.h>

namespace qv {

namespace {

// How long Output waits for the system to take the bytes; the system's own
// buffer takes a whole frame at once, so only a dead device comes near it.
constexpr int kWriteTimeoutMs = 2000;

QSerialPort::Parity toQtParity(char parity)
{
    switch (parity) {
    case 'e':
        return QSerialPort::EvenParity;
    case 'o':
        return QSerialPort::OddParity;
    case 'm':
        return QSerialPort::MarkParity;
    case 's':
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}

} // namespace

CommControl::CommControl(QObject* parent) : QObject(parent), m_port(new QSerialPort(this))
{
    m_settings = *parseCommSettings(m_settingsText);
    m_raiseTimer.setSingleShot(true);
    m_raiseTimer.setInterval(0);
    connect(&m_raiseTimer, &QTimer::timeout, this, &CommControl::raiseReceive);
    connect(m_port, &QSerialPort::readyRead, this, [this] {
        takeArrivedBytes();
        scheduleRaise();
    });
    connect(m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        // An unplugged device (or a terminal whose other side went away, which
        // Qt reports as a read error on every turn of the loop): the port closes
        // quietly, and the next Output reports that it is not open.
        if ((error == QSerialPort::ResourceError || error == QSerialPort::ReadError) && m_port->isOpen())
            closePort();
    });
}

CommControl::~CommControl()
{
    closePort();
}

void CommControl::setCommPort(int16_t port)
{
    if (PortOpen())
        throw VbError(ErrCommPortOpen);
    if (port < 1 || port > kMaxCommPort)
        throw VbError(ErrCommInvalidPort);
    m_commPort = port;
}

void CommControl::setSettings(const QString& settings)
{
    const std::optional<CommSettings> parsed = parseCommSettings(settings);
    if (!parsed)
        throw VbError(CommErrInvalidSettings, QStringLiteral("Invalid property value"));
    if (PortOpen() && *parsed != m_settings && !applySettings(*parsed)) {
        const QString reason = m_port->errorString();
        m_port->clearError();
        applySettings(m_settings);
        throw VbError(CommErrInvalidSettings, QStringLiteral("Invalid property value: %1").arg(reason));
    }
    m_settings = *parsed;
    m_settingsText = settings;
}

bool CommControl::PortOpen() const
{
    return m_port->isOpen();
}

void CommControl::setPortOpen(bool open)
{
    if (!open) {
        closePort();
        return;
    }
    if (PortOpen())
        throw VbError(ErrCommPortOpen);

    const QString path = serialDeviceForPort(m_commPort);
    if (path.isEmpty() || !QFileInfo::exists(path))
        throw VbError(ErrCommInvalidPort);

    m_port->setPortName(path);
    applySettings(m_settings);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port->open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError error = m_port->error();
        m_port->clearError();
        switch (error) {
        case QSerialPort::DeviceNotFoundError:
        case QSerialPort::UnsupportedOperationError:
            throw VbError(ErrCommInvalidPort);
        case QSerialPort::PermissionError:
            // Qt reports a lock held by another program and missing rights alike.
            if (::access(QFile::encodeName(path).constData(), R_OK | W_OK) != 0)
                throw VbError(ErrPermissionDenied);
            throw VbError(ErrCommPortOpen);
        default:
            throw VbError(ErrCommPortOpen);
        }
    }
    // Bytes left in the device from before belong to no request of ours.
    m_port->clear(QSerialPort::AllDirections);
    m_input.clear();
    m_devicePath = path;
}

void CommControl::Output(const QByteArray& bytes)
{
    requireOpen();
    if (bytes.isEmpty())
        return;
    bool ok = m_port->write(bytes) == bytes.size();
    while (ok && m_port->bytesToWrite() > 0)
        ok = m_port->waitForBytesWritten(kWriteTimeoutMs);
    if (!ok) {
        const QString reason = m_port->errorString();
        m_port->clearError();
        throw VbError(CommErrDeviceIO, QStringLiteral("Device I/O error: %1").arg(reason));
    }
}

int CommControl::InBufferCount() const
{
    requireOpen();
    return int(m_input.size() + m_port->bytesAvailable());
}

QByteArray CommControl::Input()
{
    requireOpen();
    takeArrivedBytes();
    const qsizetype n = m_inputLen <= 0 ? m_input.size() : std::min<qsizetype>(m_inputLen, m_input.size());
    QByteArray taken = m_input.left(n);
    m_input.remove(0, n);
    m_taken += quint64(n);
    return taken;
}

void CommControl::setInputLen(int length)
{
    if (length < 0)
        throw VbError(CommErrInvalidSettings, QStringLiteral("Invalid property value"));
    m_inputLen = length;
}

void CommControl::setRThreshold(int threshold)
{
    if (threshold < 0)
        throw VbError(CommErrInvalidSettings, QStringLiteral("Invalid property value"));
    m_rThreshold = threshold;
    scheduleRaise();
}

void CommControl::requireOpen() const
{
    if (!PortOpen())
        throw VbError(ErrCommPortNotOpen);
}

void CommControl::takeArrivedBytes()
{
    if (m_port->isOpen() && m_port->bytesAvailable() > 0)
        m_input.append(m_port->readAll());
}

void CommControl::scheduleRaise()
{
    if (PortOpen() && m_rThreshold > 0 && m_input.size() >= m_rThreshold)
        m_raiseTimer.start();
}

void CommControl::raiseReceive()
{
    takeArrivedBytes();
    if (!PortOpen() || m_rThreshold <= 0 || m_input.size() < m_rThreshold)
        return;
    const quint64 takenBefore = m_taken;
    m_commEvent = CommEvReceive;
    try {
        emit onComm();
    } catch (const std::exception& e) {
        // Handlers trap their own errors; one that slips through must not take
        // the event loop down with it.
        qWarning("Receive handler raised an error: %s", e.what());
    }
    // Raise again while bytes wait, as long as the handlers take them; a handler
    // that leaves bytes untouched is raised again when new bytes arrive.
    if (m_taken != takenBefore)
        scheduleRaise();
}

bool CommControl::applySettings(const CommSettings& s)
{
    bool ok = m_port->setBaudRate(s.baud);
    ok = m_port->setParity(toQtParity(s.parity)) && ok;
    ok = m_port->setDataBits(static_cast<QSerialPort::DataBits>(s.dataBits)) && ok;
    ok = m_port->setStopBits(s.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) && ok;
    return ok;
}

void CommControl::closePort()
{
    m_raiseTimer.stop();
    m_input.clear();
    m_devicePath.clear();
    if (m_port->isOpen())
        m_port->close();
}

} // namespace qv
