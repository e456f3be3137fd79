#pragma once

#include <QByteArray>
#include <QString>

class HttpClient;

// "Check for updates": reads the vendor's latest-version file and compares the number at
// its start with the program's own version (314 stands for 3.1.4).
namespace UpdateCheck {

enum class Outcome { Newer, Latest, Failed };

constexpr int kOwnVersion = 314;
// Only the file's first bytes count.
constexpr int kSignificantBytes = 7;

// The number at the start of the first seven bytes, read as atoi reads it: white space
// skipped, an optional sign, then digits; no digits give 0.
int LatestVersion(const QByteArray& file);

// Fetches the file; a transfer that fails or an HTTP error status is a failure to check.
Outcome Check(HttpClient& http, const QString& url);

// The message the user sees for each outcome.
QString Message(Outcome outcome);

} // namespace UpdateCheck
