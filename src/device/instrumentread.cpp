#include "dialog.h"

int dialog::getCalInternal()
{
    return 1;
}

void dialog::showSorting()
{
}
