#pragma once

#include <QString>
#include <QUrl>

namespace zelmora {

// Which answers a download takes.
enum class StatusRule
{
    AnySuccess,      // any 2xx (the version query)
    OkOrNotModified, // 200, or 304 to a conditional request (the archive)
};

// Where a download follows a redirect.
enum class RedirectRule
{
    SameOrigin,  // the same scheme, host and port only (the version query)
    NoDowngrade, // any host over http or https, but never from https down to http (the archive)
};

struct AnswerRules
{
    StatusRule statuses = StatusRule::AnySuccess;
    RedirectRule redirects = RedirectRule::SameOrigin;
    int maxRedirects = 5; // redirects followed in one download, at most
};

enum class AnswerStep
{
    Take,   // the answer is the download's
    Follow, // ask the redirect's address next
    Refuse, // the download fails; `why` says why
};

struct AnswerVerdict
{
    AnswerStep step = AnswerStep::Refuse;
    QString why; // in Italian, when refused: "il server ha risposto con lo stato HTTP 404"
};

// What a download does with one answer: its status, the address that was asked, the address
// its Location leads to (resolved against the one asked; empty when it names none) and the
// redirects already followed.
AnswerVerdict judgeAnswer(const AnswerRules &rules, int status, const QUrl &asked, const QUrl &next,
                          int redirectsTaken);

} // namespace zelmora
