#ifndef SORTING_H
#define SORTING_H

#include <QDialog>
#include <QList>
#include <QString>

#include <utility>

class QTableWidget;
class QTableWidgetItem;

namespace Ui {
class Sorting;
}

// The selection window: available calibrations on the left, the instrument's
// set on the right in slot order. Update hands the set on as (name, description) pairs.
class Sorting : public QDialog
{
    Q_OBJECT

public:
    explicit Sorting(QWidget *parent = nullptr);
    ~Sorting() override;

    void setExportItems(QList<std::pair<QString, QString> > available,
                        QList<std::pair<QString, QString> > current);
    void setInstrumentLabel(QString text);

signals:
    void exportItemsChanged(QList<std::pair<QString, QString> >);
    // The user asked to give the instrument back a saved set instead.
    void restoreRequested();

private slots:
    void slotMove();
    void slotCellEntered(int row, int);
    void slotSrcCellClicked(int row, int);
    void slotCurCellClicked(int row, int);
    void slotCellPressed(int row, int);
    void slotEnableButtons();
    void loadButtonPressed();

private:
    void setSourceItems(const QList<std::pair<QString, QString> > &available);
    void setCurrentItems(const QList<std::pair<QString, QString> > &current);
    void moveToCurrent(QTableWidget *from, QTableWidget *to);
    void moveToSource(QTableWidget *from, QTableWidget *to);
    void finishMove(QTableWidget *to, QTableWidgetItem *lastMoved);
    void showSourceCount();
    void showCurrentCount();
    bool canAddToCurrent() const;

    Ui::Sorting *ui;
    bool pressed;
};

#endif
