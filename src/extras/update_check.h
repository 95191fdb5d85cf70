// The update check: the online test, the fetch of the two version files and how their versions compare.
#pragma once
#include <QList>
#include <QString>

namespace qv {

// Where the maker keeps the two version files and the download page.
inline constexpr char kDefaultUpdateHost[] = "www.quarvelink.com";
inline constexpr char kFirmwareVersionPath[] = "/quarvelink/download/qv_config/version.firmware.txt";
inline constexpr char kProgramVersionPath[] = "/quarvelink/download/qv_config/version.config.txt";
inline constexpr char kDownloadPagePath[] = "/software-download";
// The first line of a genuine version file; a body that starts with it is never an error page.
inline constexpr char kVersionFileHeader[] = "//quarvelink update definition file";
// The environment variable that points the check at another server ("host" or "host:port").
inline constexpr char kUpdateHostVariable[] = "QV_UPDATE_HOST";

// Result of the last online test; HttpGetText fetches nothing while it is false.
inline bool gInternetOnline = false;
// The newest program version and firmware versions as last fetched ("" until fetched or after a failure).
inline QString gLatestProgramVersion;
inline QString gLatestFirmwareList;
// The update server: host and optional ":port". Empty means the environment variable, else the maker's.
inline QString gUpdateHost;

// The update server in use (gUpdateHost, else QV_UPDATE_HOST, else the maker's host).
QString UpdateHost();
// "http://", the update server and the path.
QString UpdateUrl(const QString& path);
// The maker's download page.
QString DownloadPageUrl();

// Asks the platform whether the machine is online; records the answer in gInternetOnline and, when online,
// today's date as the last internet connection.
bool IsInternetConnected();

// The version text of an HTTP GET of url: "" when offline, when the fetch fails or the answer is not a 2xx
// one, and for an HTML error page; otherwise the version line of the body (VersionFileText).
// reached (when given) tells whether the server answered at all: false when offline or when no answer came.
QString HttpGetText(const QString& url, bool* reached = nullptr);

// Fetches both version files into gLatestFirmwareList and gLatestProgramVersion; false when the update
// server could not be reached for either of them.
bool FetchLatestVersions();

// True when the text is an HTML error page instead of a version file: it does not begin with the version
// file's header line and holds both "<html>" and "</html>" (any case).
bool IsHtmlPage(const QString& text);

// The version a version file's body states: its header line and line ends are ignored and the first
// non-empty line is taken, trimmed. A list of firmware versions ("5.59,3.00") loses its points ("559,300":
// the numbers the station decoders compare with); a single program version keeps them ("5.3.14"), so that
// its numeric parts survive.
QString VersionFileText(const QString& body);

// The numeric parts of a version text: "5.3.14" gives 5, 3, 14. A text without points written the way the
// program writes its own version ("534": major, minor, revision one after another) gives 5, 3, 4. Reading
// stops at the first part that is no number; "" gives no parts.
QList<int> VersionParts(const QString& version);

// Compares two versions part by part as numbers, a missing part counting as 0: negative when a is older,
// 0 when equal, positive when a is newer.
int CompareVersions(const QList<int>& a, const QList<int>& b);

// The program's own version as parts (major, minor, revision).
QList<int> ProgramVersionParts();

} // namespace qv
