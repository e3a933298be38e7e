#pragma once

#include "core/Result.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>

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
    // The printer's scale correction: every position of a slip or the test page is multiplied
    // by these from the printable area's origin. 1 and 1 change nothing.
    float ScalaX = 1;
    float ScalaY = 1;

    // "Normale" is the integer 9999; anything else, an empty quality included, is "Bassa".
    bool QualitaNormale() const;
    // The printer's PrintQuality for the slips: -3 for "Normale", -1 for "Bassa".
    int PrintQuality() const;

    bool operator==(const TaraturaAmbetto &) const = default;
};

// printA.cfg: records of 128 bytes, one value each, at the start of its record.
// Records 1-9 a little-endian float, record 10 a 2-byte tag and (tag 2) a 2-byte value,
// record 11 a 2-byte length and that many bytes of the name in Windows-1252, record 12 (at
// byte 1408) the tag 3 and the scale factors X and Y as little-endian floats.
constexpr int kCalibrationRecordLength = 128;
constexpr int kCalibrationRecords = 11;
// The longest printer name that fits in record 11 beside its length word.
constexpr int kMaxStampanteBytes = kCalibrationRecordLength - 2;
constexpr int kScaleRecord = 12;
constexpr qint64 kScaleRecordOffset = (kScaleRecord - 1) * kCalibrationRecordLength; // 1408
constexpr quint16 kScaleTag = 3;
// Tag, X and Y.
constexpr qint64 kScaleRecordSize = 2 + 4 + 4;

// The scale factors a printer may need: 0,95 to 1,05, both included.
constexpr float kMinScale = 0.95f;
constexpr float kMaxScale = 1.05f;
// True for a factor inside 0,95 - 1,05 (never for one that is not a number).
bool scaleInRange(float factor);

// How record 12 was found by a read.
struct ScaleRecordRead
{
    enum State
    {
        Absent,  // the file ends at or before byte 1408: factors 1 and 1
        Read,    // tag 3 and two factors in range
        Damaged, // another tag, a cut record, a factor out of range or not finite: 1 and 1
    };
    State state = Absent;
    QString problem; // for Damaged: what is wrong, in the player's words
};

// Reads the eleven records in order into `record`. The first failure ends the read with an
// error: 53 for a missing file, 62 for a file that ends before a record does, 13 for a
// quality of an unknown type, 59 (bad record length) for a name longer than 126 bytes. Fields
// read before the failure keep their new values, the others are left as they were.
// Record 12 then gives the scale factors; it never fails the read: a file without it, or with a
// damaged one, gives 1 and 1, and the answer says which it was.
Result<ScaleRecordRead> readCalibration(const QString &path, TaraturaAmbetto &record);

// Writes the eleven records over the start of the file, creating it when missing, then record
// 12 at byte 1408. A longer existing file keeps its bytes past the new name (up to record 12)
// and past record 12; bytes before 1408 that no file held are zeros, as are the unused bytes of
// records 1 to 10. The file is replaced whole: a failed write leaves the earlier file, or none.
// Failures are errors (76 for a missing folder, 70 for a file that may not be
// written, 59 for a name too long for its record, 5 for a scale factor out of range, 57/61 for
// a failed write).
Result<void> writeCalibration(const QString &path, const TaraturaAmbetto &record);

// The range the calibration window gives every length: 0 to 300 mm.
constexpr float kMaxCalibrationLength = 300;

// The nine lengths in the order of records 1 to 9, each with the words the calibration window
// shows for it, its frame and its axis.
struct CalibrationLength
{
    float TaraturaAmbetto::*field;
    const char *caption;
};
extern const std::array<CalibrationLength, 9> kCalibrationLengths;

// A length's name as the calibration window shows it, its frame and its axis:
// "Posizione Numero 1 / Y" for Top, "Distanza Numeri / X" for DXnumeri, ...
QString lengthCaption(float TaraturaAmbetto::*field);

// "Il valore di <name> (<value>) è fuori dall'intervallo 0 - 300 mm": the calibration's range
// message, for a length read or typed; the name is the window's (lengthCaption).
QString rangeMessage(const QString &name, const QString &value);

// Brings the nine lengths into 0 - 300 mm: a negative one or one that is not a number to 0, a
// longer one (infinity included) to 300. Returns one line per length corrected, naming it
// and the value it had; none when all were in range. A scale factor outside 0,95 - 1,05 or not
// a number becomes 1, with its own line.
QStringList bringIntoRange(TaraturaAmbetto &record);

// A length or a factor as the calibration window shows it, with a decimal comma: the fewest
// digits that tell the stored value from every other (40,5; 1,0500001).
QString lengthText(float mm);

} // namespace zelmora::print
