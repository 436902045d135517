#pragma once

#include <QByteArray>
#include <QIODevice>
#include <memory>

struct zip;

// The parts of a zip file held in memory, read with libzip, which checks
// each part's sums as it unpacks. The bytes must outlive the reader.
class ZipReader {
public:
    explicit ZipReader(const QByteArray& bytes);
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    bool isOpen() const { return m_archive != nullptr; }
    bool has(const QString& name) const;
    // A part to read as it unpacks (a damaged part ends in a read error), or
    // null when there is no such part.
    std::unique_ptr<QIODevice> part(const QString& name) const;
    // A small part whole; empty when it is missing, damaged or over limit bytes.
    QByteArray smallPart(const QString& name, qint64 limit = 1024 * 1024) const;

private:
    zip* m_archive = nullptr;
};
