// Cross-origin headers and pre-flight answers of the V2 service, through the
// program's HTTP server.
#include "logcapture.h"
#include "misserviceforkovrav2.h"
#include "v2programfolder.h"
#include "v2testserver.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

const QByteArray webOrigin = "http://till.shop.test:8080";

class V2CrossOriginTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        // No library: the answers' headers do not depend on it.
        folder.writeCommunicationConfig({ { "DllNameV2", "./absent.so" } });
        service = std::make_unique<MisServiceForKovraV2>(folder.path());
        server = std::make_unique<V2TestServer>(service.get());
        ASSERT_TRUE(server->isListening());
    }

    static QByteArray header(const ResponseParts& response, const QByteArray& name)
    {
        const QList<QByteArray> values = response.values(name);
        EXPECT_EQ(values.size(), 1) << name.toStdString();
        return values.value(0);
    }

    LogCapture log;
    V2ProgramFolder folder;
    std::unique_ptr<MisServiceForKovraV2> service;
    std::unique_ptr<V2TestServer> server;
};

TEST_F(V2CrossOriginTest, PreflightEchoesTheOriginWithAnEmptyBody)
{
    const ResponseParts response = server->exchange("OPTIONS", "/kovra/v2/dotrans/", {},
        "Origin: " + webOrigin + "\r\nAccess-Control-Request-Headers: content-type\r\n");
    EXPECT_EQ(response.statusLine, "HTTP/1.1 200 OK");
    EXPECT_EQ(response.body, "");
    EXPECT_EQ(header(response, "Access-Control-Allow-Origin"), webOrigin);
    EXPECT_EQ(header(response, "Access-Control-Allow-Headers"), "content-type");
    EXPECT_EQ(header(response, "Access-Control-Expose-Headers"), "content-type");
    EXPECT_EQ(header(response, "Access-Control-Allow-Methods"), "*");
}

TEST_F(V2CrossOriginTest, JsonAnswersAllowEveryOrigin)
{
    const ResponseParts response = server->exchange(
        "POST", "/kovra/v2/dotrans/", R"({"CMD":"SALE"})", "Origin: " + webOrigin + "\r\n");
    EXPECT_EQ(response.body, R"({"code":"02","msg":"动态库未加载"})");
    EXPECT_EQ(header(response, "Access-Control-Allow-Origin"), "*");
}

TEST_F(V2CrossOriginTest, WithoutRequestedHeadersAllowAndExposeAreEmpty)
{
    for (const QByteArray method : { "OPTIONS", "POST" }) {
        SCOPED_TRACE(method.toStdString());
        const ResponseParts response = server->exchange(method, "/kovra/v2/sign/", R"({"CMD":"X"})");
        EXPECT_EQ(header(response, "Access-Control-Allow-Headers"), "");
        EXPECT_EQ(header(response, "Access-Control-Expose-Headers"), "");
        EXPECT_EQ(header(response, "Access-Control-Request-Headers"), "*");
        EXPECT_EQ(header(response, "Access-Control-Allow-Origin"), "*");
    }
}

} // namespace
