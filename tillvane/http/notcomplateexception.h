#pragma once

#include <exception>

// Raised inside the decoder when a request has not been received whole yet.
class NotComplateException : public std::exception
{
public:
    const char* what() const noexcept override { return "http request not complete"; }
};
