#pragma once

#include "customers/proposals.h"
#include "ui/navigator.h"
#include "ui/screen.h"

#include <array>
#include <functional>
#include <optional>

class DataFolder;
class Prompts;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableView;
struct ApplicationState;

// The choice of the customer for a new invoice: from the customer list, or the
// customer named in a proposal of the proposal program. A proposal's customer goes
// to the invoice as the proposal names it; the customer file is not touched.
class frmCustomerSelection final : public Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmCustomerSelection)
public:
    static constexpr int StartupCount = 2;
    static constexpr int CreationCount = 3;
    static constexpr int InfoCount = 8; // lblCustomerInfo(1..8)

    frmCustomerSelection(const DataFolder &data, ApplicationState &state, Prompts &prompts,
                         Navigator &navigator, QWidget *parent = nullptr);
    ~frmCustomerSelection() override;

    // Hands the chosen customer to the invoice and shows the invoice screen.
    void setStartInvoice(std::function<void(const SoldTo &)> start)
    {
        m_startInvoice = std::move(start);
    }

    void Form_Activate() override;

    void cmdStartup_Click(int index);
    void cmdCreation_Click(int index);
    void cmdCancelselectProposal_Click();
    void fgProposals_Click(int row);

private:
    void buildControls();
    void LoadProposals();
    void showStartingState();
    void clearCustomer();

    const DataFolder &m_data;
    ApplicationState &m_state;
    Prompts &m_prompts;
    Navigator &m_navigator;
    std::function<void(const SoldTo &)> m_startInvoice;
    ProposalListModel *m_proposals = nullptr;
    std::optional<SoldTo> m_chosen;

    std::array<QPushButton *, StartupCount> cmdStartup{};
    std::array<QPushButton *, CreationCount> cmdCreation{};
    std::array<QGroupBox *, 2> fraInstructions{};
    QLabel *lblBasicInst = nullptr;
    QLabel *lblCreateInst = nullptr;
    QGroupBox *fraProposals = nullptr;
    QTableView *fgProposals = nullptr;
    QLabel *lblProposalHint = nullptr;
    QPushButton *cmdCancelselectProposal = nullptr;
    QGroupBox *fraProjectInfo = nullptr;
    QLabel *lblAccount = nullptr;
    // Index 1 to 8 as the screen names them; index 0 is not used.
    std::array<QLabel *, InfoCount + 1> lblCustomerInfo{};
};
