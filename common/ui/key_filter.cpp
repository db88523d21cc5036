#include "common/ui/key_filter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>
#include <QWidget>

#include <algorithm>

namespace {

// Typed keys, for widgets that are no line edit (lists that are only picked from).
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

// A line edit's every change passes here before its text changes, whether
// typed, pasted, dropped or composed, so it can keep only what it allows.
// What the user changed is told apart from what the program set by the edit's
// modified flag, which setText() clears before the text is checked.
class LineFilter final : public QValidator {
public:
    enum class Kind { Text, Price };

    LineFilter(QLineEdit* edit, const QString& allowed, Kind kind)
        : QValidator(edit), edit_(edit), allowed_(allowed), kind_(kind), previous_(edit->text())
    {
    }

    State validate(QString& input, int& pos) const override
    {
        const bool typed = edit_->isModified();
        const auto [from, to] = typed ? inserted(input, pos) : std::pair<qsizetype, qsizetype>{0, 0};
        const bool price = kind_ == Kind::Price;
        // A price box drops the keys it does not allow, but keeps a pasted or dropped price as it
        // came: "-5" or "15 euros" cleaned into another number would be stored unseen, while kept
        // whole it is refused by the price rule, naming its box.
        const bool filtered = !price || to - from == 1;
        QString kept;
        int caret = 0;
        bool keptInserted = false;
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QChar c = input[i];
            const bool fresh = i >= from && i < to;
            if (fresh && filtered && !allowed_.contains(c))
                continue;
            keptInserted = keptInserted || fresh;
            if (i < pos)
                ++caret;
            kept += c;
        }
        // A refused key or a paste of nothing allowed changes nothing, not
        // even the selection it would have replaced.
        if (to > from && !keptInserted)
            return Invalid;
        if (price && kept.contains(u'.')) {
            kept.replace(u'.', u',');
            caret = int(kept.size());
        }
        input = kept;
        pos = caret;
        previous_ = kept;
        return Acceptable;
    }

private:
    // Where the change put its text: between what it left of the old text at
    // the start and at the end; the caret follows what was put in.
    std::pair<qsizetype, qsizetype> inserted(const QString& input, int pos) const
    {
        const qsizetype shared = std::min(previous_.size(), input.size());
        qsizetype end = 0;
        while (end < shared && end < input.size() - pos
               && previous_[previous_.size() - 1 - end] == input[input.size() - 1 - end])
            ++end;
        qsizetype start = 0;
        while (start < shared - end && previous_[start] == input[start])
            ++start;
        return {start, input.size() - end};
    }

    QLineEdit* edit_;
    QString allowed_;
    Kind kind_;
    mutable QString previous_;
};

} // namespace

void filterKeys(QWidget* box, const QString& allowed)
{
    if (auto* edit = qobject_cast<QLineEdit*>(box))
        edit->setValidator(new LineFilter(edit, allowed, LineFilter::Kind::Text));
    else
        box->installEventFilter(new KeyFilter(allowed, box));
}

void filterPrice(QLineEdit* box)
{
    box->setValidator(new LineFilter(box, QStringLiteral("1234567890,."), LineFilter::Kind::Price));
}
