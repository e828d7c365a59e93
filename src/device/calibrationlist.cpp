#include "calibrationlist.h"

void CalibrationList::append(const CalibrationRecord &record, const QString &name)
{
    Q_ASSERT(calibrationName(record.block) == name);
    const int at = size();
    const auto it = m_index.find(name);
    if (it == m_index.end()) {
        m_index.insert(name, {at, at});
    } else {
        m_nextOfName[std::size_t(it->last)] = at;
        it->last = at;
    }
    m_records.push_back(record);
    m_nextOfName.push_back(-1);
}

void CalibrationList::clear()
{
    m_records.clear();
    m_nextOfName.clear();
    m_index.clear();
}

const CalibrationRecord *CalibrationList::find(const QString &name) const
{
    const auto it = m_index.constFind(name);
    return it == m_index.constEnd() ? nullptr : &m_records[std::size_t(it->first)];
}

int CalibrationList::replaceAll(const QString &name, const CalibrationRecord &record)
{
    const auto it = m_index.constFind(name);
    if (it == m_index.constEnd())
        return 0;
    // The replacement carries the same name, so the index stays valid.
    Q_ASSERT(calibrationName(record.block) == name);
    int count = 0;
    for (int i = it->first; i >= 0; i = m_nextOfName[std::size_t(i)], ++count)
        m_records[std::size_t(i)] = record;
    return count;
}

CalibrationPairList CalibrationList::pairs() const
{
    CalibrationPairList result;
    result.reserve(size());
    for (const CalibrationRecord &r : m_records)
        result.append({calibrationName(r.block), r.description});
    return result;
}
