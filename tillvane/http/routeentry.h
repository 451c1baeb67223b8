#pragma once

#include <QString>

class DefaultHttpServer;
class HttpRequest;
class HttpResponse;

// One route of a DefaultHttpServer: a path pattern matched whole and without
// regard to case, the allowed HttpMethodFlag bits and the member that answers.
struct RouteEntry {
    using Handler = bool (DefaultHttpServer::*)(HttpRequest*, HttpResponse*);

    QString pattern;
    int methods;
    Handler handler;
};
