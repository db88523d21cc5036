#pragma once

#include <QLabel>
#include <QString>

// A label that shows a stored value (a name, a class, a group): always as
// plain text, never read as markup; cut at its end with "…" when it does not
// fit, the whole value then in its tooltip.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void setFullText(const QString& value);
    const QString& fullText() const { return full_; }

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void elide();

    QString full_;
};
