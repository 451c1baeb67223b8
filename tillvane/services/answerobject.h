#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

class HttpResponse;

// The JSON answer of every payment request: an object of string members that
// starts as {"code":"00","msg":"success"}; handlers overwrite "code" and "msg"
// or add "rspData".
class AnswerObject {
public:
    AnswerObject();
    explicit AnswerObject(const QString& code, const QString& msg);

    // Sets a member from 8-bit text read as UTF-8; an empty key inserts nothing.
    void insert(const QString& key, const char* utf8Text);
    void insert(const QString& key, const QString& text);

    // The member as text: a null QString when it is absent or not a JSON string.
    QString text(const QString& key) const;

    void setFailure(const QString& code, const QString& msg);

    // Compact JSON (one line, members in ascending key order); empty for an
    // object without members.
    QByteArray toCompactText() const;

    const QJsonObject& object() const { return m_object; }

    // Answers with this object's text through setJson; withStatus first calls
    // setStatus(200, ""), as the failure answers do.
    void writeTo(HttpResponse* response, bool withStatus) const;

private:
    QJsonObject m_object;
};
