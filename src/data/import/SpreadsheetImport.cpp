#include "data/import/SpreadsheetImport.h"

#include "data/import/ImportResult.h"
#include "data/import/SheetReaders.h"
#include "data/import/ZipReader.h"

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

QString oldExcelReason(const QString& fileName)
{
    return QStringLiteral("%1 is een ouder Excel-bestand (.xls); bewaar het in Excel of Calc als .xlsx of .ods").arg(fileName);
}

// An OLE container holds an old .xls, or a newer file Excel protected with
// a password: then its streams are named EncryptedPackage and EncryptionInfo.
bool isOleContainer(const QByteArray& bytes) { return bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"); }
bool isEncryptedPackage(const QByteArray& bytes)
{
    static const QByteArray name = QByteArray::fromRawData(reinterpret_cast<const char*>(u"EncryptedPackage"), 32);
    return bytes.contains(name);
}

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
    bool date1904 = false;
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
    bool date1904 = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == u"workbookPr") {
            const QStringView system = attributes.value(QStringLiteral("date1904"));
            date1904 = system == u"1" || system == u"true";
        }
        if (xml.name() != u"sheet")
            continue;
        if (const QStringView state = attributes.value(QStringLiteral("state")); !state.isEmpty() && state != u"visible")
            continue;
        for (const QXmlStreamAttribute& attribute : attributes)
            if (attribute.name() == u"id" && !attribute.namespaceUri().isEmpty())
                return {parts.value(attribute.value().toString()).target, firstOfType(parts, u"/sharedStrings").target,
                        firstOfType(parts, u"/styles").target, date1904};
        return {};
    }
    return {};
}

// What a part's reader found, or that the part unpacked to too much.
SheetRead checked(SheetRead read, const ZipPart& part) { return part.tooBig() ? SheetRead::TooBig : read; }

SheetRead readXlsx(const ZipReader& zip, const XlsxParts& parts, RowSink& sink, const std::atomic_bool& cancelled)
{
    XlsxShared shared;
    shared.date1904 = parts.date1904;
    if (const std::unique_ptr<ZipPart> strings = zip.part(parts.sharedStrings)) {
        if (const SheetRead read = checked(readXlsxSharedStrings(*strings, shared.strings, cancelled), *strings);
            read != SheetRead::Done)
            return read;
    }
    if (const std::unique_ptr<ZipPart> styles = zip.part(parts.styles)) {
        if (const SheetRead read = checked(readXlsxStyles(*styles, shared.formats, cancelled), *styles); read != SheetRead::Done)
            return read;
    }
    const std::unique_ptr<ZipPart> sheet = zip.part(parts.sheet);
    return sheet ? checked(readXlsxSheet(*sheet, shared, sink, cancelled), *sheet) : SheetRead::Damaged;
}

// Calc's own mark, or, where a writer left that out, its content without Excel's.
bool isOds(const ZipReader& zip)
{
    const QByteArray mimetype = zip.smallPart(QStringLiteral("mimetype"));
    if (!mimetype.isEmpty())
        return mimetype.startsWith("application/vnd.oasis.opendocument.spreadsheet");
    return zip.has(QStringLiteral("content.xml")) && !zip.has(QStringLiteral("[Content_Types].xml"));
}

}

QString tooBigReason(const QString& fileName)
{
    return QStringLiteral("%1 is te groot om in te lezen (meer dan %2 miljoen rijen of %3 MB aan tekst)")
        .arg(fileName)
        .arg(MostImportRows / 1'000'000)
        .arg(MostImportCharacters / 1'000'000);
}

QString readSpreadsheet(const QString& fileName, const QByteArray& bytes, RowSink& sink, const std::atomic_bool& cancelled)
{
    if (isOleContainer(bytes))
        return isEncryptedPackage(bytes) ? passwordReason(fileName) : oldExcelReason(fileName);
    const ZipReader zip(bytes);
    if (!zip.isOpen())
        return bytes.startsWith("PK") ? damagedReason(fileName) : notSpreadsheetReason(fileName);
    SheetRead read = SheetRead::Damaged;
    if (isOds(zip)) {
        // Calc keeps such a file as a zip whose parts are encrypted, and says so in its manifest.
        if (zip.smallPart(QStringLiteral("META-INF/manifest.xml")).contains("encryption-data"))
            return passwordReason(fileName);
        if (const std::unique_ptr<ZipPart> content = zip.part(QStringLiteral("content.xml")))
            read = checked(readOdsFirstTable(*content, sink, cancelled), *content);
    } else if (const XlsxParts parts = xlsxParts(zip); !parts.sheet.isEmpty()) {
        read = readXlsx(zip, parts, sink, cancelled);
    } else if (!zip.has(QStringLiteral("[Content_Types].xml"))) {
        return notSpreadsheetReason(fileName);
    }
    switch (read) {
    case SheetRead::Done:
    case SheetRead::Stopped:
        return {};
    case SheetRead::TooBig:
        return tooBigReason(fileName);
    case SheetRead::Damaged:
        break;
    }
    return damagedReason(fileName);
}
