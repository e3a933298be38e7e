#include "net/FetchRules.h"

namespace zelmora {

namespace {

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool taken(StatusRule rule, int status)
{
    if (rule == StatusRule::AnySuccess)
        return status >= 200 && status <= 299;
    return status == 200 || status == 304;
}

int portOf(const QUrl &url)
{
    return url.port(url.scheme() == QLatin1String("https") ? 443 : 80);
}

bool isWebScheme(const QString &scheme)
{
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

AnswerVerdict refused(const QString &why)
{
    return {AnswerStep::Refuse, why};
}

} // namespace

AnswerVerdict judgeAnswer(const AnswerRules &rules, int status, const QUrl &asked, const QUrl &next,
                          int redirectsTaken)
{
    if (taken(rules.statuses, status))
        return {AnswerStep::Take, {}};
    if (!isRedirect(status))
        return refused(QStringLiteral("il server ha risposto con lo stato HTTP %1").arg(status));
    if (redirectsTaken >= rules.maxRedirects)
        return refused(QStringLiteral("il server rimanda ad altri indirizzi più di %1 volte")
                           .arg(rules.maxRedirects));
    if (next.isEmpty())
        return refused(QStringLiteral("il server rimanda altrove (stato HTTP %1) senza dire dove")
                           .arg(status));
    const QString shown = next.toDisplayString();
    if (!next.isValid() || next.host().isEmpty() || !isWebScheme(next.scheme()))
        return refused(
            QStringLiteral("il server rimanda a un indirizzo che non è http né https: %1")
                .arg(shown));
    if (rules.redirects == RedirectRule::SameOrigin) {
        if (next.scheme() != asked.scheme() || next.host() != asked.host() ||
            portOf(next) != portOf(asked))
            return refused(QStringLiteral("il server rimanda a un altro server: %1").arg(shown));
    } else if (asked.scheme() == QLatin1String("https") && next.scheme() == QLatin1String("http")) {
        return refused(
            QStringLiteral("il server rimanda da https a un indirizzo http non protetto: %1")
                .arg(shown));
    }
    return {AnswerStep::Follow, {}};
}

} // namespace zelmora
