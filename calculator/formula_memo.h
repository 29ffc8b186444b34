#pragma once
// The calculator's formula memo: a plain-text editor that stays responsive with a formula of
// any length.
//
// Qt lays out a paragraph as a whole after every change to it, and a line without break
// opportunities ("1+1+1+...", "((((1))))") costs it time that grows with the square of the
// paragraph's length: about two minutes for a 1 MB formula, and again for each key typed at
// its end. The memo therefore keeps a line longer than kMaxSegment characters as several
// paragraphs ("segments") joined without a line break, so that a change lays out one segment
// only. A segment split while the memo shows it starts where its line was wrapped anyway;
// segments made from pasted text start at fixed lengths, and a segment that is emptied, or
// that fits in half of kMaxSegment together with the one before it, joins that one again.
// The segments are invisible to everything that reads the formula:
//
//   text(), the clipboard, drag and drop     one line, as typed or pasted
//   Left, Right, Backspace, Delete          step over a segment boundary as over nothing
//   Home, End, Up, Down, the mouse          move by displayed line, as in any paragraph
//
// Line breaks typed or pasted by the user stay real paragraphs.

#include <QPlainTextEdit>
#include <QTextCursor>

#include <utility>
#include <vector>

namespace quarnis {

class FormulaMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    // Longest segment, in UTF-16 code units; a longer line is split into segments.
    static constexpr int kMaxSegment = 4096;

    explicit FormulaMemo(QWidget* parent = nullptr);

    // The whole formula, lines separated by "\n" (segment boundaries leave no trace).
    QString text() const;

    // Replaces the selection with text (or inserts it at the caret) and leaves the caret after
    // it, as one edit; a long line arrives in segments. Line breaks are CR LF, CR, LF or
    // U+2029, as Qt reads them.
    void insertFormulaText(const QString& text);

    // True when the block continues the line of the block before it.
    static bool isContinuation(const QTextBlock& block);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    QString textBetween(int from, int to) const;
    void stepOverBoundary(QKeyEvent* event);
    void beginEdit();
    void endEdit();
    void noteChange(int from, int removed, int added);
    void normalize();

    struct BlockKind {
        int start, end;
        bool continuation;
    };
    std::vector<BlockKind> kinds_; // around the selection before a user's edit
    std::vector<std::pair<QTextCursor, bool>> kindFixes_;
    int dirtyFrom_ = -1, dirtyTo_ = -1; // changed since the last normalize(), in positions
    bool normalizing_ = false;
    bool normalizeQueued_ = false;
};

} // namespace quarnis
