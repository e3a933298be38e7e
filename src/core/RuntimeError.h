#pragma once

#include <QString>

namespace zelmora {

// A run-time error as the program reports it: a number and its description. It travels as a
// value (see Result), never thrown: routines that touch files, the printer or the network hand
// it back, and only the windows turn it into a message.
class RuntimeError
{
public:
    enum Number
    {
        InvalidProcedureCall = 5,
        Overflow = 6,
        OutOfMemory = 7,
        SubscriptOutOfRange = 9,
        TypeMismatch = 13,
        BadFileNameOrNumber = 52,
        FileNotFound = 53,
        DeviceIoError = 57,
        DiskFull = 61,
        BadRecordLength = 59,
        InputPastEndOfFile = 62,
        PermissionDenied = 70,
        PathFileAccessError = 75,
        PathNotFound = 76,
        InvalidPicture = 481,
        PrinterError = 482,
    };

    explicit RuntimeError(int number);
    RuntimeError(int number, QString description);

    int number() const { return m_number; }
    const QString &description() const { return m_description; }

    // The standard description of an error number ("File not found" for 53).
    static QString describe(int number);

private:
    int m_number;
    QString m_description;
};

// "Error 53 (File not found) in procedure ReadConfiguration of Modulo corpo"
QString moduleErrorMessage(const RuntimeError &error, const QString &procedure);
// "Error 70 (Permission denied) in procedure cmdSalva_Click of Form frmMain"
QString formErrorMessage(const RuntimeError &error, const QString &procedure, const QString &form);

} // namespace zelmora
