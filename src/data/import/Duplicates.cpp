#include "data/import/Duplicates.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace {

size_t addressHash(const AddressRecord& address)
{
    size_t seed = 0;
    for (int f = 0; f < AddressRecord::FieldCount; ++f)
        seed = qHashMulti(seed, withoutEndSpaces(address.fieldView(f)));
    return seed;
}

bool sameAddress(const AddressRecord& a, const AddressRecord& b)
{
    for (int f = 0; f < AddressRecord::FieldCount; ++f)
        if (withoutEndSpaces(a.fieldView(f)) != withoutEndSpaces(b.fieldView(f)))
            return false;
    return true;
}

}

void leaveOutDuplicates(ImportResult& imported, const QList<AddressRecord>& list)
{
    // The list's addresses by hash, sorted: a million take one pass and a sort.
    std::vector<std::pair<size_t, int>> known;
    known.reserve(size_t(list.size()));
    for (qsizetype row = 0; row < list.size(); ++row)
        known.emplace_back(addressHash(list[row]), int(row));
    std::sort(known.begin(), known.end());

    QList<AddressRecord> kept;
    kept.reserve(imported.addresses.size());
    std::unordered_multimap<size_t, qsizetype> keptByHash;
    for (const AddressRecord& address : imported.addresses) {
        const size_t hash = addressHash(address);
        bool seen = false;
        for (auto at = std::lower_bound(known.begin(), known.end(), std::pair<size_t, int>(hash, -1));
             !seen && at != known.end() && at->first == hash; ++at)
            seen = sameAddress(list[at->second], address);
        for (auto [at, end] = keptByHash.equal_range(hash); !seen && at != end; ++at)
            seen = sameAddress(kept[at->second], address);
        if (seen) {
            imported.noteDuplicate(shownStart(address.fieldView(AddressRecord::Naam)));
            continue;
        }
        keptByHash.emplace(hash, kept.size());
        kept.append(address);
    }
    imported.addresses = std::move(kept);
}
