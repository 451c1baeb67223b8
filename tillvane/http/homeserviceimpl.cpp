#include "homeserviceimpl.h"

#include "httprequest.h"
#include "httpresponse.h"
#include "pathpattern.h"

#include <QDebug>

bool HomeServiceImpl::handle(HttpRequest* request, HttpResponse* response)
{
    qDebug() << "handle...." << decodedPath(request);
    response->setHtml(QStringLiteral("hello world."));
    return false;
}
