// Which answers a download takes and which redirects it follows: the version query keeps to
// its server and takes any 2xx; the archive's download goes to any host but never from https
// down to http, and takes only 200, or 304 to a conditional request.

#include "net/FetchRules.h"

#include <gtest/gtest.h>

using namespace zelmora;

namespace {

constexpr AnswerRules kVersion{StatusRule::AnySuccess, RedirectRule::SameOrigin, 5};
constexpr AnswerRules kArchive{StatusRule::OkOrNotModified, RedirectRule::NoDowngrade, 5};

TEST(FetchRulesTest, StatusesAndRedirectsAreTakenFollowedOrRefused)
{
    const AnswerStep take = AnswerStep::Take, follow = AnswerStep::Follow,
                     refuse = AnswerStep::Refuse;
    const struct
    {
        AnswerRules rules;
        int status;
        const char *asked;
        const char *next; // the Location, resolved; "" for none
        int taken;        // redirects already followed
        AnswerStep step;
        const char *why; // part of the reason given for a refusal
    } cases[] = {
        {kVersion, 200, "http://a.it/v", "", 0, take, ""},
        {kVersion, 204, "http://a.it/v", "", 0, take, ""},
        {kVersion, 299, "http://a.it/v", "", 0, take, ""},
        {kVersion, 304, "http://a.it/v", "", 0, refuse, "stato HTTP 304"},
        {kVersion, 404, "http://a.it/v", "", 0, refuse, "stato HTTP 404"},
        {kVersion, 302, "http://a.it/v", "http://a.it/w", 4, follow, ""},
        {kVersion, 302, "http://a.it:80/v", "http://a.it/w", 0, follow, ""},
        {kVersion, 302, "http://a.it/v", "http://a.it/w", 5, refuse, "più di 5 volte"},
        {kVersion, 301, "http://a.it/v", "http://b.it/v", 0, refuse, "altro server: http://b.it/v"},
        {kVersion, 307, "http://a.it/v", "http://a.it:8080/v", 0, refuse, "altro server"},
        {kVersion, 308, "http://a.it/v", "https://a.it/v", 0, refuse, "altro server"},
        {kArchive, 200, "https://a.it/z", "", 0, take, ""},
        {kArchive, 304, "https://a.it/z", "", 0, take, ""},
        {kArchive, 204, "https://a.it/z", "", 0, refuse, "stato HTTP 204"},
        {kArchive, 206, "https://a.it/z", "", 0, refuse, "stato HTTP 206"},
        {kArchive, 300, "https://a.it/z", "https://b.it/z", 0, refuse, "stato HTTP 300"},
        {kArchive, 403, "https://a.it/z", "", 0, refuse, "stato HTTP 403"},
        {kArchive, 500, "https://a.it/z", "", 0, refuse, "stato HTTP 500"},
        {kArchive, 302, "https://a.it/z", "https://b.it:8443/z", 4, follow, ""},
        {kArchive, 303, "http://a.it/z", "https://b.it/z", 0, follow, ""},
        {kArchive, 301, "http://a.it/z", "http://b.it/z", 0, follow, ""},
        {kArchive, 302, "https://a.it/z", "https://b.it/z", 5, refuse, "più di 5 volte"},
        {kArchive, 307, "https://a.it/z", "http://a.it/z", 0, refuse,
         "da https a un indirizzo http"},
        {kArchive, 308, "https://a.it/z", "ftp://a.it/z", 0, refuse, "non è http né https"},
        {kArchive, 302, "https://a.it/z", "file:///etc/passwd", 0, refuse, "non è http né https"},
        {kArchive, 302, "https://a.it/z", "", 0, refuse, "senza dire dove"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.status << " " << c.asked << " -> " << c.next);
        const AnswerVerdict verdict =
            judgeAnswer(c.rules, c.status, QUrl(QString::fromLatin1(c.asked)),
                        QUrl(QString::fromLatin1(c.next)), c.taken);
        EXPECT_EQ(verdict.step, c.step);
        EXPECT_TRUE(verdict.why.contains(QString::fromUtf8(c.why))) << verdict.why.toStdString();
        EXPECT_EQ(verdict.why.isEmpty(), c.step != refuse);
    }
}

} // namespace
