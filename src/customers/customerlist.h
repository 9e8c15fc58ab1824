#pragma once

#include "customers/customerrecord.h"
#include "printing/printouts.h"

#include <QList>
#include <QString>

class DataFolder;
class PageSource;
class PrintEngine;
class Prompts;
struct PrintSettings;

namespace customers {

// The printed customer list, landscape: a heading on every page, then one block per
// customer (name, street, the rest of the address, telephone), three blocks across.
// The engine's page is set up before; the document is not ended here.
void LayOutCustomerList(PrintEngine &engine, const QList<CustomerRecord> &customers, bool usaStyle,
                        const QString &date);

// The whole job: asks for a printer, lays out the list and ends the document. A
// cancelled printer dialog and print errors are told.
Printouts::Outcome PrintCustomerList(PageSource &pages, Prompts &prompts,
                                     const PrintSettings &settings, const DataFolder &data,
                                     const QList<CustomerRecord> &customers, bool usaStyle,
                                     const QString &date);

} // namespace customers
