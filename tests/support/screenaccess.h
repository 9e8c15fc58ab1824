#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QStringList>
#include <QTest>
#include <QWidget>

// Finding a screen's widgets by object name and working them as the operator does.
namespace screen {

// The named child; a missing one fails the test run at once, since nothing after
// it could be checked.
template <typename T> T *child(const QObject *root, const QString &name)
{
    T *found = root->findChild<T *>(name);
    if (!found)
        qFatal("no child %s", qPrintable(name));
    return found;
}

// A mouse click as the operator makes it: only on a shown, enabled button, which
// takes the focus first.
inline void click(QAbstractButton *button)
{
    QVERIFY2(button->isVisible() && button->isEnabled(), qPrintable(button->objectName()));
    QTest::mouseClick(button, Qt::LeftButton);
}

inline void click(const QObject *root, const QString &name)
{
    click(child<QAbstractButton>(root, name));
}

// The texts of one column of a grid, top to bottom.
inline QStringList column(const QAbstractItemView *grid, int column)
{
    QStringList out;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        out.append(grid->model()->index(row, column).data().toString());
    return out;
}

} // namespace screen
