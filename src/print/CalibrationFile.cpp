#include "print/CalibrationFile.h"

#include "core/Cp1252.h"
#include "core/FileIO.h"
#include "core/RuntimeError.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <cmath>

namespace zelmora::print {

namespace {

constexpr qint64 recordOffset(int record)
{
    return qint64(record - 1) * kCalibrationRecordLength;
}

// The longest file the reader looks at: ten whole records, the length word and a full name.
constexpr qint64 kLongestUsefulFile = recordOffset(kCalibrationRecords) + 2 + kMaxStampanteBytes;

// The longest file whose bytes a save keeps: far more than the program ever writes.
constexpr qint64 kLongestKeptFile = 64 * 1024;

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

    // The bytes an existing longer file holds past the new ones stay as they were. The whole
    // file is then written anew beside the old one and put in its place only when complete,
    // so a failed save (a full disk) leaves the earlier file, or none, never a cut one.
    try {
        const QByteArray old = readWholeFile(path, kLongestKeptFile);
        if (old.size() > bytes.size())
            bytes.append(old.mid(bytes.size()));
    } catch (const RuntimeError &error) {
        if (error.number() != RuntimeError::FileNotFound)
            throw;
    }
    writeWholeFile(path, bytes);
}

QString lengthText(float mm)
{
    return QString::number(double(mm), 'g', 7).replace(u'.', u',');
}

QStringList bringIntoRange(TaraturaAmbetto &record)
{
    const struct
    {
        float TaraturaAmbetto::*field;
        const char *name;
    } lengths[] = {
        {&TaraturaAmbetto::DXnumeri, "DXnumeri"},
        {&TaraturaAmbetto::DYnumeri, "DYnumeri"},
        {&TaraturaAmbetto::Top, "Top"},
        {&TaraturaAmbetto::Left, "Left"},
        {&TaraturaAmbetto::Intestazione, "Intestazione"},
        {&TaraturaAmbetto::Ximporti, "Ximporti"},
        {&TaraturaAmbetto::Yimporti, "Yimporti"},
        {&TaraturaAmbetto::DXimporti, "DXimporti"},
        {&TaraturaAmbetto::DYimporti, "DYimporti"},
    };
    QStringList corrected;
    for (const auto &length : lengths) {
        float &value = record.*length.field;
        if (value >= 0 && value <= kMaxCalibrationLength)
            continue; // NaN fails both comparisons
        corrected << QStringLiteral("Il valore di %1 (%2) è fuori dall'intervallo 0 - %3 mm "
                                    "ed è stato corretto")
                         .arg(QString::fromLatin1(length.name),
                              std::isnan(value) ? QStringLiteral("non numerico")
                                                : lengthText(value),
                              QString::number(int(kMaxCalibrationLength)));
        value = value > kMaxCalibrationLength ? kMaxCalibrationLength : 0;
    }
    return corrected;
}

} // namespace zelmora::print
