#include "core/Winnings.h"

#include "core/RuntimeError.h"

#include <cmath>

namespace zelmora {

Result<Cents> stakeCents(float stake)
{
    const double cents = double(stake) * 100.0;
    if (!(cents >= 0.0) || cents > double(kMaxStakeCents))
        return RuntimeError(RuntimeError::Overflow);
    return Cents(std::llround(cents));
}

Cents playGross(int hits, const std::array<Cents, 3> &stakes)
{
    static constexpr Cents kPairs[5] = {0, 0, 1, 3, 6};   // C(hits, 2)
    static constexpr Cents kTriples[5] = {0, 0, 0, 1, 4}; // C(hits, 3)
    if (hits < 0 || hits > 4)
        return 0;
    const Cents ambo = roundedQuotient(kPairs[hits] * stakes[0] * 250, 6);
    const Cents terno = roundedQuotient(kTriples[hits] * stakes[1] * 4500, 4);
    const Cents quaterna = hits == 4 ? stakes[2] * 120000 : 0;
    return ambo + terno + quaterna;
}

Cents netOf(Cents gross, int withholdingBasisPoints)
{
    return roundedQuotient(gross * (10000 - withholdingBasisPoints), 10000);
}

QString centsText(Cents cents)
{
    const QString sign = cents < 0 ? QStringLiteral("-") : QString();
    const Cents whole = cents < 0 ? -cents : cents;
    return sign +
           QStringLiteral("%1.%2").arg(whole / 100).arg(int(whole % 100), 2, 10, QLatin1Char('0'));
}

} // namespace zelmora
