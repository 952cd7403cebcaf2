// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImmediatePaint.h"

#include <QBackingStore>
#include <QPainter>
#include <QWidget>
#include <QWindow>

namespace ImmediatePaint {

namespace {

// Whether the widget's own painting fills every pixel of it, so that nothing
// behind it needs painting first.
bool opaque(const QWidget *widget)
{
    if (widget->testAttribute(Qt::WA_OpaquePaintEvent))
        return true;
    return widget->autoFillBackground() && widget->palette().brush(widget->backgroundRole()).isOpaque();
}

} // namespace

bool paint(QWidget *widget, const QRect &area)
{
    QWidget *top = widget->window();
    QWindow *window = top->windowHandle();
    QBackingStore *store = top->backingStore();
    if (!store || !window || !window->isExposed() || window->surfaceType() != QSurface::RasterSurface
        || widget->nativeParentWidget() != top || !widget->isVisible() || !widget->updatesEnabled()
        || !opaque(widget) || !(QRegion(area) - widget->visibleRegion()).isEmpty())
        return false;
    const QRect onWindow(widget->mapTo(top, area.topLeft()), area.size());
    store->beginPaint(onWindow);
    {
        QPainter painter(store->paintDevice());
        widget->render(&painter, onWindow.topLeft(), QRegion(area), QWidget::DrawWindowBackground);
    }
    store->endPaint();
    store->flush(onWindow, window);
    return true;
}

} // namespace ImmediatePaint
