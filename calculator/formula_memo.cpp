#include "formula_memo.h"
#include "formula_memo_accessible.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace quarnis {

namespace {

    // The block format property that marks a segment continuing the line before it.
    constexpr int kContinuationProperty = QTextFormat::UserProperty + 1;

    // Pasted text is cut into pieces of this length; where a piece lands in a segment and
    // the two pass kMaxSegment together, normalize() splits that segment again. Two segments
    // that fit in a piece together are joined.
    constexpr int kPiece = FormulaMemo::kMaxSegment / 2;

    // Moves a cut at text[at] forward past a low surrogate or a combining mark, so that no
    // character is drawn in two segments.
    qsizetype characterBoundary(const QString& text, qsizetype at)
    {
        while (at < text.size() && (text[at].isLowSurrogate() || text[at].isMark()))
            ++at;
        return at;
    }

    bool isLineBreak(QChar c)
    {
        // The characters Qt turns into a paragraph break when text is inserted.
        return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar(0xFDD0)
            || c == QChar(0xFDD1);
    }

} // namespace

FormulaMemo::FormulaMemo(QWidget* parent)
    : QPlainTextEdit(parent)
{
    connect(document(), &QTextDocument::contentsChange, this, &FormulaMemo::noteChange);
    // Screen readers read the formula, not the segments.
    static const bool accessibleInstalled
        = (QAccessible::installFactory(formulaMemoAccessibleFactory), true);
    (void)accessibleInstalled;
}

bool FormulaMemo::isContinuation(const QTextBlock& block)
{
    return block.isValid() && block.previous().isValid()
        && block.blockFormat().boolProperty(kContinuationProperty);
}

QString FormulaMemo::textBetween(int from, int to) const
{
    QString text;
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (block.position() > from && !isContinuation(block))
            text += u'\n';
        const int start = std::max(from - block.position(), 0);
        const int end = std::min(to - block.position(), block.length() - 1);
        if (end > start)
            text += QStringView(block.text()).mid(start, end - start);
    }
    return text;
}

QString FormulaMemo::text() const { return textBetween(0, document()->characterCount() - 1); }

void FormulaMemo::insertFormulaText(const QString& text)
{
    beginEdit();
    QTextCursor cursor = textCursor();
    const QTextCharFormat charFormat = cursor.charFormat();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    QTextBlockFormat lineFormat = cursor.blockFormat();
    lineFormat.clearProperty(kContinuationProperty);
    QTextBlockFormat segmentFormat = lineFormat;
    segmentFormat.setProperty(kContinuationProperty, true);

    // text[from, to) holds no line break.
    const auto insertLine = [&](qsizetype from, qsizetype to) {
        while (to - from > kPiece) {
            const qsizetype cut = characterBoundary(text, from + kPiece);
            if (cut >= to)
                break;
            cursor.insertText(text.mid(from, cut - from), charFormat);
            cursor.insertBlock(segmentFormat, charFormat);
            from = cut;
        }
        if (to > from)
            cursor.insertText(text.mid(from, to - from), charFormat);
    };
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isLineBreak(text[i]))
            continue;
        insertLine(lineStart, i);
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i; // CR LF is one line break
        cursor.insertBlock(lineFormat, charFormat);
        lineStart = i + 1;
    }
    insertLine(lineStart, text.size());
    cursor.endEditBlock();
    setTextCursor(cursor);
    endEdit();
}

// Whether each block around the caret and the selection continues the line before it, as
// it stands before a user's edit.
void FormulaMemo::beginEdit()
{
    kinds_.clear();
    const QTextCursor cursor = textCursor();
    QTextBlock block = document()->findBlock(cursor.selectionStart()).previous();
    if (!block.isValid())
        block = document()->firstBlock();
    const QTextBlock last = document()->findBlock(cursor.selectionEnd()).next();
    for (; block.isValid() && block != last; block = block.next())
        kinds_.push_back(
            { block.position(), block.position() + block.length(), isContinuation(block) });
}

void FormulaMemo::endEdit()
{
    normalize();
    kinds_.clear();
}

void FormulaMemo::noteChange(int from, int removed, int added)
{
    if (normalizing_)
        return;
    // Qt joins a block emptied from its start with the next one by keeping the next one's
    // format; the joined block must keep the line break (or its absence) before it.
    if (removed > 0) {
        for (const BlockKind& kind : kinds_) {
            if (kind.start <= from && from < kind.end) {
                QTextCursor at(document());
                at.setPosition(from);
                if (at.block().position() == kind.start)
                    kindFixes_.emplace_back(at, kind.continuation);
            }
        }
    }
    dirtyFrom_ = dirtyFrom_ < 0 ? from : std::min(dirtyFrom_, from);
    dirtyTo_ = std::max(dirtyTo_, from + added);
    // Edits that no handler of this class sees (the context menu, undo) are put in order
    // once control returns to the event loop.
    if (!normalizeQueued_) {
        normalizeQueued_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                normalizeQueued_ = false;
                normalize();
            },
            Qt::QueuedConnection);
    }
}

// Splits each changed block longer than kMaxSegment, and joins a segment to the one before
// when both fit in kMaxSegment together. The change joins the edit that caused it, so that
// undo takes back both.
void FormulaMemo::normalize()
{
    if (dirtyFrom_ < 0)
        return;
    QTextDocument* doc = document();
    const int end = doc->characterCount() - 1;
    int number = doc->findBlock(std::clamp(dirtyFrom_, 0, end)).blockNumber();
    int last = doc->findBlock(std::clamp(dirtyTo_, 0, end)).blockNumber() + 1; // may join
    dirtyFrom_ = dirtyTo_ = -1;

    QTextCursor cursor(doc);
    bool editing = false;
    const auto edit = [&] {
        if (!editing)
            cursor.joinPreviousEditBlock();
        editing = true;
    };
    normalizing_ = true;
    for (const auto& [at, continuation] : kindFixes_) {
        if (isContinuation(at.block()) == continuation || !at.block().previous().isValid())
            continue;
        QTextBlockFormat format = at.blockFormat();
        format.setProperty(kContinuationProperty, continuation);
        edit();
        cursor.setPosition(at.block().position());
        cursor.setBlockFormat(format);
    }
    kindFixes_.clear();
    while (number <= last) {
        const QTextBlock block = doc->findBlockByNumber(number);
        if (!block.isValid())
            break;
        const int length = block.length() - 1;
        if (isContinuation(block)
            && (length == 0 || block.previous().length() - 1 + length <= kPiece)) {
            // Qt gives the joined block the second block's format when the first is empty.
            const QTextBlockFormat format = block.previous().blockFormat();
            edit();
            cursor.setPosition(block.position() - 1);
            cursor.deleteChar();
            cursor.setBlockFormat(format);
            --last;
        } else if (length > kMaxSegment) {
            // Where the block's layout already wraps a line near its middle, the cut changes
            // nothing on screen.
            int at = 0;
            const QTextLayout* layout = block.layout();
            if (layout && layout->lineCount() > 1)
                at = layout->lineForTextPosition(length / 2).textStart();
            if (at <= 0 || at > kMaxSegment)
                at = int(characterBoundary(block.text(), kPiece));
            edit();
            cursor.setPosition(block.position() + at);
            QTextBlockFormat segmentFormat = block.blockFormat();
            segmentFormat.setProperty(kContinuationProperty, true);
            cursor.insertBlock(segmentFormat, cursor.charFormat());
            ++last;
            ++number;
        } else {
            ++number;
        }
    }
    if (editing)
        cursor.endEditBlock();
    normalizing_ = false;
}

// A key that moves or deletes across a segment boundary first steps over it, so that it
// acts on the character beyond.
void FormulaMemo::stepOverBoundary(QKeyEvent* event)
{
    const bool select = event->matches(QKeySequence::SelectNextChar)
        || event->matches(QKeySequence::SelectPreviousChar)
        || event->matches(QKeySequence::SelectNextWord)
        || event->matches(QKeySequence::SelectPreviousWord);
    const bool forward = event->matches(QKeySequence::MoveToNextChar)
        || event->matches(QKeySequence::SelectNextChar)
        || event->matches(QKeySequence::MoveToNextWord)
        || event->matches(QKeySequence::SelectNextWord) || event->matches(QKeySequence::Delete)
        || event->matches(QKeySequence::DeleteEndOfWord);
    const bool backward = event->matches(QKeySequence::MoveToPreviousChar)
        || event->matches(QKeySequence::SelectPreviousChar)
        || event->matches(QKeySequence::MoveToPreviousWord)
        || event->matches(QKeySequence::SelectPreviousWord)
        || event->matches(QKeySequence::DeleteStartOfWord) || event->key() == Qt::Key_Backspace;
    QTextCursor cursor = textCursor();
    if ((!forward && !backward) || (cursor.hasSelection() && !select))
        return; // a selection is collapsed or deleted as it is
    const auto mode = select ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor;
    bool moved = false;
    if (forward) {
        while (cursor.atBlockEnd() && isContinuation(cursor.block().next())) {
            cursor.setPosition(cursor.block().next().position(), mode);
            moved = true;
        }
    } else {
        while (cursor.atBlockStart() && isContinuation(cursor.block())) {
            cursor.setPosition(cursor.block().position() - 1, mode);
            moved = true;
        }
    }
    if (moved)
        setTextCursor(cursor);
}

void FormulaMemo::keyPressEvent(QKeyEvent* event)
{
    stepOverBoundary(event);
    beginEdit();
    QPlainTextEdit::keyPressEvent(event);
    endEdit();
}

void FormulaMemo::inputMethodEvent(QInputMethodEvent* event)
{
    beginEdit();
    QPlainTextEdit::inputMethodEvent(event);
    endEdit();
}

void FormulaMemo::contextMenuEvent(QContextMenuEvent* event)
{
    beginEdit(); // the menu's Cut and Delete run inside
    QPlainTextEdit::contextMenuEvent(event);
    endEdit();
}

void FormulaMemo::dropEvent(QDropEvent* event)
{
    beginEdit(); // moving text removes the selection
    QPlainTextEdit::dropEvent(event);
    endEdit();
}

QMimeData* FormulaMemo::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    const QTextBlock first = document()->findBlock(cursor.selectionStart());
    const QTextBlock last = document()->findBlock(cursor.selectionEnd());
    bool segmented = false;
    for (QTextBlock block = first; block.isValid() && block != last; block = block.next())
        segmented = segmented || isContinuation(block.next());
    if (!segmented)
        return QPlainTextEdit::createMimeDataFromSelection();
    auto* mime = new QMimeData;
    mime->setText(textBetween(cursor.selectionStart(), cursor.selectionEnd()));
    return mime;
}

void FormulaMemo::insertFromMimeData(const QMimeData* source)
{
    if (isReadOnly() || !source)
        return;
    const QString text = source->text();
    if (!text.isNull())
        insertFormulaText(text);
    ensureCursorVisible();
}

} // namespace quarnis
