// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPainter;
class QRect;
class QWidget;

// Paints part of an opaque widget straight into its window's backing store and
// shows it at once. A repaint would do the same, but walks the whole window
// first to find what else needs painting; for a label that changes a digit a
// second that walk costs more than the digit. The widget gets its paint event
// as usual, but must paint with painter() while it is set: outside the
// repaint machinery a widget cannot open a painter on itself.
class ImmediatePaint
{
public:
    // Returns false, having painted nothing, where the shortcut does not hold
    // (the window not shown, the widget covered or see-through, no raster
    // backing store): the caller repaints instead.
    static bool paint(QWidget *widget, const QRect &area);

    // The painter of such a paint of `widget` under way, or null.
    static QPainter *painter(const QWidget *widget);

private:
    static const QWidget *s_widget;
    static QPainter *s_painter;
};
