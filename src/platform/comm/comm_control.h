// The serial communications control: a port number, a settings text, byte input and output and the receive
// event.
#pragma once
#include "platform/comm/comm_settings.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>

class QSerialPort;

namespace qv {

// CommEvent values: the receive event is the only one the program handles.
constexpr int CommEvReceive = 2;

// Errors the control raises besides the runtime's port errors (8002, 8005, 8018).
constexpr int CommErrDeviceIO = 57;         // the device failed a write
constexpr int CommErrInvalidSettings = 380; // a settings text that does not describe a line
constexpr int kMaxCommPort = 16;            // the highest port number the control accepts

// The control the link and the receiver talk to. It owns the serial port; no
// window touches the port itself.
//
// Receiving: bytes that arrive are kept in the control's own input buffer, and
// the receive event onComm is raised on the event loop whenever at least
// RThreshold bytes wait there. It is raised again, also while a handler is
// still running inside a modal dialog, as long as bytes wait and handlers take
// them, so a reply that comes while a handler's dialog is up is still received.
//
// Errors are raised as VbError: 8002 no device for the port number, 8005 the
// port is already open or the device is busy, 70 no permission for the device,
// 8018 the operation needs an open port, 380 invalid settings, 57 a failed write.
class CommControl : public QObject
{
    Q_OBJECT
  public:
    explicit CommControl(QObject* parent = nullptr);
    ~CommControl() override;

    // The port number n of "COM n", 1 to 16; not while the port is open (8005).
    int16_t CommPort() const { return m_commPort; }
    void setCommPort(int16_t port);

    // "baud,parity,data,stop", for example "38400,n,8,1"; an open port takes it at once.
    QString Settings() const { return m_settingsText; }
    void setSettings(const QString& settings);

    bool PortOpen() const;
    void setPortOpen(bool open);

    // Hands the bytes to the operating system before it returns; the event loop
    // does not run meanwhile.
    void Output(const QByteArray& bytes);

    // Bytes waiting in the input buffer.
    int InBufferCount() const;
    // Takes up to InputLen bytes (all when InputLen is 0) from the input buffer;
    // empty when nothing waits.
    QByteArray Input();

    int InputLen() const { return m_inputLen; }
    void setInputLen(int length);
    // The receive event comes when at least this many bytes wait; 0 turns it off.
    int RThreshold() const { return m_rThreshold; }
    void setRThreshold(int threshold);

    // The event being raised (CommEvReceive while onComm runs for arrived bytes).
    int CommEvent() const { return m_commEvent; }

    // The device the port is open on ("" while closed).
    QString devicePath() const { return m_devicePath; }

  signals:
    // The receive event.
    void onComm();

  private:
    void requireOpen() const;
    void takeArrivedBytes();
    void scheduleRaise();
    void raiseReceive();
    bool applySettings(const CommSettings& settings);
    void closePort();

    QSerialPort* m_port;
    QTimer m_raiseTimer;
    QByteArray m_input;
    QString m_devicePath;
    QString m_settingsText = QStringLiteral("9600,n,8,1");
    CommSettings m_settings;
    int16_t m_commPort = 1;
    int m_inputLen = 1; // one byte per read, as the receiver expects
    int m_rThreshold = 1;
    int m_commEvent = 0;
    quint64 m_taken = 0; // bytes taken by Input so far, to tell whether handlers make progress
};

} // namespace qv
