#pragma once

#include <QEvent>

// What a posted MyEvent asks of a connection's EventLoop.
enum EVENT_TE {
    EVENT_DATA_READY = 0,
    EVENT_STOP = 4,
};

// An event carrying one value; all MyEvent objects share one registered type.
template <typename T> class MyEvent : public QEvent
{
public:
    explicit MyEvent(T value)
        : QEvent(eventType())
        , m_value(value)
    {
    }

    T value() const { return m_value; }

    static QEvent::Type eventType()
    {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType(-1));
        return type;
    }

private:
    T m_value;
};
