#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

// A small file system of its own (tmpfs, mounted as root), to fill up for
// real. Where mounting is not allowed, mounted() is false and the test skips.
struct SmallDisk {
    QTemporaryDir dir;
    bool mounted = false;

    // readOnly: a file system nobody may write to, root included.
    explicit SmallDisk(int kilobytes, bool readOnly = false)
    {
        const QString options = QStringLiteral("size=%1k%2").arg(kilobytes).arg(readOnly ? QStringLiteral(",ro") : QString());
        mounted = QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                                              options, QStringLiteral("tmpfs"), dir.path()})
            == 0;
    }
    ~SmallDisk()
    {
        if (mounted)
            QProcess::execute(QStringLiteral("umount"), {dir.path()});
    }
    QString path() const { return dir.path(); }
    QString filePath(const QString& name) const { return dir.filePath(name); }

    // Takes what space is left, so the next write finds the disk full.
    void fill() const
    {
        QFile filler(filePath(QStringLiteral("vulsel")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'x');
        while (filler.write(block) > 0) {
        }
        // The last bytes a block would not take.
        while (filler.write("x", 1) > 0) {
        }
    }
    QStringList files(const QString& folder = {}) const
    {
        return QDir(filePath(folder)).entryList(QDir::Files | QDir::Hidden);
    }
};
