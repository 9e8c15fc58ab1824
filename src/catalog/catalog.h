#pragma once

#include "catalog/catalogrecords.h"
#include "core/money.h"
#include "invoice/invoicedocument.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class DataFolder;

enum class CatalogKind
{
    Services = 0,
    SalesItems = 1,
    CustomItems = 2
};

// One entry of an invoice pick list: the description, its price text, and for
// sales and custom items the zero-based position of its record in the file.
struct CatalogPick
{
    QString description;
    QString price;
    int record = -1;
    bool operator==(const CatalogPick &) const = default;
};

// The catalog while the program runs: the rows of the three grids in their shown
// orders, the labor headings and rates as their boxes hold them, and what the
// invoice screen picks from. The catalog files are read and written only here.
class Catalog final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Catalog)
public:
    static constexpr int LaborRows = 3;
    static const QString ServicesFile;
    static const QString SalesItemsFile;
    static const QString CustomItemsFile;
    static const QString LaborFile;
    static const QString GeneralLabor;
    static const QString AllCategories;

    explicit Catalog(DataFolder &data, QObject *parent = nullptr);
    ~Catalog() override;

    // The load made once at start: labor rates, services, sales items, custom items.
    void LoadAll();
    void LoadLaborRates();
    // Each load reads its file when present (after the restore from "/Backup") and
    // otherwise leaves its rows and lists empty.
    void LoadServices();
    void LoadAdditionalItems();
    void LoadCustomItems();

    // Rewrites the three files from the rows (rows without a description are not
    // written; a file left without rows is deleted with its backup copy), then
    // reloads them. Nothing is written when a row cannot be stored; the result is
    // then the reason, as it is when a file cannot be written. A file that was there
    // but could not be read at its last load is neither written over nor deleted.
    std::optional<QString> SaveCatalog();
    // The reason a row cannot be stored, checked before any file is written.
    std::optional<QString> checkRows() const;
    std::optional<QString> SaveLaborRates();
    // No "/Labor.txt" and the rows still as an absent file gives them: the screen's
    // save on closing then writes nothing, so a run that never touched the labor
    // rates drops no file into the folder.
    bool laborAtAbsentFileDefaults() const;
    // Adds a non-empty name not yet present (compared exactly).
    void AddCategory(const QString &name);

    // Grid rows in their shown order.
    const QList<ServiceRecord> &services() const { return m_services; }
    const QList<SalesItemRecord> &salesItems() const { return m_items; }
    const QList<CustomItemRecord> &customItems() const { return m_custom; }
    int rowCount(CatalogKind kind) const;
    QStringList cells(CatalogKind kind, int row) const;

    // Appends a row; refused, with the reason, when its file would hold more
    // entries than it can or a field cannot be stored.
    std::optional<QString> add(const ServiceRecord &service);
    std::optional<QString> add(const SalesItemRecord &item);
    std::optional<QString> add(const CustomItemRecord &item);
    // Overwrites a row in place.
    std::optional<QString> replace(int row, const ServiceRecord &service);
    std::optional<QString> replace(int row, const SalesItemRecord &item);
    std::optional<QString> replace(int row, const CustomItemRecord &item);
    // Removes a row. The only row takes its file and backup copy with it at once;
    // otherwise, or when the file could not be read, the catalog is saved at once
    // (the result is SaveCatalog's).
    std::optional<QString> DeleteEntry(CatalogKind kind, int row);

    // Distinct sales-item categories in the order met; "All" is not among them.
    const QStringList &categories() const { return m_categories; }
    // "All", then the categories: the invoice screen's category list.
    QStringList categoryList() const;

    // The invoice screen's pick lists: services in description order ignoring case,
    // sales and custom items in file order.
    const QList<CatalogPick> &servicePicks() const { return m_servicePicks; }
    const QList<CatalogPick> &itemPicks() const { return m_itemPicks; }
    const QList<CatalogPick> &customPicks() const { return m_customPicks; }

    // Volume-discount tables indexed from 1 in file order; 0 outside 1..count.
    int itemDiscountCount() const { return int(m_itemDiscountPrice.size()); }
    Money ItemDiscountPrice(int record) const;
    qint32 ItemDiscountQty(int record) const;
    int customDiscountCount() const { return int(m_customDiscountPrice.size()); }
    Money CustomDiscountPrice(int record) const;
    qint32 CustomDiscountQty(int record) const;

    // Labor rows as their boxes hold them (row 0 to 2).
    QString laborHeading(int row) const;
    QString laborRate(int row) const;
    void setLaborHeading(int row, const QString &heading);
    void setLaborRate(int row, const QString &rate);
    // Whether "/Labor.txt" was there at the last LoadLaborRates.
    bool laborFilePresent() const { return m_laborFilePresent; }

    // A file's name, for messages.
    static QString fileOf(CatalogKind kind);

    // What posting takes out of the stock of "/PIInventoriedItems.txt": labor lines
    // nothing, other lines their units as a whole number (halves to even) from the
    // first record of that name, never below 0.
    struct StockDeduction
    {
        // The items clamped at 0, in order, for "Item ... may be low in Inventory".
        QStringList low;
        // Why nothing (or not all) could be written.
        std::optional<QString> error;
    };
    // The reason the deduction could not be stored: a line's units or a stock after
    // it beyond the file's 16-bit field, or a file that cannot be read. Posting asks
    // before it writes anything.
    std::optional<QString> CheckStockDeduction(const QList<InvoiceLine> &lines) const;
    // The byte offsets of the on-hand fields DeductInventory would write, so a caller
    // can record them first.
    QList<qint64> StockFieldsChanged(const QList<InvoiceLine> &lines) const;
    // Writes the lowered stock in place, then reloads the sales items whatever
    // happened: the screen writes its rows back when the program ends, and would
    // otherwise put the old stock back.
    StockDeduction DeductInventory(const QList<InvoiceLine> &lines);
    // A line's units as the stock takes them: a numeric text through single precision,
    // halves to even; 0 when not numeric; nullopt beyond 64 bits.
    static std::optional<qint64> stockUnits(const QString &units);

signals:
    // The rows of a grid changed (a load, an add, a change or a delete).
    void rowsChanged(CatalogKind kind);
    // A file was read again: its pick lists and discount tables are new.
    void reloaded(CatalogKind kind);
    void categoriesChanged();
    void laborChanged();

private:
    QByteArray fileBytes(const QString &relative, int recordLength, qsizetype &count) const;
    int writtenCount(CatalogKind kind) const;
    std::optional<QString> checkRoom(CatalogKind kind) const;
    // Writes the bytes unless the file already holds exactly them, so a save that
    // changes nothing keeps the file's backup copy.
    bool rewrite(const QString &relative, const QByteArray &bytes) const;
    void reload(CatalogKind kind);
    bool addCategory(const QString &name);

    DataFolder &m_data;
    QList<ServiceRecord> m_services;
    QList<SalesItemRecord> m_items;
    QList<CustomItemRecord> m_custom;
    QStringList m_categories;
    QList<CatalogPick> m_servicePicks;
    QList<CatalogPick> m_itemPicks;
    QList<CatalogPick> m_customPicks;
    QList<Money> m_itemDiscountPrice;
    QList<qint32> m_itemDiscountQty;
    QList<Money> m_customDiscountPrice;
    QList<qint32> m_customDiscountQty;
    std::array<QString, LaborRows> m_laborHeadings;
    std::array<QString, LaborRows> m_laborRates;
    bool m_laborFilePresent = false;
    // Files there at the last load that could not be read, by kind; a save keeps them.
    bool m_unread[3] = {};
    bool m_laborUnread = false;
};
