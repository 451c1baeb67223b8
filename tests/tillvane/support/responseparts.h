#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

// An encoded response split into its status line, header lines (in the
// order sent) and body.
struct ResponseParts {
    QByteArray statusLine;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;

    static ResponseParts parse(const QByteArray& response);
    // Values of every header line with exactly this name.
    QList<QByteArray> values(const QByteArray& name) const;
};
