#pragma once

#include "data/AddressRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

class AddressListModel;
struct SavedSettings;

// What a list file held when the program last read or wrote it: enough to
// tell whether someone else changed it since. A new date alone is no change.
struct FileStamp {
    qint64 size = -1; // -1: no file
    QDateTime modified;
    size_t hash = 0;
    bool sameBytes(const FileStamp& other) const { return size == other.size && hash == other.hash; }
};
FileStamp stampOf(QByteArrayView bytes, const QDateTime& modified);

// The file as it is now, its bytes hashed every time: a change that keeps
// the size and the date (a file system that keeps dates to two seconds, a
// tool that restores them) is a change all the same.
FileStamp currentStamp(const QString& path);

// The outcome of a file operation, with a short Dutch reason when it failed.
struct FileResult {
    bool ok = true;
    QString reason;
    // A whole sentence for the user where the common one does not fit: why
    // a list is refused, or what could not be read of a list that opened.
    QString notice;
    FileStamp stamp; // a list read or written: what its file holds now
};

// The largest file the program reads: once read, a list takes about three
// times its size in memory (its bytes and its text).
constexpr qint64 MaxReadableBytes = qint64(1) << 30;

// Why a list file of that size could not be opened again, or nothing when it could.
std::optional<QString> tooBigToReopen(qint64 bytes);

// Reads a list file; what could not be read of it is told in the notice,
// which names the list as shownName.
FileResult readAddressList(const QString& path, const QString& shownName, QList<AddressRecord>& records);

// Reads Data/name into the model. The rows are replaced only when the file
// could be read; otherwise the model keeps its list.
FileResult LaadAdressen(AddressListModel& model, const QString& dataFolder, const QString& name);

// Writes the model to Data/name through a temporary file, so a failure leaves
// the old file whole. Creates Data when it is missing.
FileResult SaveAdressen(const AddressListModel& model, const QString& dataFolder, const QString& name);

// Reads a whole file, or says in Dutch why it cannot.
FileResult readWholeFile(const QString& path, QByteArray& bytes);

// Writes a whole file atomically, creating its folder when missing.
FileResult writeWholeFile(const QString& path, const QByteArray& bytes);
