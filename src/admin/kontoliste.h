#pragma once

#include "platform/controls/form.h"

class ListGrid;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The administrators' account manager: the accounts of one type ("p" personal, "g" group) and
// one status (active or archived), with Edit, Add, Del and the clean-up of archived accounts.
class Kontoliste final : public Form
{
    Q_OBJECT
public:
    Kontoliste();

    void Form_Load() override;
    // The bookingfile the list was loaded from.
    QString DatabaseName() const { return m_databaseName; }
    // Empties the list and fills it again.
    void Reload();

    void OptPri_Click();
    void OptGrp_Click();
    void OptAct_Click();
    void OptArc_Click();
    void EditAcc_Click();
    void AddAcc_Click();
    void Slet_Click();
    void Cleanup_Click();
    void Luk_Click();

    void SetupAccountColumns();
    // Fills an empty list with at most 2000 accounts of the chosen type and status.
    void FillAccountList();
    void OpenSelectedAccount();
    void DeleteSelectedAccount();

    ListGrid *acclist = nullptr;
    QGroupBox *Frame1 = nullptr;
    QRadioButton *OptPri = nullptr;
    QRadioButton *OptGrp = nullptr;
    QGroupBox *Frame2 = nullptr;
    QRadioButton *OptAct = nullptr;
    QRadioButton *OptArc = nullptr;
    QLineEdit *AccType = nullptr;   // the type filter, "p" or "g"
    bool isarc = false;             // the status filter
    QPushButton *EditAcc = nullptr;
    QPushButton *AddAcc = nullptr;
    QPushButton *Slet = nullptr;
    QPushButton *Cleanup = nullptr;
    QPushButton *Luk = nullptr;

private:
    // The selected row's account; 0 (after saying so) when none is selected.
    int32_t selectedAccount();
    QString m_databaseName;
};
