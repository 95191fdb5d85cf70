// Label, Frame (a container), PictureBox (a container with a picture) and Image.
#pragma once
#include "platform/controls/control.h"

class QGroupBox;
class QLabel;

namespace qv {

class Label : public Control
{
  public:
    Label(Form* form, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("Label"); }
    bool hasCaption() const override { return true; }
    QString Caption() const override { return m_caption; }
    // A different caption runs Change.
    void setCaption(const QString& caption) override;

    // vbLeftJustify, vbRightJustify, vbCenter.
    int Alignment() const { return m_alignment; }
    void setAlignment(int alignment);
    // 0 none, 1 a thin frame.
    int BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);
    // With AutoSize the label takes the size of its caption.
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool on);

    QLabel* label() const;

  private:
    void fitToCaption();
    QString m_caption;
    int m_alignment = vbLeftJustify;
    int m_borderStyle = 0;
    bool m_autoSize = false;
};

class Frame : public Control
{
  public:
    Frame(Form* form, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("Frame"); }
    bool hasCaption() const override { return true; }
    QString Caption() const override { return m_caption; }
    void setCaption(const QString& caption) override;
    // 0 a blank panel without border or title, 1 the framed group.
    int BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);
    QWidget* containerWidget() const override { return widget(); }

    QGroupBox* groupBox() const;

  private:
    QString m_caption;
    int m_borderStyle = 1;
};

class PictureBox : public Control
{
  public:
    PictureBox(Form* form, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("PictureBox"); }
    const QPixmap& Picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);
    int BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);
    // The inner size in twips.
    int ScaleWidth() const;
    int ScaleHeight() const;
    QWidget* containerWidget() const override { return widget(); }

    QLabel* label() const;

  private:
    QPixmap m_picture;
    int m_borderStyle = 1;
};

class Image : public Control
{
  public:
    Image(Form* form, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("Image"); }
    const QPixmap& Picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);
    // With Stretch the picture fills the control.
    bool Stretch() const { return m_stretch; }
    void setStretch(bool on);

    QLabel* label() const;

  private:
    QPixmap m_picture;
    bool m_stretch = false;
};

} // namespace qv
