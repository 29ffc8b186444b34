#include "formula_memo_accessible.h"

#include "formula_memo.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace quarnis {

namespace {

    class FormulaMemoAccessible : public QAccessibleWidget,
                                  public QAccessibleTextInterface,
                                  public QAccessibleEditableTextInterface {
    public:
        explicit FormulaMemoAccessible(FormulaMemo* memo)
            : QAccessibleWidget(memo, QAccessible::EditableText)
        {
        }

        void* interface_cast(QAccessible::InterfaceType type) override
        {
            if (type == QAccessible::TextInterface)
                return static_cast<QAccessibleTextInterface*>(this);
            if (type == QAccessible::EditableTextInterface && !memo()->isReadOnly())
                return static_cast<QAccessibleEditableTextInterface*>(this);
            return QAccessibleWidget::interface_cast(type);
        }

        QAccessible::State state() const override
        {
            QAccessible::State s = QAccessibleWidget::state();
            s.multiLine = true;
            s.selectableText = true;
            s.editable = !memo()->isReadOnly();
            s.readOnly = memo()->isReadOnly();
            return s;
        }

        QString text(QAccessible::Text t) const override
        {
            if (t == QAccessible::Value)
                return memo()->text();
            return QAccessibleWidget::text(t);
        }

        // Text

        void selection(int selectionIndex, int* startOffset, int* endOffset) const override
        {
            *startOffset = *endOffset = 0;
            const QTextCursor cursor = memo()->textCursor();
            if (selectionIndex != 0 || !cursor.hasSelection())
                return;
            *startOffset = offsetOf(cursor.selectionStart());
            *endOffset = offsetOf(cursor.selectionEnd());
        }
        int selectionCount() const override { return memo()->textCursor().hasSelection() ? 1 : 0; }
        void addSelection(int startOffset, int endOffset) override
        {
            setSelection(0, startOffset, endOffset);
        }
        void removeSelection(int selectionIndex) override
        {
            if (selectionIndex != 0)
                return;
            QTextCursor cursor = memo()->textCursor();
            cursor.clearSelection();
            memo()->setTextCursor(cursor);
        }
        void setSelection(int selectionIndex, int startOffset, int endOffset) override
        {
            if (selectionIndex != 0)
                return;
            QTextCursor cursor = memo()->textCursor();
            cursor.setPosition(positionOf(startOffset));
            cursor.setPosition(positionOf(endOffset), QTextCursor::KeepAnchor);
            memo()->setTextCursor(cursor);
        }

        int cursorPosition() const override { return offsetOf(memo()->textCursor().position()); }
        void setCursorPosition(int position) override
        {
            QTextCursor cursor = memo()->textCursor();
            cursor.setPosition(positionOf(position));
            memo()->setTextCursor(cursor);
        }

        QString text(int startOffset, int endOffset) const override
        {
            const QString all = memo()->text();
            startOffset = std::clamp(startOffset, 0, int(all.size()));
            endOffset = std::clamp(endOffset, startOffset, int(all.size()));
            return all.mid(startOffset, endOffset - startOffset);
        }
        int characterCount() const override
        {
            return offsetOf(memo()->document()->characterCount() - 1);
        }

        QRect characterRect(int offset) const override
        {
            QTextCursor cursor(memo()->document());
            cursor.setPosition(positionOf(offset));
            QRect r = memo()->cursorRect(cursor);
            const QString character = text(offset, offset + 1);
            r.setWidth(character.isEmpty() || character == u"\n"
                    ? 1
                    : QFontMetrics(memo()->font()).horizontalAdvance(character));
            return QRect(memo()->viewport()->mapToGlobal(r.topLeft()), r.size());
        }
        int offsetAtPoint(const QPoint& point) const override
        {
            const QPoint local = memo()->viewport()->mapFromGlobal(point);
            if (!memo()->viewport()->rect().contains(local))
                return -1;
            return offsetOf(memo()->cursorForPosition(local).position());
        }

        void scrollToSubstring(int startIndex, int endIndex) override
        {
            QTextCursor cursor = memo()->textCursor();
            cursor.setPosition(positionOf(endIndex));
            memo()->setTextCursor(cursor);
            cursor.setPosition(positionOf(startIndex));
            memo()->setTextCursor(cursor);
            memo()->ensureCursorVisible();
        }

        QString attributes(int offset, int* startOffset, int* endOffset) const override
        {
            // One font and colour throughout: no attributes of its own anywhere.
            (void)offset;
            *startOffset = 0;
            *endOffset = characterCount();
            return {};
        }

        // Editable text: through the memo's own insertion, so a long text arrives in segments
        // and the change is one undo step.

        void deleteText(int startOffset, int endOffset) override
        {
            replaceText(startOffset, endOffset, QString());
        }
        void insertText(int offset, const QString& text) override
        {
            replaceText(offset, offset, text);
        }
        void replaceText(int startOffset, int endOffset, const QString& text) override
        {
            setSelection(0, startOffset, endOffset);
            if (!memo()->textCursor().hasSelection())
                setCursorPosition(startOffset);
            if (text.isEmpty())
                memo()->textCursor().removeSelectedText();
            else
                memo()->insertFormulaText(text);
        }

    private:
        FormulaMemo* memo() const { return static_cast<FormulaMemo*>(widget()); }

        // The formula offset of a document position: the position less the joins of the
        // segments before it.
        int offsetOf(int position) const
        {
            int joins = 0;
            for (QTextBlock block = memo()->document()->firstBlock();
                 block.isValid() && block.position() <= position; block = block.next())
                joins += FormulaMemo::isContinuation(block);
            return position - joins;
        }

        // The document position of a formula offset; offsets beyond the text give its end.
        int positionOf(int offset) const
        {
            offset = std::clamp(offset, 0, characterCount());
            int joins = 0;
            for (QTextBlock block = memo()->document()->firstBlock(); block.isValid();
                 block = block.next()) {
                joins += FormulaMemo::isContinuation(block);
                const int blockEnd = block.position() + block.length() - 1 - joins;
                if (offset <= blockEnd)
                    return offset + joins;
            }
            return memo()->document()->characterCount() - 1;
        }
    };

} // namespace

QAccessibleInterface* formulaMemoAccessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("quarnis::FormulaMemo") && object && object->isWidgetType())
        return new FormulaMemoAccessible(static_cast<FormulaMemo*>(object));
    return nullptr;
}

} // namespace quarnis
