#include "data/ListStorage.h"
#include "app/NumberReading.h"

#include "data/AddressListFile.h"
#include "data/AddressListModel.h"
#include "data/ListNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <limits>
#include <unistd.h>

// Field ends are 32-bit: no record read from a file may be longer than that.
static_assert(MaxReadableBytes < std::numeric_limits<qint32>::max());

namespace {

FileResult failure(const QString& reason) { return {false, reason, {}, {}}; }

QString writeFailureReason(const QFileDevice& file, const QString& path, bool whileWriting = false)
{
    // Permission first: a refused write must not be taken for a full disk.
    const QFileInfo target(path);
    if (target.exists() && !target.isWritable())
        return QStringLiteral("geen toestemming om te schrijven in het bestand %1.").arg(QDir::toNativeSeparators(path));
    const QString folder = target.absolutePath();
    if (!QFileInfo(folder).isWritable() || file.error() == QFileDevice::PermissionsError)
        return QStringLiteral("geen toestemming om te schrijven in de map %1.").arg(QDir::toNativeSeparators(folder));
    // A short write sets no error of its own: the disk or the file-size limit is full.
    if (whileWriting || file.error() == QFileDevice::ResourceError || file.error() == QFileDevice::WriteError)
        return QStringLiteral("het schrijven is mislukt (is de schijf vol?).");
    return QStringLiteral("het bestand kon niet worden geschreven.");
}

// A link's target as it is written in the link, without Qt's tidying: "a/../b"
// means something else to the file system when "a" is itself a link.
QString writtenTarget(const QString& link)
{
    QByteArray target(4096, Qt::Uninitialized);
    const ssize_t size = ::readlink(QFile::encodeName(link).constData(), target.data(), size_t(target.size()));
    return size > 0 && size < target.size() ? QFile::decodeName(target.left(size)) : QString();
}

// Where a path ends after every link on the way, whether that end exists
// or not; empty for a loop or a path that cannot be followed. QSaveFile
// follows the whole chain, so the check must too: a dangling link at the
// end of a chain would create its target. Each step is resolved as the file
// system does it: the folders, with their links and "..", before the name.
QString finalTarget(const QString& path)
{
    QString at = QFileInfo(path).absoluteFilePath();
    for (int hops = 0; hops < 40; ++hops) {
        if (!QFileInfo(at).isSymLink())
            return at;
        QString target = writtenTarget(at);
        if (QDir::isRelativePath(target))
            target = at.left(at.lastIndexOf(QLatin1Char('/')) + 1) + target;
        const qsizetype slash = target.lastIndexOf(QLatin1Char('/'));
        const QString name = target.mid(slash + 1);
        const QString folder = QFileInfo(slash > 0 ? target.left(slash) : QStringLiteral("/")).canonicalFilePath();
        if (folder.isEmpty() || name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
            return {};
        at = (folder == QLatin1String("/") ? QString() : folder) + QLatin1Char('/') + name;
    }
    return {};
}

// A file is written only in its own folder: saving through a link must not
// overwrite, or create, a file somewhere else.
bool staysInFolder(const QString& path)
{
    const QString target = finalTarget(path);
    if (target.isEmpty())
        return false;
    const QString folder = QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath();
    const QString targetFolder = QFileInfo(QFileInfo(target).absolutePath()).canonicalFilePath();
    return !targetFolder.isEmpty() && targetFolder == folder;
}

// A size in whole megabytes, as a Dutch reader writes numbers.
QString megabytes(qint64 bytes)
{
    constexpr qint64 MB = 1024 * 1024;
    return dutchNumber((bytes + MB - 1) / MB);
}

bool tooBigToRead(const QFileInfo& info)
{
    return info.isFile() && info.size() > MaxReadableBytes;
}

FileResult notAFileName() { return failure(QStringLiteral("dit is geen geldige bestandsnaam.")); }

}

FileStamp stampOf(QByteArrayView bytes, const QDateTime& modified)
{
    // Qt's hash of a byte run: many gigabytes a second, so a load or a save hardly notices it.
    return {bytes.size(), modified, qHashBits(bytes.data(), size_t(bytes.size()), 0)};
}

FileStamp currentStamp(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    QByteArray bytes;
    if (!readWholeFile(path, bytes).ok)
        return {info.size(), info.lastModified(), 0};
    return stampOf(bytes, info.lastModified());
}

FileResult readWholeFile(const QString& path, QByteArray& bytes)
{
    const QFileInfo info(path);
    if (!info.exists())
        return failure(QStringLiteral("het bestand bestaat niet."));
    if (info.isDir())
        return failure(QStringLiteral("dit is een map, geen bestand."));
    // A pipe would block the window for ever, a device could be endless.
    if (!info.isFile())
        return failure(QStringLiteral("dit is geen gewoon bestand."));
    if (tooBigToRead(info))
        return failure(QStringLiteral("het bestand is te groot om te openen (%1 MB).").arg(megabytes(info.size())));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(info.isReadable() ? QStringLiteral("het bestand kan niet worden geopend.")
                                         : QStringLiteral("geen toestemming om het bestand te lezen."));
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure(QStringLiteral("het bestand kon niet worden gelezen."));
    return {};
}

FileResult writeWholeFile(const QString& path, const QByteArray& bytes)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return failure(QStringLiteral("de map %1 kon niet worden aangemaakt.").arg(QDir::toNativeSeparators(folder)));
    if (QFileInfo(path).isDir())
        return failure(QStringLiteral("er staat een map met deze naam."));
    if (!staysInFolder(path))
        return failure(QStringLiteral("het bestand is een koppeling naar een plek buiten de map %1.")
                           .arg(QDir::toNativeSeparators(folder)));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(writeFailureReason(file, path));
    // QSaveFile keeps small writes in a buffer, and a failure to empty it inside
    // commit() would go unseen: the short file would replace the old one.
    const bool written = file.write(bytes) == bytes.size() && file.flush() && file.error() == QFileDevice::NoError;
    if (!written) {
        const QString reason = writeFailureReason(file, path, true);
        file.cancelWriting();
        return failure(reason);
    }
    if (!file.commit())
        return failure(writeFailureReason(file, path));
    return {};
}

FileResult readAddressList(const QString& path, const QString& shownName, QList<AddressRecord>& records)
{
    if (const QFileInfo info(path); tooBigToRead(info)) {
        FileResult refused = failure(QStringLiteral("het bestand is te groot om te openen (%1 MB).").arg(megabytes(info.size())));
        refused.notice = QStringLiteral("De lijst %1 is te groot om te openen (%2 MB).").arg(shownName, megabytes(info.size()));
        return refused;
    }
    QByteArray bytes;
    const FileResult read = readWholeFile(path, bytes);
    if (!read.ok)
        return read;
    // A file that ends inside a record still gives its complete records, and says so.
    ParsedList parsed = parseAddressList(bytes);
    FileResult loaded;
    if (parsed.records.isEmpty() && !bytes.isEmpty())
        loaded.notice = QStringLiteral("In de lijst %1 zijn geen adressen gevonden.").arg(shownName);
    else if (!parsed.complete)
        loaded.notice = QStringLiteral("De lijst %1 eindigt midden in een adres; dat laatste adres kon niet worden gelezen.").arg(shownName);
    else if (parsed.firstWithQuote >= 0)
        loaded.notice = QStringLiteral("In de lijst %1 heeft adres %2 (%3) een aanhalingsteken (\") dat niet kan worden "
                                       "opgeslagen. Verander dat adres voordat je de lijst opslaat.")
                            .arg(shownName, QString::number(parsed.firstWithQuote + 1),
                                 shownStart(parsed.records[parsed.firstWithQuote].fieldView(AddressRecord::Naam)));
    records = std::move(parsed.records);
    loaded.stamp = stampOf(bytes, QFileInfo(path).lastModified());
    return loaded;
}

FileResult LaadAdressen(AddressListModel& model, const QString& dataFolder, const QString& name)
{
    if (!isListFileName(name))
        return notAFileName();
    QList<AddressRecord> records;
    const FileResult loaded = readAddressList(dataFolder + QLatin1Char('/') + name, name, records);
    if (loaded.ok)
        model.replaceAll(std::move(records));
    return loaded;
}

std::optional<QString> tooBigToReopen(qint64 bytes)
{
    if (bytes <= MaxReadableBytes)
        return std::nullopt;
    return QStringLiteral("de lijst zou te groot worden om later weer te openen (%1 MB, hoogstens %2 MB).")
        .arg(megabytes(bytes), megabytes(MaxReadableBytes));
}

FileResult SaveAdressen(const AddressListModel& model, const QString& dataFolder, const QString& name)
{
    if (!isListFileName(name))
        return notAFileName();
    const std::optional<QByteArray> bytes = encodeAddressList(model.records());
    if (!bytes)
        return failure(*unstorableReason(model.records()));
    // A file the program cannot read back would lose the whole list at the next opening.
    if (const std::optional<QString> tooBig = tooBigToReopen(bytes->size()))
        return failure(*tooBig);
    const QString path = dataFolder + QLatin1Char('/') + name;
    FileResult written = writeWholeFile(path, *bytes);
    if (written.ok)
        written.stamp = stampOf(*bytes, QFileInfo(path).lastModified());
    return written;
}
