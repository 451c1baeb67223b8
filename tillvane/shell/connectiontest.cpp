#include "connectiontest.h"

#include "httprequest.h"
#include "httpresponse.h"
#include "misserviceforkovra.h"
#include "misserviceforkovrav2.h"

#include <QDateTime>
#include <QUrl>
#include <QtDebug>

namespace {

QString signOn(AbstractHttpService* service, const QString& path, const QString& body)
{
    HttpRequest request;
    request.setMethod(QStringLiteral("POST"));
    request.setUrl(QUrl(path));
    request.setBody(body);
    HttpResponse response(&request);
    service->handle(&request, &response);
    return response.body();
}

} // namespace

QString runConnectionTest(bool useDllV2)
{
    if (useDllV2) {
        qDebug() << "连接测试：V2";
        return signOn(MisServiceForKovraV2::instance(), QStringLiteral("/kovra/v2/dotrans/"),
                      QStringLiteral("{\"CMD\":\"LOGON\",\"EXT_ORDER_NO\":\"20200728123240\"}"));
    }
    qDebug() << "连接测试：V1";
    const QString answer = signOn(MisServiceForKovra::instance(), QStringLiteral("/kovra/sign/"),
                                  QStringLiteral("{\"misTraceNo\":%1}").arg(QDateTime::currentSecsSinceEpoch()));
    qDebug() << answer;
    return answer;
}
