#pragma once

// Runs the body of an export so that no exception leaves the library: any exception
// (out of memory, a thread that cannot start) becomes onFailure.
template <typename Result, typename Body> Result guardExport(Result onFailure, Body body) noexcept
{
    try {
        return body();
    } catch (...) {
        return onFailure;
    }
}

template <typename Body> void guardExport(Body body) noexcept
{
    try {
        body();
    } catch (...) {
    }
}
