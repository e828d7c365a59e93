#include "dialog.h"

void dialog::downloadCalibrations()
{
}
