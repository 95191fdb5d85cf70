// The simulated station's pseudo-terminal over posix_openpt.
#include "sim_pty.h"

#include <QSocketNotifier>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace qv::sim {

namespace {

int speedToBaud(speed_t speed)
{
    switch (speed) {
    case B1200:
        return 1200;
    case B2400:
        return 2400;
    case B4800:
        return 4800;
    case B9600:
        return 9600;
    case B19200:
        return 19200;
    case B38400:
        return 38400;
    case B57600:
        return 57600;
    case B115200:
        return 115200;
    default:
        return 0;
    }
}

QString systemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

SimPty::SimPty(QObject* parent) : QObject(parent) {}

SimPty::~SimPty()
{
    close();
}

bool SimPty::open()
{
    close();
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0) {
        m_error = systemError("posix_openpt");
        return false;
    }
    char name[128] = {};
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0 ||
        ::ptsname_r(m_master, name, sizeof name) != 0) {
        m_error = systemError("pseudo-terminal set-up");
        close();
        return false;
    }
    m_slavePath = QString::fromLocal8Bit(name);
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0) {
        m_error = systemError("open of the slave side");
        close();
        return false;
    }
    termios tio{};
    ::tcgetattr(m_slave, &tio);
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B38400);
    ::cfsetospeed(&tio, B38400);
    ::tcsetattr(m_slave, TCSANOW, &tio);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);

    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &SimPty::readAvailable);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &SimPty::writePending);
    return true;
}

void SimPty::close()
{
    delete m_readNotifier;
    m_readNotifier = nullptr;
    delete m_writeNotifier;
    m_writeNotifier = nullptr;
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = m_master = -1;
    m_pendingOut.clear();
}

void SimPty::write(const QByteArray& bytes)
{
    if (m_master < 0)
        return;
    m_pendingOut.append(bytes);
    writePending();
}

void SimPty::writePending()
{
    while (!m_pendingOut.isEmpty()) {
        const ssize_t n = ::write(m_master, m_pendingOut.constData(), size_t(m_pendingOut.size()));
        if (n > 0) {
            m_pendingOut.remove(0, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // full for now (or gone); the write notifier resumes
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(!m_pendingOut.isEmpty());
}

QByteArray SimPty::readNow()
{
    QByteArray got;
    if (m_master < 0)
        return got;
    char buf[512];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n > 0) {
            got.append(buf, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;
    }
    return got;
}

void SimPty::readAvailable()
{
    const QByteArray got = readNow();
    if (!got.isEmpty())
        emit bytesReceived(got);
}

int SimPty::lineBaud() const
{
    if (m_slave < 0)
        return 0;
    termios tio{};
    if (::tcgetattr(m_slave, &tio) != 0)
        return 0;
    return speedToBaud(::cfgetospeed(&tio));
}

} // namespace qv::sim
