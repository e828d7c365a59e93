// SPDX-License-Identifier: MIT
#include "calibrationlist.h"

#include <QHash>

#include <algorithm>

namespace {

// Seeded per process, as the toolkit's own hash tables are, so that a hostile
// catalogue cannot line its names up in one run of the table; then mixed, since
// the table uses the low bits.
quint32 hashOf(const QString &name)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const quint64 hash = qHash(name, QHashSeed::globalSeed());
#else
    const quint64 hash = qHash(name, uint(qGlobalQHashSeed()));
#endif
    const quint64 mixed = hash * 0x9E3779B97F4A7C15ull;
    return quint32(mixed >> 32);
}

} // namespace

void CalibrationList::append(const CalibrationRecord &record, const QString &name)
{
    Q_ASSERT(calibrationName(record.block) == name);
    m_records.push_back(record);
    m_names.push_back(name);
}

int CalibrationList::findOrAppend(const CalibrationRecord &record, const QString &name)
{
    indexRest();
    if (2 * (m_nameCount + 1) > int(m_slots.size()))
        grow();
    const quint32 hash = hashOf(name);
    Slot &slot = m_slots[slotIndex(name, hash)];
    if (slot.first >= 0)
        return slot.first;
    const int at = size();
    slot = {at, hash};
    ++m_nameCount;
    append(record, name);
    ++m_indexed;
    return -1;
}

void CalibrationList::clear()
{
    *this = CalibrationList();
}

void CalibrationList::reserve(int count)
{
    m_records.reserve(std::size_t(count));
    m_names.reserve(std::size_t(count));
}

void CalibrationList::indexRest() const
{
    for (; m_indexed < m_records.size(); ++m_indexed) {
        if (2 * (m_nameCount + 1) > int(m_slots.size()))
            grow();
        const int at = int(m_indexed);
        const quint32 hash = hashOf(m_names[m_indexed]);
        Slot &slot = m_slots[slotIndex(m_names[m_indexed], hash)];
        if (slot.first < 0) { // a later record of a known name leaves the first one found
            slot = {at, hash};
            ++m_nameCount;
        }
    }
}

std::size_t CalibrationList::slotIndex(const QString &name, quint32 hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot &slot = m_slots[i];
        if (slot.first < 0 || (slot.hash == hash && m_names[std::size_t(slot.first)] == name))
            return i;
    }
}

const CalibrationList::Slot *CalibrationList::findSlot(const QString &name) const
{
    indexRest();
    if (m_slots.empty())
        return nullptr;
    const Slot &slot = m_slots[slotIndex(name, hashOf(name))];
    return slot.first < 0 ? nullptr : &slot;
}

void CalibrationList::grow() const
{
    // At least twice the room of before, and at once for all the records reserved.
    std::size_t size = std::max<std::size_t>(16, 2 * m_slots.size());
    while (size < 2 * m_records.capacity())
        size *= 2;
    std::vector<Slot> old(size);
    old.swap(m_slots);
    for (const Slot &slot : old) {
        if (slot.first >= 0)
            m_slots[slotIndex(m_names[std::size_t(slot.first)], slot.hash)] = slot;
    }
}

const CalibrationRecord *CalibrationList::find(const QString &name) const
{
    const Slot *slot = findSlot(name);
    return slot ? &m_records[std::size_t(slot->first)] : nullptr;
}

void CalibrationList::replaceAt(int i, const CalibrationRecord &record)
{
    // The replacement carries the same name, so the index stays valid.
    Q_ASSERT(calibrationName(record.block) == m_names[std::size_t(i)]);
    m_records[std::size_t(i)] = record;
}

CalibrationPairList CalibrationList::pairs() const
{
    CalibrationPairList result;
    result.reserve(size());
    for (std::size_t i = 0; i < m_records.size(); ++i)
        result.append({m_names[i], m_records[i].description});
    return result;
}
