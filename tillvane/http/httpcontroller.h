#pragma once

#include "httpnotfoundservicedefaultimpl.h"

#include <QList>
#include <QPair>
#include <QString>

class AbstractHttpService;
class HttpRequest;
class HttpResponse;

// Picks the service for a request by matching its path against the routes in
// the order they were added. Does not own the services.
class HttpController
{
public:
    virtual ~HttpController() = default;

    // The service's result; false (with status 500) when the service threw.
    virtual bool dispatch(HttpRequest* request, HttpResponse* response);
    virtual HttpController& addRoute(const QString& pattern, AbstractHttpService* service);

private:
    QList<QPair<QString, AbstractHttpService*>> m_routes;
    HttpNotFoundServiceDefaultImpl m_notFoundService;
};
