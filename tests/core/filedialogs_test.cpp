// The open and create dialogs of a bookingfile: they list bookingfiles and start in the folder
// of the bookingfile in use.
#include "fixtures/sandbox.h"

#include "core/bookingfilechoice.h"
#include "core/generalen.h"
#include "platform/controls/filepicker.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(BookingfileDialogs, ListBookingfilesAndStartBesideTheOneInUse)
{
    Sandbox sandbox;
    ASSERT_TRUE(QDir(sandbox.folder()).mkdir("books"));
    Generalen::gDatabasePath = sandbox.file("books/winter.mdb");
    FilePicker picker;
    QStringList seen;
    FilePicker::setScript([&](bool save, const QString &) {
        seen.append(QString("%1 %2 %3").arg(save).arg(picker.StartFolder(),
                                                      FilePicker::qtFilter(picker.Pattern())));
        return QString();   // cancelled
    });
    EXPECT_FALSE(BookingfileChoice::OpenExisting(picker));
    EXPECT_FALSE(BookingfileChoice::CreateNew(picker));
    FilePicker::setScript(nullptr);
    const QString folder = sandbox.file("books");
    EXPECT_EQ(seen, (QStringList{"0 " + folder + " Bookingfiles (*.mdb);;All files (*)",
                                 "1 " + folder + " Bookingfiles (*.mdb);;All files (*)"}));
    Generalen::resetState();
}
