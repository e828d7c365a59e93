#ifndef SORTING_H
#define SORTING_H

#include <QDialog>
#include <QList>
#include <QString>

#include <utility>

class Sorting : public QDialog
{
    Q_OBJECT

public:
    explicit Sorting(QWidget *parent = nullptr);

    void setExportItems(QList<std::pair<QString, QString> > available,
                        QList<std::pair<QString, QString> > current);
    void setInstrumentLabel(QString text);

signals:
    void exportItemsChanged(QList<std::pair<QString, QString> >);
};

#endif
