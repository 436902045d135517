// Delimited text from another program: any bytes give addresses the list can
// hold (a name, only storable characters) or reasons, never a crash; the
// values counted for "Kolommen kiezen" never take more rows than there are.
#include "data/import/AddressImport.h"
#include "data/AddressListFile.h"

#include <cstdlib>

namespace {

void checkCounts(const ColumnQuestion& question)
{
    const ValueCounts counts = question.valuesBelow(question.proposed.headerRow);
    for (qsizetype column = 0; column < question.columns; ++column) {
        const QList<CountedValue> values = counts.values(column);
        if (values.isEmpty())
            continue;
        const RowFilter every{column, {values.first().value, values.last().value}};
        if (counts.rowsTaken(every) > counts.rows() || counts.rowsTaken(every) < 0)
            abort();
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString fileName = QStringLiteral("a.csv");
    // Read as found; as a user would place the columns of a file without
    // names; with the names turned round and only the rows holding the first
    // row's first value; and with the columns shown.
    ImportInput placed;
    placed.answers.insert(fileName, {0, ColumnUses::inFieldOrder(AddressRecord::FieldCount)});
    ImportInput chosen;
    ColumnUses turned = ColumnUses::inFieldOrder(AddressRecord::FieldCount);
    turned.turnNames = true;
    const QString firstRow = QString::fromUtf8(bytes.left(bytes.indexOf('\n')));
    chosen.answers.insert(fileName, {1, turned, RowFilter{size > 0 ? data[0] % 6 : 0, {cellValues(firstRow).value(0)}}});
    ImportInput shown;
    shown.showColumns = true;
    for (const ImportOutcome& outcome : {importFileBytes(fileName, bytes), importFileBytes(fileName, bytes, placed),
                                         importFileBytes(fileName, bytes, chosen), importFileBytes(fileName, bytes, shown),
                                         importPastedText(QString::fromUtf8(bytes))}) {
        for (const AddressRecord& address : outcome.result.addresses)
            if (isBlank(address.fieldView(AddressRecord::Naam)) || unstorableReason({address}))
                abort();
        if (outcome.question)
            checkCounts(*outcome.question);
    }
    return 0;
}
