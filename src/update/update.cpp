#include "dialog.h"

void dialog::updateTARVIK(QList<std::pair<QString, QString> > chosen)
{
    Q_UNUSED(chosen);
}
