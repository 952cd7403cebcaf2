// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImmediatePaint.h"

#include <QBackingStore>
#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

#include <cmath>

namespace {

// Enough for every second's, ten seconds' and minute's change of a clock.
constexpr qsizetype MaxCopies = 256;

} // namespace

const QWidget *ImmediatePaint::s_widget = nullptr;
QPainter *ImmediatePaint::s_painter = nullptr;

bool ImmediatePaint::paint(const QRect &area, const QByteArray &content)
{
    QWidget *top = m_widget->window();
    QWindow *window = top->windowHandle();
    QBackingStore *store = top->backingStore();
    const QBrush background = m_widget->palette().brush(m_widget->backgroundRole());
    if (s_painter || !store || !window || !window->isExposed() || window->surfaceType() != QSurface::RasterSurface
        || m_widget->nativeParentWidget() != top || !m_widget->isVisible() || !m_widget->updatesEnabled()
        || !m_widget->autoFillBackground() || background.style() != Qt::SolidPattern || !background.isOpaque()
        || !(QRegion(area) - m_widget->visibleRegion()).isEmpty())
        return false;
    const QPoint offset = m_widget->mapTo(top, QPoint());
    const QRect onWindow = area.translated(offset);
    store->beginPaint(onWindow);
    QPaintDevice *device = store->paintDevice();
    // Copies are kept in the backing store's own pixels, at a whole scale only,
    // so that one is put back pixel for pixel.
    auto *image = device->devType() == QInternal::Image ? static_cast<QImage *>(device) : nullptr;
    const qreal ratio = image ? image->devicePixelRatio() : 0;
    const QRect pixels(onWindow.topLeft() * ratio, onWindow.size() * ratio);
    QByteArray key;
    if (!content.isEmpty() && ratio == std::floor(ratio) && ratio > 0 && image->rect().contains(pixels)) {
        key = content;
        for (const int value : { area.x(), area.y(), area.width(), area.height(), int(ratio) })
            key.append(reinterpret_cast<const char *>(&value), sizeof value);
    }
    const auto copy = key.isEmpty() ? m_copies.cend() : m_copies.constFind(key);
    const bool copied = copy != m_copies.cend();
    {
        QPainter painter(device);
        if (copied) {
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(onWindow.topLeft(), *copy);
        } else {
            // Set up as the repaint would: clipped to the area, the background
            // filled, the widget's pen and font.
            painter.setClipRect(onWindow);
            painter.fillRect(onWindow, background);
            painter.translate(offset);
            painter.setPen(m_widget->palette().color(m_widget->foregroundRole()));
            painter.setFont(m_widget->font());
            s_widget = m_widget;
            s_painter = &painter;
            QPaintEvent event(area);
            QCoreApplication::sendEvent(m_widget, &event);
            s_widget = nullptr;
            s_painter = nullptr;
        }
    }
    if (!key.isEmpty() && !copied) {
        if (m_copies.size() >= MaxCopies)
            m_copies.clear();
        QImage copy = image->copy(pixels);
        copy.setDevicePixelRatio(ratio);
        m_copies.insert(key, copy);
    }
    store->endPaint();
    store->flush(onWindow, window);
    return true;
}

QPainter *ImmediatePaint::painter(const QWidget *widget)
{
    return widget == s_widget ? s_painter : nullptr;
}
