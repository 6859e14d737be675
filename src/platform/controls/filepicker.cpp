#include "platform/controls/filepicker.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>
#include <QWidget>

namespace {
FilePicker::Script g_script;

// Everything after the last separator of a path.
QString lastPart(const QString &path)
{
    const int sep = path.lastIndexOf(QLatin1Char('/'));
    return sep < 0 ? path : path.mid(sep + 1);
}
} // namespace

FilePicker::FilePicker(QWidget *parent) : QObject(parent) {}

void FilePicker::setScript(Script script) { g_script = std::move(script); }

bool FilePicker::ShowOpen() { return show(false); }
bool FilePicker::ShowSave() { return show(true); }

bool FilePicker::ShowOpen(const QString &title, const QString &pattern)
{
    m_title = title;
    m_pattern = pattern;
    return show(false);
}

bool FilePicker::ShowSave(const QString &title, const QString &pattern)
{
    m_title = title;
    m_pattern = pattern;
    return show(true);
}

bool FilePicker::show(bool save)
{
    QString chosen;
    if (g_script) {
        chosen = g_script(save, m_title);
    } else {
        auto *owner = qobject_cast<QWidget *>(parent());
        const QString start = StartFolder();
        const QString filter = qtFilter(m_pattern);
        // The caller decides about an existing file itself, so the dialog does not ask first.
        chosen = save ? QFileDialog::getSaveFileName(owner, m_title, start, filter, nullptr,
                                                     QFileDialog::DontConfirmOverwrite)
                      : QFileDialog::getOpenFileName(owner, m_title, start, filter);
    }
    if (chosen.isEmpty())
        return false;
    m_path = QDir::fromNativeSeparators(chosen);
    return true;
}

QString FilePicker::StartFolder() const
{
    if (!m_path.isEmpty())
        return Folder();
    return m_initialFolder.isEmpty() ? QDir::homePath() : m_initialFolder;
}

QString FilePicker::FileTitle() const { return lastPart(m_path); }

QString FilePicker::Extension() const
{
    const QString title = FileTitle();
    const int dot = title.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : title.mid(dot + 1);
}

QString FilePicker::BaseName() const
{
    const QString title = FileTitle();
    const int dot = title.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? title : title.left(dot);
}

QString FilePicker::Folder() const { return m_path.left(m_path.size() - FileTitle().size()); }

QString FilePicker::qtFilter(const QString &pattern)
{
    auto patterns = [](QString p) {
        p.replace(QLatin1Char(';'), QLatin1Char(' '));
        QStringList parts = p.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (QString &part : parts) {
            if (part == QLatin1String("*.*"))
                part = QStringLiteral("*");
        }
        return parts.join(QLatin1Char(' '));
    };
    const QStringList pieces = pattern.split(QLatin1Char('|'));
    if (pieces.size() < 2)
        return patterns(pattern.isEmpty() ? QStringLiteral("*") : pattern);
    QStringList filters;
    for (int i = 0; i + 1 < pieces.size(); i += 2)
        filters << pieces[i].trimmed() + QStringLiteral(" (") + patterns(pieces[i + 1]) + ')';
    return filters.join(QStringLiteral(";;"));
}
