#include "receivebuffer.h"

#include <gtest/gtest.h>

#include <exception>

namespace
{

void append(ReceiveBuffer& buffer, const QByteArray& bytes)
{
    buffer.append(bytes.constData(), bytes.size());
}

QByteArray readAll(ReceiveBuffer& buffer, qint64 n)
{
    QByteArray out(static_cast<int>(n), '\0');
    out.resize(static_cast<int>(buffer.readBytes(out.data(), n)));
    return out;
}

// Moves the committed indices of a small buffer so that the next bytes wrap.
void consume(ReceiveBuffer& buffer, const QByteArray& bytes)
{
    append(buffer, bytes);
    buffer.mark();
    ASSERT_EQ(readAll(buffer, bytes.size()), bytes);
    buffer.commit();
}

} // namespace

TEST(ReceiveBuffer, ReadsAreTentativeUntilCommit)
{
    ReceiveBuffer buffer(64);
    append(buffer, "line one\nline two\n");
    buffer.mark();
    EXPECT_EQ(buffer.readLine(), QByteArray("line one\n"));
    buffer.mark();
    EXPECT_EQ(buffer.readLine(), QByteArray("line one\n"));
    buffer.commit();
    buffer.mark();
    EXPECT_EQ(buffer.readLine(), QByteArray("line two\n"));
    EXPECT_EQ(buffer.readLine(), QByteArray());
}

TEST(ReceiveBuffer, LineWithoutLfIsNotReturned)
{
    ReceiveBuffer buffer(64);
    append(buffer, "GET / HTTP/1.1\r");
    buffer.mark();
    EXPECT_EQ(buffer.readLine(), QByteArray());
    append(buffer, "\n");
    buffer.mark();
    EXPECT_EQ(buffer.readLine(), QByteArray("GET / HTTP/1.1\r\n"));
}

TEST(ReceiveBuffer, LineAndBytesWrapAroundTheEndOfTheStorageInOrder)
{
    ReceiveBuffer buffer(16);
    consume(buffer, "0123456789");
    // 5 bytes fit before the unused last byte, the rest goes to the start.
    append(buffer, "abcdefg\nXYZ");
    buffer.mark();
    EXPECT_EQ(buffer.readLine(), QByteArray("abcdefg\n"));
    EXPECT_EQ(readAll(buffer, 10), QByteArray("XYZ"));
    buffer.commit();
    append(buffer, "more\n");
    buffer.mark();
    EXPECT_EQ(buffer.readLine(), QByteArray("more\n"));
}

TEST(ReceiveBuffer, ReadBytesAcrossTheWrapReturnsWhatIsThere)
{
    ReceiveBuffer buffer(16);
    consume(buffer, "0123456789");
    append(buffer, "abcdefgh");
    buffer.mark();
    EXPECT_EQ(readAll(buffer, 3), QByteArray("abc"));
    EXPECT_EQ(readAll(buffer, 20), QByteArray("defgh"));
    EXPECT_EQ(readAll(buffer, 1), QByteArray());
}

TEST(ReceiveBuffer, HoldsCapacityLessOneBytesAndRefusesMore)
{
    ReceiveBuffer linear(16);
    append(linear, QByteArray(15, 'x'));
    EXPECT_THROW(append(linear, "y"), std::exception);

    ReceiveBuffer wrapped(16);
    consume(wrapped, "0123456789");
    append(wrapped, QByteArray(15, 'x'));
    EXPECT_THROW(append(wrapped, "y"), std::exception);
    wrapped.mark();
    EXPECT_EQ(readAll(wrapped, 20), QByteArray(15, 'x'));
}

TEST(ReceiveBuffer, DefaultStorageHolds10485759Bytes)
{
    ReceiveBuffer buffer;
    EXPECT_EQ(buffer.capacity(), 10485760);
    const QByteArray block(1024 * 1024, 'x');
    for (int i = 0; i < 9; ++i)
        append(buffer, block);
    append(buffer, QByteArray(1024 * 1024 - 1, 'x'));
    EXPECT_THROW(append(buffer, "y"), std::exception);
}

TEST(ReceiveBuffer, FindsAnEmptyLineAheadOnlyWhereALineIsEmpty)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        bool expected;
    };
    const Case cases[] = {
        { "nothing", "", false },
        { "header lines only", "Host: a\r\nX: y\r\n", false },
        { "LF at the start", "\n", true },
        { "CR LF at the start", "\r\n", true },
        { "CR CR LF is no empty line", "A: b\r\n\r\r\n", false },
        { "CR LF line after a header", "A: b\r\n\r\n", true },
        { "bare LF line after a header", "A: b\n\n", true },
        { "CR alone after a header", "A: b\r\n\r", false },
        { "space before the line end", "A: b\r\n \r\n", false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReceiveBuffer buffer(64);
        append(buffer, c.bytes);
        buffer.mark();
        EXPECT_EQ(buffer.hasEmptyLineAhead(), c.expected);
    }
}

TEST(ReceiveBuffer, FindsAnEmptyLineSplitByTheWrapAndOnlyAheadOfTheTentativeIndex)
{
    ReceiveBuffer buffer(16);
    consume(buffer, "0123456789");
    // "A: b\r" lies before the unused last byte, "\n\r\n" at the start.
    append(buffer, "A: b\r\n\r\nZ");
    buffer.mark();
    EXPECT_TRUE(buffer.hasEmptyLineAhead());
    EXPECT_EQ(buffer.readLine(), QByteArray("A: b\r\n"));
    EXPECT_TRUE(buffer.hasEmptyLineAhead());
    EXPECT_EQ(buffer.readLine(), QByteArray("\r\n"));
    EXPECT_FALSE(buffer.hasEmptyLineAhead());
}

TEST(ReceiveBuffer, ANewBufferReadsOnlyItsOwnBytesWhenItGetsAnEarlierOnesStorage)
{
    {
        ReceiveBuffer earlier(128);
        append(earlier, "GET /earlier HTTP/1.1\r\nHost: a\r\n\r\n");
    }
    ReceiveBuffer later(128);
    append(later, "GET");
    later.mark();
    EXPECT_EQ(later.readLine(), QByteArray());
    EXPECT_FALSE(later.hasEmptyLineAhead());
    EXPECT_EQ(readAll(later, 64), QByteArray("GET"));
}
