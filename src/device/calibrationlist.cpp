#include "calibrationlist.h"

void CalibrationList::append(const CalibrationRecord &record)
{
    m_index[calibrationName(record.block)].append(m_records.size());
    m_records.append(record);
}

void CalibrationList::clear()
{
    m_records.clear();
    m_index.clear();
}

const CalibrationRecord *CalibrationList::find(const QString &name) const
{
    const auto it = m_index.constFind(name);
    return it == m_index.constEnd() ? nullptr : &m_records.at(it->first());
}

int CalibrationList::replaceAll(const QString &name, const CalibrationRecord &record)
{
    const auto it = m_index.constFind(name);
    if (it == m_index.constEnd())
        return 0;
    // The replacement carries the same name, so the index stays valid.
    Q_ASSERT(calibrationName(record.block) == name);
    for (int i : *it)
        m_records[i] = record;
    return it->size();
}

CalibrationPairList CalibrationList::pairs() const
{
    CalibrationPairList result;
    result.reserve(m_records.size());
    for (const CalibrationRecord &r : m_records)
        result.append({calibrationName(r.block), r.description});
    return result;
}
