#include "dialog.h"

bool dialog::findTARVIK()
{
    return false;
}
