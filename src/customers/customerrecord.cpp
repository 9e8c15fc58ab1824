#include "customers/customerrecord.h"

#include "core/fixedrecord.h"
#include "core/keyfilters.h"

#include <algorithm>
#include <iterator>

const QString CustomerRecord::Individual = QStringLiteral("Individual");
const QString CustomerRecord::Business = QStringLiteral("Business");

namespace {

struct TextField
{
    QString CustomerRecord::*member;
    int offset;
    int width;
};

using R = CustomerRecord;

constexpr TextField textFields[] = {
    {&R::account, R::AccountOffset, R::AccountWidth},
    {&R::name, R::NameOffset, R::NameWidth},
    {&R::address1, R::Address1Offset, R::Address1Width},
    {&R::address2, R::Address2Offset, R::Address2Width},
    {&R::address3, R::Address3Offset, R::Address3Width},
    {&R::city, R::CityOffset, R::CityWidth},
    {&R::state, R::StateOffset, R::StateWidth},
    {&R::postal, R::PostalOffset, R::PostalWidth},
    {&R::address4, R::Address4Offset, R::Address4Width},
    {&R::telephone, R::TelephoneOffset, R::TelephoneWidth},
    {&R::cell, R::CellOffset, R::CellWidth},
    {&R::email, R::EmailOffset, R::EmailWidth},
    {&R::title, R::TitleOffset, R::TitleWidth},
    {&R::firstName, R::FirstNameOffset, R::FirstNameWidth},
    {&R::middleInitial, R::MiddleInitialOffset, R::MiddleInitialWidth},
    {&R::lastName, R::LastNameOffset, R::LastNameWidth},
    {&R::type, R::TypeOffset, R::TypeWidth},
};

} // namespace

CustomerRecord CustomerRecord::fromRecord(const FixedRecord &record)
{
    CustomerRecord customer;
    for (const TextField &field : textFields)
        customer.*field.member = record.text(field.offset, field.width);
    customer.flag = record.int16(FlagOffset);
    customer.spare = record.int16(SpareOffset);
    return customer;
}

CustomerRecord CustomerRecord::namesFromRecord(const FixedRecord &record)
{
    static constexpr QString CustomerRecord::*names[] = {&R::account,   &R::name,          &R::title,
                                                         &R::firstName, &R::middleInitial, &R::lastName,
                                                         &R::type};
    CustomerRecord customer;
    for (const TextField &field : textFields) {
        if (std::find(std::begin(names), std::end(names), field.member) != std::end(names))
            customer.*field.member = record.text(field.offset, field.width);
    }
    return customer;
}

FixedRecord CustomerRecord::toRecord() const
{
    FixedRecord record(Length);
    for (const TextField &field : textFields)
        record.setText(field.offset, field.width, (this->*field.member).trimmed());
    record.setInt16(FlagOffset, flag);
    record.setInt16(SpareOffset, spare);
    return record;
}

CustomerRecord CustomerRecord::stored() const
{
    return fromRecord(toRecord());
}

void CustomerRecord::setAddress(bool usaStyle, const QString &cityBox, const QString &stateBox,
                                const QString &postalBox, const QString &address3Box,
                                const QString &address4Box)
{
    city = cityBox;
    postal = postalBox;
    if (usaStyle) {
        address3 = cityBox;
        state = stateBox;
        address4 = postalBox;
    } else {
        address3 = address3Box;
        state.clear();
        address4 = address4Box;
    }
}

QString CustomerRecord::personName() const
{
    return keyfilters::JoinNameParts(title, firstName, middleInitial, lastName);
}

QString CustomerRecord::listName() const
{
    QString entry = lastName.trimmed() + QStringLiteral(", ") + firstName.trimmed();
    const QString initial = middleInitial.trimmed();
    if (!initial.isEmpty())
        entry += u' ' + initial;
    return entry;
}

QString CustomerRecord::displayName() const
{
    return isBusiness() ? name.trimmed() : personName();
}

QString CustomerRecord::listEntry() const
{
    return isBusiness() ? name.trimmed() : listName();
}

namespace customers {

const QStringList &Titles()
{
    static const QStringList titles{QStringLiteral("Mr/Mrs"), QStringLiteral("Mr."),
                                    QStringLiteral("Mrs"), QStringLiteral("Ms"),
                                    QStringLiteral("Miss")};
    return titles;
}

QString storedText(const QString &text, int width)
{
    FixedRecord field(width);
    field.setText(0, width, text.trimmed());
    return field.text(0, width);
}

} // namespace customers
