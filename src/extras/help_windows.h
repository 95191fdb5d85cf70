// The help menu's windows: the file the text viewer shows, the country list's names and the help file choice.
#pragma once
#include <QString>
#include <optional>

namespace qv {

// The help file of the current language, by name: it lies beside the program.
inline QString gHelpFile;

// The full path of the file the text viewer frmLog shows. Whoever opens the viewer sets it and has made sure
// the file exists.
inline QString gViewFile;

// The display names of the languages, beside the program ("DEU=Deutsch", one a line).
inline constexpr char kCountryListFile[] = "Country.TXT";
// The release notes the about box shows, beside the program: those of the language in use
// ("release_notes_DEU.txt"), else these.
inline constexpr char kReleaseNotesFile[] = "release_notes.txt";
// The system-information program the about box starts. This platform names none: its absence is what the
// about box reports. Tests set a program to start.
inline QString gSysInfoProgram;

// A language list entry shows this many characters of the display name, blanks filling a short one.
inline constexpr int kLanguageEntryWidth = 10;

// The display name of a language in the country list's text. The entry is the first place anywhere in the
// text where code and "=" stand (case counts); the name begins four characters after that place and runs to
// the next line feed, or to the end of the text, a carriage return before it not included. No value when
// the code has no entry.
std::optional<QString> CountryListName(const QString& text, const QString& code);

// The list entry of a display name: the name padded with blanks or cut to kLanguageEntryWidth characters.
QString LanguageListEntry(const QString& name);

// The full path of the release notes of a language (its code, "DEU"): its own file beside the program when
// there is one, else kReleaseNotesFile.
QString ReleaseNotesPath(const QString& code);

// The help file of a language, by name (it lies beside the program): the language's own page, else the
// English one, else the first page of any language; "" when there is none.
QString ChooseHelpFile(const QString& code);

} // namespace qv
