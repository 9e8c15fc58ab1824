#pragma once

#include "catalog/catalog.h"
#include "ui/navigator.h"
#include "ui/screen.h"

#include <QString>

class Prompts;
class QCheckBox;
class QComboBox;
class LeaveWatcher;
class QFocusEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTableWidget;

// The catalog screen: services, sales items, custom items and labor rates, each
// edited in its grid and written to its file when the operator leaves.
class frmServices final : public Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmServices)
public:
    static constexpr int ButtonCount = 26;
    static constexpr int KindCount = 3;

    // Loads the catalog (labor rates, then the three files) as the screen's load.
    frmServices(Catalog &catalog, Prompts &prompts, Navigator &navigator,
                QWidget *parent = nullptr);
    ~frmServices() override;

    void Form_Activate() override;

    void EnableEntry(int kind);
    void DisableEntry(int kind);
    void setEntryEnabled(int kind, bool enabled);
    void ClearEntry(int kind);

    void cmdServices_Click(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    struct Edit
    {
        // False while a new entry is being added, true while a row is changed.
        bool modifying = false;
        // The row being changed and what it held, to find it again should the grid
        // be reloaded meanwhile.
        int row = -1;
        QStringList cells;
        // Rows above it with the same cells.
        int occurrence = 0;
    };

    void buildControls();
    QWidget *buildServicesTab();
    QWidget *buildItemsTab();
    QWidget *buildLaborTab();
    QWidget *buildCustomTab();
    QWidget *buildInstructionsTab();
    QPushButton *makeButton(int index, const QString &caption, const QString &toolTip);
    QLineEdit *makeBox(const QString &name, const QString &toolTip, int maxLength = 0);
    QTableWidget *makeGrid(const QString &name, const QString &format, const QString &accessible);

    QTableWidget *grid(int kind) const;
    int selectedRow(int kind) const;
    bool editing(int kind) const;
    void refreshGrid(CatalogKind kind);
    void followEditedRow(CatalogKind kind);
    void refreshCategories();
    void refreshLabor();
    void rowSelected(int kind);
    void tabServices_Click(int index);
    void enterTab(int index);

    void addNew(int kind);
    void modifyItem(int kind);
    void saveService();
    void saveSalesItem();
    void saveCustomItem();
    void cancelEdit(int kind);
    void deleteItem(int kind);
    void finishSave(int kind);
    bool leaveAfterSave();
    bool saveCatalog();

    // Beeps and puts the cursor in the box; false, so a check can return it.
    bool refuse(QLineEdit *box, const QString &message = {});
    // False, after refusing the box, when it is empty.
    bool filled(QLineEdit *box, bool ignoreBlanks = false);
    // The box's amount; nullopt, after refusing the box with the field's message, when
    // it holds none.
    std::optional<Money> amountOf(QLineEdit *box, const QString &field);
    void watchBox(QLineEdit *box);
    void keyDown(QLineEdit *box, QKeyEvent *event);
    void lostFocus(QLineEdit *box);

    Catalog &m_catalog;
    Prompts &m_prompts;
    Navigator &m_navigator;
    Edit m_edit[KindCount];
    bool m_closing = false;
    LeaveWatcher *m_leave = nullptr;

    QPushButton *cmdServices[ButtonCount] = {};
    QTabWidget *tabServices = nullptr;
    QLabel *Image1 = nullptr;
    QTableWidget *fgServices = nullptr;
    QTableWidget *fgItems = nullptr;
    QTableWidget *fgCustom = nullptr;
    QLineEdit *txtDescription[3] = {};
    QLineEdit *txtCharge[5] = {};
    QListWidget *lstTime = nullptr;
    QComboBox *cboCategory = nullptr;
    QCheckBox *ckClearItem = nullptr;
    QLineEdit *txtCost = nullptr;
    QLineEdit *txtOnHand = nullptr;
    QLineEdit *txtDiscountQty = nullptr;
    QLineEdit *txtReorderAmount = nullptr;
    QLineEdit *txtReorderAt = nullptr;
    QLineEdit *txtCustomDiscItems = nullptr;
    QLineEdit *txtLabor[Catalog::LaborRows] = {};
    QLineEdit *txtLaborRate[Catalog::LaborRows] = {};
};
