#pragma once

class FilePicker;

// Opening and creating a bookingfile, the steps that the connect form and the planners' menus
// share. Each stores the choice in gDatabasePath and in paths.mdb; the caller then runs the
// start-up again in its own way.
namespace BookingfileChoice {

// Shows the picker's open dialog. A confirmed file is accepted when its extension is "mdb" and
// it opens as a database; otherwise "File Error" is shown. True when a file was accepted.
bool OpenExisting(FilePicker &picker);

// Shows the picker's create dialog and makes the new bookingfile, a copy of Emptydatabase.mdb
// named after the chosen name with ".mdb". True only when the new file was made and chosen;
// a cancelled dialog, an empty name or a failed copy (after a message) answer false and leave
// the file chosen before as it was.
bool CreateNew(FilePicker &picker);

// The steps after a confirmed dialog, on the picker's chosen file.
bool AcceptOpenedFile(const FilePicker &picker);
bool CreateFromTemplate(const FilePicker &picker);

} // namespace BookingfileChoice
