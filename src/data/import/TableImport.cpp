#include "data/import/TableImport.h"

#include "app/NumberReading.h"
#include "data/import/SortNames.h"

#include <algorithm>

namespace {

// The header is looked for among this many filled rows.
constexpr qsizetype HeaderSearchRows = 20;
// A question shows the rows below the header.
constexpr qsizetype QuestionRows = HeaderSearchRows + 5;

qsizetype charactersIn(const QStringList& cells)
{
    qsizetype count = 0;
    for (const QString& cell : cells)
        count += cell.size();
    return count;
}

}

QStringList namesIn(const QList<TableRow>& rows, qsizetype headerRow)
{
    for (const TableRow& row : rows)
        if (row.number == headerRow)
            return row.cells;
    return {};
}

QStringList ColumnQuestion::namesAt(qsizetype headerRow) const { return namesIn(rows, headerRow); }

ValueCounts ColumnQuestion::valuesBelow(qsizetype headerRow) const
{
    ValueCounts below = values;
    for (const TableRow& row : rows)
        if (row.number <= headerRow)
            below.remove(row.cells, row.repeat);
    return below;
}

qsizetype ColumnQuestion::firstDataRow(qsizetype headerRow) const
{
    for (qsizetype i = 0; i < rows.size(); ++i)
        if (rows[i].number > headerRow)
            return i;
    return rows.size();
}

TableImport::TableImport(TableSource source, const ColumnChoices& remembered, std::optional<ColumnChoice> answer,
                         const std::atomic_bool& cancelled, bool showColumns)
    : m_source(source)
    , m_remembered(remembered)
    , m_answer(std::move(answer))
    , m_cancelled(cancelled)
    , m_showColumns(showColumns)
{
    if (source == TableSource::File)
        m_collector.requireAddress();
}

bool TableImport::addRow(const QStringList& cells, qsizetype number, qsizetype repeat)
{
    if (m_cancelled.load(std::memory_order_relaxed))
        return false;
    // Counted before anything is built: a few bytes can repeat a row a million times.
    m_rows += repeat;
    m_characters += charactersIn(cells) * std::min(repeat, MostImportRows + 1);
    if (m_rows > MostImportRows || m_characters > MostImportCharacters) {
        m_tooBig = true;
        return false;
    }
    if (m_choice) {
        collect(cells, number, repeat);
        return true;
    }
    if (m_proposed) {
        // Asked about: the question shows the first rows, and the values of all of them to choose from.
        m_values.add(cells, repeat);
        if (m_waiting.size() < QuestionRows)
            m_waiting.append({cells, number, repeat});
        return true;
    }
    m_waiting.append({cells, number, repeat});
    const qsizetype decideAfter = m_source == TableSource::Paste && !m_answer && !m_showColumns ? 1 : HeaderSearchRows;
    if (m_waiting.size() >= decideAfter)
        decide();
    return true;
}

void TableImport::finish()
{
    if (!m_choice && !m_proposed && !m_tooBig && !m_waiting.isEmpty())
        decide();
    if (m_workAddresses > 0)
        m_collector.result().columnNotes.append(
            m_workAddresses == 1 ? QStringLiteral("1 rij zonder huisadres kreeg het werkadres.")
                                 : QStringLiteral("%1 rijen zonder huisadres kregen het werkadres.").arg(dutchNumber(m_workAddresses)));
}

// The header row, by names remembered or known, with the columns they place.
std::optional<ColumnChoice> TableImport::headerChoice(bool& remembered) const
{
    // Only the first pasted row may be column names: the rest are addresses.
    const qsizetype candidates = m_source == TableSource::Paste ? 1 : m_waiting.size();
    remembered = true;
    for (qsizetype i = 0; i < candidates; ++i) {
        const QStringList& names = m_waiting[i].cells;
        if (std::optional<ColumnUses> uses = m_remembered.find(names)) {
            uses->keepPartsOf(recogniseColumns(names).uses);
            return ColumnChoice{m_waiting[i].number, *uses};
        }
    }
    remembered = false;
    for (qsizetype i = 0; i < candidates; ++i)
        if (const TableRow& row = m_waiting[i]; isHeaderRow(row.cells))
            return ColumnChoice{row.number, recogniseColumns(row.cells).uses};
    return std::nullopt;
}

// Names written surname first are turned round when most of the column's names are.
ColumnChoice TableImport::withTurnedNames(ColumnChoice choice) const
{
    const qsizetype column = choice.uses.wholeNameColumn();
    if (choice.headerRow == 0 || column < 0)
        return choice;
    // Only members count: a count or a note under the list is no name.
    QStringList names;
    for (const TableRow& waiting : m_waiting) {
        const auto fields = choice.uses.fields(waiting.cells);
        if (waiting.number > choice.headerRow
            && !(fields[AddressRecord::Postcode].isEmpty() && fields[AddressRecord::Woonplaats].isEmpty()))
            names.append(waiting.cells.value(column));
    }
    choice.uses.turnNames = mostAreSortNames(names);
    return choice;
}

void TableImport::decide()
{
    if (m_answer)
        return useOrShow(*m_answer);
    bool remembered = false;
    if (std::optional<ColumnChoice> header = headerChoice(remembered)) {
        // Turned round or not as the user chose for these names, else as most names are written.
        if (!remembered || !m_remembered.decidesTurning(namesAt(header->headerRow)))
            header = withTurnedNames(*header);
        return remembered || header->uses.placesLabel() ? useOrShow(*header) : ask(*header);
    }
    const auto names = std::find_if(m_waiting.begin(), m_waiting.end(),
                                    [](const TableRow& row) { return looksLikeColumnNames(row.cells); });
    if (m_source == TableSource::Paste && names != m_waiting.begin())
        return useOrShow({0, ColumnUses::inFieldOrder(AddressRecord::FieldCount)});
    // Names nobody knows, or no names at all: never read by position without the user.
    if (names != m_waiting.end())
        return ask(withTurnedNames({names->number, recogniseColumns(names->cells).uses}));
    return ask({0, ColumnUses::inFieldOrder(AddressRecord::FieldCount)});
}

// The user asked to see the columns: what would be used is proposed instead.
void TableImport::useOrShow(const ColumnChoice& choice)
{
    if (m_showColumns)
        ask(choice);
    else
        use(choice);
}

void TableImport::use(const ColumnChoice& choice)
{
    m_choice = choice;
    if (choice.headerRow > 0)
        m_collector.result().columnNotes.append(usesText(namesAt(choice.headerRow), choice.uses));
    noteTurnedName();
    noteFilter();
    for (const TableRow& waiting : std::exchange(m_waiting, {}))
        if (waiting.number > choice.headerRow)
            collect(waiting.cells, waiting.number, waiting.repeat);
}

// "Alleen Lidsoort: Senior": the rows the user chose.
void TableImport::noteFilter()
{
    const RowFilter& filter = m_choice->filter;
    if (!filter.active())
        return;
    const QString name = namesAt(m_choice->headerRow).value(filter.column).simplified();
    m_collector.result().columnNotes.append(QStringLiteral("Alleen %1: %2.")
                                                .arg(name.isEmpty() ? columnLetterName(filter.column) : name,
                                                     filter.values.isEmpty() ? QStringLiteral("geen waarden") : valuesText(filter.values)));
}

void TableImport::noteTurnedName()
{
    const qsizetype column = m_choice->uses.wholeNameColumn();
    if (!m_choice->uses.turnNames || column < 0)
        return;
    // An example whose Naam the turning made: beside name parts it makes only rows without them.
    ColumnUses unturned = m_choice->uses;
    unturned.turnNames = false;
    for (const TableRow& waiting : m_waiting) {
        const QString name = waiting.cells.value(column).simplified();
        const auto turned = m_choice->uses.fields(waiting.cells)[AddressRecord::Naam];
        if (waiting.number > m_choice->headerRow && isSortName(name)
            && turned != unturned.fields(waiting.cells)[AddressRecord::Naam]) {
            m_collector.result().columnNotes.append(
                QStringLiteral("Namen omgedraaid: %1 wordt %2.").arg(name, envelopeName(name)));
            return;
        }
    }
}

void TableImport::ask(const ColumnChoice& proposed)
{
    m_proposed = proposed;
    for (const TableRow& waiting : m_waiting)
        m_values.add(waiting.cells, waiting.repeat);
}

QStringList TableImport::namesAt(qsizetype headerRow) const { return namesIn(m_waiting, headerRow); }

std::optional<ColumnQuestion> TableImport::question() const
{
    if (!m_proposed)
        return std::nullopt;
    ColumnQuestion question{{}, {}, *m_proposed, 0, m_values};
    for (const TableRow& waiting : m_waiting) {
        question.rows.append(waiting);
        question.columns = std::max(question.columns, waiting.cells.size());
    }
    question.proposed.uses.fieldOf.resize(question.columns, ColumnUses::Unused);
    return question;
}

void TableImport::collect(const QStringList& cells, qsizetype number, qsizetype repeat)
{
    if (!m_choice->filter.takes(cells))
        return;
    const ColumnUses& uses = m_choice->uses;
    for (qsizetype column = 0; column < std::min(cells.size(), uses.fieldOf.size()); ++column) {
        if (uses.fieldOf[column] != ColumnUses::Unused && cells[column].size() > LongestCell) {
            const QString name = columnLetterName(column).replace(u'K', u'k');
            m_collector.leaveOut(number, QStringLiteral("%1 heeft meer dan %2 tekens").arg(name, dutchNumber(LongestCell)), repeat);
            return;
        }
    }
    bool workAddress = false;
    m_collector.add(uses.fields(cells, &workAddress), number, repeat);
    if (workAddress)
        m_workAddresses += repeat;
}
