#include "httprequest.h"
#include "httpresponse.h"
#include "responseencoder.h"
#include "responseparts.h"
#include "statusreasontable.h"

#include <gtest/gtest.h>

namespace
{

TEST(HttpResponse, UntouchedResponseIsStatusLineZeroLengthAndNoBody)
{
    HttpResponse response;
    EXPECT_EQ(encodeResponse(&response), QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"));
}

TEST(HttpResponse, ContentLengthCountsUtf8BytesOfTheBody)
{
    HttpResponse response;
    response.setJson(QString::fromUtf8("{\"msg\":\"签到成功\"}"));
    const ResponseParts parts = ResponseParts::parse(encodeResponse(&response));
    EXPECT_EQ(parts.values("Content-Length"), QList<QByteArray> { "22" });
    EXPECT_EQ(parts.body, QString::fromUtf8("{\"msg\":\"签到成功\"}").toUtf8());
    EXPECT_EQ(parts.values("Content-type"), QList<QByteArray> { "application/json;charset=utf-8" });
    EXPECT_EQ(parts.values("Access-Control-Allow-Origin"), QList<QByteArray> { "*" });
    EXPECT_EQ(response.header("Content-Length"), "22");
}

TEST(HttpResponse, ComputedContentLengthReplacesTheServicesValueButNotOtherSpellings)
{
    HttpResponse response;
    response.setHtml("hello world.");
    response.setHeader("Content-Length", "999");
    response.setHeader("content-length", "7");
    const ResponseParts parts = ResponseParts::parse(encodeResponse(&response));
    EXPECT_EQ(parts.values("Content-Length"), QList<QByteArray> { "12" });
    EXPECT_EQ(parts.values("content-length"), QList<QByteArray> { "7" });
    EXPECT_EQ(parts.values("Content-type"), QList<QByteArray> { "text/html;charset=utf-8" });
    EXPECT_EQ(parts.body, "hello world.");
}

TEST(HttpResponse, RepeatsTheRequestVersionTrimmed)
{
    HttpRequest request;
    request.setVersion("HTTP/1.0");
    HttpResponse response(&request);
    EXPECT_TRUE(encodeResponse(&response).startsWith("HTTP/1.0 200 OK\r\n"));
    response.version() = " HTTP/1.1 ";
    EXPECT_TRUE(encodeResponse(&response).startsWith("HTTP/1.1 200 OK\r\n"));
}

TEST(HttpResponse, SetStatusPrefersTheTablePhrase)
{
    struct Case {
        int code;
        QString reason;
        QByteArray statusLine;
    };
    const Case cases[] = {
        { 404, "Nothing here", "HTTP/1.1 404 Not Found" },
        { 500, "", "HTTP/1.1 500 Internal Server Error" },
        { 418, "", "HTTP/1.1 418 I\"m a teapot" },
        { 509, "", "HTTP/1.1 509 Bandwidth Limit Exceeded" },
        { 308, "Permanent Redirect", "HTTP/1.1 308 Permanent Redirect" },
        { 451, "", "HTTP/1.1 451 " },
    };
    for (const Case& c : cases) {
        HttpResponse response;
        response.setStatus(c.code, c.reason);
        EXPECT_EQ(ResponseParts::parse(encodeResponse(&response)).statusLine, c.statusLine) << c.code;
    }
    EXPECT_EQ(statusReasonTable().size(), 52);
}

TEST(HttpResponse, SettersReplaceAndHeaderLookupInsertsEmpty)
{
    HttpResponse response;
    response.setBody("a,b", "text/csv").setHeader("X-A", "1").setHeader("X-A", "2");
    EXPECT_EQ(response.header("Content-type"), "text/csv");
    EXPECT_EQ(response.header("X-A"), "2");
    EXPECT_EQ(response.header("X-Missing"), "");
    EXPECT_TRUE(response.headers().contains("X-Missing"));
    response.setHeaders({ { "Only", "one" } });
    EXPECT_EQ(response.headers().size(), 1);
    EXPECT_EQ(
        ResponseParts::parse(encodeResponse(&response)).values("Content-Length"), QList<QByteArray> { "3" });
}

} // namespace
