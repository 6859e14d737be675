#include "core/bookingfilechoice.h"

#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "core/start.h"
#include "platform/controls/filepicker.h"
#include "platform/controls/msgbox.h"
#include "platform/db/dberror.h"
#include "platform/system.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace BookingfileChoice {

using namespace Generalen;

namespace {

// Stores the chosen path; false after a message when paths.mdb cannot be written.
bool storeChoice(const QString &path)
{
    try {
        start::StoreBookingfilePath(path);
        return true;
    } catch (const Dao::DbError &e) {
        MsgBox::show("The choice of bookingfile could not be stored in paths.mdb: "
                         + e.description(),
                     MsgBox::OkOnly, "File Error");
        return false;
    }
}

void cannotWrite(const QString &target)
{
    MsgBox::show("The new bookingfile " + QDir::toNativeSeparators(target)
                     + " could not be written.",
                 MsgBox::OkOnly, "File Error");
}

// The open and create dialogs list bookingfiles (every file stays one choice away) and start in
// the folder of the bookingfile in use.
void prepareDialog(FilePicker &picker)
{
    picker.setPattern(QStringLiteral("Bookingfiles|*.mdb|All files|*.*"));
    if (!gDatabasePath.isEmpty())
        picker.setInitialFolder(QFileInfo(gDatabasePath).absolutePath());
}

} // namespace

bool AcceptOpenedFile(const FilePicker &picker)
{
    const QString path = picker.FullPath();
    QString why;   // a file in use or damaged is refused with its own reason
    if (picker.Extension() != QLatin1String("mdb")
        || !Extrafunktioner::IsValidDatabase(path, &why)) {
        MsgBox::show(why.isEmpty()
                         ? QDir::toNativeSeparators(path) + " is not a valid Vantix Bookingfile!"
                         : why,
                     MsgBox::OkOnly, "File Error");
        return false;
    }
    if (!storeChoice(path))
        return false;
    gDatabasePath = path;
    return true;
}

bool CreateFromTemplate(const FilePicker &picker)
{
    if (picker.FileTitle().isEmpty()) {
        MsgBox::show("Filename Empty", MsgBox::OkOnly, "Illegal filename");
        return false;
    }
    const QString target = picker.Folder() + picker.BaseName() + ".mdb";
    const QString source = QDir(System::programFolder()).filePath("Emptydatabase.mdb");
    // A damaged template would only make a damaged bookingfile.
    QString why;
    if (!Extrafunktioner::IsValidDatabase(source, &why) && !why.isEmpty()) {
        MsgBox::show(why, MsgBox::OkOnly, "File Error");
        return false;
    }
    if (QFile::exists(target)) {
        // A new bookingfile never silently takes the place of one that holds bookings.
        const QString shown = QDir::toNativeSeparators(target);
        // Only the file start-up accepted is in use; a refused one may be replaced.
        const QString inUse = start::AcceptedBookingfile();
        if (!inUse.isEmpty()
            && QFileInfo(target).canonicalFilePath() == QFileInfo(inUse).canonicalFilePath()) {
            MsgBox::show(shown + " is the bookingfile in use. Choose another name for the new "
                                 "bookingfile.",
                         MsgBox::OkOnly | MsgBox::Exclamation, "Illegal filename");
            return false;
        }
        if (MsgBox::show(shown + " already exists. Replace it with a new, empty bookingfile? "
                                 "Everything it holds will be lost.",
                         MsgBox::YesNo | MsgBox::Exclamation | MsgBox::DefaultButton2,
                         "Create new bookingfile")
            != MsgBox::Yes)
            return false;
    }
    // Copied beside the target first, so a failed copy never leaves half a file behind.
    const QString tmp = target + ".tmp";
    QFile::remove(tmp);
    if (!QFile::copy(source, tmp)) {
        cannotWrite(target);
        return false;
    }
    QFile::setPermissions(tmp, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                   | QFile::ReadOther);
    // The user has agreed to replace an existing file of that name.
    if (QFile::exists(target) && !QFile::remove(target)) {
        QFile::remove(tmp);
        cannotWrite(target);
        return false;
    }
    if (!QFile::rename(tmp, target)) {
        QFile::remove(tmp);
        cannotWrite(target);
        return false;
    }
    if (!storeChoice(target))
        return false;
    gDatabasePath = target;
    return true;
}

bool OpenExisting(FilePicker &picker)
{
    prepareDialog(picker);
    if (!picker.ShowOpen())
        return false;
    return AcceptOpenedFile(picker);
}

bool CreateNew(FilePicker &picker)
{
    prepareDialog(picker);
    if (!picker.ShowSave())
        return false;
    // Start-up runs again only on a new file: after a create that copied nothing it would
    // only refuse the old one again.
    return CreateFromTemplate(picker);
}

} // namespace BookingfileChoice
