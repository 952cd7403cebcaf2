// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>

class QPainter;
class QRect;
class QWidget;

// Paints parts of an opaque widget straight into its window's backing store
// and shows them at once. A repaint would do the same, but walks the whole
// window first to find what else needs painting; for a label that changes a
// digit a second that walk costs more than the digit. The widget gets its
// paint event as usual, but must paint with painter() while it is set: outside
// the repaint machinery a widget cannot open a painter on itself.
//
// What an area shows can be named: an area painted before with the same
// content is then copied from the pixels it had, with no paint event. Call
// forget() when the widget's look changes (font, colours, style, size).
class ImmediatePaint
{
public:
    explicit ImmediatePaint(QWidget *widget) : m_widget(widget) { }

    // Returns false, having painted nothing, where the shortcut does not hold
    // (the window not shown, the widget covered or see-through, no raster
    // backing store): the caller repaints instead.
    bool paint(const QRect &area, const QByteArray &content = {});
    void forget() { m_copies.clear(); }

    // The painter of such a paint of `widget` under way, or null.
    static QPainter *painter(const QWidget *widget);

private:
    QWidget *m_widget;
    QHash<QByteArray, QImage> m_copies;

    static const QWidget *s_widget;
    static QPainter *s_painter;
};
