#include "ui/widgets.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace ui {

QLabel *label(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *caption = new QLabel(text, parent);
    if (buddy) {
        caption->setBuddy(buddy);
        buddy->setAccessibleName(withoutMnemonic(text));
    }
    return caption;
}

QString withoutMnemonic(QString caption)
{
    return caption.remove(QLatin1Char('&'));
}

void keepTypedText(QComboBox *combo)
{
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
}

QComboBox *editableCombo(const QString &objectName, const QStringList &items, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(objectName);
    keepTypedText(combo);
    combo->addItems(items);
    return combo;
}

QPushButton *arrayButton(const QString &name, int index, const QString &caption,
                         const QString &toolTip, const std::function<void(int)> &clicked,
                         QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name + u'_' + QString::number(index));
    if (!toolTip.isEmpty())
        button->setToolTip(toolTip);
    QObject::connect(button, &QPushButton::clicked, button, [clicked, index] { clicked(index); });
    return button;
}

void tabOrder(const QList<QWidget *> &chain)
{
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i - 1), chain.at(i));
}

} // namespace ui
