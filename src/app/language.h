// Language files and the text lookup by numeric text id.
#pragma once
#include <QDomDocument>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace qv {

class Form;

// Index of the current language in gLangCodes and gLangNames (1-based; 0 = none).
inline uint8_t gLangIndex = 0;
// Codes (three letters) and display names of the available languages, same
// index; index 0 holds nothing. The settings load fills the codes from the
// settings or the language files beside the program; a successful language
// load rebuilds both from the file's language list.
inline QStringList gLangCodes{QString()};
inline QStringList gLangNames{QString()};
// The available codes, each followed by a blank ("DEU ENU "), and their count.
inline QString gLangList;
inline int16_t gLangCount = 0;

// The loaded language file; empty before the first load or after a failed one
// (every lookup then gives its default).
inline QDomDocument gXmlDoc;

// The file name of a language's file beside the program ("QV-ConfigENU.xml").
QString LanguageFileName(const QString& code);

// Loads the file of the language gLangIndex into gXmlDoc and, with flag set,
// rebuilds gLangCodes and gLangNames from its language list. A missing or
// broken file is reported in a message box; the program goes on with default
// texts. True when the file was loaded.
bool LoadLanguageFile(bool flag);

// Qt's own texts (the standard buttons of message boxes, the file dialogs) in the language of a language
// file's code (DEU, ENU, FRA ...): the Qt language it stands for, "" for a code without one.
QString QtLanguageOfCode(const QString& code);
// Puts Qt's own translations for that language in place of the ones before (none for English, for an unknown
// code, or where the machine has no translation of Qt).
void InstallQtTranslations(const QString& code);

// The text with the given id (1001 to 1999) from the loaded language file,
// unescaped; an empty text there gives ""; `def` when the file has none.
// `lang` is the caller's language index (gLangIndex): the text always comes
// from the file loaded for the current language.
QString GetLangText(uint8_t lang, int32_t id, const QString& def);

// Every language file beside the program (the title followed by a language code and ".xml"), parsed; a file
// that cannot be read or parsed is left out. Files saved under one language (a card list's headings) are
// read under another with these.
QList<QDomDocument> ShippedLanguageFiles();
// The text with the given id in one such file, unescaped; `def` when it has none.
QString GetLangTextOf(const QDomDocument& doc, int32_t id, const QString& def);

// One property text ("Caption", "ToolTipText") of one control of a window
// from the language file: `control` empty asks for the window's own property,
// `index` empty for a single control, otherwise the member of a control array.
// `def` when the file has no such entry; "" when it has no element for the
// window.
QString GetControlText(uint8_t lang, const QString& form, const QString& type, const QString& control,
                       const QString& index, const QString& property, const QString& def);
// The same with a further text that some callers pass; it has no effect.
QString GetControlText(uint8_t lang, const QString& form, const QString& type, const QString& control,
                       const QString& index, const QString& property, const QString& further,
                       const QString& def);

// Sets the window's title (the program's title, a blank and the file's
// caption) and the captions and tooltips of its controls, menu items, toolbar
// buttons, tabs and status-bar panels, found by window, control type, name and
// Index. Entries for controls the window does not have are skipped; controls
// without an entry keep their text.
void ApplyLanguage(Form& form);

// Undoes the language files' own escapes: "&gt;" for ">", "&lt;" for "<" and
// "__" for "&" (the controls' access-key marker).
QString UnescapeLangText(const QString& text);

} // namespace qv
