#include "records/daterange.h"

#include <QTest>

using records::DateRange;
using records::Picker;
using records::Preset;

Q_DECLARE_METATYPE(records::Preset)

class tst_DateRange final : public QObject
{
    Q_OBJECT

private slots:
    void presetsOnMonthEnds_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<Preset>("preset");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        const auto row = [](const char *name, QDate today, Preset preset, QDate start, QDate end) {
            QTest::newRow(name) << today << preset << start << end;
        };
        const QDate jan31(2024, 1, 31), feb29(2024, 2, 29), mar31(2024, 3, 31), dec31(2024, 12, 31);
        row("LM 31 Jan", jan31, Preset::LastMonth, QDate(2023, 12, 1), QDate(2023, 12, 31));
        row("LM 29 Feb", feb29, Preset::LastMonth, QDate(2024, 1, 1), QDate(2024, 1, 31));
        row("LM 31 Mar", mar31, Preset::LastMonth, QDate(2024, 2, 1), QDate(2024, 2, 29));
        row("LM 31 Dec", dec31, Preset::LastMonth, QDate(2024, 11, 1), QDate(2024, 11, 30));
        row("LM 15 Jan 2025", QDate(2025, 1, 15), Preset::LastMonth, QDate(2024, 12, 1),
            QDate(2024, 12, 31));
        row("LM 15 Mar 2024", QDate(2024, 3, 15), Preset::LastMonth, QDate(2024, 2, 1),
            QDate(2024, 2, 29));
        row("LM 1 Mar 2023", QDate(2023, 3, 1), Preset::LastMonth, QDate(2023, 2, 1),
            QDate(2023, 2, 28));
        row("MTD 31 Jan", jan31, Preset::MonthToDate, QDate(2024, 1, 1), jan31);
        row("MTD 29 Feb", feb29, Preset::MonthToDate, QDate(2024, 2, 1), feb29);
        row("MTD 31 Mar", mar31, Preset::MonthToDate, QDate(2024, 3, 1), mar31);
        row("MTD 31 Dec", dec31, Preset::MonthToDate, QDate(2024, 12, 1), dec31);
        row("YTD 31 Jan", jan31, Preset::YearToDate, QDate(2024, 1, 1), jan31);
        row("YTD 29 Feb", feb29, Preset::YearToDate, QDate(2024, 1, 1), feb29);
        row("YTD 31 Mar", mar31, Preset::YearToDate, QDate(2024, 1, 1), mar31);
        row("YTD 31 Dec", dec31, Preset::YearToDate, QDate(2024, 1, 1), dec31);
        row("Eternity 31 Jan", jan31, Preset::Eternity, QDate(2000, 1, 1), jan31);
        row("Eternity 29 Feb", feb29, Preset::Eternity, QDate(2000, 1, 1), feb29);
        row("Eternity 31 Mar", mar31, Preset::Eternity, QDate(2000, 1, 1), mar31);
        row("Eternity 31 Dec", dec31, Preset::Eternity, QDate(2000, 1, 1), dec31);
    }

    void presetsOnMonthEnds()
    {
        QFETCH(QDate, today);
        QFETCH(Preset, preset);
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QCOMPARE(records::presetRange(preset, today), (DateRange{start, end}));
    }

    void openingRanges()
    {
        const QDate today(2024, 3, 5);
        QCOMPARE(records::monthToDate(today), (DateRange{QDate(2024, 3, 1), today}));
        QCOMPARE(records::lastThirtyDays(today), (DateRange{QDate(2024, 2, 4), today}));
    }

    void pickerRules_data()
    {
        QTest::addColumn<int>("picker");
        QTest::addColumn<QDate>("picked");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<bool>("beep");
        QTest::addColumn<bool>("invalid");
        // Range before the edit: 1 to 10 March 2024; today 20 March 2024.
        QTest::newRow("start inside") << 0 << QDate(2024, 3, 5) << QDate(2024, 3, 5)
                                      << QDate(2024, 3, 10) << false << false;
        QTest::newRow("start on end") << 0 << QDate(2024, 3, 10) << QDate(2024, 3, 10)
                                      << QDate(2024, 3, 10) << false << false;
        QTest::newRow("start after end") << 0 << QDate(2024, 3, 15) << QDate(2024, 3, 15)
                                         << QDate(2024, 3, 15) << false << true;
        QTest::newRow("start today") << 0 << QDate(2024, 3, 20) << QDate(2024, 3, 20)
                                     << QDate(2024, 3, 20) << false << true;
        QTest::newRow("start tomorrow") << 0 << QDate(2024, 3, 21) << QDate(2024, 3, 20)
                                        << QDate(2024, 3, 10) << true << true;
        QTest::newRow("end today") << 1 << QDate(2024, 3, 20) << QDate(2024, 3, 1)
                                   << QDate(2024, 3, 20) << false << false;
        QTest::newRow("end tomorrow") << 1 << QDate(2024, 3, 21) << QDate(2024, 3, 1)
                                      << QDate(2024, 3, 20) << true << true;
        QTest::newRow("end before start") << 1 << QDate(2024, 2, 28) << QDate(2024, 3, 1)
                                          << QDate(2024, 3, 1) << false << true;
    }

    void pickerRules()
    {
        QFETCH(int, picker);
        QFETCH(QDate, picked);
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(bool, beep);
        QFETCH(bool, invalid);
        const records::PickerOutcome outcome =
            records::pickDate(Picker(picker), picked, {QDate(2024, 3, 1), QDate(2024, 3, 10)},
                              QDate(2024, 3, 20));
        QCOMPARE(outcome.range, (DateRange{start, end}));
        QCOMPARE(outcome.beep, beep);
        QCOMPARE(outcome.invalid, invalid);
    }

    void sortKeys_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("key");
        QTest::newRow("31 Dec 2023") << QDate(2023, 12, 31) << QStringLiteral("2023465");
        QTest::newRow("1 Jan 2024") << QDate(2024, 1, 1) << QStringLiteral("2024101");
        QTest::newRow("5 Mar 2024") << QDate(2024, 3, 5) << QStringLiteral("2024165");
        QTest::newRow("31 Dec 2024") << QDate(2024, 12, 31) << QStringLiteral("2024466");
        QTest::newRow("unreadable") << QDate() << QString();
    }

    void sortKeys()
    {
        QFETCH(QDate, date);
        QFETCH(QString, key);
        QCOMPARE(records::dateSortKey(date), key);
    }

    void rangeHoldsBothEnds_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<bool>("inside");
        QTest::newRow("day before") << QDate(2024, 2, 29) << false;
        QTest::newRow("start") << QDate(2024, 3, 1) << true;
        QTest::newRow("end") << QDate(2024, 3, 31) << true;
        QTest::newRow("day after") << QDate(2024, 4, 1) << false;
        QTest::newRow("unreadable") << QDate() << false;
    }

    void rangeHoldsBothEnds()
    {
        QFETCH(QDate, date);
        QFETCH(bool, inside);
        QCOMPARE((DateRange{QDate(2024, 3, 1), QDate(2024, 3, 31)}.contains(date)), inside);
    }
};

QTEST_GUILESS_MAIN(tst_DateRange)
#include "tst_daterange.moc"
