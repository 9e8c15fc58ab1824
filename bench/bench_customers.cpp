// The customer file at its limit of 32,767 customers: opening the customer screen
// (account and city lists), a search and deleting the first record, each beside
// its floor: reading the whole file once, and for the delete the read, the write,
// the sync and the rename alone.
#include "support/benchsupport.h"

#include "core/datafolder.h"
#include "core/fixedrecord.h"
#include "core/prompts.h"
#include "customers/accountlists.h"
#include "customers/customerfile.h"
#include "customers/customerrecord.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const char *const LastNames[] = {"Smith",     "johnson",  "Williams",  "brown",
                                 "Jones",     "Garcia",   "Miller",    "davis",
                                 "Rodriguez", "Martinez", "Hernandez", "Lopez"};
const char *const FirstNames[] = {"James",    "Mary",    "robert", "Patricia", "John",
                                  "Jennifer", "Michael", "linda",  "David",    "Elizabeth"};

QByteArray buildFile()
{
    QByteArray all;
    all.reserve(qsizetype(customers::MaxCustomers) * CustomerRecord::Length);
    for (qint32 n = 1; n <= customers::MaxCustomers; ++n) {
        CustomerRecord r;
        r.account = QStringLiteral("AC%1").arg(n, 6, 10, QChar(u'0'));
        if (n % 3 == 0) {
            r.type = CustomerRecord::Business;
            r.name = QStringLiteral("%1 Supply Company %2").arg(LastNames[n % 12]).arg(n);
        } else {
            r.firstName = QString::fromLatin1(FirstNames[n % 10]);
            r.middleInitial = QString(QChar(u'A' + n % 26));
            r.lastName = QStringLiteral("%1%2").arg(LastNames[(n / 7) % 12]).arg(n % 97);
        }
        r.address1 = QStringLiteral("%1 Main Street").arg(n);
        r.setAddress(true, QStringLiteral("City %1").arg(n % 500), QStringLiteral("IL"),
                     QStringLiteral("627%1").arg(n % 100, 2, 10, QChar(u'0')), {}, {});
        r.telephone = QStringLiteral("217-555-%1").arg(n % 10000, 4, 10, QChar(u'0'));
        all += r.toRecord().bytes();
    }
    return all;
}

struct Fixture
{
    QTemporaryDir dir;
    QByteArray bytes = buildFile();
    Fixture()
    {
        for (const char *folder : {"/Backup", "/PIActiveAccounts", "/AuxFiles"})
            QDir().mkpath(dir.path() + folder);
        restore();
    }
    void restore() const
    {
        QFile file(dir.path() + QStringLiteral("/CustomerData.txt"));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// The floor: the whole file read once.
void readWholeFile(const DataFolder &data)
{
    QFile file(data.path(customers::CustomerDataFile));
    file.open(QIODevice::ReadOnly);
    benchmark::DoNotOptimize(file.readAll());
}

void BM_ReadWholeFile(benchmark::State &state)
{
    DataFolder data(fixture().dir.path());
    for (auto _ : state)
        readWholeFile(data);
}
BENCHMARK(BM_ReadWholeFile)->Unit(benchmark::kMillisecond);

// What opening the customer screen costs: count, account list, city list, record 1.
void BM_OpenAccountAndCityLists(benchmark::State &state)
{
    DataFolder data(fixture().dir.path());
    bench::QuietPrompts prompts;
    CustomerFile customers(data, prompts);
    bench::timeAgainstFloor(state, [&data] { readWholeFile(data); },
                            [&customers] { benchmark::DoNotOptimize(customers.Open()); });
    state.counters["accounts"] = double(customers.accounts().size());
    state.counters["cities"] = double(customers.cities().size());
}
BENCHMARK(BM_OpenAccountAndCityLists)->Unit(benchmark::kMillisecond);

void BM_SearchByLastName(benchmark::State &state)
{
    DataFolder data(fixture().dir.path());
    bench::QuietPrompts prompts;
    CustomerFile customers(data, prompts);
    qsizetype found = 0;
    for (auto _ : state)
        found =
            customers.FindRecords(customers::Criterion::LastName, QStringLiteral("mith4")).size();
    state.counters["found"] = double(found);
}
BENCHMARK(BM_SearchByLastName)->Unit(benchmark::kMillisecond);

void BM_DeleteRecordOne(benchmark::State &state)
{
    DataFolder data(fixture().dir.path());
    bench::QuietPrompts prompts;
    CustomerFile customers(data, prompts);
    for (auto _ : state) {
        state.PauseTiming();
        fixture().restore();
        customers.Open();
        state.ResumeTiming();
        benchmark::DoNotOptimize(customers.DeleteCustomer(1));
    }
    fixture().restore();
}
BENCHMARK(BM_DeleteRecordOne)->Unit(benchmark::kMillisecond);

// The delete's floor: read the file, drop record 1, write and sync a new file, rename
// it over the old.
void BM_DeleteFloor(benchmark::State &state)
{
    DataFolder data(fixture().dir.path());
    for (auto _ : state) {
        state.PauseTiming();
        fixture().restore();
        state.ResumeTiming();
        QFile file(data.path(customers::CustomerDataFile));
        file.open(QIODevice::ReadOnly);
        QByteArray bytes = file.readAll();
        file.close();
        bytes.remove(0, CustomerRecord::Length);
        QSaveFile temporary(data.path(customers::DeleteTemporaryFile));
        temporary.open(QIODevice::WriteOnly);
        temporary.write(bytes);
        temporary.commit();
        QFile::rename(data.path(customers::DeleteTemporaryFile),
                      data.path(customers::CustomerDataFile));
    }
    fixture().restore();
}
BENCHMARK(BM_DeleteFloor)->Unit(benchmark::kMillisecond);

// The list work of a delete and of a save: the lists kept in step in place.
void BM_ListsAfterDeletingRecordOne(benchmark::State &state)
{
    customers::AccountLists lists;
    for (auto _ : state) {
        state.PauseTiming();
        lists.build(fixture().bytes, customers::MaxCustomers);
        state.ResumeTiming();
        benchmark::DoNotOptimize(lists.recordRemoved(1));
    }
}
// A rebuild before each run takes far longer than the run: a fixed number of runs.
BENCHMARK(BM_ListsAfterDeletingRecordOne)->Unit(benchmark::kMillisecond)->Iterations(40);

void BM_ListsAfterSavingRecordOne(benchmark::State &state)
{
    customers::AccountLists lists;
    const QByteArray record = fixture().bytes.right(CustomerRecord::Length);
    for (auto _ : state) {
        state.PauseTiming();
        lists.build(fixture().bytes, customers::MaxCustomers);
        state.ResumeTiming();
        benchmark::DoNotOptimize(lists.recordWritten(1, record));
    }
}
BENCHMARK(BM_ListsAfterSavingRecordOne)->Unit(benchmark::kMillisecond)->Iterations(40);

// The lists built as strings, as they were before they were built from bytes.
void BM_ListsBuiltFromText(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(
            customers::BuildListsFromText(fixture().bytes, customers::MaxCustomers));
}
BENCHMARK(BM_ListsBuiltFromText)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
