#pragma once

#include <QByteArray>
#include <QFile>

// Resident ("VmRSS:") or peak ("VmHWM:") memory of this process, in MB; for
// the benchmark and the tests that watch memory.
inline double memoryMb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}
