#pragma once

#include <QByteArrayView>
#include <optional>

// Reads comma-separated fields the lenient way the list and settings files are
// read: a field ends at a comma or a line end (CR LF, CR or LF); spaces before
// it are skipped; a quoted field is the text up to the next quote and whatever
// follows up to the terminator is skipped; an unquoted field loses its
// trailing spaces. Line ends carry no meaning beyond ending a field.
// It works on the file's bytes: every character that marks a field is ASCII
// and one byte in Windows-1252, so only the fields themselves need decoding.
class FieldReader {
public:
    explicit FieldReader(QByteArrayView bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_pos >= m_bytes.size(); }

    // The next field, a view into the bytes, or nothing when they end before
    // one (or inside quotes).
    std::optional<QByteArrayView> next();

private:
    void skipTerminator();

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};
