#include "ui/BusyGuard.h"

BusyGuard::BusyGuard(bool& busy) : busy(busy), held(!busy)
{
    busy = true;
}

BusyGuard::~BusyGuard()
{
    if (held)
        busy = false;
}
