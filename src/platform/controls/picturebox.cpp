#include "platform/controls/picturebox.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QResizeEvent>

PictureBox::PictureBox(QWidget *parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::StyledPanel);
    setMinimumSize(60, 40);
}

QVariant PictureBox::Picture() const
{
    return m_bytes.isEmpty() ? QVariant() : QVariant(m_bytes);
}

void PictureBox::setPicture(const QVariant &picture)
{
    const QByteArray bytes = picture.toByteArray();
    QPixmap shown;
    if (!bytes.isEmpty())
        shown.loadFromData(bytes);
    const QByteArray kept = shown.isNull() ? QByteArray() : bytes;
    if (kept == m_bytes)
        return;
    m_bytes = kept;
    m_picture = shown;
    showScaled();
    emit pictureChanged();
}

bool PictureBox::isPicture(const QByteArray &bytes)
{
    return !bytes.isEmpty() && !QImage::fromData(bytes).isNull();
}

bool PictureBox::LoadPicture(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (!isPicture(bytes))
        return false;
    setPicture(bytes);
    return true;
}

void PictureBox::resizeEvent(QResizeEvent *e)
{
    QLabel::resizeEvent(e);
    showScaled();
}

void PictureBox::showScaled()
{
    if (m_picture.isNull()) {
        clear();
        return;
    }
    const QSize room = contentsRect().size();
    if (m_picture.width() <= room.width() && m_picture.height() <= room.height())
        setPixmap(m_picture);
    else
        setPixmap(m_picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}
