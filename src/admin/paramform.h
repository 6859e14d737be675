#pragma once

#include "platform/controls/datacontrol.h"
#include "platform/controls/filepicker.h"
#include "platform/controls/form.h"

class DBList;
class ParamDialog;
class PictureBox;
class QLineEdit;
class QPushButton;
class TabDialog;

// The parameters: the institution's data and logo (saved as the form closes) and the lists of
// floor plans, departments and homebases, each with Add, Edit and Delete.
class Paramform final : public Form
{
    Q_OBJECT
public:
    Paramform();

    void Form_Load() override;
    void Form_Unload(bool &cancel) override;

    void changelogo_Click();
    void AddFp_Click();
    void Editfp_Click();
    void Kommandoknap63_Click();
    void AddDep_Click();
    void edit_Click();
    void delete_Click();
    void addhb_Click();
    void EditHB_Click();
    void Slethomebse_Click();
    void Luk_Click();
    void Luk2_Click();
    void Luk3_Click();
    void Lukknap1_Click();

    DataControl Data1;   // the settings row
    DataControl Data2;   // floor plans
    DataControl Data3;   // departments
    DataControl Data4;   // homebases
    TabDialog *SSTab1 = nullptr;
    FilePicker CmdLoad;

    QLineEdit *Instutionsnavn = nullptr;
    QLineEdit *Instutionsadresse = nullptr;
    QLineEdit *Instutionspostnr = nullptr;
    QLineEdit *Tekst61 = nullptr;
    QLineEdit *Instutionstlf = nullptr;
    QLineEdit *Instutionsfax = nullptr;
    QLineEdit *Institutionsemail = nullptr;
    QLineEdit *Institutionswww = nullptr;
    QLineEdit *Senr = nullptr;
    QLineEdit *banknr = nullptr;
    QLineEdit *gironr = nullptr;
    PictureBox *Logo = nullptr;
    QPushButton *changelogo = nullptr;
    QPushButton *Luk3 = nullptr;

    DBList *FPlan = nullptr;
    QPushButton *AddFp = nullptr;
    QPushButton *Editfp = nullptr;
    QPushButton *Kommandoknap63 = nullptr;
    QPushButton *Lukknap1 = nullptr;

    DBList *dep = nullptr;
    QPushButton *AddDep = nullptr;
    QPushButton *Edit = nullptr;
    QPushButton *Delete = nullptr;
    QPushButton *Luk = nullptr;

    DBList *homeb = nullptr;
    QPushButton *addhb = nullptr;
    QPushButton *EditHB = nullptr;
    QPushButton *Slethomebse = nullptr;
    QPushButton *Luk2 = nullptr;

private:
    void buildCompanyTab();
    DBList *buildListTab(const QString &caption, DataControl &rows, const QString &shown,
                         const QString &key, QPushButton *buttons[4],
                         const QString names[4]);
    void addRow(ParamDialog *dialog);
    void editRow(ParamDialog *(*dialogOf)(), DBList *list, const QString &criteria,
                 const QString &refusal);
    // Deletes the chosen row with the statement the builder sets; with none chosen it says so.
    void deleteRow(DBList *list, bool (*builder)(const QString &), DataControl &rows,
                   const QString &refusal);
    void showError(const QString &text) const;
};
