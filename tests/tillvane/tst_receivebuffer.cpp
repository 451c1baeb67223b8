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
