#include "abstracthttpservice.h"
#include "defaulthttpserver.h"
#include "homeserviceimpl.h"
#include "httpcontroller.h"
#include "httpmethodflag.h"
#include "httprequest.h"
#include "httpresponse.h"
#include "logcapture.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace
{

const QString notFound = "{\"code\": 404, \"msg\": \"not found\"}";

// Answers with its own name as body.
class NamedService : public AbstractHttpService
{
public:
    explicit NamedService(const QString& name)
        : m_name(name)
    {
    }
    bool handle(HttpRequest*, HttpResponse* response) override
    {
        response->setHtml(m_name);
        return false;
    }

private:
    QString m_name;
};

class ThrowingService : public AbstractHttpService
{
public:
    bool handle(HttpRequest*, HttpResponse* response) override
    {
        response->setJson("{\"code\":\"02\"}");
        response->setHeader("X-Partial", "yes");
        throw std::runtime_error("service failed");
    }
};

// A service with its own route table, as the payment services have.
class ItemService : public DefaultHttpServer
{
public:
    const QList<RouteEntry>& routes() override
    {
        static const QList<RouteEntry> table {
            { "/item/", HTTP_POST | HTTP_OPTIONS,
                static_cast<RouteEntry::Handler>(&ItemService::trans_item) },
            { "/item/[0-9]+/", HTTP_ALL, static_cast<RouteEntry::Handler>(&ItemService::trans_numbered) },
        };
        return table;
    }
    virtual bool trans_item(HttpRequest*, HttpResponse* response)
    {
        response->setHtml("item");
        return false;
    }
    virtual bool trans_numbered(HttpRequest*, HttpResponse*) { return true; }
};

HttpRequest makeRequest(const QString& method, const QString& target)
{
    HttpRequest request;
    request.setMethod(method);
    request.setUrl(QUrl(target, QUrl::TolerantMode));
    request.setVersion("HTTP/1.1");
    return request;
}

class HttpControllerRouting : public ::testing::Test
{
protected:
    HttpControllerRouting()
    {
        controller.addRoute("/", &home).addRoute("/kovra/v2/.*", &v2).addRoute("/kovra/.*", &v1);
    }

    QString bodyFor(const QString& target)
    {
        HttpRequest request = makeRequest("GET", target);
        HttpResponse response(&request);
        EXPECT_FALSE(controller.dispatch(&request, &response));
        EXPECT_EQ(response.statusCode(), 200);
        return response.body();
    }

    LogCapture log;
    HomeServiceImpl home;
    NamedService v2 { "v2" };
    NamedService v1 { "v1" };
    HttpController controller;
};

TEST_F(HttpControllerRouting, PathsReachTheirServices)
{
    const QList<QPair<QString, QString>> cases {
        { "/", "hello world." },
        { "/kovra/v2/dotrans/", "v2" },
        { "/kovra/v2/", "v2" },
        { "/KOVRA/V2/DoTrans/", "v2" },
        { "/kovra/v2", "v1" },
        { "/kovra/sign/", "v1" },
        { "/Kovra/", "v1" },
        { "/%6Bovra/v2/dotrans/", "v2" },
        { "/kovra%2Fv2%2Fx", "v2" },
        { "/kovra", notFound },
        { "/index.html", notFound },
        { "/?a=1", "hello world." },
    };
    for (const auto& c : cases)
        EXPECT_EQ(bodyFor(c.first), c.second) << c.first.toStdString();
    EXPECT_TRUE(log.contains("dispatch compare: "));
    EXPECT_TRUE(log.contains("handle not found default...."));
}

TEST_F(HttpControllerRouting, ThrowingServiceGives500WithWhatItHadSet)
{
    ThrowingService failing;
    HttpController throwing;
    throwing.addRoute("/fail/", &failing);
    HttpRequest request = makeRequest("POST", "/fail/");
    HttpResponse response(&request);
    EXPECT_FALSE(throwing.dispatch(&request, &response));
    EXPECT_EQ(response.statusCode(), 500);
    EXPECT_EQ(response.reasonPhrase(), "Internal Server Error");
    EXPECT_EQ(response.body(), "{\"code\":\"02\"}");
    EXPECT_EQ(response.header("X-Partial"), "yes");
    EXPECT_TRUE(log.contains("dispatch occur exception."));
}

TEST(DefaultHttpServer, RoutesByPatternAndMethod)
{
    struct Case {
        QString method;
        QString target;
        bool answered;
        QString body;
    };
    const Case cases[] = {
        { "POST", "/item/", false, "item" },
        { "options", "/ITEM/", false, "item" },
        { "GET", "/item/", false, notFound },
        { "BREW", "/item/", false, notFound },
        { "GET", "/item/42/", true, "" },
        { "POST", "/item/x/", false, notFound },
        { "POST", "/other/", false, notFound },
    };
    ItemService service;
    for (const Case& c : cases) {
        HttpRequest request = makeRequest(c.method, c.target);
        HttpResponse response(&request);
        EXPECT_EQ(service.handle(&request, &response), c.answered)
            << c.method.toStdString() << c.target.toStdString();
        EXPECT_EQ(response.body(), c.body) << c.method.toStdString() << c.target.toStdString();
    }
}

TEST(DefaultHttpServer, PlainServiceAnswersEverythingNotFound)
{
    DefaultHttpServer service;
    HttpRequest request = makeRequest("GET", "/anything/");
    HttpResponse response(&request);
    EXPECT_FALSE(service.handle(&request, &response));
    EXPECT_EQ(response.body(), notFound);
    EXPECT_EQ(response.header("Content-type"), "application/json;charset=utf-8");
    EXPECT_EQ(response.statusCode(), 200);
}

TEST(HttpMethodFlag, NamesInAnyCase)
{
    const QList<QPair<QString, int>> cases {
        { "GET", 1 },
        { "post", 2 },
        { "Head", 4 },
        { "OPTIONS", 8 },
        { "put", 16 },
        { "PATCH", 32 },
        { "delete", 64 },
        { "TRACE", 128 },
        { "connect", 256 },
        { "all", 511 },
        { "BREW", 0 },
        { "", 0 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(methodFlag(c.first), c.second) << c.first.toStdString();
}

} // namespace
