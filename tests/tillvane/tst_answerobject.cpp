#include "answerobject.h"
#include "httpresponse.h"

#include <gtest/gtest.h>

TEST(AnswerObject, StartsAsSuccessInKeyOrder)
{
    EXPECT_EQ(AnswerObject().toCompactText(), QByteArray(R"({"code":"00","msg":"success"})"));
}

TEST(AnswerObject, CompactTextSortsKeysAndEscapesNestedJson)
{
    AnswerObject answer;
    answer.insert(QStringLiteral("rspData"), R"({"a":"中"})");
    answer.setFailure(QStringLiteral("02"), QStringLiteral("接收数据失败"));
    EXPECT_EQ(answer.toCompactText(),
              QByteArray(R"({"code":"02","msg":"接收数据失败","rspData":"{\"a\":\"中\"}"})"));
}

TEST(AnswerObject, InsertReadsUtf8AndIgnoresEmptyKey)
{
    AnswerObject answer;
    answer.insert(QString(), "ignored");
    answer.insert(QStringLiteral("rspData"), "\xe4\xb8\xad");
    EXPECT_EQ(answer.object().size(), 3);
    EXPECT_EQ(answer.text(QStringLiteral("rspData")), QString::fromUtf8("中"));
    answer.insert(QStringLiteral("null"), static_cast<const char*>(nullptr));
    EXPECT_EQ(answer.text(QStringLiteral("null")), QString(""));
}

TEST(AnswerObject, TextOfAbsentMemberIsNull)
{
    AnswerObject answer;
    EXPECT_TRUE(answer.text(QStringLiteral("rspData")).isNull());
    EXPECT_EQ(answer.text(QStringLiteral("code")), QStringLiteral("00"));
}

TEST(AnswerObject, WritesItselfAsJsonWithOrWithoutStatus)
{
    AnswerObject answer(QStringLiteral("01"), QStringLiteral("交易类型错误"));
    HttpResponse plain;
    answer.writeTo(&plain, false);
    EXPECT_EQ(plain.body(), QString::fromUtf8(R"({"code":"01","msg":"交易类型错误"})"));
    EXPECT_EQ(plain.statusCode(), 200);

    HttpResponse withStatus;
    withStatus.setStatus(404, QStringLiteral("Not Found"));
    answer.writeTo(&withStatus, true);
    EXPECT_EQ(withStatus.statusCode(), 200);
    EXPECT_EQ(withStatus.body(), plain.body());
}
