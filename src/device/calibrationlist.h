#ifndef CALIBRATIONLIST_H
#define CALIBRATIONLIST_H

#include "calibrationrecord.h"

#include <QHash>
#include <QList>
#include <QVector>

// An ordered list of records with an index by name, so that the duplicate-name
// rules of a large catalogue stay linear overall.
class CalibrationList
{
public:
    using const_iterator = QList<CalibrationRecord>::const_iterator;

    int size() const { return m_records.size(); }
    bool isEmpty() const { return m_records.isEmpty(); }
    const CalibrationRecord &at(int i) const { return m_records.at(i); }
    const CalibrationRecord &first() const { return m_records.first(); }
    const CalibrationRecord &last() const { return m_records.last(); }
    const_iterator begin() const { return m_records.cbegin(); }
    const_iterator end() const { return m_records.cend(); }
    const QList<CalibrationRecord> &records() const { return m_records; }

    void append(const CalibrationRecord &record);
    void clear();

    bool contains(const QString &name) const { return m_index.contains(name); }
    // The first record of that name, or nullptr.
    const CalibrationRecord *find(const QString &name) const;
    // Overwrites every record of that name in place; returns how many there were.
    int replaceAll(const QString &name, const CalibrationRecord &record);

    // Pairs of (name, description) in list order, for the selection window.
    CalibrationPairList pairs() const;

private:
    QList<CalibrationRecord> m_records;
    QHash<QString, QVector<int> > m_index;
};

#endif
