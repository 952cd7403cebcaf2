#pragma once

#include <QIcon>

// The program's icon, a red alarm clock, drawn for each size it is shown at.
QIcon programIcon();
