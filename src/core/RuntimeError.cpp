#include "core/RuntimeError.h"

namespace zelmora {

QString RuntimeError::describe(int number)
{
    switch (number) {
    case InvalidProcedureCall:
        return QStringLiteral("Invalid procedure call or argument");
    case Overflow:
        return QStringLiteral("Overflow");
    case OutOfMemory:
        return QStringLiteral("Out of memory");
    case SubscriptOutOfRange:
        return QStringLiteral("Subscript out of range");
    case TypeMismatch:
        return QStringLiteral("Type mismatch");
    case BadFileNameOrNumber:
        return QStringLiteral("Bad file name or number");
    case FileNotFound:
        return QStringLiteral("File not found");
    case DeviceIoError:
        return QStringLiteral("Device I/O error");
    case DiskFull:
        return QStringLiteral("Disk full");
    case BadRecordLength:
        return QStringLiteral("Bad record length");
    case InputPastEndOfFile:
        return QStringLiteral("Input past end of file");
    case PermissionDenied:
        return QStringLiteral("Permission denied");
    case PathFileAccessError:
        return QStringLiteral("Path/File access error");
    case PathNotFound:
        return QStringLiteral("Path not found");
    case InvalidPicture:
        return QStringLiteral("Invalid picture");
    case PrinterError:
        return QStringLiteral("Printer error");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}

RuntimeError::RuntimeError(int number) : RuntimeError(number, describe(number)) {}

RuntimeError::RuntimeError(int number, QString description)
    : m_number(number), m_description(std::move(description))
{
}

static QString errorMessage(const RuntimeError &error, const QString &procedure,
                            const QString &owner)
{
    return QStringLiteral("Error ") + QString::number(error.number()) + QStringLiteral(" (") +
           error.description() + QStringLiteral(") in procedure ") + procedure +
           QStringLiteral(" of ") + owner;
}

QString moduleErrorMessage(const RuntimeError &error, const QString &procedure)
{
    return errorMessage(error, procedure, QStringLiteral("Modulo corpo"));
}

QString formErrorMessage(const RuntimeError &error, const QString &procedure, const QString &form)
{
    return errorMessage(error, procedure, QStringLiteral("Form ") + form);
}

} // namespace zelmora
