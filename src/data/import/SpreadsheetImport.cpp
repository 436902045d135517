#include "data/import/SpreadsheetImport.h"

#include "data/import/ImportResult.h"
#include "data/import/OdsReader.h"
#include "data/import/XlsxReader.h"

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
        read = readOds(zip, sink, cancelled);
    } else if (const std::optional<SheetRead> xlsx = readXlsx(zip, sink, cancelled)) {
        read = *xlsx;
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
