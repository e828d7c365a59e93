// SPDX-License-Identifier: MIT
#ifndef CALIBRATIONLIST_H
#define CALIBRATIONLIST_H

#include "calibrationrecord.h"

#include <QString>

#include <vector>

// An ordered list of records with an index by name, so that the duplicate-name
// rules of a large catalogue stay linear overall. The index is an open-addressing
// table of record numbers over the decoded names kept beside the records, so a
// name costs no allocation beyond the name itself; and it is brought up to date
// only when a name is looked up, so a list that is only filled and shown never
// pays for it.
class CalibrationList
{
public:
    using const_iterator = std::vector<CalibrationRecord>::const_iterator;

    int size() const { return int(m_records.size()); }
    bool isEmpty() const { return m_records.empty(); }
    const CalibrationRecord &at(int i) const { return m_records[std::size_t(i)]; }
    const CalibrationRecord &first() const { return m_records.front(); }
    const CalibrationRecord &last() const { return m_records.back(); }
    const_iterator begin() const { return m_records.cbegin(); }
    const_iterator end() const { return m_records.cend(); }

    void append(const CalibrationRecord &record) { append(record, calibrationName(record.block)); }
    // For callers that already hold calibrationName(record.block).
    void append(const CalibrationRecord &record, const QString &name);
    // The place of the first record of that name; or, when there is none, -1 after
    // appending the record.
    int findOrAppend(const CalibrationRecord &record, const QString &name);
    void clear();
    // Room for that many records and their names, so that filling the list moves nothing;
    // the index, when a look-up needs it, is made for that many at once.
    void reserve(int count);

    bool contains(const QString &name) const { return find(name) != nullptr; }
    // The first record of that name, or nullptr.
    const CalibrationRecord *find(const QString &name) const;
    // Overwrites the record at i with one of the same name.
    void replaceAt(int i, const CalibrationRecord &record);

    // Pairs of (name, description) in list order, for the selection window.
    CalibrationPairList pairs() const;

private:
    // The first record of one name. Eight bytes, so that a table for 100,000 names
    // stays small enough to stay in the cache.
    struct Slot
    {
        int first = -1;
        quint32 hash = 0;
    };

    // Indexes the records appended since the last look-up.
    void indexRest() const;
    // Where that name's slot is, or the empty slot where it would go.
    std::size_t slotIndex(const QString &name, quint32 hash) const;
    const Slot *findSlot(const QString &name) const;
    void grow() const;

    std::vector<CalibrationRecord> m_records;
    std::vector<QString> m_names; // calibrationName of each record
    // The index, complete for the first m_indexed records.
    mutable std::vector<Slot> m_slots; // a power of two in size, never more than half full
    mutable std::size_t m_indexed = 0;
    mutable int m_nameCount = 0;
};

#endif
