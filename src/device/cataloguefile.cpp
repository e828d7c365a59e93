#include "dialog.h"

int dialog::getCalFromFile()
{
    return 1;
}
