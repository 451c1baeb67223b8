#include "httpcontroller.h"

#include "httpresponse.h"
#include "pathpattern.h"

#include <QDebug>

bool HttpController::dispatch(HttpRequest* request, HttpResponse* response)
{
    try {
        const QString path = decodedPath(request);
        qDebug() << "dispatch path:" << path;
        for (const auto& route : qAsConst(m_routes)) {
            qDebug() << "dispatch compare: " << route.first;
            if (matchesWholePath(route.first, path))
                return route.second->handle(request, response);
        }
        return m_notFoundService.handle(request, response);
    } catch (...) {
        qDebug() << "dispatch occur exception.";
        response->setStatus(500, QString());
        return false;
    }
}

HttpController& HttpController::addRoute(const QString& pattern, AbstractHttpService* service)
{
    m_routes.append(qMakePair(pattern, service));
    return *this;
}
