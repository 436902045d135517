#include "data/import/ZipReader.h"

#include <algorithm>
#include <zip.h>

namespace {

constexpr qint64 MostPackingRatio = 100;
constexpr qint64 AlwaysUnpacked = 32 * 1024 * 1024;

}

ZipPart::ZipPart(zip_file* file, qint64 limit)
    : m_file(file)
    , m_left(limit)
{
    open(QIODevice::ReadOnly);
}

ZipPart::~ZipPart() { zip_fclose(m_file); }

qint64 ZipPart::readData(char* data, qint64 size)
{
    const zip_int64_t read = zip_fread(m_file, data, zip_uint64_t(size));
    if (read < 0)
        return -1;
    if ((m_left -= read) < 0) {
        m_tooBig = true;
        return -1;
    }
    return read;
}

ZipReader::ZipReader(const QByteArray& bytes, qint64 limit)
    : m_limit(limit)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (source) {
        // Not ZIP_CHECKCONS: .NET pads the parts' own headers where the central list has none. Each
        // part's sums are checked as it unpacks all the same.
        m_archive = zip_open_from_source(source, ZIP_RDONLY, &error);
        if (!m_archive)
            zip_source_free(source);
    }
    zip_error_fini(&error);
}

ZipReader::~ZipReader()
{
    if (m_archive)
        zip_discard(m_archive);
}

bool ZipReader::has(const QString& name) const
{
    return m_archive && zip_name_locate(m_archive, name.toUtf8().constData(), 0) >= 0;
}

std::unique_ptr<ZipPart> ZipReader::part(const QString& name) const
{
    zip_file_t* file = m_archive ? zip_fopen(m_archive, name.toUtf8().constData(), 0) : nullptr;
    if (!file)
        return nullptr;
    zip_stat_t stat;
    qint64 limit = m_limit;
    if (zip_stat(m_archive, name.toUtf8().constData(), 0, &stat) == 0 && (stat.valid & ZIP_STAT_COMP_SIZE))
        limit = std::min(m_limit, std::max(AlwaysUnpacked, qint64(stat.comp_size) * MostPackingRatio));
    return std::make_unique<ZipPart>(file, limit);
}

QByteArray ZipReader::smallPart(const QString& name, qint64 limit) const
{
    const std::unique_ptr<ZipPart> device = part(name);
    if (!device)
        return {};
    QByteArray bytes;
    char buffer[16384];
    for (qint64 read; (read = device->read(buffer, sizeof buffer)) != 0;) {
        if (read < 0 || bytes.size() + read > limit)
            return {};
        bytes.append(buffer, read);
    }
    return bytes;
}
