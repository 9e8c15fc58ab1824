#include "dialer/speednumbers.h"

#include "core/datafolder.h"
#include "core/diskio.h"
#include "core/linefile.h"

#include <QSaveFile>

namespace dialer {

namespace {

QString oneLine(QString value)
{
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

} // namespace

const QString SpeedNumbersFileName = QStringLiteral("/SpeedNumbers.txt");

SpeedNumbers SpeedNumbers::decode(const QByteArray &bytes)
{
    SpeedNumbers numbers;
    const QStringList lines = linefile::decode(bytes);
    const qsizetype pairs = lines.size() / 2;
    for (qsizetype pair = 0; pair < pairs; ++pair) {
        const QString &name = lines.at(2 * pair);
        const QString &number = lines.at(2 * pair + 1);
        if (pair < SpeedSlotCount)
            numbers.m_slots[std::size_t(pair)] = {name, number};
        else
            numbers.m_overflow << name << number;
    }
    return numbers;
}

QByteArray SpeedNumbers::encode() const
{
    QStringList lines;
    for (const SpeedNumber &entry : m_slots) {
        if (entry.isUsed())
            lines << entry.name << entry.number;
    }
    lines << m_overflow;
    return linefile::encode(lines);
}

void SpeedNumbers::setSlot(int index, const SpeedNumber &entry)
{
    m_slots.at(std::size_t(index)) = {oneLine(entry.name), oneLine(entry.number)};
}

void SpeedNumbers::clearSlot(int index)
{
    m_slots.at(std::size_t(index)) = {};
}

SpeedNumbers LoadSpeedNumbers(const DataFolder &data)
{
    if (!data.FileIsPresent(SpeedNumbersFileName))
        return {};
    return SpeedNumbers::decode(data.ReadFile(SpeedNumbersFileName));
}

bool SaveSpeedNumbers(const DataFolder &data, const SpeedNumbers &numbers)
{
    const QByteArray bytes = numbers.encode();
    QSaveFile file(data.path(SpeedNumbersFileName));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return diskio::write(file, bytes) && diskio::commit(file);
}

SpeedDial::SpeedDial(const DataFolder &data) : m_data(data) {}

void SpeedDial::Load()
{
    m_numbers = LoadSpeedNumbers(m_data);
}

bool SpeedDial::Select(int index)
{
    if (index < 0 || index >= SpeedSlotCount)
        return false;
    m_selected = index;
    return m_numbers.slot(index).isUsed();
}

bool SpeedDial::Save(const SpeedNumber &entry)
{
    if (!m_selected)
        return false;
    m_numbers.setSlot(*m_selected, entry);
    return SaveSpeedNumbers(m_data, m_numbers);
}

bool SpeedDial::DeleteSelected()
{
    if (!m_selected)
        return false;
    m_numbers.clearSlot(*m_selected);
    const bool saved = SaveSpeedNumbers(m_data, m_numbers);
    Load();
    return saved;
}

} // namespace dialer
