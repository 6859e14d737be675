#pragma once

#include <QString>

// Opening and creating a bookingfile: from the connect form and from the planners' menus.
namespace BookingfileChoice {

// What a confirmed file dialog gave: the full path and its parts.
struct ChosenFile
{
    QString fullPath;
    QString extension;   // without the point
    QString fileTitle;   // the name as chosen, with any extension
    QString baseName;    // the name without extension
};
ChosenFile Parts(const QString &fullPath);

// Validates and stores an opened file; false (after the "File Error" message) when refused.
bool AcceptOpenedFile(const ChosenFile &file);
// Copies Emptydatabase.mdb to the chosen name (with ".mdb") and stores it; false after
// "Filename Empty" or a failed copy.
bool CreateFromTemplate(const ChosenFile &file);

// The connect form's commands: after a choice, hide the form and run the start-up.
void OpenExistingFile();
void CreateNewFile();

} // namespace BookingfileChoice
