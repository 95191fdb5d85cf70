// CommandButton, CheckBox (0, 1 or 2 greyed) and OptionButton (one of a group per container).
#pragma once
#include "platform/controls/control.h"

#include <QIcon>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace qv {

class CommandButton : public Control
{
  public:
    CommandButton(Form* form, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("CommandButton"); }
    bool raisesOwnClick() const override { return true; }
    bool hasCaption() const override { return true; }
    QString Caption() const override { return m_caption; }
    void setCaption(const QString& caption) override;

    // Value is False except while a click runs; assigning True clicks the button.
    bool Value() const { return m_clicking; }
    void setValue(bool value);
    // The default button is pressed by Enter, the cancel button by Escape,
    // wherever the focus is on the window.
    bool Default() const;
    void setDefault(bool on);
    bool Cancel() const;
    void setCancel(bool on);
    const QPixmap& Picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);
    // Draws a caption instead of writing it (a caption meant for a symbol font this system lacks): the
    // function gives the picture for a caption, a null icon to write that caption as text. Caption stays
    // what code sets and reads.
    void setCaptionDrawing(std::function<QIcon(const QString& caption)> drawing);

    QPushButton* button() const;

  protected:
    bool passesEnterToDefault() const override { return false; }

  private:
    void click();
    QString m_caption;
    QPixmap m_picture;
    std::function<QIcon(const QString&)> m_captionDrawing;
    bool m_clicking = false;
};

class CheckBox : public Control
{
  public:
    CheckBox(Form* form, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("CheckBox"); }
    bool raisesOwnClick() const override { return true; }
    bool hasCaption() const override { return true; }
    QString Caption() const override { return m_caption; }
    void setCaption(const QString& caption) override;

    // vbUnchecked 0, vbChecked 1, vbGrayed 2. A change runs Click; a user's
    // click sets 1 from 0 or 2, and 0 from 1.
    int Value() const { return m_value; }
    void setValue(int value);

    QCheckBox* checkBox() const;

  private:
    void userClicked();
    void showValue();
    QString m_caption;
    int m_value = vbUnchecked;
};

class OptionButton : public Control
{
  public:
    OptionButton(Form* form, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("OptionButton"); }
    bool raisesOwnClick() const override { return true; }
    bool hasCaption() const override { return true; }
    QString Caption() const override { return m_caption; }
    void setCaption(const QString& caption) override;

    // Selecting a button clears the others in the same container and runs
    // Click of the selected one; clearing runs nothing.
    bool Value() const { return m_value; }
    void setValue(bool value);

    QRadioButton* radioButton() const;

  private:
    void userClicked();
    QString m_caption;
    bool m_value = false;
};

} // namespace qv
