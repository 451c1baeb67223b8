#pragma once

#include <QString>

class HttpRequest;

// The request path with every percent escape resolved; routing matches on it.
QString decodedPath(HttpRequest* request);

// Whether the whole path matches the regular expression, ignoring case.
bool matchesWholePath(const QString& pattern, const QString& path);
