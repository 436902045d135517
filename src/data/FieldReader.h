#pragma once

#include <QStringView>
#include <optional>

// Reads comma-separated fields the lenient way the list and settings files are
// read: a field ends at a comma or a line end (CR LF, CR or LF); spaces before
// it are skipped; a quoted field is the text up to the next quote and whatever
// follows up to the terminator is skipped; an unquoted field loses its
// trailing spaces. Line ends carry no meaning beyond ending a field.
class FieldReader {
public:
    explicit FieldReader(QStringView text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }

    // The next field, a view into the text, or nothing when the text ends
    // before one (or inside quotes).
    std::optional<QStringView> next();

private:
    void skipTerminator();

    QStringView m_text;
    qsizetype m_pos = 0;
};
