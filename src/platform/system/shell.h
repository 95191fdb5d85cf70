// Opening a file, folder or web address with the user's chosen program.
#pragma once
#include <QString>
#include <QUrl>
#include <functional>

namespace qv {

// The address a target stands for: a text with a scheme ("http:", "https:",
// "mailto:", "file:" ...) as it is, anything else as a local path (made absolute).
QUrl shellTargetUrl(const QString& target);

// Opens the target as the shell's "Open" verb did: a web address in the
// browser, a folder in the file manager, a file in the program that handles
// its type. True when the desktop took the request.
bool ShellExecute(const QString& target);

// Test hook: when set, ShellExecute hands the address to it instead of the
// desktop and returns its result.
inline std::function<bool(const QUrl&)> shellOpenHook;

} // namespace qv
