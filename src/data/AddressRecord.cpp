#include "data/AddressRecord.h"

AddressRecord::AddressRecord(const std::array<QString, FieldCount>& fields)
{
    *this = fromViews({fields[0], fields[1], fields[2], fields[3], fields[4]});
}

AddressRecord AddressRecord::fromViews(const std::array<QStringView, FieldCount>& fields)
{
    AddressRecord record;
    qsizetype size = 0;
    for (QStringView field : fields)
        size += field.size();
    record.m_text.reserve(size);
    for (int i = 0; i < FieldCount; ++i) {
        record.m_text += fields[size_t(i)];
        if (i < FieldCount - 1)
            record.m_ends[size_t(i)] = qint32(record.m_text.size());
    }
    return record;
}

AddressRecord AddressRecord::fromJoined(QString text, const std::array<qint32, FieldCount - 1>& ends)
{
    AddressRecord record;
    record.m_text = std::move(text);
    record.m_ends = ends;
    return record;
}

QStringView AddressRecord::fieldView(int index) const
{
    const qsizetype start = index == 0 ? 0 : m_ends[size_t(index - 1)];
    const qsizetype end = index == FieldCount - 1 ? m_text.size() : m_ends[size_t(index)];
    return QStringView(m_text).sliced(start, end - start);
}

void AddressRecord::setField(int index, QStringView value)
{
    std::array<QString, FieldCount> fields;
    for (int i = 0; i < FieldCount; ++i)
        fields[size_t(i)] = i == index ? value.toString() : field(i);
    *this = AddressRecord(fields);
}

int AddressRecord::fieldAt(qsizetype position) const
{
    int field = 0;
    while (field < FieldCount - 1 && position >= m_ends[size_t(field)])
        ++field;
    return field;
}
