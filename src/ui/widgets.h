#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

// Small builders every screen shares, so a rule about a kind of widget lives once.
namespace ui {

// A caption. With a buddy, its mnemonic moves the cursor to the buddy, and a screen
// reader names the buddy by the caption.
QLabel *label(const QString &text, QWidget *buddy = nullptr, QWidget *parent = nullptr);

// A caption as a screen reader or a message names it: the mnemonic marks removed.
QString withoutMnemonic(QString caption);

// An editable combo box takes what is typed as it is: nothing typed is added to its
// list and no completer rewrites it.
void keepTypedText(QComboBox *combo);
QComboBox *editableCombo(const QString &objectName, const QStringList &items = {},
                         QWidget *parent = nullptr);

// Button `index` of a control array: named "name_index", and a click calls
// `clicked(index)`, as the array's one handler takes it.
QPushButton *arrayButton(const QString &name, int index, const QString &caption,
                         const QString &toolTip, const std::function<void(int)> &clicked,
                         QWidget *parent);

// Tab moves through `chain` in its order (a grid's boxes are created column by column,
// but the operator reads them row by row).
void tabOrder(const QList<QWidget *> &chain);

} // namespace ui
