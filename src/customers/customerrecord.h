#pragma once

#include <QString>
#include <QStringList>

class FixedRecord;

// One customer of "/CustomerData.txt", 328 bytes. Text fields are held trimmed; a
// value longer than its field is cut to the field when written.
struct CustomerRecord
{
    static constexpr int Length = 328;

    // Offsets and widths of the fields, in the order they are stored.
    static constexpr int AccountOffset = 0, AccountWidth = 20;
    static constexpr int NameOffset = 20, NameWidth = 45;
    static constexpr int Address1Offset = 65, Address1Width = 35;
    static constexpr int Address2Offset = 100, Address2Width = 25;
    static constexpr int Address3Offset = 125, Address3Width = 25;
    static constexpr int CityOffset = 150, CityWidth = 20;
    static constexpr int StateOffset = 170, StateWidth = 2;
    static constexpr int PostalOffset = 172, PostalWidth = 10;
    static constexpr int Address4Offset = 182, Address4Width = 25;
    static constexpr int TelephoneOffset = 207, TelephoneWidth = 13;
    static constexpr int CellOffset = 220, CellWidth = 13;
    static constexpr int EmailOffset = 233, EmailWidth = 30;
    static constexpr int TitleOffset = 263, TitleWidth = 10;
    static constexpr int FirstNameOffset = 273, FirstNameWidth = 15;
    static constexpr int MiddleInitialOffset = 288, MiddleInitialWidth = 1;
    static constexpr int LastNameOffset = 289, LastNameWidth = 25;
    static constexpr int TypeOffset = 314, TypeWidth = 10;
    static constexpr int FlagOffset = 324;
    static constexpr int SpareOffset = 326;

    static const QString Individual;
    static const QString Business;

    QString account;
    QString name;
    QString address1;
    QString address2;
    QString address3;
    QString city;
    QString state;
    QString postal;
    QString address4;
    QString telephone;
    QString cell;
    QString email;
    QString title;
    QString firstName;
    QString middleInitial;
    QString lastName;
    QString type = Individual;
    qint16 flag = 0;
    qint16 spare = 0;

    static CustomerRecord fromRecord(const FixedRecord &record);
    // Only the account, the type and the names displayName() and listEntry() are made
    // of; the other fields stay empty.
    static CustomerRecord namesFromRecord(const FixedRecord &record);
    FixedRecord toRecord() const;
    // Every text field as it reads back once written: trimmed, cut to its field,
    // characters outside the code page as "?".
    CustomerRecord stored() const;

    // Only the exact text "Business" makes a business account; anything else a
    // damaged record may hold counts as a person.
    bool isBusiness() const { return type == Business; }

    // The address boxes of the screen into the record. The USA style keeps the city
    // in address 3 and the postal code in address 4 as well; the other style keeps
    // its two free lines there and no state. The city is written in both styles.
    void setAddress(bool usaStyle, const QString &cityBox, const QString &stateBox,
                    const QString &postalBox, const QString &address3Box,
                    const QString &address4Box);

    // "Mr John Q. Smith": title, first name, middle initial with ". ", last name,
    // each only when not empty.
    QString personName() const;
    // "Smith, John Q", the form of the account list.
    QString listName() const;
    // The account name of a business, otherwise personName().
    QString displayName() const;
    // The account list's entry: the account name of a business, otherwise listName().
    QString listEntry() const;

    bool operator==(const CustomerRecord &) const = default;
};

namespace customers {

// The titles offered for a person, in order.
const QStringList &Titles();

// A text as a field of the width stores it and reads it back.
QString storedText(const QString &text, int width);

} // namespace customers
