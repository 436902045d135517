#include "data/SpreadsheetImport.h"

#include "data/IgnoredStyles.h"

#include <QDate>
#include <cctype>
#include <cmath>
#include <map>
#include <optional>
#include <orcus/exception.hpp>
#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/import_interface.hpp>
#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>
#include <vector>

namespace {

namespace ss = orcus::spreadsheet;

// Addresses sit in the first columns; a cell far to the right is not read,
// so a row cannot grow to thousands of columns.
constexpr ss::col_t ReadColumns = 256;
// An .ods can repeat one filled row a million times in a few bytes: past this
// many filled cells the sheet is refused rather than eat all memory.
constexpr qsizetype MaxCells = 10'000'000;
constexpr ss::range_size_t SheetSize{1048576, 16384};

struct TooManyCells {};

// A whole number as its digits, as a cell holding a postcode or a house
// number shows it; other numbers with the decimal comma.
QString shownNumber(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::abs(value) < 1e15)
        return QString::number(qint64(value));
    return QString::number(value, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
}

// A column as the spreadsheet names it: A to Z, then AA.
QString columnName(ss::col_t col)
{
    QString name;
    for (++col; col > 0; col = (col - 1) / 26)
        name.prepend(QChar(u'A' + (col - 1) % 26));
    return name;
}

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// Strings the file keeps apart; cells refer to them by number.
class SharedStrings : public ss::iface::import_shared_strings {
public:
    QString at(ss::string_id_t index) const { return index < m_strings.size() ? m_strings[index] : QString(); }

    size_t append(std::string_view s) override { return push(fromUtf8(s)); }
    size_t add(std::string_view s) override { return push(fromUtf8(s)); }
    void append_segment(std::string_view s) override { m_segments += fromUtf8(s); }
    size_t commit_segments() override { return push(std::exchange(m_segments, {})); }
    // Fonts and colours of parts of a text do not change the text.
    void set_segment_font(size_t) override {}
    void set_segment_bold(bool) override {}
    void set_segment_italic(bool) override {}
    void set_segment_font_name(std::string_view) override {}
    void set_segment_font_size(double) override {}
    void set_segment_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}

private:
    size_t push(QString text)
    {
        m_strings.push_back(std::move(text));
        return m_strings.size() - 1;
    }
    std::vector<QString> m_strings;
    QString m_segments;
};

// The cells of one sheet as text, by row; only filled cells are kept.
class Sheet : public ss::iface::import_sheet {
public:
    Sheet(const SharedStrings& strings, bool keep)
        : m_strings(strings)
        , m_keep(keep)
        , m_formula(*this)
    {
    }
    const std::map<ss::row_t, QStringList>& rows() const { return m_rows; }
    // Rows with a formula whose result the file does not give (Calc's text
    // results, as the reader passes them), and the first such column.
    const std::map<ss::row_t, ss::col_t>& unread() const { return m_unread; }

    void put(ss::row_t row, ss::col_t col, QString text)
    {
        if (!m_keep || text.isEmpty() || row < 0 || row >= SheetSize.rows || col < 0 || col >= ReadColumns)
            return;
        if (++m_cells > MaxCells)
            throw TooManyCells();
        QStringList& cells = m_rows[row];
        if (cells.size() <= col)
            cells.resize(col + 1);
        cells[col] = std::move(text);
    }

    void markUnread(ss::row_t row, ss::col_t col)
    {
        if (!m_keep || row < 0 || row >= SheetSize.rows || col < 0 || col >= ReadColumns)
            return;
        m_rows.try_emplace(row);
        m_unread.try_emplace(row, col);
    }

    void set_auto(ss::row_t row, ss::col_t col, std::string_view s) override { put(row, col, fromUtf8(s)); }
    void set_string(ss::row_t row, ss::col_t col, ss::string_id_t index) override { put(row, col, m_strings.at(index)); }
    void set_value(ss::row_t row, ss::col_t col, double value) override { put(row, col, shownNumber(value)); }
    void set_bool(ss::row_t row, ss::col_t col, bool value) override
    {
        put(row, col, value ? QStringLiteral("WAAR") : QStringLiteral("ONWAAR"));
    }
    void set_date_time(ss::row_t row, ss::col_t col, int year, int month, int day, int, int, double) override
    {
        put(row, col, QDate(year, month, day).toString(QStringLiteral("d-M-yyyy")));
    }
    void set_format(ss::row_t, ss::col_t, size_t) override {}
    void set_format(ss::row_t, ss::col_t, ss::row_t, ss::col_t, size_t) override {}
    void fill_down_cells(ss::row_t row, ss::col_t col, ss::row_t count) override
    {
        const auto source = m_rows.find(row);
        if (source == m_rows.end())
            return;
        const QString text = source->second.value(col);
        for (ss::row_t below = 1; below <= count && row + below < SheetSize.rows; ++below)
            put(row + below, col, text);
    }
    ss::range_size_t get_sheet_size() const override { return SheetSize; }
    ss::iface::import_formula* get_formula() override { return &m_formula; }

private:
    // A formula's cell shows its last result, which the file keeps beside it.
    class Formula : public ss::iface::import_formula {
    public:
        explicit Formula(Sheet& sheet)
            : m_sheet(sheet)
        {
        }
        void set_position(ss::row_t row, ss::col_t col) override
        {
            m_row = row;
            m_col = col;
            m_result.reset();
        }
        void set_formula(ss::formula_grammar_t, std::string_view) override {}
        void set_shared_formula_index(size_t) override {}
        void set_result_string(std::string_view value) override { m_result = fromUtf8(value); }
        void set_result_value(double value) override { m_result = shownNumber(value); }
        void set_result_bool(bool value) override { m_result = value ? QStringLiteral("WAAR") : QStringLiteral("ONWAAR"); }
        void set_result_empty() override { m_result = QString(); }
        void commit() override
        {
            if (m_result)
                m_sheet.put(m_row, m_col, std::move(*m_result));
            else
                m_sheet.markUnread(m_row, m_col);
        }

    private:
        Sheet& m_sheet;
        ss::row_t m_row = 0;
        ss::col_t m_col = 0;
        std::optional<QString> m_result;
    };

    const SharedStrings& m_strings;
    bool m_keep;
    Formula m_formula;
    std::map<ss::row_t, QStringList> m_rows;
    std::map<ss::row_t, ss::col_t> m_unread;
    qsizetype m_cells = 0;
};

// Cell addresses such as "B12" or "$B$12", the only kind an .xlsx sheet uses for its cells.
class CellAddresses : public ss::iface::import_reference_resolver {
public:
    ss::src_address_t resolve_address(std::string_view address) override
    {
        ss::src_address_t cell{0, 0, 0};
        size_t at = skipDollar(address, 0);
        const size_t letters = at;
        for (; at < address.size() && at - letters < 3 && std::isupper(uchar(address[at])); ++at)
            cell.column = cell.column * 26 + (address[at] - 'A' + 1);
        at = skipDollar(address, at);
        const size_t digits = at;
        for (; at < address.size() && at - digits < 7 && std::isdigit(uchar(address[at])); ++at)
            cell.row = cell.row * 10 + (address[at] - '0');
        if (cell.column < 1 || cell.column > SheetSize.columns || cell.row < 1 || cell.row > SheetSize.rows
            || at != address.size())
            throw orcus::invalid_arg_error("not a cell address");
        --cell.column;
        --cell.row;
        return cell;
    }
    ss::src_range_t resolve_range(std::string_view range) override
    {
        const size_t colon = range.find(':');
        if (colon == std::string_view::npos) {
            const ss::src_address_t cell = resolve_address(range);
            return {cell, cell};
        }
        return {resolve_address(range.substr(0, colon)), resolve_address(range.substr(colon + 1))};
    }

private:
    static size_t skipDollar(std::string_view text, size_t at) { return at < text.size() && text[at] == '$' ? at + 1 : at; }
};

// What the reader hands over; only the first sheet is kept.
class Workbook : public ss::iface::import_factory {
public:
    const Sheet& firstSheet() const { return m_first; }

    ss::iface::import_shared_strings* get_shared_strings() override { return &m_strings; }
    ss::iface::import_styles* get_styles() override { return &m_styles; }
    ss::iface::import_reference_resolver* get_reference_resolver(ss::formula_ref_context_t) override { return &m_addresses; }
    ss::iface::import_sheet* append_sheet(ss::sheet_t index, std::string_view name) override
    {
        if (index == 0)
            m_firstName = std::string(name);
        return get_sheet(index);
    }
    ss::iface::import_sheet* get_sheet(std::string_view name) override
    {
        return name == m_firstName ? &m_first : &m_other;
    }
    ss::iface::import_sheet* get_sheet(ss::sheet_t index) override { return index == 0 ? &m_first : &m_other; }
    void finalize() override {}

private:
    SharedStrings m_strings;
    IgnoredStyles m_styles;
    CellAddresses m_addresses;
    Sheet m_first{m_strings, true};
    Sheet m_other{m_strings, false};
    std::string m_firstName;
};

const uint8_t* bytesOf(const QByteArray& bytes) { return reinterpret_cast<const uint8_t*>(bytes.constData()); }

// Excel keeps a file protected with a password in an OLE container, not a zip.
bool isOleContainer(const QByteArray& bytes) { return bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"); }

// Calc keeps such a file as a zip whose parts are encrypted, and says so in its manifest.
bool isEncryptedZip(const QByteArray& bytes)
{
    try {
        orcus::zip_archive_stream_blob stream(bytesOf(bytes), size_t(bytes.size()));
        orcus::zip_archive archive(&stream);
        archive.load();
        std::vector<unsigned char> manifest;
        if (!archive.read_file_entry("META-INF/manifest.xml", manifest))
            return false;
        return std::string_view(reinterpret_cast<const char*>(manifest.data()), manifest.size()).find("encryption-data")
            != std::string_view::npos;
    } catch (const std::exception&) {
        return false;
    }
}

QString passwordReason(const QString& fileName)
{
    return QStringLiteral("%1 is beveiligd met een wachtwoord; bewaar het zonder wachtwoord en probeer het opnieuw")
        .arg(fileName);
}

// Reads the first sheet, or says why it could not be read.
QString readFirstSheet(const QString& fileName, const QByteArray& bytes, Workbook& workbook)
{
    if (isOleContainer(bytes))
        return passwordReason(fileName);
    const std::string_view stream(bytes.constData(), size_t(bytes.size()));
    try {
        if (orcus::orcus_xlsx::detect(bytesOf(bytes), size_t(bytes.size()))) {
            orcus::orcus_xlsx(&workbook).read_stream(stream);
            return {};
        }
        if (orcus::orcus_ods::detect(bytesOf(bytes), size_t(bytes.size()))) {
            orcus::orcus_ods(&workbook).read_stream(stream);
            return {};
        }
    } catch (const TooManyCells&) {
        return QStringLiteral("%1 is te groot om in te lezen (meer dan %2 gevulde cellen)").arg(fileName).arg(MaxCells);
    } catch (const std::exception&) {
        // Read on below: what failed says more than the reader's own message.
    }
    if (isEncryptedZip(bytes))
        return passwordReason(fileName);
    if (!bytes.startsWith("PK"))
        return QStringLiteral("%1 is geen Excel- of Calc-bestand").arg(fileName);
    return QStringLiteral("%1 is beschadigd: de tabel erin kan niet worden gelezen").arg(fileName);
}

}

ImportResult importSpreadsheet(const QString& fileName, const QByteArray& bytes)
{
    Workbook workbook;
    if (const QString failure = readFirstSheet(fileName, bytes, workbook); !failure.isEmpty()) {
        ImportResult result;
        result.leaveOut(failure);
        return result;
    }
    TableImport table(DelimitedSource::File);
    const Sheet& sheet = workbook.firstSheet();
    table.reserve(qsizetype(sheet.rows().size()));
    for (const auto& [row, cells] : sheet.rows()) {
        if (const auto unread = sheet.unread().find(row); unread != sheet.unread().end())
            table.leaveOut(row + 1, QStringLiteral("de uitkomst van de formule in kolom %1 is niet te lezen (bewaar het bestand als .xlsx)")
                                        .arg(columnName(unread->second)));
        else
            table.addRow(cells, row + 1);
    }
    return table.take();
}
