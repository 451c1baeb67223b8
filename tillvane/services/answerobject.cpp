#include "answerobject.h"

#include "httpresponse.h"

#include <QJsonDocument>
#include <QJsonValue>

AnswerObject::AnswerObject()
    : AnswerObject(QStringLiteral("00"), QStringLiteral("success"))
{
}

AnswerObject::AnswerObject(const QString& code, const QString& msg)
{
    m_object.insert(QStringLiteral("code"), code);
    m_object.insert(QStringLiteral("msg"), msg);
}

void AnswerObject::insert(const QString& key, const char* utf8Text)
{
    insert(key, QString::fromUtf8(utf8Text ? utf8Text : ""));
}

void AnswerObject::insert(const QString& key, const QString& text)
{
    if (key.isEmpty())
        return;
    m_object.insert(key, text);
}

QString AnswerObject::text(const QString& key) const
{
    const QJsonValue value = m_object.value(key);
    if (!value.isString())
        return QString();
    return value.toString();
}

void AnswerObject::setFailure(const QString& code, const QString& msg)
{
    m_object.insert(QStringLiteral("code"), code);
    m_object.insert(QStringLiteral("msg"), msg);
}

QByteArray AnswerObject::toCompactText() const
{
    if (m_object.isEmpty())
        return QByteArray();
    return QJsonDocument(m_object).toJson(QJsonDocument::Compact);
}

void AnswerObject::writeTo(HttpResponse* response, bool withStatus) const
{
    if (withStatus)
        response->setStatus(200, QString());
    response->setJson(QString::fromUtf8(toCompactText()));
}
