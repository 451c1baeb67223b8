#include "kovramisdoublesetup.h"
#include "logcapture.h"
#include "misserviceforkovra.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

// Transactions of the "/kovra" service against the recording library.

namespace
{

using Library = KovraMisDoubleSetup::Library;

const QStringList kTcpSetUp { "initTransaction()", "setCommuMode(1)", "setEhernetParameter(10.1.2.3,40000)",
    "setTimeout(60)" };
const QStringList kResultCalls { "startTrans()", "getTransResultCode()", "GetTransResultString()" };

class KovraTransaction : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(setup.isValid());
        setup.writeConfig(Library::Full);
        service = setup.makeService();
    }

    HttpResponse post(const QString& path, const QByteArray& body)
    {
        return sendToService(*service, QStringLiteral("/kovra") + path, body);
    }

    LogCapture log;
    KovraMisDoubleSetup setup;
    std::unique_ptr<MisServiceForKovra> service;
};

TEST_F(KovraTransaction, PayHandsTheMembersOverInOrderAndAnswersSuccess)
{
    setup.scriptResult(0, "approved");

    HttpResponse response = post("/pay/", R"({"amount":"1","misTraceNo":"000001"})");

    const QStringList typeAndSetters { "setTransType(1)", "setTransAmount(1)", "setMisTraceNo(000001)",
        "setBillInfo()" };
    EXPECT_EQ(setup.trace(), kTcpSetUp + typeAndSetters + kResultCalls);
    EXPECT_EQ(response.statusCode(), 200);
    EXPECT_EQ(response.body(), R"({"code":"00","msg":"success","rspData":"approved"})");
    EXPECT_TRUE(log.contains("retCode: 0  message: approved"));
}

struct PathCase {
    const char* name;
    const char* path;
    const char* body;
    QStringList typeAndSetters; // the calls between the set-up and startTrans
};

void PrintTo(const PathCase& c, std::ostream* os)
{
    *os << c.path << ' ' << c.body;
}

// Table cases are named by their name member.
template <typename Case> std::string caseName(const ::testing::TestParamInfo<Case>& info)
{
    return info.param.name;
}

class KovraPaths : public KovraTransaction, public ::testing::WithParamInterface<PathCase>
{
};

// Every member of the field table with a value naming it.
const char kAllMembers[]
    = R"({"amount":"A","misTraceNo":"M","cardNo":"C","expDate":"E","referenceNum":"R",)"
      R"("orgTermNo":"OT","orgTranDate":"OD","billInfo":"B","preInputItem":"P","tranDate":"T"})";

TEST_P(KovraPaths, SendTheTypeAndOnlyThePathsFieldsInTheirOrder)
{
    post(GetParam().path, GetParam().body);

    EXPECT_EQ(setup.trace(), kTcpSetUp + GetParam().typeAndSetters + kResultCalls);
}

INSTANTIATE_TEST_SUITE_P(EveryPath, KovraPaths,
    ::testing::Values(PathCase { "Pay", "/pay/", kAllMembers,
                          { "setTransType(1)", "setTransAmount(A)", "setMisTraceNo(M)", "setBillInfo(B)" } },
        PathCase { "CardPay", "/cardpay/", kAllMembers,
            { "setTransType(1)", "setTransAmount(A)", "setMisTraceNo(M)", "setCardNo(C)", "setExpDate(E)",
                "setBillInfo(B)" } },
        PathCase { "CardRevoke", "/cardrevoke/", kAllMembers,
            { "setTransType(2)", "setMisTraceNo(M)", "setReferenceNum(R)", "setTransAmount(A)",
                "setOrgTranDate(OD)", "setOrgTermNo(OT)", "setBillInfo(B)", "setCardNo(C)",
                "setExpDate(E)" } },
        PathCase { "QrPay", "/qrpay/", kAllMembers,
            { "setTransType(3)", "setMisTraceNo(M)", "setPreInputItem(P)", "setTranDate(T)",
                "setBillInfo(B)" } },
        PathCase { "QrRevoke", "/qrrevoke/", kAllMembers,
            { "setTransType(4)", "setMisTraceNo(M)", "setPreInputItem(P)", "setOrgTranDate(OD)",
                "setBillInfo(B)" } },
        PathCase { "QrQuery", "/qrquery/", kAllMembers,
            { "setTransType(8)", "setMisTraceNo(M)", "setPreInputItem(P)", "setTranDate(T)",
                "setBillInfo(B)" } },
        PathCase { "Sign", "/sign/", kAllMembers, { "setTransType(5)", "setMisTraceNo(M)" } },
        PathCase { "Settle", "/settle/", kAllMembers, { "setTransType(6)", "setMisTraceNo(M)" } },
        PathCase { "Balance", "/balance/", kAllMembers, { "setTransType(7)", "setMisTraceNo(M)" } },
        PathCase { "Reprint", "/reprint/", kAllMembers,
            { "setTransType(9)", "setMisTraceNo(M)", "setReferenceNum(R)" } },
        PathCase { "PrintCount", "/printcount/", kAllMembers, { "setTransType(10)", "setMisTraceNo(M)" } },
        PathCase { "PrintCountEmptyBody", "/printcount/", "{}", { "setTransType(10)", "setMisTraceNo()" } },
        PathCase { "Confirm", "/confirm/", kAllMembers, { "setTransType(11)" } },
        PathCase { "PathInCapitals", "/PAY/", R"({"amount":"1","misTraceNo":"2"})",
            { "setTransType(1)", "setTransAmount(1)", "setMisTraceNo(2)", "setBillInfo()" } },
        // A member that is not a string counts as present and goes as empty text.
        PathCase { "NumberNullAndObjectAsEmptyText", "/pay/",
            R"({"amount":1,"misTraceNo":null,"billInfo":{"a":"b"}})",
            { "setTransType(1)", "setTransAmount()", "setMisTraceNo()", "setBillInfo()" } },
        PathCase { "BoolAndArrayAsEmptyText", "/pay/", R"({"amount":true,"misTraceNo":["1"]})",
            { "setTransType(1)", "setTransAmount()", "setMisTraceNo()", "setBillInfo()" } },
        // Text outside Latin-1 reaches the library as its UTF-8 bytes.
        PathCase { "Utf8Text", "/pay/", R"({"amount":"1","misTraceNo":"2","billInfo":"桌号 7 · café"})",
            { "setTransType(1)", "setTransAmount(1)", "setMisTraceNo(2)", "setBillInfo(桌号 7 · café)" } },
        // A JSON array is read as an object without members.
        PathCase { "ArrayBody", "/confirm/", "[1,2]", { "setTransType(11)" } }),
    caseName<PathCase>);

struct MissingFieldCase {
    const char* name;
    const char* path;
    const char* body;
    const char* answer;
    QStringList callsMade; // after the communication set-up
};

void PrintTo(const MissingFieldCase& c, std::ostream* os)
{
    *os << c.path << ' ' << c.body;
}

class KovraMissingField : public KovraTransaction, public ::testing::WithParamInterface<MissingFieldCase>
{
};

TEST_P(KovraMissingField, AnswersTheFieldsMessageWithoutStartingTheTransaction)
{
    HttpResponse response = post(GetParam().path, GetParam().body);

    EXPECT_EQ(response.statusCode(), 200);
    EXPECT_EQ(response.body(), QString::fromUtf8(GetParam().answer));
    EXPECT_EQ(setup.trace(), kTcpSetUp + GetParam().callsMade);
}

INSTANTIATE_TEST_SUITE_P(RequiredMembers, KovraMissingField,
    ::testing::Values(MissingFieldCase { "PayWithoutAmount", "/pay/", R"({"misTraceNo":"000001"})",
                          R"({"code":"01","msg":"缺少amount字段"})", { "setTransType(1)" } },
        MissingFieldCase { "CardRevokeWithoutReferenceNum", "/cardrevoke/",
            R"({"misTraceNo":"9","amount":"1"})", R"({"code":"01","msg":"缺少referenceNum字段"})",
            { "setTransType(2)", "setMisTraceNo(9)" } },
        MissingFieldCase { "QrPayWithoutPreInputItem", "/qrpay/", R"({"misTraceNo":"9"})",
            R"({"code":"01","msg":"缺少preInputItem字段"})", { "setTransType(3)", "setMisTraceNo(9)" } },
        MissingFieldCase { "SignWithEmptyObject", "/sign/", "{}",
            R"({"code":"01","msg":"缺少misTraceNo字段"})", { "setTransType(5)" } }),
    caseName<MissingFieldCase>);

TEST_F(KovraTransaction, BodyThatIsNotJsonGetsTheParsersTextAndNoCall)
{
    for (const QByteArray& body : { QByteArray("abc"), QByteArray(R"({"amount":"1")"), QByteArray() }) {
        QJsonParseError error;
        QJsonDocument::fromJson(body, &error);

        HttpResponse response = post("/pay/", body);

        EXPECT_EQ(response.statusCode(), 200) << body.constData();
        EXPECT_EQ(response.body(), QStringLiteral(R"({"code":"01","msg":"%1"})").arg(error.errorString()))
            << body.constData();
        EXPECT_TRUE(log.contains(error.errorString())) << body.constData();
    }
    EXPECT_EQ(setup.trace(), QStringList());
}

TEST_F(KovraTransaction, FailureCodeGivesCodeAndTextAsMessage)
{
    const struct {
        int code;
        const char* text;
        const char* answer;
    } cases[] = {
        { -3, "连接失败", R"({"code":"02","msg":"-3-连接失败"})" },
        { 7, "", R"({"code":"02","msg":"7-"})" },
        { -1, "%1 %2", R"({"code":"02","msg":"-1-%1 %2"})" },
    };
    for (const auto& c : cases) {
        setup.scriptResult(c.code, c.text);
        HttpResponse response = post("/sign/", R"({"misTraceNo":"1"})");
        EXPECT_EQ(response.statusCode(), 200) << c.code;
        EXPECT_EQ(response.body(), QString::fromUtf8(c.answer)) << c.code;
    }
}

TEST_F(KovraTransaction, ResultTextBecomesRspDataWithTheQrOrderAddedWhenFound)
{
    const struct {
        const char* name;
        const char* resultText;
        const char* rspData;
    } cases[] = {
        { "no label", R"({"msg":"ok"})", R"({"msg":"ok"})" },
        { "label in an object", R"({"msg":"二维码订单号：NO.12345", "x":"1"})",
            R"({"msg":"二维码订单号：NO.12345","qrcodeOrder":"12345","x":"1"})" },
        { "label and digits right after it", R"({"b":"二维码订单号：778899 end","a":2})",
            R"({"a":2,"b":"二维码订单号：778899 end","qrcodeOrder":"778899"})" },
        { "label, not JSON", "二维码订单号：42 paid", "二维码订单号：42 paid" },
        { "label without digits", R"({"msg":"二维码订单号：none"})", R"({"msg":"二维码订单号：none"})" },
        { "label in an array", R"(["二维码订单号：42"])", R"(["二维码订单号：42"])" },
        { "empty", "", "" },
    };
    for (const auto& c : cases) {
        setup.scriptResult(0, c.resultText);

        HttpResponse response = post("/qrquery/", R"({"misTraceNo":"1"})");

        const QJsonObject answer = QJsonDocument::fromJson(response.body().toUtf8()).object();
        EXPECT_EQ(answer.value("code").toString(), "00") << c.name;
        EXPECT_EQ(answer.value("rspData").toString(), QString::fromUtf8(c.rspData)) << c.name;
    }
}

TEST_F(KovraTransaction, LabelledTextThatIsNotJsonLogsTheParserError)
{
    setup.scriptResult(0, "二维码订单号：42 paid");
    QJsonParseError error;
    QJsonDocument::fromJson("二维码订单号：42 paid", &error);

    post("/qrquery/", R"({"misTraceNo":"1"})");

    EXPECT_EQ(log.count(error.errorString()), 1);
}

TEST_F(KovraTransaction, LongResultTextIsCutAtTheBufferEnd)
{
    setup.scriptResult(0, QByteArray(5000, 'x'));

    HttpResponse response = post("/confirm/", "{}");

    const QJsonObject answer = QJsonDocument::fromJson(response.body().toUtf8()).object();
    EXPECT_EQ(answer.value("rspData").toString(), QString(2047, 'x'));
}

TEST_F(KovraTransaction, PreflightAnswersOkWithoutCallingTheLibrary)
{
    HttpResponse response = sendToService(*service, "/kovra/pay/", "", "OPTIONS");

    EXPECT_EQ(response.statusCode(), 200);
    EXPECT_EQ(response.body(), "ok");
    for (const char* header : { "Access-Control-Allow-Origin", "Access-Control-Allow-Methods",
             "Access-Control-Allow-Headers", "Access-Control-Request-Headers" })
        EXPECT_EQ(response.header(header), "*") << header;
    EXPECT_EQ(setup.trace(), QStringList());
    EXPECT_EQ(log.count("timestamap:"), 1);
}

TEST_F(KovraTransaction, PathOrMethodOutsideTheTableGetsNotFound)
{
    const QString notFound = R"({"code": 404, "msg": "not found"})";
    EXPECT_EQ(sendToService(*service, "/kovra/pay/", "{}", "DELETE").body(), notFound);
    EXPECT_EQ(sendToService(*service, "/kovra/pay", R"({"amount":"1","misTraceNo":"2"})").body(), notFound);
    EXPECT_EQ(sendToService(*service, "/kovra/refund/", "{}").body(), notFound);
    EXPECT_EQ(setup.trace(), QStringList());
}

} // namespace
