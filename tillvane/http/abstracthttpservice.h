#pragma once

class HttpRequest;
class HttpResponse;

// A service answers requests routed to it. handle() returns false when the
// connection is to write the response, true when nothing is to be written.
class AbstractHttpService
{
public:
    virtual ~AbstractHttpService() = default;
    virtual bool handle(HttpRequest* request, HttpResponse* response) = 0;
};
