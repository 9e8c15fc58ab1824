#include "receivables/statement.h"

#include "core/prompts.h"
#include "core/regional.h"
#include "customers/customerrecord.h"
#include "printing/page.h"
#include "printing/printengine.h"
#include "printing/printsettings.h"

#include <exception>

namespace receivables {

namespace {

QString describe(const LedgerLine &line)
{
    if (line.kind == LedgerLine::Kind::Invoice)
        return QStringLiteral("Invoice ") + line.description;
    return line.description;
}

// Right edges of the amount columns and left edges of the others, in inches.
constexpr float DateInches = 0.75f;
constexpr float DescriptionInches = 1.85f;
constexpr double ChargeRight = 5.3 * 1440;
constexpr double PaymentRight = 6.5 * 1440;
constexpr double BalanceRight = 7.75 * 1440;
constexpr float HeadingsInches = 3.3f;
constexpr float FirstRowInches = 3.6f;
// Room kept at the foot of each page.
constexpr double FootTwips = 720;

void printRight(Page &page, double right, const QString &text)
{
    page.setCurrentX(right - page.textWidth(text));
    page.printText(text);
}

QString money(Money amount)
{
    return regional::currencyText(amount);
}

void printPageHeader(PrintEngine &engine, const Statement &statement, const QDate &today)
{
    Page &page = engine.page();
    engine.SetPrintColour(true);
    engine.PrintTitle(QStringLiteral("STATEMENT"), 0.5f);
    engine.PrintLogo(720);
    engine.PrintBusinessHeader(0.75f, 0.4f, 12);
    engine.SetPrintColour(false);

    engine.SetFont(10, false);
    const QString facts[] = {
        QStringLiteral("Date: ") + regional::shortDate(today),
        QStringLiteral("Account: ") + statement.account.trimmed(),
        QStringLiteral("From ") + regional::shortDate(statement.from) + QStringLiteral(" to ") +
            regional::shortDate(statement.to),
        QStringLiteral("Page ") + QString::number(page.pageNumber()),
    };
    engine.MoveTo(5.0f, 1.15f);
    for (const QString &fact : facts) {
        engine.MoveTo(5.0f, 0);
        page.printLine(fact);
    }

    engine.MoveTo(0.75f, 2.0f);
    engine.SetFont(10, true);
    for (const QString &line : statement.customer) {
        if (line.trimmed().isEmpty())
            continue;
        engine.MoveTo(0.75f, 0);
        page.printLine(line);
        engine.SetFont(10, false);
    }

    engine.SetFont(10, true);
    engine.MoveTo(DateInches, HeadingsInches);
    page.printText(QStringLiteral("Date"));
    engine.MoveTo(DescriptionInches, 0);
    page.printText(QStringLiteral("Description"));
    printRight(page, ChargeRight, QStringLiteral("Charges"));
    printRight(page, PaymentRight, QStringLiteral("Payments"));
    printRight(page, BalanceRight, QStringLiteral("Balance"));
    page.printLine(QString());
    const double rule = page.currentY() + 40;
    page.drawLine(printing::twips(DateInches), rule, BalanceRight, rule);
    engine.SetFont(10, false);
    engine.MoveTo(0, FirstRowInches);
}

} // namespace

QStringList StatementAddress(const CustomerRecord &customer)
{
    QStringList lines{customer.displayName(), customer.address1, customer.address2};
    QString place = customer.city;
    if (!customer.state.isEmpty())
        place += (place.isEmpty() ? QString() : QStringLiteral(", ")) + customer.state;
    if (!customer.postal.isEmpty())
        place += (place.isEmpty() ? QString() : QStringLiteral(" ")) + customer.postal;
    lines.append(place);
    lines.removeAll(QString());
    return lines;
}

Statement MakeStatement(const Ledger &ledger, const QString &account,
                        const QStringList &customer, const QDate &from, const QDate &to)
{
    Statement statement;
    statement.account = account;
    statement.customer = customer;
    statement.from = from;
    statement.to = to;
    QList<LedgerLine> upToEnd;
    Money running;
    for (const LedgerLine &line : ledger.lines) {
        const bool dated = line.date.isValid();
        if (dated && line.date > to)
            continue;
        upToEnd.append(line);
        const bool payment = line.kind == LedgerLine::Kind::Payment;
        if (dated && line.date < from) {
            statement.broughtForward += payment ? -line.amount : line.amount;
            continue;
        }
        StatementLine shown;
        shown.date = line.dateText;
        shown.description = describe(line);
        (payment ? shown.payment : shown.charge) = line.amount;
        statement.lines.append(shown);
    }
    running = statement.broughtForward;
    for (StatementLine &line : statement.lines) {
        running += line.charge - line.payment;
        line.balance = running;
    }
    statement.balanceDue = running;
    statement.ageing = AgeingOf(upToEnd, to);
    return statement;
}

void PrintStatement(PrintEngine &engine, const Statement &statement, const QDate &today)
{
    Page &page = engine.page();
    const auto room = [&page] {
        if (page.currentY() + page.textHeight() >= page.printableHeight() - FootTwips)
            return false;
        return true;
    };
    const auto nextPageIfFull = [&](const Statement &s) {
        if (room())
            return;
        page.newPage();
        printPageHeader(engine, s, today);
    };
    const auto row = [&](const QString &date, const QString &description, const QString &charge,
                         const QString &payment, const QString &balance) {
        nextPageIfFull(statement);
        const double y = page.currentY();
        engine.MoveTo(DateInches, 0);
        page.printText(date);
        engine.MoveTo(DescriptionInches, 0);
        page.printText(description);
        page.setCurrentY(y);
        printRight(page, ChargeRight, charge);
        printRight(page, PaymentRight, payment);
        printRight(page, BalanceRight, balance);
        page.printLine(QString());
    };

    printPageHeader(engine, statement, today);
    row(regional::shortDate(statement.from), QStringLiteral("Balance Brought Forward"), {}, {},
        money(statement.broughtForward));
    for (const StatementLine &line : statement.lines) {
        row(line.date, line.description, line.charge.isZero() ? QString() : money(line.charge),
            line.payment.isZero() ? QString() : money(line.payment), money(line.balance));
    }

    // The balance due and the ageing stay together on one page.
    page.printLine(QString());
    if (page.currentY() + 5 * page.textHeight() >= page.printableHeight() - FootTwips) {
        page.newPage();
        printPageHeader(engine, statement, today);
    }
    engine.SetFont(11, true);
    engine.MoveTo(DescriptionInches, 0);
    page.printText(QStringLiteral("Balance Due"));
    printRight(page, BalanceRight, money(statement.balanceDue));
    page.printLine(QString());
    page.printLine(QString());

    engine.SetFont(10, true);
    const double columns[] = {2.5 * 1440, 4.0 * 1440, 5.5 * 1440, 7.0 * 1440};
    const QString headings[] = {QStringLiteral("Current"), QStringLiteral("31-60 Days"),
                                QStringLiteral("61-90 Days"), QStringLiteral("Over 90 Days")};
    const Money amounts[] = {statement.ageing.current, statement.ageing.days31to60,
                             statement.ageing.days61to90, statement.ageing.over90};
    for (int k = 0; k < 4; ++k)
        printRight(page, columns[k], headings[k]);
    page.printLine(QString());
    engine.SetFont(10, false);
    for (int k = 0; k < 4; ++k)
        printRight(page, columns[k], money(amounts[k]));
    page.printLine(QString());
}

Printouts::Outcome PrintStatementJob(PageSource &pages, Prompts &prompts,
                                     const PrintSettings &settings, const DataFolder &data,
                                     const Statement &statement, const QDate &today)
{
    const QString printError = QStringLiteral("A Print Error has occurred");
    const QString printErrorTitle = QStringLiteral("Print Error");
    PageSource::Opened opened = pages.choosePrinter();
    if (opened.choice == PageSource::Choice::Cancelled) {
        prompts.tell(QStringLiteral("The Statement will not be Printed"));
        return Printouts::Outcome::Cancelled;
    }
    if (opened.choice != PageSource::Choice::Chosen || !opened.page) {
        prompts.tell(printError, printErrorTitle);
        return Printouts::Outcome::Failed;
    }
    PrintEngine engine(*opened.page, settings, data);
    engine.SetupPrinter(QStringLiteral("Portrait"), settings.colourPrinting ? 1 : 0);
    bool drawn = true;
    try {
        PrintStatement(engine, statement, today);
    } catch (const std::exception &) {
        drawn = false;
    }
    if (!opened.page->endDocument() || !drawn) {
        prompts.tell(printError, printErrorTitle);
        return Printouts::Outcome::Failed;
    }
    return Printouts::Outcome::Printed;
}

} // namespace receivables
