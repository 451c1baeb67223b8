#include "connectiontest.h"

#include "httprequest.h"
#include "httpresponse.h"
#include "misserviceforkovra.h"
#include "misserviceforkovrav2.h"

#include <QDateTime>
#include <QtDebug>

QString runConnectionTest(bool useDllV2)
{
    HttpRequest request;
    request.setMethod(QStringLiteral("POST"));
    if (useDllV2) {
        qDebug() << "连接测试：V2";
        MisServiceForKovraV2* service = MisServiceForKovraV2::instance();
        request.setBody(QStringLiteral("{\"CMD\":\"LOGON\",\"EXT_ORDER_NO\":\"20200728123240\"}"));
        HttpResponse response(&request);
        service->do_trans(&request, &response);
        return response.body();
    }

    qDebug() << "连接测试：V1";
    MisServiceForKovra* service = MisServiceForKovra::instance();
    request.setBody(QStringLiteral("{\"misTraceNo\":%1}").arg(QDateTime::currentSecsSinceEpoch()));
    HttpResponse response(&request);
    service->trans_sign(&request, &response);
    qDebug() << response.body();
    return response.body();
}
