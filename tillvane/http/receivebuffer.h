#pragma once

#include <QByteArray>
#include <QtGlobal>

// Ring storage for the bytes received on one connection. Decoding works on
// tentative indices (mark/readBytes/readLine) and only commit() consumes.
// The last byte of the storage is never used, so at most capacity - 1 bytes
// wait in the buffer.
class ReceiveBuffer
{
public:
    static constexpr qint64 defaultCapacity = 10 * 1024 * 1024;

    explicit ReceiveBuffer(qint64 capacity = defaultCapacity);
    ~ReceiveBuffer();
    ReceiveBuffer(const ReceiveBuffer&) = delete;
    ReceiveBuffer& operator=(const ReceiveBuffer&) = delete;

    // Throws std::exception when the bytes do not fit.
    void append(const char* bytes, qint64 n);

    void mark();
    void commit();
    qint64 readBytes(char* dest, qint64 n);
    QByteArray readLine();
    // Whether the bytes from the tentative read index hold an empty line ("\n"
    // or "\r\n" starting there or right after an LF). Moves nothing; cheap
    // next to reading the lines, so a header block can be checked for its end
    // before it is parsed again.
    bool hasEmptyLineAhead() const;

    qint64 capacity() const { return m_capacity; }

private:
    qint64 m_capacity;
    // Never cleared: it may hold an earlier connection's bytes beyond what was
    // written here (see ReceiveStorage), and only written bytes are read.
    char* m_storage;
    // How far from the start of the storage bytes were ever written.
    qint64 m_touched = 0;
    qint64 m_readIndex = 0;
    qint64 m_writeIndex = 0;
    bool m_linear = true;
    qint64 m_tentativeReadIndex = 0;
    qint64 m_tentativeWriteIndex = 0;
    bool m_tentativeLinear = true;
};
