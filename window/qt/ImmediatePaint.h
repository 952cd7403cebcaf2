// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QRect;
class QWidget;

namespace ImmediatePaint {

// Paints `area` of an opaque widget straight into its window's backing store
// and shows it at once. A repaint would do the same, but walks the whole
// window to find what else needs painting first; for a label that changes a
// digit every second that walk costs more than the digit. The widget gets its
// paint event as usual. Returns false, having painted nothing, where the
// shortcut does not hold (the window not shown, the widget covered or see-through,
// no raster backing store): the caller repaints instead.
bool paint(QWidget *widget, const QRect &area);

} // namespace ImmediatePaint
