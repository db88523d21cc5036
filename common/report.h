#pragma once

#include <QString>

#include <functional>

namespace db {
class Error;
}

// Failures reach the user from here: the French text in a message box, the
// technical detail (SQLite's or Qt's own text) on the standard error output.
namespace report {

// Writes a technical detail to the standard error output; nothing when empty.
void detail(const QString& technical);

// Logs the detail, then shows the text with the critical icon.
void failure(const QString& text, const QString& technical = {});
void failure(const db::Error& error);

// Logs the detail and answers the French text, for a failure told later
// (with others, or by the caller's own message).
QString logged(const db::Error& error);

// Runs an action; a database failure it throws is reported, and false answered.
bool attempt(const std::function<void()>& action);

} // namespace report
