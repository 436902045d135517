#include "data/import/DelimitedText.h"

#include "data/import/AddressImport.h"

#include <algorithm>
#include <csv.h>

namespace {

// The delimiter the first line uses most: tab, then semicolon, then comma.
char detectDelimiter(QStringView text)
{
    const QStringView firstLine = text.first(std::min<qsizetype>(text.size(), 64 * 1024));
    const qsizetype tabs = firstLine.count(QLatin1Char('\t'));
    const qsizetype semicolons = firstLine.count(QLatin1Char(';'));
    const qsizetype commas = firstLine.count(QLatin1Char(','));
    if (tabs > 0 && tabs >= semicolons && tabs >= commas)
        return '\t';
    return semicolons > commas ? ';' : ',';
}

// Rows as libcsv hands them over, passed on as they come; blank rows are only counted.
struct Rows {
    RowSink& sink;
    QStringList row;
    qsizetype number = 0;
    bool stopped = false;
};

int isSpaceOnly(unsigned char c) { return c == ' '; }

void onField(void* bytes, size_t size, void* rows)
{
    auto& into = *static_cast<Rows*>(rows);
    if (into.row.size() >= ReadColumns)
        return;
    QString cell = QString::fromUtf8(static_cast<const char*>(bytes), qsizetype(std::min(size, LongestCellBytes)));
    capCell(cell);
    into.row.append(std::move(cell));
}

void onRowEnd(int, void* rows)
{
    auto& into = *static_cast<Rows*>(rows);
    ++into.number;
    const bool filled = std::any_of(into.row.begin(), into.row.end(), [](const QString& c) { return !c.isEmpty(); });
    if (filled && !into.stopped && !into.sink.addRow(into.row, into.number, 1))
        into.stopped = true;
    into.row.clear();
}

}

void readDelimited(const QString& text, RowSink& sink)
{
    const QByteArray bytes = text.toUtf8();
    Rows rows{sink, {}, 0, false};
    csv_parser parser;
    csv_init(&parser, 0);
    csv_set_delim(&parser, uchar(detectDelimiter(text)));
    csv_set_space_func(&parser, isSpaceOnly); // a tab is a delimiter here, not a space to skip
    // Fed in pieces, so a stop (too big, the user's Annuleren) ends the reading soon.
    constexpr qsizetype Piece = 256 * 1024;
    for (qsizetype at = 0; at < bytes.size() && !rows.stopped; at += Piece)
        csv_parse(&parser, bytes.constData() + at, size_t(std::min(Piece, bytes.size() - at)), onField, onRowEnd, &rows);
    if (!rows.stopped)
        csv_fini(&parser, onField, onRowEnd, &rows);
    csv_free(&parser);
}

QString addressesAsText(const QList<AddressRecord>& addresses)
{
    QString text;
    for (const AddressRecord& address : addresses) {
        for (int f = 0; f < AddressRecord::FieldCount; ++f) {
            if (f > 0)
                text += QLatin1Char('\t');
            const QStringView field = address.fieldView(f);
            const bool quoted = std::any_of(field.begin(), field.end(), [](QChar c) {
                return c == u'\t' || c == u'"' || c == u'\r' || c == u'\n';
            });
            if (quoted)
                text += QLatin1Char('"') + field.toString().replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
            else
                text += field;
        }
        text += QLatin1Char('\n');
    }
    return text;
}
