#include "core/bookingfilechoice.h"

#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "core/introconnect.h"
#include "core/start.h"
#include "platform/controls/form.h"
#include "platform/controls/msgbox.h"
#include "platform/system.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace BookingfileChoice {

using namespace Generalen;

namespace {
// Shows the open or create dialog; false when cancelled.
bool askFile(bool save, const QString &title, ChosenFile *chosen)
{
    const QString path = save ? QFileDialog::getSaveFileName(nullptr, title, QString(), "*.*")
                              : QFileDialog::getOpenFileName(nullptr, title, QString(), "*.*");
    if (path.isEmpty())
        return false;
    *chosen = Parts(path);
    return true;
}
} // namespace

ChosenFile Parts(const QString &fullPath)
{
    const QFileInfo info(fullPath);
    ChosenFile f;
    f.fullPath = fullPath;
    f.fileTitle = fullPath.endsWith('/') ? QString() : info.fileName();
    const int dot = f.fileTitle.lastIndexOf('.');
    f.extension = dot < 0 ? QString() : f.fileTitle.mid(dot + 1);
    f.baseName = dot < 0 ? f.fileTitle : f.fileTitle.left(dot);
    return f;
}

bool AcceptOpenedFile(const ChosenFile &file)
{
    if (file.extension != QLatin1String("mdb") || !Extrafunktioner::IsValidDatabase(file.fullPath)) {
        MsgBox::show(file.fullPath + " is not a valid Vantix Bookingfile!", MsgBox::OkOnly,
                     "File Error");
        return false;
    }
    gDatabasePath = file.fullPath;
    start::StoreBookingfilePath(gDatabasePath);
    return true;
}

bool CreateFromTemplate(const ChosenFile &file)
{
    if (file.fileTitle.isEmpty()) {
        MsgBox::show("Filename Empty", MsgBox::OkOnly, "Illegal filename");
        return false;
    }
    const QString folder = file.fullPath.left(file.fullPath.size() - file.fileTitle.size());
    const QString target = folder + file.baseName + ".mdb";
    const QString source = QDir(System::programFolder()).filePath("Emptydatabase.mdb");
    // Copy beside the target first, so a failed copy never leaves a half file or loses the old.
    const QString tmp = target + ".tmp";
    QFile::remove(tmp);
    if (!QFile::copy(source, tmp)) {
        MsgBox::show("The new bookingfile " + target + " could not be written.", MsgBox::OkOnly,
                     "File Error");
        return false;
    }
    QFile::setPermissions(tmp, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                   | QFile::ReadOther);
    QFile::remove(target);
    if (!QFile::rename(tmp, target)) {
        QFile::remove(tmp);
        MsgBox::show("The new bookingfile " + target + " could not be written.", MsgBox::OkOnly,
                     "File Error");
        return false;
    }
    gDatabasePath = target;
    start::StoreBookingfilePath(gDatabasePath);
    return true;
}

void OpenExistingFile()
{
    ChosenFile file;
    if (!askFile(false, "Vantix - Open existing bookingfile", &file))
        return;
    if (!AcceptOpenedFile(file))
        return;
    Forms::get<IntroConnect>()->Hide();
    start::StartUp();
}

void CreateNewFile()
{
    ChosenFile file;
    if (!askFile(true, "Vantix - Create new bookingfile", &file))
        return;
    CreateFromTemplate(file);
    Forms::get<IntroConnect>()->Hide();
    start::StartUp();
}

} // namespace BookingfileChoice
