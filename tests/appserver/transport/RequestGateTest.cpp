// What the server decides from a request's head alone: the route, or the refusal.

#include "appserver/http/RequestGate.h"

#include <gtest/gtest.h>

namespace transporttest {
namespace {

using appserver::http::judge;
using appserver::http::RequestHead;
using appserver::http::Route;

constexpr qint64 kLimit = 1000;

RequestHead post(std::string_view target, std::optional<std::string_view> type = "application/json",
                 std::optional<std::uint64_t> length = 10)
{
    RequestHead head;
    head.method = "POST";
    head.target = target;
    head.contentType = type;
    head.contentLength = length;
    return head;
}

TEST(RequestGate, RoutesTheCallsAndTheHealthCheck)
{
    EXPECT_EQ(judge(post("/rpc/login"), kLimit).route, Route::Call);
    EXPECT_EQ(judge(post("/rpc/Sup.rdmPlanCotaPrec/GetBanco"), kLimit).route, Route::Call);
    RequestHead health;
    health.method = "GET";
    health.target = "/health";
    EXPECT_EQ(judge(health, kLimit).route, Route::Health);
}

TEST(RequestGate, RefusesAnAddressThatIsNoCallWith404)
{
    for (const std::string_view target :
         {"/", "/rpc", "/rpc/", "/rpc/a", "/rpc/a/", "/rpc//b", "/rpc/a/b/c", "/health"}) {
        const auto verdict = judge(post(target), kLimit);
        EXPECT_EQ(verdict.route, Route::Refused) << target;
        EXPECT_EQ(verdict.refusal, 404) << target;
    }
    RequestHead getCall;
    getCall.method = "GET";
    getCall.target = "/rpc/login";
    EXPECT_EQ(judge(getCall, kLimit).refusal, 404);
}

TEST(RequestGate, RefusesABodyThatIsNotJsonWith415BeforeLookingAtItsSize)
{
    EXPECT_EQ(judge(post("/rpc/login", std::nullopt), kLimit).refusal, 415);
    EXPECT_EQ(judge(post("/rpc/login", "application/x-www-form-urlencoded", 9000), kLimit).refusal,
              415);
    EXPECT_EQ(judge(post("/rpc/login", "text/json"), kLimit).refusal, 415);
    EXPECT_EQ(judge(post("/rpc/login", "application/jsonp"), kLimit).refusal, 415);
    EXPECT_EQ(judge(post("/rpc/login", " Application/JSON ; charset=utf-8"), kLimit).route,
              Route::Call);
}

TEST(RequestGate, HoldsTheBodyToTheLimitFromItsDeclaredLength)
{
    EXPECT_EQ(judge(post("/rpc/login", "application/json", kLimit), kLimit).route, Route::Call);
    EXPECT_EQ(judge(post("/rpc/login", "application/json", kLimit + 1), kLimit).refusal, 413);
    EXPECT_EQ(judge(post("/rpc/login", "application/json", std::nullopt), kLimit).refusal, 411);
    RequestHead chunked = post("/rpc/login", "application/json", std::nullopt);
    chunked.chunked = true;
    EXPECT_EQ(judge(chunked, kLimit).refusal, 411);
}

TEST(RequestGate, DecodesThePathAndLeavesTheQueryOut)
{
    EXPECT_EQ(appserver::http::decodedPath("/rpc/Sup.rdm%50lanCotaPrec/GetBanco?x=1"),
              QStringLiteral("/rpc/Sup.rdmPlanCotaPrec/GetBanco"));
    EXPECT_EQ(appserver::http::decodedPath("/a%2"), QStringLiteral("/a%2"));
    EXPECT_EQ(appserver::http::decodedPath("/a%zz#frag"), QStringLiteral("/a%zz"));
    EXPECT_EQ(appserver::http::decodedPath("/pre%C3%A7o"), QStringLiteral("/preço"));
    EXPECT_EQ(judge(post("/rpc/log%69n"), kLimit).route, Route::Call);
}

TEST(RequestGate, LogsAPathOnOnePrintableLine)
{
    EXPECT_EQ(appserver::http::loggablePath(QStringLiteral("/a\nb\tc")), QStringLiteral("/a?b?c"));
    EXPECT_EQ(appserver::http::loggablePath(QString(500, u'x')).size(), 200);
    EXPECT_EQ(appserver::http::loggablePath({}), QStringLiteral("-"));
}

} // namespace
} // namespace transporttest
