#include "sorting.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTranslator>
#include <QtTest>

using Pairs = QList<std::pair<QString, QString> >;

namespace {

QString description(int base) { return QStringLiteral("Using Base Calibration #%1").arg(base); }

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

QString freeLine(int rows) { return QStringLiteral("%1 calibrations in TARVIK, %2 free").arg(rows).arg(28 - rows); }

// Marks every text it translates, so a test can tell translated texts from untranslated ones.
class MarkingTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char * = nullptr, int = -1) const override
    {
        return qstrcmp(context, "Sorting") == 0 ? QStringLiteral("<%1>").arg(QString::fromUtf8(sourceText)) : QString();
    }
};

// The selection window on screen, its widgets found by object name, the mouse driven on the tables' viewports.
class Window
{
public:
    Window() { w.show(); QVERIFY(QTest::qWaitForWindowExposed(&w)); }
    Sorting w;
    QTableWidget *source = w.findChild<QTableWidget *>("export_source_TWG");
    QTableWidget *current = w.findChild<QTableWidget *>("export_current_TWG");
    QPushButton *add = w.findChild<QPushButton *>("export_add_PBN");
    QPushButton *remove = w.findChild<QPushButton *>("export_del_PBN");
    QPushButton *update = w.findChild<QPushButton *>("pushButton");
    QLabel *sourceCount = w.findChild<QLabel *>("label");
    QLabel *currentCount = w.findChild<QLabel *>("label_2");
    QLabel *instrument = w.findChild<QLabel *>("label_3");
    QSignalSpy emitted{&w, SIGNAL(exportItemsChanged(QList<std::pair<QString, QString> >))};

    Pairs emittedSet() const { return emitted.last().first().value<Pairs>(); }

    static QStringList names(const QTableWidget *table)
    {
        QStringList names;
        for (int row = 0; row < table->rowCount(); ++row)
            names.append(table->item(row, 0)->text());
        return names;
    }

    static int rowOf(const QTableWidget *table, const QString &name) { return names(table).indexOf(name); }

    static QPoint pointOf(QTableWidget *table, int row)
    {
        const QModelIndex index = table->model()->index(row, 0);
        table->scrollTo(index);
        return table->visualRect(index).center();
    }

    static void click(QTableWidget *table, int row) { QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, pointOf(table, row)); }

    // press, release, second press reported as a double-click, release
    static void doubleClick(QTableWidget *table, int row)
    {
        click(table, row);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, pointOf(table, row));
        QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, pointOf(table, row));
    }

    // With the left button held from `pressAt`, enter each row (the view sees no movement otherwise), release.
    static void drag(QTableWidget *table, QPoint pressAt, const QList<int> &entered)
    {
        QTest::mousePress(table->viewport(), Qt::LeftButton, {}, pressAt);
        for (int row : entered) {
            const QPoint at = pointOf(table, row);
            QMouseEvent move(QEvent::MouseMove, at, table->viewport()->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(table->viewport(), &move);
        }
        QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, pointOf(table, entered.last()));
    }
};

} // namespace

class TestSorting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<Pairs>(); }

    void textsAreTranslatedButTheArrows_data()
    {
        QTest::addColumn<bool>("translated");
        QTest::newRow("as written") << false;
        QTest::newRow("translated") << true;
    }
    void textsAreTranslatedButTheArrows()
    {
        QFETCH(bool, translated);
        MarkingTranslator translator;
        if (translated)
            QCoreApplication::installTranslator(&translator);
        const auto uninstall = qScopeGuard([&] { QCoreApplication::removeTranslator(&translator); });
        const auto text = [&](const char *s) { return translated ? QStringLiteral("<%1>").arg(s) : QString(s); };
        Window win;
        QCOMPARE(win.w.size(), QSize(595, 677));
        QCOMPARE(win.w.windowTitle(), text("Quillor TARVIK Calibration Updater"));
        QCOMPARE(win.instrument->text(), text("No Quillor TARVIK found."));
        QCOMPARE(win.w.findChild<QGroupBox *>("groupBox_2")->title(), text("Calibrations:"));
        QCOMPARE(win.update->text(), text("Update"));
        QCOMPARE(win.source->horizontalHeaderItem(0)->text(), text("Item"));
        QCOMPARE(win.add->text(), QString("->"));
        QCOMPARE(win.remove->text(), QString("<-"));
        QVERIFY(win.sourceCount->text().isEmpty() && win.currentCount->text().isEmpty());
        QCOMPARE(win.source->rowCount() + win.current->rowCount(), 0);
        QVERIFY(win.add->isEnabled() && !win.remove->isEnabled() && win.update->isEnabled());
        win.w.setInstrumentLabel("Quillor TARVIK 1234 found.");
        QCOMPARE(win.instrument->text(), QString("Quillor TARVIK 1234 found."));

        win.w.setExportItems(calibrations("Spare", 1), calibrations("Held", 29));
        QCOMPARE(win.sourceCount->text(), text("1 available calibrations"));
        QCOMPARE(win.currentCount->text(), text("29 calibrations in TARVIK, 1 too many: remove 1 before updating"));
        Window::doubleClick(win.current, 0);
        QCOMPARE(win.currentCount->text(), text("28 calibrations in TARVIK, 0 free"));
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
        QTest::newRow("one too many") << 29 << QString("29 calibrations in TARVIK, 1 too many: remove 1 before updating")
                                      << false << true << false;
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
        // a double-click adds only while there is room, and removes even the only calibration
        Window::doubleClick(win.source, 0);
        const int held = addEnabled ? rows + 1 : rows;
        QCOMPARE(win.current->rowCount(), held);
        QCOMPARE(win.source->rowCount(), addEnabled ? 4 : 5);
        QTest::mouseClick(win.update, Qt::LeftButton);
        QCOMPARE(win.emitted.count(), updateEnabled ? 1 : 0);
        Window::doubleClick(win.current, 0);
        QCOMPARE(win.current->rowCount(), held - 1);
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
        const auto move = [&](QTableWidget *table, int row, QPushButton *arrow) {
            if (byDoubleClick) {
                Window::doubleClick(table, row);
            } else {
                Window::click(table, row);
                QTest::mouseClick(arrow, Qt::LeftButton);
            }
        };
        move(win.source, Window::rowOf(win.source, "Daylight"), win.add);
        QCOMPARE(Window::names(win.current), QStringList({"Held 01", "Held 02", "Held 03", "Daylight"}));
        QCOMPARE(Window::names(win.source), QStringList({"Neon", "Tungsten"}));
        QCOMPARE(win.sourceCount->text(), QString("2 available calibrations"));
        QCOMPARE(win.currentCount->text(), freeLine(4));
        QVERIFY(win.current->selectedItems().isEmpty());
        QCOMPARE(win.current->item(3, 0)->toolTip(), description(2));

        move(win.current, 1, win.remove);
        QCOMPARE(Window::names(win.current), QStringList({"Held 01", "Held 03", "Daylight"}));
        QCOMPARE(Window::names(win.source), QStringList({"Held 02", "Neon", "Tungsten"})); // sorted back in
        QCOMPARE(win.sourceCount->text(), QString("3 available calibrations"));
        QCOMPARE(win.currentCount->text(), freeLine(3));
        QCOMPARE(win.source->item(0, 0)->toolTip(), description(2));

        // an arrow with nothing selected on its side moves nothing
        Window::click(win.current, 0);
        QTest::mouseClick(win.add, Qt::LeftButton);
        QCOMPARE(win.current->rowCount(), 3);
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
        QPoint pressAt = Window::pointOf(win.current, 3);
        if (!pressOnARow) {
            // A finished click ends a drag; a drag begun on no calibration must not move the current one.
            Window::click(win.current, 4);
            pressAt = Window::pointOf(win.current, 5) + QPoint(0, 2 * win.current->rowHeight(5));
            QVERIFY(!win.current->itemAt(pressAt));
        }
        Window::drag(win.current, pressAt, entered);
        QCOMPARE(Window::names(win.current).join(QString()), order);
        if (currentRow >= 0) {
            QCOMPARE(win.current->currentRow(), currentRow);
            QVERIFY(win.current->item(currentRow, 0)->isSelected());
            QCOMPARE(win.current->item(currentRow, 0)->text(), QString("D"));
        }
        for (const QTableWidgetItem *item : win.current->findItems("*", Qt::MatchWildcard))
            QCOMPARE(item->toolTip(), description(int(item->text().at(0).unicode())));
        QCOMPARE(win.currentCount->text(), freeLine(6));
    }

    void updateEmitsTheSetTopToBottom()
    {
        Window win;
        win.w.setExportItems(calibrations("Old spare", 4), calibrations("Old held", 28));
        win.w.setExportItems({{"Neon", description(7)}, {"Daylight", description(2)}},
                             {{"Ambient warm", description(1)}, {"Ambient cold", description(3)}});
        QVERIFY(win.add->isEnabled()); // the second fill replaces everything of the first
        Window::doubleClick(win.source, Window::rowOf(win.source, "Neon"));
        Window::doubleClick(win.source, Window::rowOf(win.source, "Daylight"));
        Window::drag(win.current, Window::pointOf(win.current, 2), {1}); // Neon one slot up
        QCOMPARE(win.emitted.count(), 0);
        QTest::mouseClick(win.update, Qt::LeftButton);
        QCOMPARE(win.emitted.count(), 1);
        const Pairs expected{{"Ambient warm", description(1)},
                             {"Neon", description(7)},
                             {"Ambient cold", description(3)},
                             {"Daylight", description(2)}};
        QCOMPARE(win.emittedSet(), expected);
        // the window stays as it was; the receiver decides what happens next
        QVERIFY(win.w.isVisible());
        QCOMPARE(Window::names(win.current), namesOf(expected));
        QCOMPARE(win.source->rowCount(), 0);
        QCOMPARE(win.currentCount->text(), freeLine(4));
    }

    void aSetOverCapacityBlocksUpdateUntilTrimmed()
    {
        Window win;
        win.w.setExportItems({}, calibrations("Held", 30));
        QCOMPARE(win.currentCount->text(), QString("30 calibrations in TARVIK, 2 too many: remove 2 before updating"));
        QTest::mouseClick(win.update, Qt::LeftButton);
        QCOMPARE(win.emitted.count(), 0);
        QCoreApplication::processEvents(); // the longer line must not push the window wider
        QCOMPARE(win.w.width(), 595);
        QVERIFY(win.currentCount->mapTo(&win.w, QPoint(win.currentCount->width(), 0)).x() <= 595);
        Window::doubleClick(win.current, 0);
        QVERIFY(!win.update->isEnabled());
        Window::doubleClick(win.current, 0);
        QCOMPARE(win.currentCount->text(), freeLine(28));
        QTest::mouseClick(win.update, Qt::LeftButton);
        QCOMPARE(win.emitted.count(), 1);
        QCOMPARE(namesOf(win.emittedSet()), namesOf(calibrations("Held", 30).mid(2)));
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
        const auto rect = [&](QWidget *widget) { return QRect(widget->mapTo(&win.w, QPoint()), widget->size()); };
        const QRect source = rect(win.source), current = rect(win.current), update = rect(win.update);
        for (QPushButton *arrow : {win.add, win.remove}) {
            QVERIFY(arrow->width() <= 55);
            QVERIFY(rect(arrow).left() > source.right() && rect(arrow).right() < current.left());
        }
        // the two arrows sit together around the middle of the tables' height
        QVERIFY(qAbs((rect(win.add).top() + rect(win.remove).bottom()) / 2 - current.center().y()) < 10);
        QVERIFY(update.width() >= 116 && update.top() > current.bottom() && win.w.width() - update.right() < 30);
        QVERIFY(rect(win.currentCount).top() < current.top());
    }
};

QTEST_MAIN(TestSorting)
#include "tst_sorting.moc"
