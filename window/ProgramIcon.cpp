#include "ProgramIcon.h"

QIcon programIcon()
{
    QIcon icon;
    for (const int size : { 16, 32, 48, 64, 128, 256 })
        icon.addFile(QStringLiteral(":/icons/%1/alarm-clock.png").arg(size), QSize(size, size));
    return icon;
}
