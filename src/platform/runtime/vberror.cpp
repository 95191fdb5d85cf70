// The old runtime's raised errors and their standard texts.
#include "platform/runtime/vberror.h"

namespace qv {

VbError::VbError(int number, QString description)
    : m_number(number), m_description(std::move(description)), m_what(m_description.toUtf8())
{
}

VbError::VbError(int number) : VbError(number, VbErrorText(number)) {}

QString VbErrorText(int number)
{
    switch (number) {
    case ErrInvalidCall:
        return QStringLiteral("Invalid procedure call or argument");
    case ErrOverflow:
        return QStringLiteral("Overflow");
    case ErrSubscriptOutOfRange:
        return QStringLiteral("Subscript out of range");
    case ErrDivisionByZero:
        return QStringLiteral("Division by zero");
    case ErrTypeMismatch:
        return QStringLiteral("Type mismatch");
    case ErrFileNotFound:
        return QStringLiteral("File not found");
    case ErrFileAlreadyOpen:
        return QStringLiteral("File already open");
    case ErrFileAlreadyExists:
        return QStringLiteral("File already exists");
    case ErrDiskFull:
        return QStringLiteral("Disk full");
    case ErrPermissionDenied:
        return QStringLiteral("Permission denied");
    case ErrPathFileAccess:
        return QStringLiteral("Path/File access error");
    case ErrPathNotFound:
        return QStringLiteral("Path not found");
    case ErrInvalidPattern:
        return QStringLiteral("Invalid pattern string");
    case ErrCommInvalidPort:
        return QStringLiteral("Invalid port number");
    case ErrCommPortOpen:
        return QStringLiteral("Port already open");
    case ErrCommPortNotOpen:
        return QStringLiteral("Operation valid only when the port is open");
    default:
        return QString();
    }
}

} // namespace qv
