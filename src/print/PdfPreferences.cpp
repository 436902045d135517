#include "print/PdfPreferences.h"

#include <QRegularExpression>

namespace {

// The number after a name in a dictionary's text ("/Prev 5361"), or -1.
qint64 numberAfter(QByteArrayView text, const char* name)
{
    const qsizetype at = text.indexOf(name);
    if (at < 0)
        return -1;
    const QByteArrayView rest = text.sliced(at + qstrlen(name)).trimmed();
    qsizetype digits = 0;
    while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9')
        ++digits;
    bool ok = false;
    const qint64 value = rest.first(digits).toLongLong(&ok);
    return ok ? value : -1;
}

}

std::optional<QByteArray> actualSizeUpdate(QByteArrayView pdf)
{
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    const qsizetype trailer = pdf.lastIndexOf("trailer");
    if (startxref < 0 || trailer < 0 || trailer > startxref)
        return std::nullopt;
    const QByteArrayView trailerText = pdf.sliced(trailer, startxref - trailer);
    const qsizetype open = trailerText.indexOf("<<");
    const qsizetype close = trailerText.lastIndexOf(">>");
    const qint64 previous = numberAfter(pdf.sliced(startxref), "startxref");
    if (open < 0 || close < open || previous < 0)
        return std::nullopt;
    const QByteArray trailerBody = trailerText.sliced(open + 2, close - open - 2).toByteArray();

    // The catalogue as last written: its number from the trailer's /Root.
    static const QRegularExpression root(QStringLiteral("/Root\\s+(\\d+)\\s+(\\d+)\\s+R"));
    const QRegularExpressionMatch match = root.match(QString::fromLatin1(trailerBody));
    if (!match.hasMatch())
        return std::nullopt;
    const QByteArray objectHead = match.captured(1).toLatin1() + ' ' + match.captured(2).toLatin1() + " obj";
    const qsizetype objectAt = pdf.lastIndexOf(QByteArray('\n' + objectHead));
    const qsizetype bodyAt = objectAt + 1 + objectHead.size();
    const qsizetype endAt = objectAt < 0 ? -1 : pdf.indexOf("endobj", bodyAt);
    if (endAt < 0)
        return std::nullopt;
    QByteArray catalogue = pdf.sliced(bodyAt, endAt - bodyAt).trimmed().toByteArray();
    if (!catalogue.startsWith("<<") || !catalogue.endsWith(">>") || catalogue.contains("/ViewerPreferences"))
        return std::nullopt;
    catalogue.insert(catalogue.size() - 2, "/ViewerPreferences << /PrintScaling /None >>\n");

    QByteArray update = pdf.endsWith('\n') ? QByteArray() : QByteArray("\n");
    const qint64 objectOffset = pdf.size() + update.size();
    update += objectHead + '\n' + catalogue + "\nendobj\n";
    const qint64 xrefOffset = pdf.size() + update.size();
    // Each cross-reference entry is exactly 20 bytes, its line end included.
    update += "xref\n" + match.captured(1).toLatin1() + " 1\n"
        + QByteArray::number(objectOffset).rightJustified(10, '0') + ' '
        + match.captured(2).toLatin1().rightJustified(5, '0') + " n \n";
    update += "trailer\n<<" + trailerBody + "/Prev " + QByteArray::number(previous) + "\n>>\nstartxref\n"
        + QByteArray::number(xrefOffset) + "\n%%EOF\n";
    return update;
}
