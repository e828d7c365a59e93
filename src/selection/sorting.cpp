#include "sorting.h"

Sorting::Sorting(QWidget *parent)
    : QDialog(parent)
{
}

void Sorting::setExportItems(QList<std::pair<QString, QString> >, QList<std::pair<QString, QString> >)
{
}

void Sorting::setInstrumentLabel(QString)
{
}
