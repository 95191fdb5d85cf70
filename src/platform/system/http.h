// HTTP GET with a time-out, and whether the machine is connected to a network.
#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace qv {

// The answer to one GET.
struct HttpResponse
{
    int status = 0;  // the server's status code; 0 when no answer came
    QByteArray body; // the body as it came (an error page's too)
    QString error;   // why the transfer failed; empty when it succeeded
    bool timedOut = false;
    bool tooLarge = false; // the server sent more than the caller takes; body holds the first part

    // A complete answer with a 2xx status.
    bool ok() const { return error.isEmpty() && status >= 200 && status < 300; }
};

// How long a GET may take when the caller does not say.
inline constexpr int kHttpTimeoutMs = 20000;
// The most body bytes a GET takes when the caller does not say: far beyond any file the program fetches,
// far below what would strain the machine when a server never stops sending.
inline constexpr qint64 kHttpBodyLimit = 64 * 1024;

// Fetches the address with a GET, straight to the server (no proxy), always
// from the network (no cache), following redirects. Waits for the answer in a
// local event loop, so other events (the user's too) are handled meanwhile, as
// the old fetch let them run between chunks; gives up after
// timeoutMs milliseconds, and stops reading (a failure) once the body grows
// beyond maxBytes.
HttpResponse httpGet(const QString& url, int timeoutMs = kHttpTimeoutMs, qint64 maxBytes = kHttpBodyLimit);

// Connection flag of a local network, as the old online test reported it.
inline constexpr uint32_t INTERNET_CONNECTION_LAN = 0x02;

// The old online test: true (flags INTERNET_CONNECTION_LAN) when a network
// interface other than loopback is up and has an address; false (flags 0)
// otherwise. flags may be null.
bool InternetGetConnectedState(uint32_t* flags);

// Test hook: when set, InternetGetConnectedState answers with this instead of
// looking at the machine's interfaces.
inline std::optional<bool> internetConnectedOverride;

} // namespace qv
