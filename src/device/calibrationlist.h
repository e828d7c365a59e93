#ifndef CALIBRATIONLIST_H
#define CALIBRATIONLIST_H

#include "calibrationrecord.h"

#include <QString>

#include <vector>

// An ordered list of records with an index by name, so that the duplicate-name
// rules of a large catalogue stay linear overall. The index is an open-addressing
// table of record numbers over the decoded names kept beside the records: a
// catalogue of 100,000 names then costs no allocation per name beyond the name.
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

    void append(const CalibrationRecord &record) { add(record, calibrationName(record.block), true); }
    // Appends unless a record of that name, calibrationName(record.block), is there;
    // returns whether it appended.
    bool appendIfNew(const CalibrationRecord &record, const QString &name) { return add(record, name, false); }
    void clear();
    // Room for that many records, so that filling the list does not move them.
    void reserve(int count);

    bool contains(const QString &name) const { return find(name) != nullptr; }
    // The first record of that name, or nullptr.
    const CalibrationRecord *find(const QString &name) const;
    // Overwrites every record of that name in place; returns how many there were.
    int replaceAll(const QString &name, const CalibrationRecord &record);

    // Pairs of (name, description) in list order, for the selection window.
    CalibrationPairList pairs() const;

private:
    // The records of one name: the first and the last, chained through m_nextOfName.
    struct Slot
    {
        int first = -1;
        int last = -1;
        std::size_t hash = 0;
    };

    bool add(const CalibrationRecord &record, const QString &name, bool evenIfNamed);
    // Where that name's slot is, or the empty slot where it would go.
    std::size_t slotIndex(const QString &name, std::size_t hash) const;
    const Slot *findSlot(const QString &name) const;
    void grow();

    std::vector<CalibrationRecord> m_records;
    std::vector<QString> m_names; // calibrationName of each record
    std::vector<int> m_nextOfName; // the next record of the same name, or -1
    std::vector<Slot> m_slots; // a power of two in size, never more than half full
    int m_nameCount = 0;
};

#endif
