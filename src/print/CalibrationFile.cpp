#include "print/CalibrationFile.h"

#include "core/Cp1252.h"
#include "core/FileIO.h"
#include "core/RuntimeError.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace zelmora::print {

namespace {

constexpr qint64 recordOffset(int record)
{
    return qint64(record - 1) * kCalibrationRecordLength;
}

// The longest file the reader looks at: ten whole records, the length word and a full name.
constexpr qint64 kLongestUsefulFile = recordOffset(kCalibrationRecords) + 2 + kMaxStampanteBytes;

RuntimeError badRecordLength()
{
    return RuntimeError(RuntimeError::BadRecordLength);
}

// Reads the file's records one after the other, failing at the first one the file does not
// hold in full.
class RecordReader
{
public:
    explicit RecordReader(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    const char *take(int record, qint64 within, qint64 size) const
    {
        const qint64 at = recordOffset(record) + within;
        if (at + size > m_bytes.size())
            throw RuntimeError(RuntimeError::InputPastEndOfFile);
        return m_bytes.constData() + at;
    }

    float readFloat(int record) const { return qFromLittleEndian<float>(take(record, 0, 4)); }
    quint16 readWord(int record, qint64 within) const
    {
        return qFromLittleEndian<quint16>(take(record, within, 2));
    }

private:
    QByteArray m_bytes;
};

int openErrorNumber(const QFile &file)
{
    return file.error() == QFileDevice::PermissionsError ? int(RuntimeError::PermissionDenied)
                                                         : int(RuntimeError::PathFileAccessError);
}

int writeErrorNumber(const QFile &file)
{
    switch (file.error()) {
    case QFileDevice::ResourceError:
        return RuntimeError::DiskFull;
    case QFileDevice::PermissionsError:
        return RuntimeError::PermissionDenied;
    default:
        return RuntimeError::DeviceIoError;
    }
}

} // namespace

bool TaraturaAmbetto::QualitaNormale() const
{
    return Qualita.tag == TaggedQuality::Integer && Qualita.value == kQualitaNormale;
}

int TaraturaAmbetto::PrintQuality() const
{
    return QualitaNormale() ? -3 : -1;
}

void readCalibration(const QString &path, TaraturaAmbetto &record)
{
    const RecordReader file(readWholeFile(path, kLongestUsefulFile));

    float *const lengths[] = {&record.DXnumeri, &record.DYnumeri,     &record.Top,
                              &record.Left,     &record.Intestazione, &record.Ximporti,
                              &record.Yimporti, &record.DXimporti,    &record.DYimporti};
    int number = 1;
    for (float *field : lengths)
        *field = file.readFloat(number++);

    const quint16 tag = file.readWord(10, 0);
    if (tag == TaggedQuality::Empty)
        record.Qualita = TaggedQuality{};
    else if (tag == TaggedQuality::Integer)
        record.Qualita = TaggedQuality::integer(qint16(file.readWord(10, 2)));
    else
        throw RuntimeError(RuntimeError::TypeMismatch);

    const quint16 length = file.readWord(11, 0);
    if (length > kMaxStampanteBytes)
        throw badRecordLength();
    record.Stampante = fromCp1252(QByteArray(file.take(11, 2, length), length));
}

void writeCalibration(const QString &path, const TaraturaAmbetto &record)
{
    const QByteArray name = toCp1252(record.Stampante);
    if (name.size() > kMaxStampanteBytes)
        throw badRecordLength();

    // Records 1 to 10 in full, their unused bytes zero; record 11 only as far as the name.
    QByteArray bytes(recordOffset(kCalibrationRecords) + 2 + name.size(), '\0');
    char *const data = bytes.data();
    const float lengths[] = {record.DXnumeri, record.DYnumeri,     record.Top,
                             record.Left,     record.Intestazione, record.Ximporti,
                             record.Yimporti, record.DXimporti,    record.DYimporti};
    int number = 1;
    for (float value : lengths)
        qToLittleEndian<float>(value, data + recordOffset(number++));
    qToLittleEndian<quint16>(record.Qualita.tag, data + recordOffset(10));
    if (record.Qualita.tag != TaggedQuality::Empty)
        qToLittleEndian<qint16>(record.Qualita.value, data + recordOffset(10) + 2);
    qToLittleEndian<quint16>(quint16(name.size()), data + recordOffset(11));
    std::copy(name.cbegin(), name.cend(), data + recordOffset(11) + 2);

    if (!QFileInfo(path).absoluteDir().exists())
        throw RuntimeError(RuntimeError::PathNotFound);
    // Opened for reading too, so an existing file is overwritten in place and not truncated.
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        throw RuntimeError(openErrorNumber(file));
    if (file.write(bytes) != bytes.size())
        throw RuntimeError(writeErrorNumber(file));
    file.close();
    if (file.error() != QFileDevice::NoError)
        throw RuntimeError(writeErrorNumber(file));
}

} // namespace zelmora::print
