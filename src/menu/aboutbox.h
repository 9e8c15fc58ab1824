#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The Help menu's About box: the program's icon, name and version, and the data folder in
// use, so that the operator can find the files (an installed copy keeps them per user).
class AboutBox final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AboutBox)
public:
    AboutBox(const QString &dataFolder, QWidget *parent = nullptr);
    ~AboutBox() override;

private:
    QLabel *imgIcon = nullptr;
    QLabel *lblName = nullptr;
    QLabel *lblVersion = nullptr;
    QLineEdit *txtDataFolder = nullptr;
    QPushButton *cmdOK = nullptr;
};
