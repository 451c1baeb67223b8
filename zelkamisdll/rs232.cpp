#include "rs232.h"

bool serialOpen(int /*port*/)
{
    return false;
}

int serialWrite(const unsigned char* /*data*/, int /*count*/)
{
    return 0;
}

int serialReadFrame(unsigned char* /*buffer*/, int /*capacity*/, int /*timeoutSeconds*/)
{
    return 0;
}

void serialClose() { }
