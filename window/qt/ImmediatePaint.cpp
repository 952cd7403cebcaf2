// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImmediatePaint.h"

#include <QBackingStore>
#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

const QWidget *ImmediatePaint::s_widget = nullptr;
QPainter *ImmediatePaint::s_painter = nullptr;

bool ImmediatePaint::paint(QWidget *widget, const QRect &area)
{
    QWidget *top = widget->window();
    QWindow *window = top->windowHandle();
    QBackingStore *store = top->backingStore();
    const QBrush background = widget->palette().brush(widget->backgroundRole());
    if (s_painter || !store || !window || !window->isExposed() || window->surfaceType() != QSurface::RasterSurface
        || widget->nativeParentWidget() != top || !widget->isVisible() || !widget->updatesEnabled()
        || !widget->autoFillBackground() || background.style() != Qt::SolidPattern || !background.isOpaque()
        || !(QRegion(area) - widget->visibleRegion()).isEmpty())
        return false;
    const QPoint offset = widget->mapTo(top, QPoint());
    const QRect onWindow = area.translated(offset);
    store->beginPaint(onWindow);
    {
        // Set up as the repaint would: clipped to the area, the background
        // filled, the widget's pen and font.
        QPainter painter(store->paintDevice());
        painter.setClipRect(onWindow);
        painter.fillRect(onWindow, background);
        painter.translate(offset);
        painter.setPen(widget->palette().color(widget->foregroundRole()));
        painter.setFont(widget->font());
        s_widget = widget;
        s_painter = &painter;
        QPaintEvent event(area);
        QCoreApplication::sendEvent(widget, &event);
        s_widget = nullptr;
        s_painter = nullptr;
    }
    store->endPaint();
    store->flush(onWindow, window);
    return true;
}

QPainter *ImmediatePaint::painter(const QWidget *widget)
{
    return widget == s_widget ? s_painter : nullptr;
}
