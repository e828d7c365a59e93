// SPDX-License-Identifier: MIT
#include "tableorder.h"

#include <QCollator>
#include <QStringView>

#include <algorithm>
#include <vector>

namespace {

struct Name
{
    int at;
    int length;
    int index;
};

} // namespace

QVector<int> sortedTableOrder(const CalibrationPairList &pairs)
{
    // The names side by side in one buffer: each is compared about log n times, and
    // names scattered over the heap would cost a cache miss per comparison.
    int total = 0;
    for (const auto &pair : pairs)
        total += int(pair.first.size());
    QString names;
    names.reserve(total);
    std::vector<Name> order;
    order.reserve(size_t(pairs.size()));
    // Taken last to first, so that a stable sort leaves equal names last-put-in first.
    for (int i = int(pairs.size()) - 1; i >= 0; --i) {
        order.push_back({int(names.size()), int(pairs.at(i).first.size()), i});
        names += pairs.at(i).first;
    }

    const QCollator collator;
    const QChar *text = names.constData();
    std::stable_sort(order.begin(), order.end(), [&](const Name &a, const Name &b) {
        return collator.compare(QStringView(text + a.at, a.length), QStringView(text + b.at, b.length)) < 0;
    });

    QVector<int> indices;
    indices.reserve(int(order.size()));
    for (const Name &name : order)
        indices.append(name.index);
    return indices;
}
