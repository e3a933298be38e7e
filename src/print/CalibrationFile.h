#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace zelmora::print {

// The print quality as the calibration file keeps it: a type tag and, for tag 2, a 16-bit
// integer. A quality never chosen has tag 0 and no value.
struct TaggedQuality
{
    enum Tag : quint16
    {
        Empty = 0,
        Integer = 2,
    };
    quint16 tag = Empty;
    qint16 value = 0;

    static TaggedQuality integer(qint16 v) { return TaggedQuality{Integer, v}; }
    bool operator==(const TaggedQuality &) const = default;
};

constexpr qint16 kQualitaNormale = 9999;
constexpr qint16 kQualitaBassa = 1111;

// Where and how the slips are printed: distances between the boxes of a pre-printed slip, the
// position of its first number box and of the heading (all millimetres from the top-left
// corner of the printable area), the print quality and the slip printer.
struct TaraturaAmbetto
{
    float DXnumeri = 0;
    float DYnumeri = 0;
    float Top = 0;
    float Left = 0;
    float Intestazione = 0;
    float Ximporti = 0;
    float Yimporti = 0;
    float DXimporti = 0;
    float DYimporti = 0;
    TaggedQuality Qualita;
    QString Stampante;

    // "Normale" is the integer 9999; anything else, an empty quality included, is "Bassa".
    bool QualitaNormale() const;
    // The printer's PrintQuality for the slips: -3 for "Normale", -1 for "Bassa".
    int PrintQuality() const;

    bool operator==(const TaraturaAmbetto &) const = default;
};

// printA.cfg: eleven records of 128 bytes, one value each, at the start of its record.
// Records 1-9 a little-endian float, record 10 a 2-byte tag and (tag 2) a 2-byte value,
// record 11 a 2-byte length and that many bytes of the name in Windows-1252.
constexpr int kCalibrationRecordLength = 128;
constexpr int kCalibrationRecords = 11;
// The longest printer name that fits in record 11 beside its length word.
constexpr int kMaxStampanteBytes = kCalibrationRecordLength - 2;

// Reads the eleven records in order into `record`. The first failure ends the read with a
// RuntimeError: 53 for a missing file, 62 for a file that ends before a record does, 13 for a
// quality of an unknown type, 59 (bad record length) for a name longer than 126 bytes. Fields
// read before the failure keep their new values, the others are left as they were.
void readCalibration(const QString &path, TaraturaAmbetto &record);

// Writes the eleven records over the start of the file, creating it when missing. A longer
// existing file keeps its bytes past the new name; the unused bytes of records 1 to 10 are
// zeros. The file is replaced whole: a failed write leaves the earlier file, or none. Failures are
// thrown as RuntimeError (76 for a missing folder, 70 for a file that may not be written, 59 for a
// name too long for its record, 57/61 for a failed write).
void writeCalibration(const QString &path, const TaraturaAmbetto &record);

// The range the calibration window gives every length: 0 to 300 mm.
constexpr float kMaxCalibrationLength = 300;

// Brings the nine lengths into 0 - 300 mm: a negative one or one that is not a number to 0, a
// longer one (infinity included) to 300. Returns one line per length corrected, naming it
// and the value it had; none when all were in range.
QStringList bringIntoRange(TaraturaAmbetto &record);

// A length as the calibration window shows it: up to seven digits, decimal comma.
QString lengthText(float mm);

} // namespace zelmora::print
