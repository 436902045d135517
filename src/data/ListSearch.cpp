#include "data/ListSearch.h"

#include <QCollator>
#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <numeric>

namespace {

using FoldTable = std::array<char16_t, 0x10000>;

// Every character of the Basic Multilingual Plane to its lower-case base
// letter, worked out once: searching a million addresses then takes one
// look-up a character.
const FoldTable& foldTable()
{
    static const auto table = [] {
        auto result = std::make_unique<std::array<char16_t, 0x10000>>();
        for (int c = 0; c < 0x10000; ++c) {
            const QChar ch{char16_t(c)};
            const QString base = ch.decompositionTag() == QChar::Canonical
                ? QString(ch).normalized(QString::NormalizationForm_D).left(1)
                : QString(ch);
            (*result)[size_t(c)] = base.isEmpty() ? char16_t(c) : base[0].toCaseFolded().unicode();
        }
        return result;
    }();
    return *table;
}

// Compares and hashes characters by their folded form, for the long-text search.
struct Folded {
    const FoldTable* fold;
    size_t operator()(QChar c) const { return (*fold)[c.unicode()]; }
    bool operator()(QChar a, QChar b) const { return (*fold)[a.unicode()] == (*fold)[b.unicode()]; }
};
using LongSearcher = std::boyer_moore_searcher<const QChar*, Folded, Folded>;

// Where a simple scan could compare the needle again at every character:
// beyond this many character pairs the Boyer-Moore search takes over, whose
// steps grow with the text alone.
constexpr qsizetype SimpleScanPairs = qsizetype(1) << 20;

// Whether the folded needle stands in the record within one field.
bool holds(const AddressRecord& record, QStringView needle, const FoldTable& fold, const LongSearcher& longSearch)
{
    const QStringView text = record.text();
    const qsizetype m = needle.size();
    if (text.size() * m > SimpleScanPairs) {
        for (const QChar* from = text.begin(); from != text.end();) {
            const QChar* found = longSearch(from, text.end()).first;
            if (found == text.end())
                return false;
            const qsizetype i = found - text.begin();
            if (record.fieldAt(i) == record.fieldAt(i + m - 1))
                return true;
            from = found + 1;
        }
        return false;
    }
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

}

QString foldedText(QStringView text)
{
    const FoldTable& fold = foldTable();
    QString result(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        result[i] = QChar(fold[text[i].unicode()]);
    return result;
}

int findAddress(const QList<AddressRecord>& addresses, const QString& text, int after)
{
    const QString needle = foldedText(text);
    const int n = int(addresses.size());
    if (needle.isEmpty() || n == 0)
        return -1;
    const FoldTable& fold = foldTable();
    const LongSearcher longSearch(needle.begin(), needle.end(), Folded{&fold}, Folded{&fold});
    const int start = std::clamp(after + 1, 0, n) % n;
    for (int step = 0; step < n; ++step) {
        const int row = (start + step) % n;
        if (holds(addresses[row], needle, fold, longSearch))
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
