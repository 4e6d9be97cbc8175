#pragma once

// Input delivered as the window system delivers it, for tests and benchmarks:
// to the widget under the pointer, never straight to a widget that something
// else may lie over.

#include "framework/QtAccess.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

namespace fw::internal {

// Drags data over a point of a window's content area and drops it there, on
// the widget the window system picks: the one under the point, or its first
// ancestor that takes drops. True when the drop was accepted.
inline bool DropAt(fw::Window* window, QPoint at, const QMimeData& data) {
    QWidget* content = QtAccess::Content(window);
    QWidget* target = content->childAt(at);
    while (target && !target->acceptDrops() && !target->isWindow()) target = target->parentWidget();
    if (!target || !target->acceptDrops()) return false;
    const QPoint p = target->mapFrom(content, at);
    QDragEnterEvent enter(p, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDragMoveEvent move(p, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &move);
    if (!move.isAccepted()) {
        QDragLeaveEvent leave;
        QApplication::sendEvent(target, &leave);
        return false;
    }
    QDropEvent drop(QPointF(p), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

}  // namespace fw::internal
