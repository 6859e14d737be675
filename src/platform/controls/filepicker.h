#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

// The file picker: an open and a save dialog that answer whether the user confirmed, and the
// parts of the chosen file's path. Every dialog passes one seam, so tests choose the file.
class FilePicker : public QObject
{
    Q_OBJECT
public:
    explicit FilePicker(QWidget *parent = nullptr);

    void setDialogTitle(const QString &title) { m_title = title; }
    QString DialogTitle() const { return m_title; }
    // "*.*", "*.mdb", or "Text|*.txt|All|*.*" (a description and its patterns, in pairs).
    void setPattern(const QString &pattern) { m_pattern = pattern; }
    QString Pattern() const { return m_pattern; }

    // Show the dialog; true when the user confirmed a file. A cancelled dialog leaves the
    // parts of the last confirmed choice as they were.
    bool ShowOpen();
    bool ShowSave();
    bool ShowOpen(const QString &title, const QString &pattern);
    bool ShowSave(const QString &title, const QString &pattern);

    // Parts of the chosen path, e.g. "/books/Winter.mdb": FullPath "/books/Winter.mdb",
    // Extension "mdb" (without the point), FileTitle "Winter.mdb", BaseName "Winter".
    QString FullPath() const { return m_path; }
    // Where a dialog starts while no file has been chosen yet (the home folder when empty).
    void setInitialFolder(const QString &folder) { m_initialFolder = folder; }
    // The folder the next dialog starts in: that of the last choice, else the initial folder.
    QString StartFolder() const;
    QString Extension() const;
    QString FileTitle() const;
    QString BaseName() const;
    // The folder of the chosen path with its closing separator: "/books/".
    QString Folder() const;
    void setFullPath(const QString &path) { m_path = path; }

    // Replaces the window system's dialogs: the script gets whether a save dialog is asked
    // and its title, and returns the chosen path (empty: cancelled). nullptr puts them back.
    using Script = std::function<QString(bool save, const QString &title)>;
    static void setScript(Script script);

    // The Qt file-dialog filter for a pattern ("*.*" means every file).
    static QString qtFilter(const QString &pattern);

private:
    bool show(bool save);

    QString m_title;
    QString m_pattern = QStringLiteral("*.*");
    QString m_path;
    QString m_initialFolder;
};
