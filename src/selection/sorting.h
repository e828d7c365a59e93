// SPDX-License-Identifier: MIT
#ifndef SORTING_H
#define SORTING_H

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

class QKeySequence;
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
    // Says whether the catalogue on offer was signed, and by which key (empty: not signed).
    void showCatalogueSignature(const QString &keyId);

    // Asked with the set when Update is pressed; the set goes out only when it answers true.
    using Confirmation = std::function<bool(const QList<std::pair<QString, QString> > &)>;
    void setConfirmation(Confirmation confirm) { m_confirm = std::move(confirm); }

    // Escape and the window's close button: a changed set is not dropped without asking.
    void reject() override;

signals:
    void exportItemsChanged(QList<std::pair<QString, QString> >);
    // The user asked to give the instrument back a saved set instead.
    void restoreRequested();
    void historyRequested();

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
    void moveCurrentRow(QTableWidget *from);
    void moveChosenBy(int rows);
    void addKeys(QTableWidget *table, const QList<QKeySequence> &keys, const std::function<void()> &action);
    QList<std::pair<QString, QString> > chosenPairs() const;

    Ui::Sorting *ui;
    bool pressed;
    QList<std::pair<QString, QString> > m_filled; // the set as the instrument holds it
    Confirmation m_confirm;
};

#endif
