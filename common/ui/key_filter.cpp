#include "common/ui/key_filter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace {

class KeyFilter final : public QObject {
public:
    KeyFilter(const QString& allowed, QObject* parent) : QObject(parent), allowed_(allowed) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            for (const QChar c : static_cast<QKeyEvent*>(event)->text()) {
                if (c.isPrint() && !allowed_.contains(c))
                    return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QString allowed_;
};

} // namespace

void filterKeys(QWidget* box, const QString& allowed)
{
    box->installEventFilter(new KeyFilter(allowed, box));
    // Pasted or dropped text reaches a line edit without a key press.
    if (auto* edit = qobject_cast<QLineEdit*>(box)) {
        QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, allowed](const QString& text) {
            QString kept;
            for (const QChar c : text) {
                if (!c.isPrint() || allowed.contains(c))
                    kept += c;
            }
            if (kept != text) {
                const int cursor = edit->cursorPosition() - int(text.size() - kept.size());
                edit->setText(kept);
                edit->setCursorPosition(qMax(0, cursor));
            }
        });
    }
}
