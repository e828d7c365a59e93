#ifndef SORTING_H
#define SORTING_H

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

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
    // Says beneath the available calibrations how many of the catalogue's were left out,
    // with their names and why in the tool tip; nothing when none was.
    void showLeftOut(const QStringList &nonFinite, const QStringList &sameFirst19Bytes);

signals:
    void exportItemsChanged(QList<std::pair<QString, QString> >);

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
