#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class DataFolder;

namespace dialer {

inline constexpr int SpeedSlotCount = 10;

struct SpeedNumber
{
    QString name;
    QString number;

    // A slot without a name is free, whatever number it holds.
    bool isUsed() const { return !name.isEmpty(); }
    friend bool operator==(const SpeedNumber &, const SpeedNumber &) = default;
};

// The ten speed-dial slots of "/SpeedNumbers.txt": a line file holding, for every used
// slot in slot order, its name line and its number line. Reading fills slots from 0 in
// file order, so free slots close up when the file is written again.
class SpeedNumbers final
{
public:
    // Pairs past the tenth have no slot; they are kept as read and written back after
    // the slots, so a hand-edited or longer file loses nothing. A last line without
    // its number is not a pair and is dropped.
    static SpeedNumbers decode(const QByteArray &bytes);
    QByteArray encode() const;

    const SpeedNumber &slot(int index) const { return m_slots.at(std::size_t(index)); }
    // Line breaks would split a value over two lines and shift every later pair, so
    // they become blanks.
    void setSlot(int index, const SpeedNumber &entry);
    void clearSlot(int index);
    // Name and number lines of the pairs past the tenth, in file order.
    const QStringList &overflow() const { return m_overflow; }

private:
    std::array<SpeedNumber, SpeedSlotCount> m_slots;
    QStringList m_overflow;
};

// The file's name in the data folder.
extern const QString SpeedNumbersFileName;

// Empty slots when the file is absent (after the restore from "/Backup").
SpeedNumbers LoadSpeedNumbers(const DataFolder &data);
// Replaces the file atomically; the "/Backup" copy is left alone. False when the file
// could not be written (the old one is then unchanged).
bool SaveSpeedNumbers(const DataFolder &data, const SpeedNumbers &numbers);

// The dialer's speed-dial buttons over the file: which slot the operator selected
// last, and the call recipient that "Restore" brings back.
class SpeedDial final
{
public:
    explicit SpeedDial(const DataFolder &data);

    // Clears the slots and reads the file again.
    void Load();
    const SpeedNumbers &numbers() const { return m_numbers; }
    // The caption of button `index`: the slot's name, empty for a free slot.
    QString caption(int index) const { return m_numbers.slot(index).name; }

    // The person shown before the last speed-dial button (at first, the person the
    // window was opened for), brought back by "Restore".
    void setOriginal(const SpeedNumber &recipient) { m_original = recipient; }
    const SpeedNumber &original() const { return m_original; }

    // Button `index` was pressed; true when its slot is used.
    bool Select(int index);
    std::optional<int> selected() const { return m_selected; }
    // Stores the entry in the selected slot and rewrites the file; false when no slot
    // is selected or the file could not be written.
    bool Save(const SpeedNumber &entry);
    // Frees the selected slot, rewrites the file and reads it again, so later slots
    // move up; false when no slot is selected or the file could not be written.
    bool DeleteSelected();

private:
    const DataFolder &m_data;
    SpeedNumbers m_numbers;
    SpeedNumber m_original;
    std::optional<int> m_selected;
};

} // namespace dialer
