#include "widgets/vistabutton/PropertyBag.h"

#include <QColor>

void PropertyBag::write(const QString& name, const QVariant& value)
{
    const qsizetype index = indexOf(name);
    if (index >= 0)
        m_entries[index].second = value;
    else
        m_entries.append({name, value});
}

QVariant PropertyBag::read(const QString& name, const QVariant& fallback) const
{
    const qsizetype index = indexOf(name);
    return index >= 0 ? m_entries[index].second : fallback;
}

QStringList PropertyBag::names() const
{
    QStringList result;
    for (const auto& entry : m_entries)
        result.append(entry.first);
    return result;
}

qsizetype PropertyBag::indexOf(const QString& name) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].first.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

quint32 packColour(const QColor& colour)
{
    return quint32(colour.red()) + 256u * quint32(colour.green()) + 65536u * quint32(colour.blue());
}

QColor unpackColour(quint32 packed)
{
    return QColor(int(packed & 0xFF), int((packed >> 8) & 0xFF), int((packed >> 16) & 0xFF));
}
