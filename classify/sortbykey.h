#pragma once

#include <QList>

#include <algorithm>
#include <utility>

// Stable-sorts `items` by keyOf(item), working each key out once rather than
// twice per comparison.
template <typename T, typename KeyOf> void sortByKey(QList<T>& items, KeyOf keyOf) {
    using Key = decltype(keyOf(items.first()));
    QList<std::pair<Key, qsizetype>> keys;
    keys.reserve(items.size());
    for (qsizetype i = 0; i < items.size(); ++i)
        keys.append({keyOf(items.at(i)), i});
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<T> sorted;
    sorted.reserve(items.size());
    for (const auto& key : std::as_const(keys))
        sorted.append(std::move(items[key.second]));
    items = std::move(sorted);
}
