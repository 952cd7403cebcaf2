// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace core {

// A place in the window, in twips (1/1440 inch) as the window was designed.
struct Twips
{
    int left, top, width, height;
};

enum class ControlKind { Label, Picker, Button };

// One control of the window as designed: its name, kind, first text ("&" marks
// the access key) and place.
struct ControlDesign
{
    const char *name;
    ControlKind kind;
    const char *text;
    Twips twips;
};

// The window, its controls, the icon's menu and its tip, the same on every platform.
namespace design {

// The program's name on the system: its executable, its files and its services.
inline constexpr const char *ProgramName = "alarm-clock";
inline constexpr const char *Title = "Alarm Clock";
inline constexpr const char *TrayTip = Title;
inline constexpr Twips Client{ 0, 0, 4215, 1605 };

inline constexpr ControlDesign Label2{ "Label2", ControlKind::Label, "Current time", { 120, 120, 975, 255 } };
inline constexpr ControlDesign lblCurrentTime{ "lblCurrentTime", ControlKind::Label, "Label3",
                                               { 2520, 120, 1575, 255 } };
inline constexpr ControlDesign Label1{ "Label1", ControlKind::Label, "Time when alarm should go off",
                                       { 120, 600, 2295, 255 } };
inline constexpr ControlDesign dtpAlarmTime{ "dtpAlarmTime", ControlKind::Picker, "", { 2520, 540, 1575, 375 } };
inline constexpr ControlDesign cmdSet{ "cmdSet", ControlKind::Button, "&Set", { 960, 1080, 975, 375 } };
inline constexpr ControlDesign cmdCancel{ "cmdCancel", ControlKind::Button, "Cancel", { 2040, 1080, 975, 375 } };
inline constexpr ControlDesign cmdExit{ "cmdExit", ControlKind::Button, "E&xit", { 3120, 1080, 975, 375 } };

// Every control, in the order the window makes them: each label just before
// what it names, which screen readers go by, and the buttons in tab order.
inline constexpr const ControlDesign *Controls[]
    = { &Label2, &lblCurrentTime, &Label1, &dtpAlarmTime, &cmdSet, &cmdCancel, &cmdExit };

// The icon's menu: never shown in a menu bar.
inline constexpr const char *mPopupSys = "&Systray";
inline constexpr const char *mPopRestore = "&Restore";
inline constexpr const char *mPopExit = "&Exit";

} // namespace design
} // namespace core
