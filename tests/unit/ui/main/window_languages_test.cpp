// Every window's captions and tool-tips come from the language file of the chosen language: a text that stays
// the same when the language changes must be one the file itself gives (OK, COM, ...), never a design text
// left in place because the file has no entry for it.
#include "cards/frm_cards.h"
#include "cards/frm_sel_col.h"
#include "extras/frm_about.h"
#include "extras/frm_language.h"
#include "link/link_window.h"
#include "support/main_window_fixture.h"
#include "ui/dialogs/frm_config_qvel.h"

#include <QMap>
#include <QRegularExpression>

using namespace qv;

namespace {

// A window's texts by where they stand: "Caption" of the window, "name(index).Caption", "name.ToolTipText",
// "name.Button(i).ToolTipText".
QMap<QString, QString> windowTexts(const Form& form)
{
    QMap<QString, QString> texts;
    texts.insert(QStringLiteral("Caption"), form.Caption());
    for (const Control* c : form.Controls()) {
        // Controls the window keeps hidden show no text.
        if (c->widget() && c->widget()->isHidden() && c->TypeName() != u"Menu")
            continue;
        const QString id =
            c->Index() < 0 ? c->Name() : QStringLiteral("%1(%2)").arg(c->Name()).arg(c->Index());
        if (c->hasCaption())
            texts.insert(id + QStringLiteral(".Caption"), c->Caption());
        texts.insert(id + QStringLiteral(".ToolTipText"), c->ToolTipText());
        if (const auto* bar = dynamic_cast<const Toolbar*>(c)) {
            for (int i = 1; i <= bar->Buttons().Count(); ++i)
                texts.insert(id + QStringLiteral(".Button(%1).ToolTipText").arg(i),
                             const_cast<Toolbar*>(bar)->Buttons().Item(i).ToolTipText());
        }
    }
    return texts;
}

bool loadLanguage(const char* code)
{
    QFile file(QDir(test::resourcesDir()).filePath(LanguageFileName(QString::fromLatin1(code))));
    return file.open(QIODevice::ReadOnly) && gXmlDoc.setContent(&file);
}

// Whether the loaded file gives the text at `where` (as windowTexts names it) for the window.
bool fileGives(const QString& window, const QString& where)
{
    const QDomElement win = gXmlDoc.documentElement().firstChildElement(window);
    if (where == u"Caption")
        return !win.firstChildElement(QStringLiteral("Caption")).isNull();
    static const QRegularExpression form(
        QStringLiteral(R"(^(\w+)(?:\((\d+)\))?\.(?:Button\((\d+)\)\.)?(Caption|ToolTipText)$)"));
    const auto m = form.match(where);
    if (!m.hasMatch())
        return false;
    for (QDomElement type = win.firstChildElement(); !type.isNull(); type = type.nextSiblingElement()) {
        for (QDomElement c = type.firstChildElement(m.captured(1)); !c.isNull();
             c = c.nextSiblingElement(m.captured(1))) {
            if (!m.captured(3).isEmpty()) {
                for (QDomElement e =
                         c.firstChildElement(QStringLiteral("Buttons")).firstChildElement(m.captured(4));
                     !e.isNull(); e = e.nextSiblingElement(m.captured(4)))
                    if (e.attribute(QStringLiteral("Index")) == m.captured(3))
                        return true;
                continue;
            }
            if (c.attribute(QStringLiteral("Index")) == m.captured(2) &&
                !c.firstChildElement(m.captured(4)).isNull())
                return true;
        }
    }
    return false;
}

class WindowLanguages : public test::MainWindowTest
{
};

} // namespace

TEST_F(WindowLanguages, EveryWindowsTextsComeFromTheChosenLanguagesFile)
{
    FrmMain& main = startWindow();
    // Texts that are data, not captions: they come from the station, the settings or the program itself.
    const QSet<QString> data{
        QStringLiteral("frmMain:lblViewCOM.Caption"),  QStringLiteral("frmMain:lblVolt.Caption"),
        QStringLiteral("frmAbout:cmdVersion.Caption"), QStringLiteral("frmAbout:lblTitle.Caption"),
        QStringLiteral("frmAbout:lblURL.Caption"),     QStringLiteral("frmConfigQVEL:lblVolt.Caption"),
    };
    // Separators ("-") and signs ("%") are no words of a language.
    static const QRegularExpression letter(QStringLiteral("\\p{L}"));
    const QList<Form*> windows{&main,          &frmSettings(),   &frmCards(), &frmAbout(),
                               &frmLanguage(), &frmConfigQVEL(), &frmSelCol()};
    QStringList leftInDesign;
    for (Form* w : windows) {
        ASSERT_TRUE(loadLanguage("DEU"));
        ApplyLanguage(*w);
        const QMap<QString, QString> german = windowTexts(*w);
        ASSERT_TRUE(loadLanguage("ENU"));
        ApplyLanguage(*w);
        const QMap<QString, QString> english = windowTexts(*w);
        for (auto it = english.cbegin(); it != english.cend(); ++it) {
            const QString key = w->Name() + u':' + it.key();
            if (!it.value().contains(letter) || it.value() != german.value(it.key()) || data.contains(key))
                continue;
            if (!fileGives(w->Name(), it.key()))
                leftInDesign << key + QStringLiteral(" = \"") + it.value() + u'"';
        }
    }
    EXPECT_TRUE(leftInDesign.isEmpty()) << leftInDesign.join(u'\n').toStdString();
}

namespace {

// The access key of a menu caption: the character after a single "&" ("&&" is a plain "&"), lower-cased; a
// null character when there is none.
QChar accessKey(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != u'&')
            continue;
        if (caption.at(i + 1) != u'&')
            return caption.at(i + 1).toLower();
        ++i;
    }
    return QChar();
}

// Access keys that two items of one menu level share, as "level: key in "a", "b"".
void collectClashes(const QString& where, const QList<MenuItem*>& level, QStringList& clashes)
{
    QMap<QChar, QStringList> byKey;
    for (MenuItem* item : level) {
        if (item->Caption() == u"-")
            continue;
        if (const QChar key = accessKey(item->Caption()); !key.isNull())
            byKey[key] << item->Caption();
        if (!item->items().isEmpty())
            collectClashes(where + u'>' + item->Name(), item->items(), clashes);
    }
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it)
        if (it.value().size() > 1)
            clashes << where + QStringLiteral(": ") + it.key() + QStringLiteral(" in \"") +
                           it.value().join(QStringLiteral("\", \"")) + u'"';
}

} // namespace

TEST_F(WindowLanguages, EveryMenuLevelHasItsOwnAccessKeysAndTheCommandsHaveOne)
{
    FrmMain& main = startWindow();
    const QList<Form*> windows{&main, &frmCards()};
    for (const char* code : {"DEU", "ENU"}) {
        ASSERT_TRUE(loadLanguage(code));
        QStringList clashes;
        for (Form* w : windows) {
            ApplyLanguage(*w);
            UpdateBaudMenus();
            QList<MenuItem*> bar;
            for (Control* c : w->Controls())
                if (auto* item = dynamic_cast<MenuItem*>(c); item && !item->ParentMenu())
                    bar << item;
            collectClashes(QString::fromLatin1(code) + u':' + w->Name(), bar, clashes);
        }
        EXPECT_TRUE(clashes.isEmpty()) << clashes.join(u'\n').toStdString();
        QStringList withoutKey;
        for (MenuItem* item : main.mnuComm.items())
            if (item->Caption() != u"-" && accessKey(item->Caption()).isNull())
                withoutKey << item->Name() + QStringLiteral(" \"") + item->Caption() + u'"';
        EXPECT_TRUE(withoutKey.isEmpty()) << code << ":\n" << withoutKey.join(u'\n').toStdString();
    }
}
