// The old runtime's raised errors: a number and a description. A procedure that
// traps its own errors catches VbError within itself; nothing lets one escape
// into the event loop.
#pragma once
#include <QString>
#include <exception>

namespace qv {

class VbError : public std::exception
{
  public:
    VbError(int number, QString description);
    explicit VbError(int number);

    int Number() const noexcept { return m_number; }
    const QString& Description() const noexcept { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

  private:
    int m_number;
    QString m_description;
    QByteArray m_what;
};

// Error numbers the program raises or tests for.
constexpr int ErrInvalidCall = 5; // invalid procedure call or argument
constexpr int ErrOverflow = 6;
constexpr int ErrSubscriptOutOfRange = 9;
constexpr int ErrDivisionByZero = 11;
constexpr int ErrTypeMismatch = 13;
constexpr int ErrFileNotFound = 53;
constexpr int ErrFileAlreadyOpen = 55;
constexpr int ErrFileAlreadyExists = 58;
constexpr int ErrDiskFull = 61;
constexpr int ErrPermissionDenied = 70;
constexpr int ErrPathFileAccess = 75;
constexpr int ErrPathNotFound = 76;
constexpr int ErrInvalidPattern = 93;    // a Like pattern that does not parse
constexpr int ErrCommInvalidPort = 8002; // invalid port number
constexpr int ErrCommPortOpen = 8005;    // port already open (in use)
constexpr int ErrCommPortNotOpen = 8018; // operation valid only while the port is open

// The runtime's standard text for an error number ("" when it has none).
QString VbErrorText(int number);

} // namespace qv
