#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// Named design settings of a control, kept in the order they were written.
// Names are matched without regard to case.
class PropertyBag {
public:
    void write(const QString& name, const QVariant& value);
    QVariant read(const QString& name, const QVariant& fallback) const;
    QStringList names() const;

private:
    qsizetype indexOf(const QString& name) const;
    QList<std::pair<QString, QVariant>> m_entries;
};

// Colours are kept the classic way: red + 256 * green + 65536 * blue.
quint32 packColour(const QColor& colour);
QColor unpackColour(quint32 packed);
