#include "defaulthttpserver.h"

#include "httpmethodflag.h"
#include "httprequest.h"
#include "httpresponse.h"
#include "notfoundjson.h"
#include "pathpattern.h"

bool DefaultHttpServer::handle(HttpRequest* request, HttpResponse* response)
{
    const QString path = decodedPath(request);
    for (const RouteEntry& entry : routes()) {
        if (matchesWholePath(entry.pattern, path) && (methodFlag(request->method()) & entry.methods))
            return (this->*entry.handler)(request, response);
    }
    response->setJson(notFoundJson());
    return false;
}

const QList<RouteEntry>& DefaultHttpServer::routes()
{
    static const QList<RouteEntry> none;
    return none;
}
