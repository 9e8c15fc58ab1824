#pragma once

#include "core/datafolder.h"
#include "core/prompts.h"
#include "printing/page.h"
#include "ui/navigator.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace benchmark {
class State;
}
class Catalog;

// What the benchmarks share: a data folder they fill, quiet stand-ins for the operator
// and the program, a PDF "printer", and the run of the benchmarks themselves.
namespace bench {

// Shows nothing and gives the same answer to every question.
class QuietPrompts final : public Prompts
{
public:
    explicit QuietPrompts(bool answer = true) : m_answer(answer) {}
    void tell(const QString &, const QString &) override {}
    bool ask(const QString &, const QString &) override { return m_answer; }
    bool askOkCancel(const QString &, const QString &) override { return m_answer; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    void beep() override {}

private:
    bool m_answer;
};

// Every screen exists and showing one changes nothing.
class StayingNavigator final : public Navigator
{
public:
    explicit StayingNavigator(int incomplete = 0) : m_incomplete(incomplete) {}
    bool show(Target, Screen *) override { return true; }
    bool hasScreen(Target) const override { return true; }
    void ExitApplication() override {}
    void OpenWebPage(const QString &) override {}
    bool SettingsFilesPresent() const override { return true; }
    int IncompleteCount() const override { return m_incomplete; }

private:
    int m_incomplete;
};

// Every job prints to one PDF file.
class PdfPages final : public PageSource
{
public:
    explicit PdfPages(QString path) : m_path(std::move(path)) {}
    Opened choosePrinter() override;

private:
    QString m_path;
};

// A temporary data folder with its "/Backup" folder.
class DataFixture
{
public:
    DataFixture();
    QString path() const { return m_dir.path(); }
    DataFolder &data() { return *m_data; }
    void makeFolder(const QString &relative) const;
    // `relative` with "%1" standing for first, first + 1, ... first + count - 1.
    void writeNumbered(const QString &relative, int first, int count,
                       const QByteArray &bytes = {}) const;
    void write(const QString &relative, const QByteArray &bytes = {}) const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<DataFolder> m_data;
};

// Full catalog files (255 records of each kind, arriving unsorted) and three labor rows,
// saved and loaded.
void fillCatalog(Catalog &catalog);
// Changes one field of the first row of each catalog file and saves: all three files are
// written and read again.
void changeFirstRowsAndSave(Catalog &catalog, qint16 step);

// Times `work` with `floor` run just before it in every iteration, untimed, so both
// meet the machine as it is at that moment; reports the floor ("floor_ms") and how
// many floors the work takes ("times_floor").
void timeAgainstFloor(benchmark::State &state, const std::function<void()> &floor,
                      const std::function<void()> &work);

// The offscreen platform unless another is asked for: nothing is shown.
void useOffscreenUnlessSet();
// Runs the benchmarks named on the command line, en_US as the tests pin it.
int run(int argc, char **argv);

} // namespace bench

// The main function of a benchmark that needs an application object of type App
// (QCoreApplication, QGuiApplication for printing, QApplication for screens).
#define PELMOR_BENCHMARK_MAIN(App)                                                        \
    int main(int argc, char **argv)                                                        \
    {                                                                                      \
        bench::useOffscreenUnlessSet();                                                    \
        App app(argc, argv);                                                               \
        return bench::run(argc, argv);                                                     \
    }
