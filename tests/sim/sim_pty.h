// A pseudo-terminal for the simulated station: the station holds the master side, the program opens the slave
// path.
#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace qv::sim {

class SimPty : public QObject
{
    Q_OBJECT
  public:
    explicit SimPty(QObject* parent = nullptr);
    ~SimPty() override;

    // Creates the terminal in raw mode; false (see errorString) when the system refuses.
    bool open();
    void close();
    bool isOpen() const { return m_master >= 0; }

    // The path a serial port opens, for example "/dev/pts/4".
    QString slavePath() const { return m_slavePath; }
    QString errorString() const { return m_error; }

    // Writes to the program's side; what the system cannot take at once follows
    // when the terminal has room again.
    void write(const QByteArray& bytes);

    // Reads what the program has written so far, at once and without the event
    // loop (the bytes are not signalled then).
    QByteArray readNow();

    // The speed the program has set on its side of the line, in baud; 0 when
    // the system does not tell.
    int lineBaud() const;

  signals:
    void bytesReceived(const QByteArray& bytes);

  private:
    void readAvailable();
    void writePending();

    int m_master = -1;
    int m_slave = -1; // held open so the master never sees a hang-up between the program's opens
    QString m_slavePath;
    QString m_error;
    QByteArray m_pendingOut;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
};

} // namespace qv::sim
