#include "catalog/catalog.h"

#include "core/gridsort.h"
#include "core/datafolder.h"
#include "core/fixedrecord.h"
#include "core/regional.h"
#include "core/rollbackjournal.h"
#include "core/textrecord.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>

const QString Catalog::ServicesFile = QStringLiteral("/Services.txt");
const QString Catalog::SalesItemsFile = QStringLiteral("/PIInventoriedItems.txt");
const QString Catalog::CustomItemsFile = QStringLiteral("/CustomItems.txt");
const QString Catalog::LaborFile = QStringLiteral("/Labor.txt");
const QString Catalog::GeneralLabor = QStringLiteral("General Labor");
const QString Catalog::AllCategories = QStringLiteral("All");

namespace {

bool hasDescription(const QString &description)
{
    return !description.trimmed().isEmpty();
}

template <typename Record> QByteArray recordBytes(const QList<Record> &rows)
{
    QByteArray bytes;
    bytes.reserve(rows.size() * Record::Length);
    for (const Record &row : rows) {
        if (hasDescription(row.description))
            bytes += row.toRecord().bytes();
    }
    return bytes;
}

template <typename Record> QList<Record> readRecords(const QByteArray &bytes, qsizetype count)
{
    QList<Record> rows;
    rows.reserve(count);
    for (qsizetype r = 0; r < count; ++r)
        rows.append(Record::fromRecord(
            FixedRecord(Record::Length, bytes.mid(r * Record::Length, Record::Length))));
    return rows;
}

QString kindName(CatalogKind kind)
{
    switch (kind) {
    case CatalogKind::Services:
        return QStringLiteral("Services");
    case CatalogKind::SalesItems:
        return QStringLiteral("Inventoried Items");
    case CatalogKind::CustomItems:
        return QStringLiteral("Custom Items");
    }
    return {};
}

QString notWrittenMessage(const QString &file)
{
    return QStringLiteral("The file \"%1\" could not be written.").arg(file);
}

// A file that is there but cannot be read holds rows nobody has seen: a save leaves it
// as it is instead of writing the empty rows over it.
// A pipe counts as there but unreadable: opening it would wait for a writer for good.
bool unreadable(const DataFolder &data, const QString &relative)
{
    const QFileInfo info(data.path(relative));
    if (!info.exists())
        return false;
    if (!info.isFile())
        return true;
    QFile file(info.filePath());
    return !file.open(QIODevice::ReadOnly);
}

bool validLaborRow(int row)
{
    return row >= 0 && row < Catalog::LaborRows;
}

} // namespace

Catalog::Catalog(DataFolder &data, QObject *parent) : QObject(parent), m_data(data) {}

Catalog::~Catalog() = default;

QString Catalog::fileOf(CatalogKind kind)
{
    switch (kind) {
    case CatalogKind::Services:
        return ServicesFile;
    case CatalogKind::SalesItems:
        return SalesItemsFile;
    case CatalogKind::CustomItems:
        return CustomItemsFile;
    }
    return {};
}

void Catalog::LoadAll()
{
    LoadLaborRates();
    LoadServices();
    LoadAdditionalItems();
    LoadCustomItems();
}

QByteArray Catalog::fileBytes(const QString &relative, int recordLength, qsizetype &count) const
{
    count = 0;
    if (!m_data.FileIsPresent(relative))
        return {};
    QByteArray bytes = m_data.ReadFile(relative);
    // As RecordCount: the length in records rounded ties to even, a record cut short
    // by the end of the file read padded with zeros.
    const qsizetype whole = bytes.size() / recordLength;
    const qsizetype rest = bytes.size() % recordLength;
    count = whole;
    if (2 * rest > recordLength || (2 * rest == recordLength && whole % 2 == 1))
        ++count;
    return bytes;
}

void Catalog::LoadLaborRates()
{
    m_laborFilePresent = m_data.FileIsPresent(LaborFile);
    m_laborUnread = unreadable(m_data, LaborFile);
    if (m_laborFilePresent) {
        // One field after the other, as every text record file is read: a writer may
        // put each field on a line of its own.
        TextRecordReader reader(m_data.ReadFile(LaborFile));
        for (int row = 0; row < LaborRows; ++row) {
            m_laborHeadings[row] = reader.field().value_or(QString());
            m_laborRates[row] = reader.field().value_or(QString());
        }
    } else {
        for (int row = 0; row < LaborRows; ++row) {
            m_laborHeadings[row].clear();
            m_laborRates[row] = regional::currencyText(Money());
        }
        m_laborHeadings[0] = GeneralLabor;
    }
    emit laborChanged();
}

bool Catalog::laborAtAbsentFileDefaults() const
{
    if (m_data.Exists(LaborFile))
        return false;
    for (int row = 0; row < LaborRows; ++row) {
        if (m_laborHeadings[row] != (row == 0 ? GeneralLabor : QString()))
            return false;
        if (!m_laborRates[row].isEmpty() && m_laborRates[row] != regional::currencyText(Money()))
            return false;
    }
    return true;
}

std::optional<QString> Catalog::SaveLaborRates()
{
    TextRecordWriter writer;
    for (int row = 0; row < LaborRows; ++row)
        writer.text(m_laborHeadings[row]).text(m_laborRates[row]).endRecord();
    if (m_laborUnread || !rewrite(LaborFile, writer.bytes()))
        return notWrittenMessage(LaborFile);
    m_laborFilePresent = true;
    return std::nullopt;
}

QString Catalog::laborHeading(int row) const
{
    return validLaborRow(row) ? m_laborHeadings[row] : QString();
}

QString Catalog::laborRate(int row) const
{
    return validLaborRow(row) ? m_laborRates[row] : QString();
}

void Catalog::setLaborHeading(int row, const QString &heading)
{
    if (!validLaborRow(row) || m_laborHeadings[row] == heading)
        return;
    m_laborHeadings[row] = heading;
    emit laborChanged();
}

void Catalog::setLaborRate(int row, const QString &rate)
{
    if (!validLaborRow(row) || m_laborRates[row] == rate)
        return;
    m_laborRates[row] = rate;
    emit laborChanged();
}

void Catalog::LoadServices()
{
    qsizetype count = 0;
    const QByteArray bytes = fileBytes(ServicesFile, ServiceRecord::Length, count);
    m_unread[int(CatalogKind::Services)] = unreadable(m_data, ServicesFile);
    QList<ServiceRecord> rows = readRecords<ServiceRecord>(bytes, count);
    QStringList descriptions;
    descriptions.reserve(rows.size());
    for (ServiceRecord &row : rows) {
        row.allottedTime = catalog::shownAllottedTime(row.allottedTime);
        descriptions.append(row.description);
    }

    // The invoice list follows the text order; the grid then takes the generic one,
    // which differs only where descriptions are numbers.
    const QList<int> byText = gridsort::caseInsensitiveOrder(descriptions);
    rows = gridsort::reordered(rows, byText);
    descriptions = gridsort::reordered(descriptions, byText);
    m_servicePicks.clear();
    m_servicePicks.reserve(rows.size());
    for (const ServiceRecord &row : std::as_const(rows))
        m_servicePicks.append({row.description, row.charge, -1});
    m_services = gridsort::reordered(rows, gridsort::genericOrder(descriptions));

    emit rowsChanged(CatalogKind::Services);
    emit reloaded(CatalogKind::Services);
}

void Catalog::LoadAdditionalItems()
{
    qsizetype count = 0;
    const QByteArray bytes = fileBytes(SalesItemsFile, SalesItemRecord::Length, count);
    m_unread[int(CatalogKind::SalesItems)] = unreadable(m_data, SalesItemsFile);
    const QList<SalesItemRecord> rows = readRecords<SalesItemRecord>(bytes, count);

    m_categories.clear();
    m_itemPicks.clear();
    m_itemPicks.reserve(rows.size());
    m_itemDiscountPrice.clear();
    m_itemDiscountPrice.reserve(rows.size());
    m_itemDiscountQty.clear();
    m_itemDiscountQty.reserve(rows.size());
    QStringList categories;
    categories.reserve(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        const SalesItemRecord &row = rows.at(r);
        addCategory(row.category);
        categories.append(row.category);
        m_itemPicks.append({row.description, regional::currencyText(row.price), r});
        m_itemDiscountPrice.append(row.discountPrice);
        m_itemDiscountQty.append(row.discountQty);
    }
    m_items = gridsort::reordered(rows, gridsort::genericOrder(categories));

    emit rowsChanged(CatalogKind::SalesItems);
    emit categoriesChanged();
    emit reloaded(CatalogKind::SalesItems);
}

void Catalog::LoadCustomItems()
{
    qsizetype count = 0;
    const QByteArray bytes = fileBytes(CustomItemsFile, CustomItemRecord::Length, count);
    m_unread[int(CatalogKind::CustomItems)] = unreadable(m_data, CustomItemsFile);
    const QList<CustomItemRecord> rows = readRecords<CustomItemRecord>(bytes, count);

    m_customPicks.clear();
    m_customPicks.reserve(rows.size());
    m_customDiscountPrice.clear();
    m_customDiscountPrice.reserve(rows.size());
    m_customDiscountQty.clear();
    m_customDiscountQty.reserve(rows.size());
    QStringList descriptions;
    descriptions.reserve(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        const CustomItemRecord &row = rows.at(r);
        descriptions.append(row.description);
        m_customPicks.append({row.description, regional::currencyText(row.price), r});
        m_customDiscountPrice.append(row.discountPrice);
        m_customDiscountQty.append(row.discountQty);
    }
    m_custom = gridsort::reordered(rows, gridsort::genericOrder(descriptions));

    emit rowsChanged(CatalogKind::CustomItems);
    emit reloaded(CatalogKind::CustomItems);
}

void Catalog::reload(CatalogKind kind)
{
    switch (kind) {
    case CatalogKind::Services:
        LoadServices();
        break;
    case CatalogKind::SalesItems:
        LoadAdditionalItems();
        break;
    case CatalogKind::CustomItems:
        LoadCustomItems();
        break;
    }
}

bool Catalog::rewrite(const QString &relative, const QByteArray &bytes) const
{
    if (m_data.Exists(relative) && m_data.ReadFile(relative) == bytes)
        return true;
    return m_data.RewriteFile(relative, bytes);
}

std::optional<QString> Catalog::checkRows() const
{
    for (const ServiceRecord &row : m_services) {
        if (!hasDescription(row.description))
            continue;
        if (auto refused = catalog::checkServiceCharge(row.charge))
            return refused;
    }
    return std::nullopt;
}

std::optional<QString> Catalog::SaveCatalog()
{
    // Everything is checked before the first file is touched.
    if (auto refused = checkRows())
        return refused;

    const QByteArray files[] = {recordBytes(m_services), recordBytes(m_items),
                                recordBytes(m_custom)};
    constexpr CatalogKind kinds[] = {CatalogKind::Services, CatalogKind::SalesItems,
                                     CatalogKind::CustomItems};
    QStringList failed;
    bool written[3] = {};
    // Several files changed at once go in whole or not at all, so a kill between them
    // cannot leave one file new and the next one old.
    RollbackJournal journal(m_data, RollbackJournal::Kind::CatalogSave, QString());
    int changing = 0;
    bool noted = true;
    for (int k = 0; k < 3; ++k) {
        const QString file = fileOf(kinds[k]);
        const bool changes =
            files[k].isEmpty()
                ? m_data.Exists(file) || m_data.Exists(DataFolder::backupOf(file))
                : !(m_data.Exists(file) && m_data.ReadFile(file) == files[k]);
        if (m_unread[k] || !changes)
            continue;
        ++changing;
        noted = noted && journal.noteReplace(file) && journal.noteReplace(DataFolder::backupOf(file));
    }
    if (changing > 1 && (!noted || !journal.begin()))
        return notWrittenMessage(RollbackJournal::IntentFile);
    for (int k = 0; k < 3; ++k) {
        const QString file = fileOf(kinds[k]);
        if (m_unread[k]) {
            written[k] = false;
        } else if (files[k].isEmpty()) {
            m_data.DeleteWithBackup(file);
            written[k] = !m_data.Exists(file);
        } else {
            written[k] = rewrite(file, files[k]);
        }
        if (!written[k])
            failed.append(notWrittenMessage(file));
    }
    if (journal.active() && !journal.commit()) {
        for (bool &done : written)
            done = false;
        failed = QStringList{notWrittenMessage(RollbackJournal::IntentFile)};
    }
    // A file that could not be written keeps its rows on screen rather than going
    // back to what the disk still holds.
    for (int k = 0; k < 3; ++k) {
        if (written[k])
            reload(kinds[k]);
    }
    if (!failed.isEmpty())
        return failed.join(QStringLiteral("\r\n"));
    return std::nullopt;
}

bool Catalog::addCategory(const QString &name)
{
    if (name.isEmpty() || m_categories.contains(name))
        return false;
    m_categories.append(name);
    return true;
}

void Catalog::AddCategory(const QString &name)
{
    if (addCategory(name))
        emit categoriesChanged();
}

QStringList Catalog::categoryList() const
{
    return QStringList{AllCategories} + m_categories;
}

int Catalog::rowCount(CatalogKind kind) const
{
    switch (kind) {
    case CatalogKind::Services:
        return int(m_services.size());
    case CatalogKind::SalesItems:
        return int(m_items.size());
    case CatalogKind::CustomItems:
        return int(m_custom.size());
    }
    return 0;
}

QStringList Catalog::cells(CatalogKind kind, int row) const
{
    if (row < 0 || row >= rowCount(kind))
        return {};
    switch (kind) {
    case CatalogKind::Services:
        return catalog::serviceCells(m_services.at(row));
    case CatalogKind::SalesItems:
        return catalog::salesItemCells(m_items.at(row));
    case CatalogKind::CustomItems:
        return catalog::customItemCells(m_custom.at(row));
    }
    return {};
}

int Catalog::writtenCount(CatalogKind kind) const
{
    const auto count = [](const auto &rows) {
        return int(std::count_if(rows.cbegin(), rows.cend(),
                                 [](const auto &row) { return hasDescription(row.description); }));
    };
    switch (kind) {
    case CatalogKind::Services:
        return count(m_services);
    case CatalogKind::SalesItems:
        return count(m_items);
    case CatalogKind::CustomItems:
        return count(m_custom);
    }
    return 0;
}

std::optional<QString> Catalog::checkRoom(CatalogKind kind) const
{
    if (writtenCount(kind) < catalog::MaxRecords)
        return std::nullopt;
    return QStringLiteral("The %1 file is full: it holds at most %2 entries.\r\n"
                          "Delete an entry before adding another.")
        .arg(kindName(kind))
        .arg(catalog::MaxRecords);
}

std::optional<QString> Catalog::add(const ServiceRecord &service)
{
    if (auto refused = checkRoom(CatalogKind::Services))
        return refused;
    if (auto refused = catalog::checkServiceCharge(service.charge))
        return refused;
    m_services.append(service);
    emit rowsChanged(CatalogKind::Services);
    return std::nullopt;
}

std::optional<QString> Catalog::add(const SalesItemRecord &item)
{
    if (auto refused = checkRoom(CatalogKind::SalesItems))
        return refused;
    m_items.append(item);
    emit rowsChanged(CatalogKind::SalesItems);
    return std::nullopt;
}

std::optional<QString> Catalog::add(const CustomItemRecord &item)
{
    if (auto refused = checkRoom(CatalogKind::CustomItems))
        return refused;
    m_custom.append(item);
    emit rowsChanged(CatalogKind::CustomItems);
    return std::nullopt;
}

std::optional<QString> Catalog::replace(int row, const ServiceRecord &service)
{
    if (row < 0 || row >= m_services.size())
        return std::nullopt;
    if (auto refused = catalog::checkServiceCharge(service.charge))
        return refused;
    m_services[row] = service;
    emit rowsChanged(CatalogKind::Services);
    return std::nullopt;
}

std::optional<QString> Catalog::replace(int row, const SalesItemRecord &item)
{
    if (row < 0 || row >= m_items.size())
        return std::nullopt;
    m_items[row] = item;
    emit rowsChanged(CatalogKind::SalesItems);
    return std::nullopt;
}

std::optional<QString> Catalog::replace(int row, const CustomItemRecord &item)
{
    if (row < 0 || row >= m_custom.size())
        return std::nullopt;
    m_custom[row] = item;
    emit rowsChanged(CatalogKind::CustomItems);
    return std::nullopt;
}

std::optional<QString> Catalog::DeleteEntry(CatalogKind kind, int row)
{
    const int rows = rowCount(kind);
    if (row < 0 || row >= rows)
        return std::nullopt;
    if (rows == 1 && !m_unread[int(kind)]) {
        m_data.DeleteWithBackup(fileOf(kind));
        // Read again so the pick lists lose the entry too.
        reload(kind);
        return std::nullopt;
    }
    switch (kind) {
    case CatalogKind::Services:
        m_services.removeAt(row);
        break;
    case CatalogKind::SalesItems:
        m_items.removeAt(row);
        break;
    case CatalogKind::CustomItems:
        m_custom.removeAt(row);
        break;
    }
    emit rowsChanged(kind);
    return SaveCatalog();
}

Money Catalog::ItemDiscountPrice(int record) const
{
    return record >= 1 && record <= m_itemDiscountPrice.size() ? m_itemDiscountPrice.at(record - 1)
                                                               : Money();
}

qint32 Catalog::ItemDiscountQty(int record) const
{
    return record >= 1 && record <= m_itemDiscountQty.size() ? m_itemDiscountQty.at(record - 1) : 0;
}

Money Catalog::CustomDiscountPrice(int record) const
{
    return record >= 1 && record <= m_customDiscountPrice.size()
               ? m_customDiscountPrice.at(record - 1)
               : Money();
}

qint32 Catalog::CustomDiscountQty(int record) const
{
    return record >= 1 && record <= m_customDiscountQty.size() ? m_customDiscountQty.at(record - 1)
                                                               : 0;
}
