#pragma once

#include "abstracthttpservice.h"

// Answers the root path with a greeting page.
class HomeServiceImpl : public AbstractHttpService
{
public:
    bool handle(HttpRequest* request, HttpResponse* response) override;
};
