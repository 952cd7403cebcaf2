// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Settings for Qt's X11 platform that must be made before the application object.
namespace X11Tuning {

// Draws through the X connection instead of shared memory, unless the user has
// said otherwise (QT_XCB_NO_MITSHM set, to any value). With shared memory every
// repaint waits for a reply of the X server before the segment may be reused,
// which wakes the program twice more a second; for a window this small, sending
// the few changed pixels over the connection costs less than that round trip.
void preferPlainImages();

} // namespace X11Tuning
