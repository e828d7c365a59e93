// SPDX-License-Identifier: MIT
#include "calibrationrecord.h"
#include "heldmouse.h"
#include "sorting.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using Pairs = CalibrationPairList;

namespace {

QString description(int base) { return QStringLiteral("Using Base Calibration #%1").arg(base); }

// "<prefix> 01", "<prefix> 02", ... with base indices 1, 2, ...
Pairs calibrations(const QString &prefix, int count)
{
    Pairs pairs;
    for (int i = 1; i <= count; ++i)
        pairs.append({QStringLiteral("%1 %2").arg(prefix).arg(i, 2, 10, QLatin1Char('0')), description(i)});
    return pairs;
}

QString freeLine(int rows) { return QStringLiteral("%1 calibrations in TARVIK, %2 free").arg(rows).arg(28 - rows); }

// The rows of a table top to bottom, each as (name shown, tool tip shown).
Pairs rows(const QTableWidget *table)
{
    Pairs shown;
    for (int row = 0; row < table->rowCount(); ++row)
        shown.append({table->item(row, 0)->text(), table->item(row, 0)->toolTip()});
    return shown;
}

// The selection window on screen, its widgets found by object name, the mouse driven on the tables' viewports.
struct Window
{
    // filled, then shown, as the main window does it
    Window(const Pairs &available, const Pairs &held) { w.setExportItems(available, held), w.show(); QVERIFY(QTest::qWaitForWindowExposed(&w)); }
    Sorting w;
    QTableWidget *source = w.findChild<QTableWidget *>("export_source_TWG");
    QTableWidget *current = w.findChild<QTableWidget *>("export_current_TWG");
    QPushButton *add = w.findChild<QPushButton *>("export_add_PBN"), *remove = w.findChild<QPushButton *>("export_del_PBN");
    QPushButton *update = w.findChild<QPushButton *>("pushButton");
    QLabel *sourceCount = w.findChild<QLabel *>("label"), *currentCount = w.findChild<QLabel *>("label_2");
    QSignalSpy emitted{&w, SIGNAL(exportItemsChanged(QList<std::pair<QString, QString> >))};

    // The middle of a row; for -1, a point below the last row.
    static QPoint at(QTableWidget *t, int row)
    {
        const QModelIndex index = t->model()->index(row, 0);
        return row < 0 ? QPoint(t->viewport()->width() / 2, t->viewport()->height() - 2) : (t->scrollTo(index), t->visualRect(index).center());
    }
    static void click(QTableWidget *t, int row) { QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, at(t, row)); }
    static void doubleClick(QTableWidget *t, int row) { click(t, row), QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, at(t, row)); }
    // With the left button held on `from`, enter each row in turn (the view sees no movement otherwise), release.
    static void drag(QTableWidget *t, int from, const QList<int> &entered)
    {
        QTest::mousePress(t->viewport(), Qt::LeftButton, {}, at(t, from));
        for (int row : entered)
            moveWithButtonHeld(t->viewport(), at(t, row));
        QTest::mouseRelease(t->viewport(), Qt::LeftButton, {}, at(t, entered.last()));
    }
    Pairs pressUpdate() { QTest::mouseClick(update, Qt::LeftButton); return emitted.isEmpty() ? Pairs() : emitted.takeLast().first().value<Pairs>(); }
};

} // namespace

class TestSorting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<Pairs>(); }

    void countLinesAndButtonsFollowTheSetSize_data()
    {
        QTest::addColumn<int>("held");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("adds"); // a double-click on an available calibration
        QTest::newRow("empty") << 0 << freeLine(0) << true;
        QTest::newRow("one") << 1 << freeLine(1) << true;
        QTest::newRow("one free") << 27 << freeLine(27) << true;
        QTest::newRow("full") << 28 << freeLine(28) << false;
        QTest::newRow("one too many") << 29 << "29 calibrations in TARVIK, 1 too many: remove 1 before updating" << false;
    }
    void countLinesAndButtonsFollowTheSetSize()
    {
        QFETCH(int, held);
        QFETCH(QString, line);
        QFETCH(bool, adds);
        Window win(calibrations("Spare", 5), calibrations("Held", held));
        QCOMPARE(win.sourceCount->text() + win.currentCount->text(), "5 available calibrations" + line);
        Window::click(win.current, held - 1);
        QCOMPARE(win.remove->isEnabled(), held > 1);
        Window::doubleClick(win.source, 0);
        QVERIFY(win.current->selectedItems().isEmpty());
        const int after = held + int(adds);
        QCOMPARE(win.add->isEnabled(), after < 28);
        QCOMPARE(rows(win.current), calibrations("Held", held) + calibrations("Spare", int(adds)));
        QCOMPARE(win.sourceCount->text(), QString("%1 available calibrations").arg(5 - int(adds)));
        QCOMPARE(win.pressUpdate().size(), after <= 28 ? after : 0);
        Window::doubleClick(win.current, 0); // removes even the only calibration
        QCOMPARE(win.current->rowCount(), after - 1);
        QCOMPARE(win.update->isEnabled(), after - 1 <= 28);
    }

    void countsTakeTheLanguagesPluralForms_data()
    {
        QTest::addColumn<int>("count"); // available and held alike
        QTest::addColumn<QString>("lines");
        QTest::newRow("en, one") << 1 << "1 available calibration|1 calibration in TARVIK, 27 free";
        QTest::newRow("en, two") << 2 << "2 available calibrations|2 calibrations in TARVIK, 26 free";
        QTest::newRow("de, one") << 1 << "1 verfügbare Kalibrierung|1 Kalibrierung im TARVIK, 27 frei";
        QTest::newRow("de, two") << 2 << "2 verfügbare Kalibrierungen|2 Kalibrierungen im TARVIK, 26 frei";
    }
    void countsTakeTheLanguagesPluralForms()
    {
        QFETCH(int, count);
        QFETCH(QString, lines);
        QTranslator translation; // the program's own file for the row's language, as start-up installs it
        QVERIFY(translation.load(QFileInfo(qEnvironmentVariable("TARVIK_UPDATER")).path() + "/Resources/trans_"
                                 + QString(QTest::currentDataTag()).left(2) + ".qm"));
        QCoreApplication::installTranslator(&translation);
        Window win(calibrations("Spare", count), calibrations("Held", count));
        QCOMPARE(win.sourceCount->text() + '|' + win.currentCount->text(), lines);
    }

    // The available table shows its calibrations in name order, whatever order they came in and
    // however they got there; of names that compare as equal the one put in last comes first.
    void availableCalibrationsStayInNameOrder_data()
    {
        QTest::addColumn<Pairs>("available");
        QTest::addColumn<Pairs>("shown");
        const Pairs lamps{{"Tungsten", description(4)}, {"Lamp 9", description(2)}, {"Lamp 10", description(7)}};
        QTest::newRow("shuffled") << lamps << Pairs{lamps[2], lamps[1], lamps[0]};
        Pairs equal, reversed; // more than a sort leaves to its stable insertion pass
        for (int i = 1; i <= 17; ++i)
            equal.append({"T", description(i)}), reversed.prepend(equal.last());
        QTest::newRow("17 equal names") << equal << reversed;
    }
    void availableCalibrationsStayInNameOrder()
    {
        QFETCH(Pairs, available);
        QFETCH(Pairs, shown);
        Window win(calibrations("Old", 3), calibrations("Old held", 3));
        win.w.setExportItems(available, calibrations("Held", 2));
        QCOMPARE(rows(win.source), shown);
        QVERIFY(win.source->selectedItems().isEmpty());
        Window::doubleClick(win.current, 1); // "Held 02" comes before every other name here
        QCOMPARE(rows(win.source), calibrations("Held", 2).mid(1) + shown);
        QCOMPARE(win.sourceCount->text() + win.currentCount->text(), QString("%1 available calibrations").arg(shown.size() + 1) + freeLine(1));
    }

    void draggingMovesACalibrationOneRowAtATime_data()
    {
        QTest::addColumn<int>("from"); // the row pressed on, -1 below the rows after a click on row 3
        QTest::addColumn<QList<int> >("entered"); // rows, with the button held since that press
        QTest::addColumn<Pairs>("order");
        const Pairs h = calibrations("Held", 6);
        QTest::newRow("up two, row by row") << 3 << QList<int>{2, 1} << Pairs{h[0], h[3], h[1], h[2], h[4], h[5]};
        QTest::newRow("down two, row by row") << 3 << QList<int>{4, 5} << Pairs{h[0], h[1], h[2], h[4], h[5], h[3]};
        QTest::newRow("jump down") << 3 << QList<int>{5} << h;
        QTest::newRow("jump to the top") << 3 << QList<int>{0} << h;
        QTest::newRow("pressed below the rows") << -1 << QList<int>{2, 1} << h;
    }
    void draggingMovesACalibrationOneRowAtATime()
    {
        QFETCH(int, from);
        QFETCH(QList<int>, entered);
        QFETCH(Pairs, order);
        Window win({}, calibrations("Held", 6));
        if (from < 0) {
            QVERIFY(!win.current->indexAt(Window::at(win.current, -1)).isValid());
            Window::click(win.current, 3);
        }
        Window::drag(win.current, from, entered);
        // the row under the mouse is current and the only one selected
        if (from >= 0)
            QCOMPARE(win.current->selectedItems(), QList<QTableWidgetItem *>{win.current->item(entered.last(), 0)});
        QCOMPARE(win.pressUpdate(), order); // every row shown, top to bottom, as (name, tool tip)
    }
};

QTEST_MAIN(TestSorting)
#include "tst_sorting.moc"
