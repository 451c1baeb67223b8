#include "httpnotfoundservicedefaultimpl.h"

#include "httprequest.h"
#include "httpresponse.h"
#include "notfoundjson.h"
#include "pathpattern.h"

#include <QDebug>

bool HttpNotFoundServiceDefaultImpl::handle(HttpRequest* request, HttpResponse* response)
{
    qDebug() << "handle not found default...." << decodedPath(request);
    response->setJson(notFoundJson());
    return false;
}
