#pragma once

#include <QIcon>
#include <QString>

// The program's drawn pictures, named as the command table's rows and the buttons name them:
// "cut", "copy", "paste", "delete", "search", "mine", "today", "repeat", "print", "previous",
// "next". Any other name gives a blank picture.
namespace Pictures {

QIcon picture(const QString &name);

} // namespace Pictures
