#include "core/datafolder.h"
#include "customerbytes.h"
#include "customers/customerlistmodels.h"
#include "scriptedprompts.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestCustomerListModels : public QObject
{
    Q_OBJECT

private slots:
    void accountListFollowsTheFile()
    {
        QTemporaryDir dir;
        fixture::writeFile(dir.path() + "/CustomerData.txt",
                           fixture::bytes(fixture::business("Z", "zeta Co")) +
                               fixture::bytes(fixture::person("A", "Amy", "adams")));
        DataFolder data(dir.path());
        ScriptedPrompts prompts;
        CustomerFile customers(data, prompts);
        AccountListModel model(customers);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy aboutToReset(&model, &QAbstractItemModel::modelAboutToBeReset);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

        QCOMPARE(model.rowCount(), 0);
        QVERIFY(customers.Open());
        QCOMPARE(aboutToReset.count(), 1);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.index(0).data().toString(), QString("adams, Amy"));
        QCOMPARE(model.index(0).data(AccountListModel::RecordRole).toInt(), 2);
        QCOMPARE(model.index(1).data().toString(), QString("zeta Co"));
        QCOMPARE(model.index(1).data(AccountListModel::RecordRole).toInt(), 1);

        QVERIFY(!customers.DeleteCustomer(2));
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.index(0).data(AccountListModel::RecordRole).toInt(), 1);
    }

    void rowsModel()
    {
        CustomerRowsModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setRows({{"Ms Ann B. Lee", "217-555-0100", 1}, {"Acme Ltd", "303-555-0199", 3}});
        model.setHeaders({"Name", "Telephone", "No"});
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.index(1, 0).data().toString(), QString("Acme Ltd"));
        QCOMPARE(model.index(1, 1).data().toString(), QString("303-555-0199"));
        QCOMPARE(model.index(1, 2).data().toString(), QString("3"));
        QCOMPARE(model.index(1, 1).data(CustomerRowsModel::RecordRole).toInt(), 3);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("Telephone"));
        model.setRows({});
        QCOMPARE(model.rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestCustomerListModels)
#include "tst_customerlistmodels.moc"
