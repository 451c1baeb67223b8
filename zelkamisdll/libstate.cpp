#include "libstate.h"

LibraryState& libraryState()
{
    static LibraryState state;
    return state;
}
