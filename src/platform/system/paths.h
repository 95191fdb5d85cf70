// Where the program and its data live: program folder, application-data and data folders.
#pragma once
#include <QString>

namespace qv {

// The data folder is kDataFolderMaker/kDataFolderTitle under the local
// application-data folder, with the subfolders kBinFolderName and kLogFolderName.
inline constexpr char kDataFolderMaker[] = "Quarvelink";
inline constexpr char kDataFolderTitle[] = "QV-Config";
inline constexpr char kBinFolderName[] = "BIN";
inline constexpr char kLogFolderName[] = "LOG";

// The folder of the running executable ("beside the program"), without a
// trailing separator.
QString programFolder();
// The executable's file name without its extension.
QString programExeName();

// The user's local application-data folder (usually ~/.local/share), created
// when missing; without a trailing separator. Empty when the platform has none.
QString localAppDataFolder();

// The program's data folder and its BIN and LOG subfolders. These only name
// the folders; the start-up sequence creates them.
QString dataFolder();
QString binFolder();
QString logFolder();

// Tests point the program folder and the application-data folder elsewhere
// (an empty text returns to the real one).
void setProgramFolderOverride(const QString& folder);
void setLocalAppDataOverride(const QString& folder);

// Sets both overrides for its lifetime, restoring the previous ones afterwards.
class ScopedPathOverride
{
  public:
    ScopedPathOverride(const QString& localAppData, const QString& programFolder = QString());
    ~ScopedPathOverride();
    ScopedPathOverride(const ScopedPathOverride&) = delete;
    ScopedPathOverride& operator=(const ScopedPathOverride&) = delete;

  private:
    QString m_previousAppData;
    QString m_previousProgram;
};

} // namespace qv
