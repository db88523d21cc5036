#include "common/key_filter.h"

#include <QKeyEvent>
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
}
