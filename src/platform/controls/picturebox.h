#pragma once

#include <QByteArray>
#include <QLabel>
#include <QVariant>

// A picture box: shows a picture held as the bytes of an image file (PNG, JPEG, GIF, BMP),
// scaled to fit with its proportions kept. Bound to a picture field of a data control
// (DataControl::bind) it shows the field's picture, and a picture loaded by the form is
// written to the field with the row.
class PictureBox : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QVariant Picture READ Picture WRITE setPicture NOTIFY pictureChanged USER true)
public:
    explicit PictureBox(QWidget *parent = nullptr);

    // The image file's bytes; a null value when the box is empty.
    QVariant Picture() const;
    // Shows these bytes; anything that is no readable image empties the box.
    void setPicture(const QVariant &picture);
    bool isEmpty() const { return m_bytes.isEmpty(); }

    // Loads the picture of an image file. False, and the picture stays as it was, when the file
    // cannot be read or holds no image.
    bool LoadPicture(const QString &path);
    // True when these bytes are an image that can be shown.
    static bool isPicture(const QByteArray &bytes);

signals:
    void pictureChanged();

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    void showScaled();

    QByteArray m_bytes;
    QPixmap m_picture;
};
