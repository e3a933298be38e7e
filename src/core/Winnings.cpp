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
    // Put together by hand: a long check writes millions of these.
    const Cents whole = cents < 0 ? -cents : cents;
    const int hundredths = int(whole % 100);
    QString text = cents < 0 ? QStringLiteral("-") : QString();
    text += QString::number(whole / 100);
    text += u'.';
    text += QChar(u'0' + hundredths / 10);
    text += QChar(u'0' + hundredths % 10);
    return text;
}

} // namespace zelmora
