#pragma once

#include <QString>
#include <QStringView>

namespace zelmora {

// The eleven Lotto wheels, in the order of the shipped wheels file. An archive names a wheel
// by its two-letter code (BA CA FI GE MI NA PA RM TO VE, RO for Roma, RN or NZ for the
// Nazionale) or by its name as in the wheels file, in any case.
constexpr int kWheelCount = 11;
constexpr int kNoWheel = -1;

// The wheel's index 0 to 10 for a code or a name (blanks around it ignored), or kNoWheel.
int wheelIndex(QStringView text);

// "Bari" ... "Nazionale": the name the wheels file and the wheel selector show.
QString wheelName(int index);
// "BA" ... "RN": the code the stored archive writes.
QString wheelCode(int index);

} // namespace zelmora
