#pragma once

#include <QString>

// Who is using the program, for the "by" line of the Word report.
namespace UserName {

// The account's full name from the password database, else its login name;
// empty only when the system knows neither.
QString fullName();

// The full name that a password-database comment field gives: its first
// comma-separated part, trimmed, with "&" standing for the login name with a
// capital first letter (the old finger convention). Falls back to login when
// that part is empty.
QString fromGecos(const QString& gecos, const QString& login);

} // namespace UserName
