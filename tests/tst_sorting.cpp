#include "sorting.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTranslator>
#include <QtTest>

using Pairs = QList<std::pair<QString, QString> >;

namespace {

QString description(int base)
{
    return QStringLiteral("Using Base Calibration #%1").arg(base);
}

// count calibrations named "<prefix> 01", "<prefix> 02", ... with base indices 1, 2, ...
Pairs calibrations(const QString &prefix, int count)
{
    Pairs pairs;
    for (int i = 1; i <= count; ++i)
        pairs.append({QStringLiteral("%1 %2").arg(prefix).arg(i, 2, 10, QLatin1Char('0')), description(i)});
    return pairs;
}

QStringList namesOf(const Pairs &pairs)
{
    QStringList names;
    for (const auto &pair : pairs)
        names.append(pair.first);
    return names;
}

QString freeLine(int rows)
{
    return QStringLiteral("%1 calibrations in TARVIK, %2 free").arg(rows).arg(28 - rows);
}

// Marks every text it translates, so a test can tell translated texts from untranslated ones.
class MarkingTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char * = nullptr,
                      int = -1) const override
    {
        if (qstrcmp(context, "Sorting") != 0)
            return QString();
        return QStringLiteral("<%1>").arg(QString::fromUtf8(sourceText));
    }
};

// The selection window on screen, with its widgets found by their object names
// and the mouse driven on the tables' viewports as a user would.
class Window
{
public:
    Window()
    {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }

    Sorting w;
    QTableWidget *source = w.findChild<QTableWidget *>("export_source_TWG");
    QTableWidget *current = w.findChild<QTableWidget *>("export_current_TWG");
    QPushButton *add = w.findChild<QPushButton *>("export_add_PBN");
    QPushButton *remove = w.findChild<QPushButton *>("export_del_PBN");
    QPushButton *update = w.findChild<QPushButton *>("pushButton");
    QLabel *sourceCount = w.findChild<QLabel *>("label");
    QLabel *currentCount = w.findChild<QLabel *>("label_2");
    QLabel *instrument = w.findChild<QLabel *>("label_3");

    static QStringList names(const QTableWidget *table)
    {
        QStringList names;
        for (int row = 0; row < table->rowCount(); ++row)
            names.append(table->item(row, 0)->text());
        return names;
    }

    static int rowOf(const QTableWidget *table, const QString &name)
    {
        const auto found = table->findItems(name, Qt::MatchExactly);
        return found.size() == 1 ? found.first()->row() : -1;
    }

    static QPoint pointOf(QTableWidget *table, int row)
    {
        const QModelIndex index = table->model()->index(row, 0);
        table->scrollTo(index);
        return table->visualRect(index).center();
    }

    static void click(QTableWidget *table, int row)
    {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, pointOf(table, row));
    }

    // press, release, second press reported as a double-click, release
    static void doubleClick(QTableWidget *table, int row)
    {
        const QPoint at = pointOf(table, row);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, at);
    }

    static void press(QTableWidget *table, int row)
    {
        QTest::mousePress(table->viewport(), Qt::LeftButton, {}, pointOf(table, row));
    }

    // with the left button held, as the view sees no movement otherwise
    static void moveInto(QTableWidget *table, int row)
    {
        const QPoint at = pointOf(table, row);
        QMouseEvent move(QEvent::MouseMove, at, table->viewport()->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(table->viewport(), &move);
    }

    static void release(QTableWidget *table, int row)
    {
        QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, pointOf(table, row));
    }
};

} // namespace

class TestSorting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<Pairs>(); }

    void freshDialogIsEmptyAndWaitsForAFill()
    {
        Window win;
        QCOMPARE(win.w.size(), QSize(595, 677));
        QCOMPARE(win.w.windowTitle(), QString("Quillor TARVIK Calibration Updater"));
        QCOMPARE(win.instrument->text(), QString("No Quillor TARVIK found."));
        QCOMPARE(win.w.findChild<QGroupBox *>("groupBox_2")->title(), QString("Calibrations:"));
        QCOMPARE(win.update->text(), QString("Update"));
        QCOMPARE(win.add->text(), QString("->"));
        QCOMPARE(win.remove->text(), QString("<-"));
        QVERIFY(win.sourceCount->text().isEmpty());
        QVERIFY(win.currentCount->text().isEmpty());
        QCOMPARE(win.source->rowCount(), 0);
        QCOMPARE(win.current->rowCount(), 0);
        QVERIFY(win.add->isEnabled());
        QVERIFY(!win.remove->isEnabled());
        QVERIFY(win.update->isEnabled());

        QCOMPARE(win.source->parentWidget()->objectName(), QString("groupBox_2"));
        QCOMPARE(win.current->parentWidget()->objectName(), QString("groupBox_2"));

        win.w.setInstrumentLabel("Quillor TARVIK 1234 found.");
        QCOMPARE(win.instrument->text(), QString("Quillor TARVIK 1234 found."));
    }

    void countLinesAndButtonsFollowTheSetSize_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("addEnabled");
        QTest::addColumn<bool>("removeEnabled");
        QTest::addColumn<bool>("updateEnabled");

        QTest::newRow("empty") << 0 << freeLine(0) << true << false << true;
        QTest::newRow("one") << 1 << freeLine(1) << true << false << true;
        QTest::newRow("one free") << 27 << freeLine(27) << true << true << true;
        QTest::newRow("full") << 28 << freeLine(28) << false << true << true;
        QTest::newRow("one too many")
            << 29 << QString("29 calibrations in TARVIK, 1 too many: remove 1 before updating") << false << true
            << false;
    }

    void countLinesAndButtonsFollowTheSetSize()
    {
        QFETCH(int, rows);
        QFETCH(QString, line);
        QFETCH(bool, addEnabled);
        QFETCH(bool, removeEnabled);
        QFETCH(bool, updateEnabled);

        Window win;
        win.w.setExportItems(calibrations("Spare", 5), calibrations("Held", rows));
        QCOMPARE(win.sourceCount->text(), QString("5 available calibrations"));
        QCOMPARE(win.currentCount->text(), line);
        QCOMPARE(win.add->isEnabled(), addEnabled);
        QCOMPARE(win.update->isEnabled(), updateEnabled);
        QCOMPARE(Window::names(win.current), namesOf(calibrations("Held", rows)));

        // the remove button wakes up with the first selection in the set
        QVERIFY(!win.remove->isEnabled());
        if (rows > 0) {
            Window::click(win.current, rows - 1);
            QCOMPARE(win.remove->isEnabled(), removeEnabled);
        }
        Window::click(win.source, 0);
        QCOMPARE(win.add->isEnabled(), addEnabled);
        QVERIFY(win.current->selectedItems().isEmpty());
    }

    void calibrationsMoveByButtonAndDoubleClick_data()
    {
        QTest::addColumn<bool>("byDoubleClick");
        QTest::newRow("arrow buttons") << false;
        QTest::newRow("double-clicks") << true;
    }

    void calibrationsMoveByButtonAndDoubleClick()
    {
        QFETCH(bool, byDoubleClick);
        Window win;
        win.w.setExportItems({{"Tungsten", description(4)}, {"Daylight", description(2)}, {"Neon", description(7)}},
                             calibrations("Held", 3));

        const int daylight = Window::rowOf(win.source, "Daylight");
        if (byDoubleClick) {
            Window::doubleClick(win.source, daylight);
        } else {
            Window::click(win.source, daylight);
            QTest::mouseClick(win.add, Qt::LeftButton);
        }
        QCOMPARE(Window::names(win.current), QStringList({"Held 01", "Held 02", "Held 03", "Daylight"}));
        QCOMPARE(Window::rowOf(win.source, "Daylight"), -1);
        QCOMPARE(win.source->rowCount(), 2);
        QCOMPARE(win.sourceCount->text(), QString("2 available calibrations"));
        QCOMPARE(win.currentCount->text(), freeLine(4));
        QVERIFY(win.current->selectedItems().isEmpty());
        const QTableWidgetItem *moved = win.current->item(3, 0);
        QCOMPARE(moved->toolTip(), description(2));
        QCOMPARE(moved->data(Qt::UserRole).toString(), description(2));

        if (byDoubleClick) {
            Window::doubleClick(win.current, 1);
        } else {
            Window::click(win.current, 1);
            QTest::mouseClick(win.remove, Qt::LeftButton);
        }
        QCOMPARE(Window::names(win.current), QStringList({"Held 01", "Held 03", "Daylight"}));
        QCOMPARE(win.source->rowCount(), 3);
        QCOMPARE(win.sourceCount->text(), QString("3 available calibrations"));
        QCOMPARE(win.currentCount->text(), freeLine(3));
        const QTableWidgetItem *back = win.source->item(Window::rowOf(win.source, "Held 02"), 0);
        QCOMPARE(back->toolTip(), description(2));
        QCOMPARE(back->data(Qt::UserRole).toString(), description(2));
    }

    void anArrowWithNothingSelectedMovesNothing()
    {
        Window win;
        win.w.setExportItems(calibrations("Spare", 2), calibrations("Held", 2));
        QTest::mouseClick(win.add, Qt::LeftButton);
        Window::click(win.current, 0); // selects in the set, clears the available table
        QTest::mouseClick(win.add, Qt::LeftButton);
        QCOMPARE(Window::names(win.current), QStringList({"Held 01", "Held 02"}));
        QCOMPARE(win.source->rowCount(), 2);
    }

    void aFullSetRefusesAnAddSilently()
    {
        Window win;
        win.w.setExportItems(calibrations("Spare", 3), calibrations("Held", 27));
        Window::doubleClick(win.source, 0);
        QCOMPARE(win.current->rowCount(), 28);
        QCOMPARE(win.currentCount->text(), freeLine(28));
        QVERIFY(!win.add->isEnabled());

        const QStringList before = Window::names(win.current);
        Window::doubleClick(win.source, 0);
        QCOMPARE(Window::names(win.current), before);
        QCOMPARE(win.source->rowCount(), 2);
        QCOMPARE(win.currentCount->text(), freeLine(28));
        QVERIFY(!win.add->isEnabled());
    }

    void theOnlyCalibrationCanStillBeRemoved()
    {
        Window win;
        win.w.setExportItems({}, calibrations("Held", 1));
        QSignalSpy emitted(&win.w, SIGNAL(exportItemsChanged(QList<std::pair<QString, QString> >)));
        Window::doubleClick(win.current, 0);
        QCOMPARE(win.current->rowCount(), 0);
        QCOMPARE(Window::names(win.source), QStringList({"Held 01"}));
        QCOMPARE(win.currentCount->text(), freeLine(0));
        QTest::mouseClick(win.update, Qt::LeftButton);
        QCOMPARE(emitted.count(), 1);
        QCOMPARE(emitted.first().first().value<Pairs>(), Pairs());
    }

    void draggingMovesACalibrationOneRowAtATime_data()
    {
        QTest::addColumn<bool>("pressOnARow");
        QTest::addColumn<QList<int> >("entered");
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("currentRow");

        QTest::newRow("up one") << true << QList<int>{2} << "ABDCEF" << 2;
        QTest::newRow("up two, row by row") << true << QList<int>{2, 1} << "ADBCEF" << 1;
        QTest::newRow("down two, row by row") << true << QList<int>{4, 5} << "ABCEFD" << 5;
        QTest::newRow("jump up") << true << QList<int>{1} << "ABCDEF" << -1;
        QTest::newRow("jump to the top") << true << QList<int>{0} << "ABCDEF" << -1;
        QTest::newRow("jump down") << true << QList<int>{5} << "ABCDEF" << -1;
        QTest::newRow("pressed below the rows") << false << QList<int>{5} << "ABCDEF" << -1;
    }

    void draggingMovesACalibrationOneRowAtATime()
    {
        QFETCH(bool, pressOnARow);
        QFETCH(QList<int>, entered);
        QFETCH(QString, order);
        QFETCH(int, currentRow);

        Window win;
        Pairs set;
        for (const QChar name : QString("ABCDEF"))
            set.append({name, description(int(name.unicode()))});
        win.w.setExportItems({}, set);

        if (pressOnARow) {
            Window::press(win.current, 3);
        } else {
            // A finished click ends a drag; a drag begun on no calibration must not move the current one.
            Window::click(win.current, 4);
            const QPoint below = Window::pointOf(win.current, 5) + QPoint(0, 2 * win.current->rowHeight(5));
            QVERIFY(!win.current->itemAt(below));
            QTest::mousePress(win.current->viewport(), Qt::LeftButton, {}, below);
        }
        for (int row : entered)
            Window::moveInto(win.current, row);
        Window::release(win.current, entered.last());

        QCOMPARE(Window::names(win.current).join(QString()), order);
        if (currentRow >= 0) {
            QCOMPARE(win.current->currentRow(), currentRow);
            QVERIFY(win.current->item(currentRow, 0)->isSelected());
            QCOMPARE(win.current->item(currentRow, 0)->text(), QString("D"));
        }
        for (int row = 0; row < win.current->rowCount(); ++row) {
            const QTableWidgetItem *item = win.current->item(row, 0);
            QCOMPARE(item->toolTip(), description(int(item->text().at(0).unicode())));
        }
        QCOMPARE(win.currentCount->text(), freeLine(6));
    }

    void updateEmitsTheSetTopToBottom()
    {
        Window win;
        win.w.setExportItems({{"Neon", description(7)}, {"Daylight", description(2)}},
                             {{"Ambient warm", description(1)}, {"Ambient cold", description(3)}});
        QSignalSpy emitted(&win.w, SIGNAL(exportItemsChanged(QList<std::pair<QString, QString> >)));

        Window::doubleClick(win.source, Window::rowOf(win.source, "Neon"));
        Window::doubleClick(win.source, Window::rowOf(win.source, "Daylight"));
        Window::press(win.current, 2); // Neon one slot up
        Window::moveInto(win.current, 1);
        Window::release(win.current, 1);
        QCOMPARE(emitted.count(), 0);

        QTest::mouseClick(win.update, Qt::LeftButton);
        QCOMPARE(emitted.count(), 1);
        const Pairs expected{{"Ambient warm", description(1)},
                             {"Neon", description(7)},
                             {"Ambient cold", description(3)},
                             {"Daylight", description(2)}};
        QCOMPARE(emitted.first().first().value<Pairs>(), expected);
        // the window stays as it was; the receiver decides what happens next
        QVERIFY(win.w.isVisible());
        QCOMPARE(Window::names(win.current), namesOf(expected));
    }

    void aFillReplacesEverythingBefore()
    {
        Window win;
        win.w.setExportItems(calibrations("Old spare", 4), calibrations("Old held", 28));
        win.w.setExportItems(calibrations("New spare", 2), calibrations("New held", 3));
        QCOMPARE(win.source->rowCount(), 2);
        QVERIFY(Window::names(win.source).filter("Old").isEmpty());
        QCOMPARE(Window::names(win.current), namesOf(calibrations("New held", 3)));
        QCOMPARE(win.sourceCount->text(), QString("2 available calibrations"));
        QCOMPARE(win.currentCount->text(), freeLine(3));
        QVERIFY(win.add->isEnabled());
    }

    void aRemovedCalibrationReturnsSortedAndComesBackAtTheEnd()
    {
        Window win;
        win.w.setExportItems({{"Kelvin", description(1)}, {"Arc", description(5)}, {"Tungsten", description(2)}},
                             {{"Neon", description(3)}, {"Daylight", description(4)}, {"Xenon", description(6)}});

        QCOMPARE(Window::names(win.source), QStringList({"Arc", "Kelvin", "Tungsten"}));

        Window::doubleClick(win.current, 1);
        QCOMPARE(Window::names(win.source), QStringList({"Arc", "Daylight", "Kelvin", "Tungsten"}));

        Window::doubleClick(win.source, Window::rowOf(win.source, "Daylight"));
        QCOMPARE(Window::names(win.current), QStringList({"Neon", "Xenon", "Daylight"}));
        QCOMPARE(win.current->item(2, 0)->toolTip(), description(4));
    }

    void aSetOverCapacityBlocksUpdateUntilTrimmed()
    {
        Window win;
        win.w.setExportItems({}, calibrations("Held", 30));
        QSignalSpy emitted(&win.w, SIGNAL(exportItemsChanged(QList<std::pair<QString, QString> >)));
        QCOMPARE(win.currentCount->text(), QString("30 calibrations in TARVIK, 2 too many: remove 2 before updating"));
        QVERIFY(!win.update->isEnabled());
        QTest::mouseClick(win.update, Qt::LeftButton);
        QCOMPARE(emitted.count(), 0);
        // the longer line must not push the window wider
        QCoreApplication::processEvents();
        QCOMPARE(win.w.width(), 595);
        QVERIFY(win.currentCount->mapTo(&win.w, QPoint(win.currentCount->width(), 0)).x() <= 595);

        Window::doubleClick(win.current, 0);
        QCOMPARE(win.currentCount->text(), QString("29 calibrations in TARVIK, 1 too many: remove 1 before updating"));
        QVERIFY(!win.update->isEnabled());
        QVERIFY(!win.add->isEnabled());

        Window::doubleClick(win.current, 0);
        QCOMPARE(win.currentCount->text(), freeLine(28));
        QVERIFY(win.update->isEnabled());
        QVERIFY(!win.add->isEnabled());
        QCOMPARE(win.source->rowCount(), 2);

        QTest::mouseClick(win.update, Qt::LeftButton);
        QCOMPARE(emitted.count(), 1);
        QCOMPARE(namesOf(emitted.first().first().value<Pairs>()), namesOf(calibrations("Held", 30).mid(2)));
    }

    void widerWindowWidensTablesButNotArrows()
    {
        Window win;
        win.w.setExportItems(calibrations("Spare", 3), calibrations("Held", 3));
        const int sourceWidth = win.source->width();
        const int currentWidth = win.current->width();
        win.w.resize(1000, 677);
        QTRY_VERIFY(win.source->width() > sourceWidth);
        QVERIFY(win.current->width() > currentWidth);

        const QRect source(win.source->mapTo(&win.w, QPoint()), win.source->size());
        const QRect current(win.current->mapTo(&win.w, QPoint()), win.current->size());
        for (QPushButton *arrow : {win.add, win.remove}) {
            QVERIFY(arrow->width() <= 55);
            const QRect at(arrow->mapTo(&win.w, QPoint()), arrow->size());
            QVERIFY(at.left() > source.right() && at.right() < current.left());
        }
        // the two arrows sit together around the middle of the tables' height
        const int arrowsMiddle = (win.add->mapTo(&win.w, QPoint()).y() + win.remove->mapTo(&win.w, QPoint(0, win.remove->height())).y()) / 2;
        QVERIFY(qAbs(arrowsMiddle - current.center().y()) < 10);

        const QRect update(win.update->mapTo(&win.w, QPoint()), win.update->size());
        QVERIFY(update.width() >= 116);
        QVERIFY(update.top() > current.bottom());
        QVERIFY(win.w.width() - update.right() < 30);
        QVERIFY(win.currentCount->mapTo(&win.w, QPoint()).y() < current.top());
    }

    void everyTextButTheArrowsIsTranslated()
    {
        MarkingTranslator translator;
        QCoreApplication::installTranslator(&translator);
        Window win;
        win.w.setExportItems(calibrations("Spare", 1), calibrations("Held", 29));
        QCOMPARE(win.w.windowTitle(), QString("<Quillor TARVIK Calibration Updater>"));
        QCOMPARE(win.instrument->text(), QString("<No Quillor TARVIK found.>"));
        QCOMPARE(win.w.findChild<QGroupBox *>("groupBox_2")->title(), QString("<Calibrations:>"));
        QCOMPARE(win.update->text(), QString("<Update>"));
        QCOMPARE(win.source->horizontalHeaderItem(0)->text(), QString("<Item>"));
        QCOMPARE(win.sourceCount->text(), QString("<1 available calibrations>"));
        QCOMPARE(win.currentCount->text(), QString("<29 calibrations in TARVIK, 1 too many: remove 1 before updating>"));
        Window::doubleClick(win.current, 0);
        QCOMPARE(win.currentCount->text(), QString("<28 calibrations in TARVIK, 0 free>"));
        QCOMPARE(win.add->text(), QString("->"));
        QCOMPARE(win.remove->text(), QString("<-"));
        QCoreApplication::removeTranslator(&translator);
    }
};

QTEST_MAIN(TestSorting)
#include "tst_sorting.moc"
