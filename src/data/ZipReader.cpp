#include "data/ZipReader.h"

#include <zip.h>

namespace {

// One part, unpacked as it is read.
class PartDevice : public QIODevice {
public:
    explicit PartDevice(zip_file_t* file)
        : m_file(file)
    {
        open(QIODevice::ReadOnly);
    }
    ~PartDevice() override { zip_fclose(m_file); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 size) override
    {
        const zip_int64_t read = zip_fread(m_file, data, zip_uint64_t(size));
        return read < 0 ? -1 : read;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    zip_file_t* m_file;
};

}

ZipReader::ZipReader(const QByteArray& bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (source) {
        // The central list and each part's own header must agree: a damaged file is refused at once.
        m_archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
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

std::unique_ptr<QIODevice> ZipReader::part(const QString& name) const
{
    zip_file_t* file = m_archive ? zip_fopen(m_archive, name.toUtf8().constData(), 0) : nullptr;
    if (!file)
        return nullptr;
    return std::make_unique<PartDevice>(file);
}

QByteArray ZipReader::smallPart(const QString& name, qint64 limit) const
{
    const std::unique_ptr<QIODevice> device = part(name);
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
