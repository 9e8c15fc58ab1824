#pragma once

#include "catalog/catalog.h"
#include "core/money.h"
#include "invoice/invoicedocument.h"

#include <QDate>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// How each line source turns what a panel holds into an invoice line, or says which
// box is at fault.
namespace invoicelines {

// Units end in 16-bit fields of the files that posting writes.
constexpr int MaxUnits = 32767;
QString tooManyUnitsMessage();
// Refused when the whole number of the units (halves to even) does not fit.
std::optional<QString> unitsRefusal(const QString &units);

// Column 4: the currency text of units × price, computed as Money so 1.5 × $1.23
// shows $1.85 (a double would show $1.84).
Money extensionOf(double units, Money price);
QString extension(const QString &units, Money price);
// The currency text of Money 0, which several boxes show when empty.
QString zeroText();

struct Refusal
{
    enum class Field { Description, Price, Units };
    Field field = Field::Description;
    bool beep = true;
    QString message;                // shown when not empty
    std::optional<QString> boxText; // what the box at fault shows afterwards
};

struct Entry
{
    std::optional<InvoiceLine> line;
    std::optional<Refusal> refusal;
    bool discountApplied = false; // "A discount Price will be Applied"
};

// The volume-discount pair of the chosen entry; quantity 0 switches it off.
struct VolumePrice
{
    bool apply = false; // "Apply Item Volume Pricing"
    Money price;
    qint32 quantity = 0;
};

Entry serviceLine(const QString &description, const QString &priceText, const QDate &serviceDate,
                  bool taxable);
// Inventoried and custom items alike. A price typed rather than chosen comes with a
// VolumePrice that does not apply.
Entry itemLine(const QString &description, const QString &priceText, const QString &units,
               const VolumePrice &volume, bool taxable);
Entry manualLine(const QString &description, const QString &priceText, const QString &units,
                 bool taxable);

// One labor category as the panel holds it.
struct LaborCategory
{
    QString name;
    QString rateText;
    QString hours;
    Money amount;
};
Money laborAmount(const QString &hours, const QString &rateText);
QList<InvoiceLine> laborLines(const std::array<LaborCategory, 3> &categories, bool taxable);

// An invoice pick list with its volume-discount tables, both indexed by position.
struct PickTable
{
    QList<CatalogPick> picks;
    QList<Money> discountPrice;
    QList<qint32> discountQty;
    VolumePrice volume(int position, bool apply) const;
};
// "All" (or an empty name) gives the catalog's own list; a category walks the items
// grid in its order.
PickTable itemTable(const Catalog &catalog, const QString &category);
PickTable customTable(const Catalog &catalog);
PickTable serviceTable(const Catalog &catalog);

// Type-ahead in a description list: the first entry (top down) that begins with the
// typed text, ignoring case. `text` is what the box then shows; the part from
// `selectFrom` on is the completed tail.
struct Completion
{
    int index = -1;
    QString text;
    int selectFrom = 0;
};
std::optional<Completion> typeAhead(const QList<CatalogPick> &picks, const QString &typed);

} // namespace invoicelines
