#include "core/fileschemas.h"
#include "core/introstart.h"
#include "core/productpicture.h"
#include "platform/application.h"

#include <QIcon>

int main(int argc, char **argv)
{
    Application app(argc, argv);
    QApplication::setApplicationName("Vantix");
    QApplication::setWindowIcon(QIcon(ProductIcon(64)));
    // No file is opened whose tables, views or triggers are not the program's own.
    FileSchemas::Install();
    // The program ends when its last window closes or a command ends it.
    Forms::get<introstart>()->Show();
    return QApplication::exec();
}
