#include "receivebuffer.h"

#include "receivestorage.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <new>

ReceiveBuffer::ReceiveBuffer(qint64 capacity)
    : m_capacity(capacity)
    , m_storage(ReceiveStorage::take(static_cast<size_t>(capacity)))
{
    if (!m_storage)
        throw std::bad_alloc();
}

ReceiveBuffer::~ReceiveBuffer()
{
    ReceiveStorage::giveBack(m_storage, static_cast<size_t>(m_capacity), static_cast<size_t>(m_touched));
}

void ReceiveBuffer::append(const char* bytes, qint64 n)
{
    char* storage = m_storage;
    if (m_linear) {
        if (m_capacity - m_writeIndex > n) {
            std::memcpy(storage + m_writeIndex, bytes, static_cast<size_t>(n));
            m_writeIndex += n;
            m_touched = std::max(m_touched, m_writeIndex);
            return;
        }
        const qint64 head = m_capacity - 1 - m_writeIndex;
        const qint64 rest = n - head;
        if (rest > m_readIndex)
            throw std::exception();
        std::memcpy(storage + m_writeIndex, bytes, static_cast<size_t>(head));
        std::memcpy(storage, bytes + head, static_cast<size_t>(rest));
        m_touched = m_capacity - 1;
        m_writeIndex = rest;
        m_linear = false;
        return;
    }
    if (m_writeIndex + n > m_readIndex)
        throw std::exception();
    std::memcpy(storage + m_writeIndex, bytes, static_cast<size_t>(n));
    m_writeIndex += n;
}

void ReceiveBuffer::mark()
{
    m_tentativeReadIndex = m_readIndex;
    m_tentativeWriteIndex = m_writeIndex;
    m_tentativeLinear = m_linear;
}

void ReceiveBuffer::commit()
{
    m_readIndex = m_tentativeReadIndex;
    m_writeIndex = m_tentativeWriteIndex;
    m_linear = m_tentativeLinear;
}

qint64 ReceiveBuffer::readBytes(char* dest, qint64 n)
{
    const char* storage = m_storage;
    if (m_tentativeLinear) {
        const qint64 count = qMin(n, m_tentativeWriteIndex - m_tentativeReadIndex);
        std::memcpy(dest, storage + m_tentativeReadIndex, static_cast<size_t>(count));
        m_tentativeReadIndex += count;
        return count;
    }
    const qint64 tail = m_capacity - 1 - m_tentativeReadIndex;
    if (n <= tail) {
        std::memcpy(dest, storage + m_tentativeReadIndex, static_cast<size_t>(n));
        m_tentativeReadIndex += n;
        return n;
    }
    m_tentativeLinear = true;
    std::memcpy(dest, storage + m_tentativeReadIndex, static_cast<size_t>(tail));
    const qint64 rest = n - tail;
    if (rest <= m_tentativeWriteIndex) {
        std::memcpy(dest + tail, storage, static_cast<size_t>(rest));
        m_tentativeReadIndex = rest;
        return n;
    }
    std::memcpy(dest + tail, storage, static_cast<size_t>(m_tentativeWriteIndex));
    m_tentativeReadIndex = m_tentativeWriteIndex;
    return tail + m_tentativeWriteIndex;
}

QByteArray ReceiveBuffer::readLine()
{
    const char* storage = m_storage;
    if (m_tentativeLinear) {
        const char* start = storage + m_tentativeReadIndex;
        const auto* lf = static_cast<const char*>(
            std::memchr(start, '\n', static_cast<size_t>(m_tentativeWriteIndex - m_tentativeReadIndex)));
        if (!lf)
            return QByteArray();
        QByteArray line(start, static_cast<int>(lf - start + 1));
        m_tentativeReadIndex += line.size();
        return line;
    }
    const char* start = storage + m_tentativeReadIndex;
    const qint64 tail = m_capacity - 1 - m_tentativeReadIndex;
    if (const auto* lf = static_cast<const char*>(std::memchr(start, '\n', static_cast<size_t>(tail)))) {
        QByteArray line(start, static_cast<int>(lf - start + 1));
        m_tentativeReadIndex += line.size();
        return line;
    }
    const auto* lf
        = static_cast<const char*>(std::memchr(storage, '\n', static_cast<size_t>(m_tentativeWriteIndex)));
    if (!lf)
        return QByteArray();
    const qint64 headLength = lf - storage + 1;
    QByteArray line(start, static_cast<int>(tail));
    line.append(storage, static_cast<int>(headLength));
    m_tentativeReadIndex = headLength;
    m_tentativeLinear = true;
    return line;
}

bool ReceiveBuffer::hasEmptyLineAhead() const
{
    const char* storage = m_storage;
    const char* spans[2][2] = {};
    if (m_tentativeLinear) {
        spans[0][0] = storage + m_tentativeReadIndex;
        spans[0][1] = storage + m_tentativeWriteIndex;
    } else {
        spans[0][0] = storage + m_tentativeReadIndex;
        spans[0][1] = storage + m_capacity - 1;
        spans[1][0] = storage;
        spans[1][1] = storage + m_tentativeWriteIndex;
    }
    enum { LineStart, CrAtLineStart, InsideLine } state = LineStart;
    for (const auto& span : spans) {
        for (const char* p = span[0]; p != span[1]; ++p) {
            if (*p == '\n') {
                if (state != InsideLine)
                    return true;
                state = LineStart;
            } else {
                state = state == LineStart && *p == '\r' ? CrAtLineStart : InsideLine;
            }
        }
    }
    return false;
}
