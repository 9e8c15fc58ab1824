#include "core/gridsort.h"

#include <QTest>

class tst_GridSort final : public QObject
{
    Q_OBJECT

private slots:
    void orders_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<int>("order");
        QTest::addColumn<QStringList>("expected");
        const QStringList dates{QStringLiteral("2024165"), QStringLiteral("2023465"),
                                QStringLiteral("2024101")};
        QTest::newRow("date keys ascending")
            << dates << int(Qt::AscendingOrder)
            << QStringList{QStringLiteral("2023465"), QStringLiteral("2024101"),
                           QStringLiteral("2024165")};
        QTest::newRow("date keys descending")
            << dates << int(Qt::DescendingOrder)
            << QStringList{QStringLiteral("2024165"), QStringLiteral("2024101"),
                           QStringLiteral("2023465")};
        // Text after numbers ascending, so before them descending.
        QTest::newRow("mixed descending")
            << QStringList{QStringLiteral("9"), QStringLiteral("b"), QStringLiteral("10"),
                           QStringLiteral("A")}
            << int(Qt::DescendingOrder)
            << QStringList{QStringLiteral("b"), QStringLiteral("A"), QStringLiteral("10"),
                           QStringLiteral("9")};
    }

    void orders()
    {
        QFETCH(QStringList, keys);
        QFETCH(int, order);
        QFETCH(QStringList, expected);
        QCOMPARE(gridsort::reordered(keys, gridsort::genericOrder(keys, Qt::SortOrder(order))),
                 expected);
    }

    void descendingKeepsEqualKeysInPlace()
    {
        // Rows tagged by position: equal names keep their order in both directions.
        const QStringList keys{QStringLiteral("smith"), QStringLiteral("Jones"),
                               QStringLiteral("SMITH")};
        QCOMPARE(gridsort::genericOrder(keys, Qt::DescendingOrder), (QList<int>{0, 2, 1}));
    }
};

QTEST_GUILESS_MAIN(tst_GridSort)
#include "tst_gridsort.moc"
