#pragma once

#include <QFile>
#include <QString>

// The resident memory of this process in kilobytes (VmRSS), or -1 where the system does not say.
inline long residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    // Files of /proc report a size of zero, so QFile's atEnd() is true before the first line: read it whole.
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}
