#pragma once

#include <QLabel>
#include <QString>

// A label that reads as a link. Activating it (a click, or Enter/Space while it has the
// focus) raises PrepareMail, whose handler may still set the link, and then opens the link
// through System::openUrl (the desktop's mail or web handler).
class HyperLink : public QLabel
{
    Q_OBJECT
public:
    explicit HyperLink(QWidget *parent = nullptr);
    HyperLink(const QString &caption, QWidget *parent = nullptr);

    void setCaption(const QString &caption);
    QString Caption() const { return m_caption; }
    void setLink(const QString &url) { m_link = url; }
    QString Link() const { return m_link; }

    // Does what a click does.
    void Activate();

signals:
    void PrepareMail();

protected:
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void showCaption();

    QString m_caption;
    QString m_link;
};
