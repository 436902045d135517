#include "data/import/AddressImport.h"

#include "data/AddressListFile.h"
#include "data/ListStorage.h"
#include "data/import/DelimitedText.h"
#include "data/import/Duplicates.h"
#include "data/import/ImportedText.h"
#include "data/import/SpreadsheetImport.h"
#include "data/import/VCardImport.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

// A table read into addresses, or the question that must come first.
template <typename Read>
ImportOutcome importTable(TableSource source, const QString& key, const QString& fileName, const ImportInput& input,
                          const std::atomic_bool& cancelled, qsizetype rowsExpected, Read read)
{
    TableImport table(source, input.remembered, input.answers.contains(key) ? std::optional(input.answers[key]) : std::nullopt,
                      cancelled, input.showColumns);
    table.reserve(rowsExpected);
    ImportOutcome outcome;
    const QString failure = read(table);
    table.finish();
    outcome.cancelled = cancelled.load();
    if (!failure.isEmpty() || table.tooBig()) {
        outcome.result.refuse(failure.isEmpty() ? tooBigReason(fileName) : failure);
        return outcome;
    }
    outcome.question = table.question();
    if (outcome.question)
        outcome.question->source = key;
    else
        outcome.result = table.take();
    return outcome;
}

ImportOutcome importDelimited(const QString& text, TableSource source, const QString& key, const QString& fileName,
                              const ImportInput& input, const std::atomic_bool& cancelled)
{
    return importTable(source, key, fileName, input, cancelled, text.count(QLatin1Char('\n')) + 1, [&](TableImport& table) {
        readDelimited(text, table);
        return QString();
    });
}

// An address copied from a mail: one field a line, a blank line between addresses.
ImportResult importFieldPerLine(const QStringList& lines)
{
    ImportCollector collector;
    std::array<QString, AddressRecord::FieldCount> fields;
    int filled = 0;
    qsizetype firstLine = 0;
    auto finish = [&] {
        if (filled > 0)
            collector.add(std::exchange(fields, {}), firstLine);
        filled = 0;
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (isBlank(lines[i])) {
            finish();
            continue;
        }
        if (filled == 0)
            firstLine = i + 1;
        fields[size_t(filled++)] = lines[i];
        if (filled == AddressRecord::FieldCount)
            finish();
    }
    finish();
    return collector.take();
}

// Another list's addresses, held to the list's own rule like every other import.
ImportResult importList(const QByteArray& bytes, const std::atomic_bool& cancelled, bool& tooBig)
{
    ImportResult result;
    ParsedList list = parseAddressList(bytes);
    if (list.records.size() > MostImportRows) {
        tooBig = true;
        return result;
    }
    for (qsizetype i = 0; i < list.records.size(); ++i) {
        if (cancelled.load(std::memory_order_relaxed))
            return {};
        if (const auto bad = findUnstorableChar(list.records[i].text()))
            result.leaveOut(QStringLiteral("adres %1: %2").arg(i + 1).arg(unstorableWhy(bad->character)));
        else
            result.addresses.append(std::move(list.records[i]));
    }
    if (!list.complete)
        result.leaveOut(QStringLiteral("het bestand houdt op midden in een adres"));
    return result;
}

// key names the file in the question and in the user's answers: its path.
ImportOutcome importBytes(const QString& fileName, const QString& key, const QByteArray& bytes, const ImportInput& input,
                          const std::atomic_bool& cancelled)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("txt"))
        return importDelimited(decodeImportedText(bytes), TableSource::File, key, fileName, input, cancelled);
    // An old .xls is told as such by its bytes.
    if (suffix == QLatin1String("xlsx") || suffix == QLatin1String("ods") || suffix == QLatin1String("xls"))
        return importTable(TableSource::File, key, fileName, input, cancelled, 0,
                           [&](TableImport& table) { return readSpreadsheet(fileName, bytes, table, cancelled); });
    ImportOutcome outcome;
    bool tooBig = false;
    if (suffix == QLatin1String("vcf"))
        outcome.result = importVCard(asUtf8IfUtf16(bytes), cancelled, &tooBig);
    else if (suffix == QLatin1String("lst"))
        outcome.result = importList(bytes, cancelled, tooBig);
    else
        outcome.result.refuse(QStringLiteral("%1 is geen CSV-, tekst-, vCard-, Excel-, Calc- of lijstbestand").arg(fileName));
    if (tooBig)
        outcome.result.refuse(tooBigReason(fileName));
    outcome.cancelled = cancelled.load();
    return outcome;
}

ImportOutcome importFileAt(const QString& path, const ImportInput& input, const std::atomic_bool& cancelled)
{
    const QString name = QFileInfo(path).fileName();
    QByteArray bytes;
    if (const FileResult read = readWholeFile(path, bytes); !read.ok) {
        ImportOutcome failed;
        failed.result.refuse(read.reason);
        return failed;
    }
    return importBytes(name, path, bytes, input, cancelled);
}

}

ImportOutcome importFileBytes(const QString& fileName, const QByteArray& bytes, const ImportInput& input,
                              const std::atomic_bool& cancelled)
{
    return importBytes(fileName, fileName, bytes, input, cancelled);
}


ImportOutcome importPastedText(const QString& text, const ImportInput& input, const std::atomic_bool& cancelled)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = text.split(lineEnd);
    const qsizetype filledLines = std::count_if(lines.begin(), lines.end(), [](const QString& l) { return !isBlank(l); });
    if (text.contains(QLatin1Char('\t')) || filledLines <= 1)
        return importDelimited(text, TableSource::Paste, QString(), QString(), input, cancelled);
    ImportOutcome outcome;
    outcome.result = importFieldPerLine(lines);
    return outcome;
}

ImportOutcome importAddresses(const ImportInput& input, const QList<AddressRecord>& listRows,
                              const std::atomic_bool& cancelled)
{
    ImportOutcome all;
    if (input.files.isEmpty())
        all = importPastedText(input.pastedText, input, cancelled);
    for (const QString& path : input.files) {
        ImportOutcome one = importFileAt(path, input, cancelled);
        if (one.question || one.cancelled)
            return one;
        // With more than one file, each note says which file it is about.
        all.result.append(one.result, input.files.size() > 1 ? QFileInfo(path).fileName() : QString());
    }
    all.cancelled = cancelled.load();
    if (!all.question && !all.cancelled)
        leaveOutDuplicates(all.result, listRows);
    return all;
}
