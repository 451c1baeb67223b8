#pragma once

#include "abstracthttpservice.h"

// Answers paths that no route matches with the not-found JSON.
class HttpNotFoundServiceDefaultImpl : public AbstractHttpService
{
public:
    bool handle(HttpRequest* request, HttpResponse* response) override;
};
