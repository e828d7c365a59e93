#ifndef CALIBRATIONLIST_H
#define CALIBRATIONLIST_H

#include "calibrationrecord.h"

#include <QHash>

#include <vector>

// An ordered list of records with an index by name, so that the duplicate-name
// rules of a large catalogue stay linear overall.
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
    void clear();

    bool contains(const QString &name) const { return m_index.contains(name); }
    // The first record of that name, or nullptr.
    const CalibrationRecord *find(const QString &name) const;
    // Overwrites every record of that name in place; returns how many there were.
    int replaceAll(const QString &name, const CalibrationRecord &record);

    // Pairs of (name, description) in list order, for the selection window.
    CalibrationPairList pairs() const;

private:
    struct Chain
    {
        int first;
        int last;
    };

    std::vector<CalibrationRecord> m_records;
    // Per record, the next record of the same name, or -1: names rarely repeat, so
    // the index holds the ends of each chain instead of a list per name.
    std::vector<int> m_nextOfName;
    QHash<QString, Chain> m_index;
};

#endif
