#include "data/ListSearch.h"

#include "data/TextFolding.h"

#include <QCollator>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <memory>
#include <numeric>

namespace {

// For the long-text search: how far the needle still matches after a
// mismatch, for each length matched (Knuth, Morris and Pratt). Each text
// character is then looked at a bounded number of times.
QList<qsizetype> fallbacks(QStringView needle)
{
    QList<qsizetype> fallback(needle.size(), 0);
    for (qsizetype i = 1, k = 0; i < needle.size(); ++i) {
        while (k > 0 && needle[i] != needle[k])
            k = fallback[k - 1];
        if (needle[i] == needle[k])
            ++k;
        fallback[i] = k;
    }
    return fallback;
}

// Where a simple scan could compare the needle again at every character:
// beyond this many character pairs the linear search takes over.
constexpr qsizetype SimpleScanPairs = qsizetype(1) << 20;

bool holdsLong(const AddressRecord& record, QStringView needle, const FoldTable& fold, const QList<qsizetype>& fallback)
{
    const QStringView text = record.text();
    const qsizetype m = needle.size();
    qsizetype matched = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = fold[text[i].unicode()];
        while (matched > 0 && needle[matched].unicode() != c)
            matched = fallback[matched - 1];
        if (needle[matched].unicode() == c)
            ++matched;
        if (matched == m) {
            if (record.fieldAt(i - m + 1) == record.fieldAt(i))
                return true;
            matched = fallback[matched - 1];
        }
    }
    return false;
}

// Whether the folded needle stands in the record within one field.
bool holds(const AddressRecord& record, QStringView needle, const FoldTable& fold, const QList<qsizetype>& fallback)
{
    const QStringView text = record.text();
    const qsizetype m = needle.size();
    if (text.size() * m > SimpleScanPairs)
        return holdsLong(record, needle, fold, fallback);
    for (qsizetype i = 0; i + m <= text.size(); ++i) {
        if (fold[text[i].unicode()] != needle[0].unicode())
            continue;
        qsizetype k = 1;
        while (k < m && fold[text[i + k].unicode()] == needle[k].unicode())
            ++k;
        if (k == m && record.fieldAt(i) == record.fieldAt(i + m - 1))
            return true;
    }
    return false;
}

// Whether the written-out needle stands in the record's text written out the
// same way, within one field. Matches start at a character of the text.
bool holdsTranscribed(const AddressRecord& record, QStringView needle, const FoldTable& fold)
{
    const QStringView text = record.text();
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype matched = 0, at = i;
        int half = 0; // within a written-out character: its second letter next
        while (matched < needle.size() && at < text.size()) {
            const QLatin1StringView written = transcription(text[at]);
            const char16_t c = written.isEmpty() ? fold[text[at].unicode()] : char16_t(written[half].unicode());
            if (c != needle[matched].unicode())
                break;
            ++matched;
            if (!written.isEmpty() && half == 0) {
                half = 1;
            } else {
                half = 0;
                ++at;
            }
        }
        const qsizetype last = half ? at : at - 1;
        if (matched == needle.size() && record.fieldAt(i) == record.fieldAt(last))
            return true;
    }
    return false;
}

// Whether writing umlauts out can make a difference to this search.
bool mayBeTranscribed(QStringView needle)
{
    static const QRegularExpression written(QStringLiteral("ae|oe|ue|ss|[äöüßẞ]"), QRegularExpression::CaseInsensitiveOption);
    return written.match(needle).hasMatch();
}

}

int findAddress(const QList<AddressRecord>& addresses, const QString& text, int after)
{
    const QString needle = foldedText(text);
    const int n = int(addresses.size());
    if (needle.isEmpty() || n == 0)
        return -1;
    const FoldTable& fold = foldTable();
    const QList<qsizetype> fallback = fallbacks(needle);
    // "Mueller" finds "Müller" and the other way round; only looked for when the text could need it.
    const QString transcribed = mayBeTranscribed(text) ? transcribedText(text) : QString();
    const int start = std::clamp(after + 1, 0, n) % n;
    for (int step = 0; step < n; ++step) {
        const int row = (start + step) % n;
        if (holds(addresses[row], needle, fold, fallback))
            return row;
        // The written-out search stays with texts short enough for its simple scan.
        const AddressRecord& address = addresses[row];
        if (!transcribed.isEmpty() && address.textSize() * transcribed.size() <= SimpleScanPairs
            && holdsTranscribed(address, transcribed, fold))
            return row;
    }
    return -1;
}

QList<int> sortedRows(const QList<AddressRecord>& addresses, int field, Qt::SortOrder order)
{
    QCollator collator(QLocale(QLocale::Dutch, QLocale::Netherlands));
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // A key a row, made once: comparing keys is a byte comparison.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(addresses.size()));
    for (const AddressRecord& address : addresses)
        keys.push_back(collator.sortKey(foldedText(address.fieldView(field))));
    QList<int> rows(addresses.size());
    std::iota(rows.begin(), rows.end(), 0);
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        const int compared = keys[size_t(a)].compare(keys[size_t(b)]);
        return order == Qt::AscendingOrder ? compared < 0 : compared > 0;
    });
    return rows;
}
