#pragma once

#include "platform/controls/datacontrol.h"
#include "platform/controls/form.h"

#include <cstdint>

class DBList;
class QLineEdit;
class QPushButton;

// The group account manager: the groups (projects), their members and the personal accounts
// that can be made members. Any user creates groups; only a group's owner edits it, changes its
// members or deletes it.
class Gruppetilk final : public Form
{
    Q_OBJECT
public:
    Gruppetilk();

    void Form_Load() override;
    void Form_Unload(bool &cancel) override;

    // The member statements: of the selected group, and of account 1.
    QString crit() const;
    static QString crit1();

    bool IsGroupSelected() const;
    bool IsMemberSelected() const;
    bool IsPersonSelected() const;
    // Follows the group picked in the list and shows its members.
    void ShowSelectedGroup();
    // After a group was saved: the group list again, on that group (0: on the one selected).
    void GroupSaved(int32_t id);

    void Gruppe_Click();
    void tilføjmedlem_Click();
    void Sletmedlem_Click();
    void NyGruppe_Click();
    void editgroup_Click();
    void Slet_Gruppe_Click();
    void Luk_Click();

    DataControl Data1;      // KontiG: the groups
    DataControl datapers;   // KontiP: the personal accounts
    DataControl Data3;      // the members of the selected group
    DBList *Gruppe = nullptr;
    DBList *personer = nullptr;
    DBList *medlemmer = nullptr;
    QLineEdit *Owname = nullptr;
    QLineEdit *owner = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *tilføjmedlem = nullptr;
    QPushButton *Sletmedlem = nullptr;
    QPushButton *NyGruppe = nullptr;
    QPushButton *editgroup = nullptr;
    QPushButton *Slet_Gruppe = nullptr;
    QPushButton *Luk = nullptr;

private:
    int32_t selectedGroup() const;
    // The owner test on the stored group: a beep and the message when the user is not its
    // owner (a group without an owner has none).
    bool ownerOrRefuse(const QString &message) const;
    void showError(const QString &text) const;
};
