#include "data/SpreadsheetImport.h"

#include "data/SheetReaders.h"
#include "data/ZipReader.h"

#include <QDir>
#include <QHash>
#include <QXmlStreamReader>

namespace {

QString damagedReason(const QString& fileName)
{
    return QStringLiteral("%1 is beschadigd: de tabel erin kan niet worden gelezen").arg(fileName);
}

QString notSpreadsheetReason(const QString& fileName)
{
    return QStringLiteral("%1 is geen Excel- of Calc-bestand").arg(fileName);
}

QString passwordReason(const QString& fileName)
{
    return QStringLiteral("%1 is beveiligd met een wachtwoord; bewaar het zonder wachtwoord en probeer het opnieuw")
        .arg(fileName);
}

// Excel keeps a file protected with a password in an OLE container, not a zip.
bool isOleContainer(const QByteArray& bytes) { return bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"); }

struct Relation {
    QString type;
    QString target; // the part's name in the zip
};

// The relations a .rels part lists, by their id; targets are read from folder.
QHash<QString, Relation> relations(const ZipReader& zip, const QString& rels, const QString& folder)
{
    QHash<QString, Relation> found;
    QXmlStreamReader xml(zip.smallPart(rels));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"Relationship")
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        const QString target = attributes.value(QStringLiteral("Target")).toString();
        found.insert(attributes.value(QStringLiteral("Id")).toString(),
                     {attributes.value(QStringLiteral("Type")).toString(),
                      target.startsWith(QLatin1Char('/')) ? target.mid(1) : QDir::cleanPath(folder + target)});
    }
    return found;
}

Relation firstOfType(const QHash<QString, Relation>& all, QStringView typeEnd)
{
    for (const Relation& relation : all)
        if (relation.type.endsWith(typeEnd))
            return relation;
    return {};
}

struct XlsxParts {
    QString sheet;
    QString sharedStrings;
    QString styles;
};

// The first sheet the workbook's tabs show (a hidden one is passed over), and
// the parts its cells refer to.
XlsxParts xlsxParts(const ZipReader& zip)
{
    QString workbook = firstOfType(relations(zip, QStringLiteral("_rels/.rels"), {}), u"/officeDocument").target;
    if (workbook.isEmpty())
        return {};
    const qsizetype slash = workbook.lastIndexOf(QLatin1Char('/')) + 1;
    const QString folder = workbook.left(slash);
    const QHash<QString, Relation> parts =
        relations(zip, folder + QStringLiteral("_rels/") + workbook.mid(slash) + QStringLiteral(".rels"), folder);
    QXmlStreamReader xml(zip.smallPart(workbook, 64 * 1024 * 1024));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"sheet")
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (const QStringView state = attributes.value(QStringLiteral("state")); !state.isEmpty() && state != u"visible")
            continue;
        for (const QXmlStreamAttribute& attribute : attributes)
            if (attribute.name() == u"id" && !attribute.namespaceUri().isEmpty())
                return {parts.value(attribute.value().toString()).target, firstOfType(parts, u"/sharedStrings").target,
                        firstOfType(parts, u"/styles").target};
        return {};
    }
    return {};
}

// What a part's reader found, or that the part unpacked to too much.
SheetRead checked(SheetRead read, const ZipPart& part) { return part.tooBig() ? SheetRead::TooBig : read; }

SheetRead readXlsx(const ZipReader& zip, const XlsxParts& parts, const SheetRowSink& sink)
{
    XlsxShared shared;
    if (const std::unique_ptr<ZipPart> strings = zip.part(parts.sharedStrings);
        strings && !readXlsxSharedStrings(*strings, shared.strings))
        return checked(SheetRead::Damaged, *strings);
    if (const std::unique_ptr<ZipPart> styles = zip.part(parts.styles);
        styles && !readXlsxZeroPadding(*styles, shared.zeroPadding))
        return checked(SheetRead::Damaged, *styles);
    const std::unique_ptr<ZipPart> sheet = zip.part(parts.sheet);
    return sheet ? checked(readXlsxSheet(*sheet, shared, sink), *sheet) : SheetRead::Damaged;
}

bool isOds(const ZipReader& zip)
{
    return zip.smallPart(QStringLiteral("mimetype")).startsWith("application/vnd.oasis.opendocument.spreadsheet");
}

// Reads the first sheet into sink, or says why it could not be read.
QString readFirstSheet(const QString& fileName, const QByteArray& bytes, const SheetRowSink& sink)
{
    if (isOleContainer(bytes))
        return passwordReason(fileName);
    const ZipReader zip(bytes);
    if (!zip.isOpen())
        return bytes.startsWith("PK") ? damagedReason(fileName) : notSpreadsheetReason(fileName);
    SheetRead read = SheetRead::Damaged;
    if (isOds(zip)) {
        // Calc keeps such a file as a zip whose parts are encrypted, and says so in its manifest.
        if (zip.smallPart(QStringLiteral("META-INF/manifest.xml")).contains("encryption-data"))
            return passwordReason(fileName);
        if (const std::unique_ptr<ZipPart> content = zip.part(QStringLiteral("content.xml")))
            read = checked(readOdsFirstTable(*content, sink), *content);
    } else if (const XlsxParts parts = xlsxParts(zip); !parts.sheet.isEmpty()) {
        read = readXlsx(zip, parts, sink);
    } else if (!zip.has(QStringLiteral("[Content_Types].xml"))) {
        return notSpreadsheetReason(fileName);
    }
    switch (read) {
    case SheetRead::Done:
        return {};
    case SheetRead::TooBig:
        return QStringLiteral("%1 is te groot om in te lezen (meer dan 10 miljoen gevulde cellen of 1 GB aan tabel)").arg(fileName);
    case SheetRead::Damaged:
        break;
    }
    return damagedReason(fileName);
}

}

ImportResult importSpreadsheet(const QString& fileName, const QByteArray& bytes)
{
    TableImport table(DelimitedSource::File);
    const QString failure =
        readFirstSheet(fileName, bytes, [&](const QStringList& cells, qsizetype number) { table.addRow(cells, number); });
    if (failure.isEmpty())
        return table.take();
    ImportResult result;
    result.leaveOut(failure);
    return result;
}
