#pragma once

#include <QByteArray>
#include <QIODevice>
#include <memory>

struct zip;
struct zip_file;

// One part of the archive, unpacked as it is read. A damaged part ends in a
// read error; so does one that unpacks to more than its reader's limit.
class ZipPart : public QIODevice {
public:
    ZipPart(zip_file* file, qint64 limit);
    ~ZipPart() override;
    bool isSequential() const override { return true; }
    bool tooBig() const { return m_tooBig; }

protected:
    qint64 readData(char* data, qint64 size) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    zip_file* m_file;
    qint64 m_left;
    bool m_tooBig = false;
};

// The parts of a zip file held in memory, read with libzip, which checks
// each part's sums as it unpacks. The bytes must outlive the reader.
class ZipReader {
public:
    // A few bytes can unpack to terabytes: no part may unpack to more than
    // limit, nor to more than a hundred times its packed size (beyond 32 MB).
    // A real sheet packs to a fiftieth at most; deflate can reach a thousandth.
    explicit ZipReader(const QByteArray& bytes, qint64 limit = qint64(1) << 30);
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    bool isOpen() const { return m_archive != nullptr; }
    bool has(const QString& name) const;
    // A part to read as it unpacks, or null when there is no such part.
    std::unique_ptr<ZipPart> part(const QString& name) const;
    // A small part whole; empty when it is missing, damaged or over limit bytes.
    QByteArray smallPart(const QString& name, qint64 limit = 1024 * 1024) const;

private:
    zip* m_archive = nullptr;
    qint64 m_limit;
};
