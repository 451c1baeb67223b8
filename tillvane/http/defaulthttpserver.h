#pragma once

#include "abstracthttpservice.h"
#include "routeentry.h"

#include <QList>

// A service that routes once more, by path pattern and method, to its own
// member handlers. Derived services return their table from routes(); a path
// without entry (or with a method outside the entry's bits) gets the not-found JSON.
class DefaultHttpServer : public AbstractHttpService
{
public:
    bool handle(HttpRequest* request, HttpResponse* response) override;
    virtual const QList<RouteEntry>& routes();
};
