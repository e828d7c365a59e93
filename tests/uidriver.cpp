// SPDX-License-Identifier: MIT
// Plays the script named by TARVIK_UIDRIVER_SCRIPT, one command per line, against the
// program it is preloaded into, and logs to TARVIK_UIDRIVER_LOG ("ok <epoch ms> <step>"). A step that cannot be
// done within its time ends the program with exit code 97, so a test sees the failure. It presses only what a
// user could: a hidden widget in a shown window fails the step at once, one that stays disabled when its time is up.
//
//   wait-window NAME                  a visible top-level widget with that object name
//   expect-text WINDOW WIDGET TEXT... the label's or button's text, waited for; a final * matches any end
//   click WINDOW WIDGET               left click in the middle of a widget, once it is shown and enabled
//   click-row WINDOW TABLE ROW        left click on a table row (a number, or =NAME)
//   double-click-row WINDOW TABLE ROW
//   drag-row WINDOW TABLE FROM TO     press on row FROM, move row by row to row TO, release
//   expect-rows WINDOW TABLE A|B|C    the names of the table top to bottom ("" for none)
//   close WINDOW                      as by its frame's close button
//   answer-message-box                presses the default or first button of a message box

#include "heldmouse.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QMessageBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <unistd.h>

namespace {

class Driver : public QObject
{
public:
    explicit Driver(QObject *parent)
        : QObject(parent)
    {
        QFile script(qEnvironmentVariable("TARVIK_UIDRIVER_SCRIPT"));
        if (script.open(QIODevice::ReadOnly | QIODevice::Text))
            m_steps = QString::fromUtf8(script.readAll()).split('\n', Qt::SkipEmptyParts);
        m_log.setFileName(qEnvironmentVariable("TARVIK_UIDRIVER_LOG", "/dev/stderr"));
        m_log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
        connect(&m_timer, &QTimer::timeout, this, &Driver::tick);
        m_timer.start(10);
        m_stepClock.start();
    }

private:
    void log(const QString &line) { m_log.write((line + '\n').toUtf8()); }

    [[noreturn]] void fail(const QString &why)
    {
        log("FAIL " + m_steps.value(m_current) + ": " + why);
        m_log.close();
        ::_exit(97);
    }

    QWidget *window(const QString &name) const
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == name && w->isVisible())
                return w;
        return nullptr;
    }

    template <typename T> T *widget(const QString &windowName, const QString &name)
    {
        QWidget *w = window(windowName);
        return w ? w->findChild<T *>(name) : nullptr;
    }

    // Why no user could press `w` now; empty when one could.
    static QString unpressable(const QWidget *w)
    {
        return !w ? QStringLiteral("no such widget") : !w->isVisible() ? QStringLiteral("it is hidden: no user could press it")
            : !w->isEnabled() ? QStringLiteral("it is disabled") : QString();
    }

    // As the window system delivers a click: to the window, at the widget's place in it, so that
    // whatever covers that place, or a modal window that blocks it, gets it instead.
    static void clickInWindow(QWidget *w)
    {
        const QPoint at = w->mapTo(w->window(), w->rect().center());
        QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    }

    // A row is given by its number, or as =NAME by the calibration it shows.
    int rowOf(QTableWidget *table, const QString &which)
    {
        if (!which.startsWith('='))
            return which.toInt();
        for (int row = 0; row < table->rowCount(); ++row)
            if (table->item(row, 0) && table->item(row, 0)->text() == which.mid(1))
                return row;
        fail("no row shows " + which.mid(1));
    }

    QPoint rowCentre(QTableWidget *table, int row)
    {
        QTableWidgetItem *item = table->item(row, 0);
        if (!item)
            fail(QString("no row %1").arg(row));
        table->scrollToItem(item);
        return table->visualItemRect(item).center();
    }

    // Returns true when the step is done, false to try again on the next tick.
    bool run(const QStringList &a)
    {
        const QString cmd = a.value(0);
        const QString rest3 = a.mid(3).join(' ');
        if (cmd == "wait-window" || cmd == "close") {
            QWidget *w = window(a.value(1));
            if (w && cmd == "close")
                w->close();
            return w != nullptr;
        }
        if (cmd == "expect-text") {
            QWidget *w = widget<QWidget>(a.value(1), a.value(2));
            m_seen = w ? w->property("text").toString() : QString("<no widget>"); // a label's or a button's
            return w && (rest3.endsWith('*') ? m_seen.startsWith(rest3.chopped(1)) : m_seen == rest3);
        }
        if (cmd == "click") {
            QWidget *w = widget<QWidget>(a.value(1), a.value(2));
            if (!(m_seen = unpressable(w)).isEmpty()) {
                if (w && !w->isVisible())
                    fail(m_seen);
                return false;
            }
            // Posted, so that a modal window it opens runs in the event loop, where later steps answer it.
            QTimer::singleShot(0, w, [w] { clickInWindow(w); });
            return true;
        }
        if (cmd == "click-row" || cmd == "double-click-row" || cmd == "drag-row") {
            auto *table = widget<QTableWidget>(a.value(1), a.value(2));
            if (!(m_seen = unpressable(table)).isEmpty()) {
                if (table && !table->isVisible())
                    fail(m_seen);
                return false;
            }
            // A click is a drag that goes nowhere.
            const bool drag = cmd == "drag-row";
            const int from = rowOf(table, drag ? a.value(3) : rest3), to = drag ? rowOf(table, a.value(4)) : from;
            QWidget *viewport = table->viewport();
            QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, rowCentre(table, from));
            for (int row = from; row != to;)
                moveWithButtonHeld(viewport, rowCentre(table, row += to > row ? 1 : -1));
            QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, rowCentre(table, to));
            if (cmd == "double-click-row")
                QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, rowCentre(table, to));
            return true;
        }
        if (cmd == "expect-rows") {
            auto *table = widget<QTableWidget>(a.value(1), a.value(2));
            if (!table)
                fail("no such table");
            QStringList names;
            for (int row = 0; row < table->rowCount(); ++row)
                names << table->item(row, 0)->text();
            if (names.join('|') != rest3)
                fail("rows are " + names.join('|'));
            return true;
        }
        if (cmd == "answer-message-box") {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box)
                clickInWindow(box->defaultButton() ? box->defaultButton() : box->buttons().value(0));
            return box != nullptr;
        }
        fail("unknown command");
    }

    void tick()
    {
        if (m_busy || m_current >= m_steps.size())
            return;
        m_busy = true; // a step may open a nested event loop; do not start the next one inside it
        const QString line = m_steps.at(m_current).trimmed();
        const bool done = line.startsWith('#') || run(line.split(' '));
        m_busy = false;
        if (done) {
            log(QString("ok %1 %2").arg(QDateTime::currentMSecsSinceEpoch()).arg(line));
            ++m_current;
            m_seen.clear();
            m_stepClock.restart();
        } else if (m_stepClock.elapsed() > 30000) {
            fail("timed out" + (m_seen.isNull() ? QString() : ", " + (line.startsWith("expect-text") ? "text is \"" + m_seen + '"' : m_seen)));
        }
    }

    QStringList m_steps;
    int m_current = 0;
    QString m_seen; // what expect-text last found, or why a widget could not be pressed
    bool m_busy = false;
    QTimer m_timer;
    QElapsedTimer m_stepClock;
    QFile m_log;
};

void startDriver()
{
    if (qEnvironmentVariableIsSet("TARVIK_UIDRIVER_SCRIPT") && qobject_cast<QApplication *>(QCoreApplication::instance()))
        new Driver(QCoreApplication::instance());
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startDriver)
