#include "print/CalibrationFile.h"

#include "core/Cp1252.h"
#include "core/FileIO.h"
#include "core/RuntimeError.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <charconv>
#include <cmath>
#include <utility>

namespace zelmora::print {

namespace {

constexpr qint64 recordOffset(int record)
{
    return qint64(record - 1) * kCalibrationRecordLength;
}

// The longest file the reader looks at: eleven whole records and record 12's tag and factors.
constexpr qint64 kLongestUsefulFile = kScaleRecordOffset + kScaleRecordSize;
static_assert(recordOffset(kCalibrationRecords) + 2 + kMaxStampanteBytes <= kScaleRecordOffset);

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

    // The bytes at a place of a record, or nullptr when the file ends before them.
    const char *take(int record, qint64 within, qint64 size) const
    {
        const qint64 at = recordOffset(record) + within;
        return at + size > m_bytes.size() ? nullptr : m_bytes.constData() + at;
    }

    qint64 size() const { return m_bytes.size(); }
    Result<float> readFloat(int record, qint64 within = 0) const
    {
        const char *at = take(record, within, 4);
        if (!at)
            return RuntimeError(RuntimeError::InputPastEndOfFile);
        return qFromLittleEndian<float>(at);
    }
    Result<quint16> readWord(int record, qint64 within) const
    {
        const char *at = take(record, within, 2);
        if (!at)
            return RuntimeError(RuntimeError::InputPastEndOfFile);
        return qFromLittleEndian<quint16>(at);
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

bool scaleInRange(float factor)
{
    return factor >= kMinScale && factor <= kMaxScale; // NaN fails both comparisons
}

namespace {

// Record 12, after the eleven others were read: the factors, or 1 and 1 with the reason.
ScaleRecordRead readScale(const RecordReader &file, TaraturaAmbetto &record)
{
    ScaleRecordRead result;
    record.ScalaX = 1;
    record.ScalaY = 1;
    if (file.size() <= kScaleRecordOffset)
        return result;
    result.state = ScaleRecordRead::Damaged;
    if (file.size() < kScaleRecordOffset + kScaleRecordSize) {
        result.problem = QStringLiteral("il record è incompleto");
        return result;
    }
    // The file holds the whole record: these reads cannot fail.
    const quint16 tag = file.readWord(kScaleRecord, 0).valueOr(0);
    if (tag != kScaleTag) {
        result.problem = QStringLiteral("il tipo è %1 invece di %2").arg(tag).arg(kScaleTag);
        return result;
    }
    const float x = file.readFloat(kScaleRecord, 2).valueOr(0);
    const float y = file.readFloat(kScaleRecord, 6).valueOr(0);
    for (const auto &[value, axis] : {std::pair{x, "X"}, std::pair{y, "Y"}}) {
        if (scaleInRange(value))
            continue;
        result.problem =
            QStringLiteral("il fattore di scala %1 (%2) è fuori dall'intervallo 0,95 - 1,05")
                .arg(QString::fromLatin1(axis),
                     std::isfinite(value) ? lengthText(value) : QStringLiteral("non numerico"));
        return result;
    }
    record.ScalaX = x;
    record.ScalaY = y;
    result.state = ScaleRecordRead::Read;
    return result;
}

// Reads the records in order; the values read before a fault stay in `record`.
Result<ScaleRecordRead> readRecords(const QString &path, TaraturaAmbetto &record)
{
    Result<QByteArray> bytes = readWholeFile(path, kLongestUsefulFile);
    if (!bytes)
        return bytes.error();
    const RecordReader file(std::move(bytes).value());

    int number = 1;
    for (const CalibrationLength &length : kCalibrationLengths) {
        const Result<float> value = file.readFloat(number++);
        if (!value)
            return value.error();
        record.*length.field = *value;
    }

    const Result<quint16> tag = file.readWord(10, 0);
    if (!tag)
        return tag.error();
    if (*tag == TaggedQuality::Empty) {
        record.Qualita = TaggedQuality{};
    } else if (*tag == TaggedQuality::Integer) {
        const Result<quint16> quality = file.readWord(10, 2);
        if (!quality)
            return quality.error();
        record.Qualita = TaggedQuality::integer(qint16(*quality));
    } else {
        return RuntimeError(RuntimeError::TypeMismatch);
    }

    const Result<quint16> length = file.readWord(11, 0);
    if (!length)
        return length.error();
    if (*length > kMaxStampanteBytes)
        return badRecordLength();
    const char *name = file.take(11, 2, *length);
    if (!name)
        return RuntimeError(RuntimeError::InputPastEndOfFile);
    record.Stampante = fromCp1252(QByteArray(name, *length));

    return readScale(file, record);
}

Result<void> writeRecords(const QString &path, const TaraturaAmbetto &record)
{
    const QByteArray name = toCp1252(record.Stampante);
    if (name.size() > kMaxStampanteBytes)
        return badRecordLength();
    // A factor the reader would refuse is never written.
    if (!scaleInRange(record.ScalaX) || !scaleInRange(record.ScalaY))
        return RuntimeError(RuntimeError::InvalidProcedureCall);

    // Records 1 to 10 in full, their unused bytes zero; record 11 only as far as the name.
    QByteArray bytes(recordOffset(kCalibrationRecords) + 2 + name.size(), '\0');
    char *const data = bytes.data();
    int number = 1;
    for (const CalibrationLength &length : kCalibrationLengths)
        qToLittleEndian<float>(record.*length.field, data + recordOffset(number++));
    qToLittleEndian<quint16>(record.Qualita.tag, data + recordOffset(10));
    if (record.Qualita.tag != TaggedQuality::Empty)
        qToLittleEndian<qint16>(record.Qualita.value, data + recordOffset(10) + 2);
    qToLittleEndian<quint16>(quint16(name.size()), data + recordOffset(11));
    std::copy(name.cbegin(), name.cend(), data + recordOffset(11) + 2);

    // The bytes an existing longer file holds past the new ones stay as they were. The whole
    // file is then written anew beside the old one and put in its place only when complete,
    // so a failed save (a full disk) leaves the earlier file, or none, never a cut one.
    const Result<QByteArray> old = readWholeFile(path, kLongestKeptFile);
    if (old && old->size() > bytes.size())
        bytes.append(old->mid(bytes.size()));
    else if (!old && old.error().number() != RuntimeError::FileNotFound)
        return old.error();
    // Record 12 over whatever stood there; a shorter file is filled with zeros up to it.
    if (bytes.size() < kScaleRecordOffset + kScaleRecordSize)
        bytes.append(QByteArray(kScaleRecordOffset + kScaleRecordSize - bytes.size(), '\0'));
    char *const scale = bytes.data() + kScaleRecordOffset;
    qToLittleEndian<quint16>(kScaleTag, scale);
    qToLittleEndian<float>(record.ScalaX, scale + 2);
    qToLittleEndian<float>(record.ScalaY, scale + 6);
    return writeWholeFile(path, bytes);
}

} // namespace

Result<ScaleRecordRead> readCalibration(const QString &path, TaraturaAmbetto &record)
{
    return readRecords(path, record);
}

Result<void> writeCalibration(const QString &path, const TaraturaAmbetto &record)
{
    return writeRecords(path, record);
}

QString lengthText(float mm)
{
    // The shortest text that reads back as the same single-precision value, so a factor just
    // past 1,05 never shows as 1,05.
    char digits[32];
    const auto written = std::to_chars(std::begin(digits), std::end(digits), mm);
    return QString::fromLatin1(digits, written.ptr - digits).replace(u'.', u',');
}

const std::array<CalibrationLength, 9> kCalibrationLengths = {{
    {&TaraturaAmbetto::DXnumeri, "Distanza Numeri / X"},
    {&TaraturaAmbetto::DYnumeri, "Distanza Numeri / Y"},
    {&TaraturaAmbetto::Top, "Posizione Numero 1 / Y"},
    {&TaraturaAmbetto::Left, "Posizione Numero 1 / X"},
    {&TaraturaAmbetto::Intestazione, "Posizione Intestazione / Y"},
    {&TaraturaAmbetto::Ximporti, "Posizione Importi / X"},
    {&TaraturaAmbetto::Yimporti, "Posizione Importi / Y"},
    {&TaraturaAmbetto::DXimporti, "Distanza Importi / X"},
    {&TaraturaAmbetto::DYimporti, "Distanza Importi / Y"},
}};

QString lengthCaption(float TaraturaAmbetto::*field)
{
    for (const CalibrationLength &length : kCalibrationLengths)
        if (length.field == field)
            return QString::fromLatin1(length.caption);
    return QString();
}

QString rangeMessage(const QString &name, const QString &value)
{
    return QStringLiteral("Il valore di %1 (%2) è fuori dall'intervallo 0 - %3 mm")
        .arg(name, value, QString::number(int(kMaxCalibrationLength)));
}

QStringList bringIntoRange(TaraturaAmbetto &record)
{
    QStringList corrected;
    for (const CalibrationLength &length : kCalibrationLengths) {
        float &value = record.*length.field;
        if (value >= 0 && value <= kMaxCalibrationLength)
            continue; // NaN fails both comparisons
        corrected << rangeMessage(QString::fromLatin1(length.caption),
                                  std::isnan(value) ? QStringLiteral("non numerico")
                                                    : lengthText(value)) +
                         QStringLiteral(" ed è stato corretto");
        value = value > kMaxCalibrationLength ? kMaxCalibrationLength : 0;
    }
    // A scale factor outside 0,95 - 1,05 (never read from a file, so only one set in code)
    // prints as no correction at all.
    for (float *factor : {&record.ScalaX, &record.ScalaY}) {
        if (scaleInRange(*factor))
            continue;
        corrected << QStringLiteral("Il fattore di scala %1 (%2) è fuori dall'intervallo "
                                    "0,95 - 1,05 ed è stato corretto a 1")
                         .arg(factor == &record.ScalaX ? u'X' : u'Y')
                         .arg(std::isnan(*factor) ? QStringLiteral("non numerico")
                                                  : lengthText(*factor));
        *factor = 1;
    }
    return corrected;
}

} // namespace zelmora::print
