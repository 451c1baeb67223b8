#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <cstdlib>
#include <memory>

// Ring storage for the bytes received on one connection. Decoding works on
// tentative indices (mark/readBytes/readLine) and only commit() consumes.
// The last byte of the storage is never used, so at most capacity - 1 bytes
// wait in the buffer.
class ReceiveBuffer
{
public:
    static constexpr qint64 defaultCapacity = 10 * 1024 * 1024;

    explicit ReceiveBuffer(qint64 capacity = defaultCapacity);

    // Throws std::exception when the bytes do not fit.
    void append(const char* bytes, qint64 n);

    void mark();
    void commit();
    qint64 readBytes(char* dest, qint64 n);
    QByteArray readLine();

    qint64 capacity() const { return m_capacity; }

private:
    struct FreeDeleter {
        void operator()(char* p) const { std::free(p); }
    };

    qint64 m_capacity;
    // Zero-filled by the allocator, so a fresh connection does not pay for clearing 10 MiB.
    std::unique_ptr<char, FreeDeleter> m_storage;
    qint64 m_readIndex = 0;
    qint64 m_writeIndex = 0;
    bool m_linear = true;
    qint64 m_tentativeReadIndex = 0;
    qint64 m_tentativeWriteIndex = 0;
    bool m_tentativeLinear = true;
};
