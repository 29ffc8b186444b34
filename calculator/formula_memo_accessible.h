#pragma once
// The formula memo as screen readers read it. The memo keeps a long line as several
// paragraphs (segments) joined without a line break; Qt's own accessible text would count each
// join as a line break, so a pasted 12,001-character line would read as three lines with
// wrong offsets. This interface gives the formula text exactly as text() has it: one line,
// with its offsets, caret and selection counted in that text.

class QAccessibleInterface;
class QObject;
class QString;

namespace quarnis {

// The accessibility factory for FormulaMemo; installed once, by the first memo.
QAccessibleInterface* formulaMemoAccessibleFactory(const QString& className, QObject* object);

} // namespace quarnis
