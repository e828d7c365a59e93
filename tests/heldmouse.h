// SPDX-License-Identifier: MIT
#ifndef HELDMOUSE_H
#define HELDMOUSE_H

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// The mouse moved to `to` with the left button held, as a drag makes it: a view tracks
// no movement without a button, and the test's own helpers send no button state.
inline void moveWithButtonHeld(QWidget *widget, QPoint to)
{
    QMouseEvent move(QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

#endif
