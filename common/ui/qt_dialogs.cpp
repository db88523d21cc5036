#include "common/ui/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace dialogs {

namespace {

QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Information: return QMessageBox::Information;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

class QtService final : public Service {
public:
    Answer message(const QString& text, const QString& title, Icon icon, Buttons buttons) override
    {
        QMessageBox box(toQt(icon), title, text, QMessageBox::NoButton, QApplication::activeWindow());
        // Messages quote names from the school's lists: never read them as markup.
        box.setTextFormat(Qt::PlainText);
        struct Choice {
            QMessageBox::StandardButton button;
            const char* label;
            Answer answer;
        };
        std::vector<Choice> choices;
        switch (buttons) {
        case Buttons::Ok: choices = {{QMessageBox::Ok, "OK", Answer::Ok}}; break;
        case Buttons::OkCancel:
            choices = {{QMessageBox::Ok, "OK", Answer::Ok}, {QMessageBox::Cancel, "Annuler", Answer::Cancel}};
            break;
        case Buttons::YesNo:
            choices = {{QMessageBox::Yes, "Oui", Answer::Yes}, {QMessageBox::No, "Non", Answer::No}};
            break;
        case Buttons::YesNoCancel:
            choices = {{QMessageBox::Yes, "Oui", Answer::Yes},
                       {QMessageBox::No, "Non", Answer::No},
                       {QMessageBox::Cancel, "Annuler", Answer::Cancel}};
            break;
        }
        for (const Choice& choice : choices)
            box.addButton(choice.button)->setText(QString::fromUtf8(choice.label));
        const auto clicked = QMessageBox::StandardButton(box.exec());
        for (const Choice& choice : choices) {
            if (choice.button == clicked)
                return choice.answer;
        }
        // Escape or the close box: the safe answer.
        return buttons == Buttons::Ok ? Answer::Ok : (buttons == Buttons::YesNo ? Answer::No : Answer::Cancel);
    }

    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override
    {
        QInputDialog box(QApplication::activeWindow());
        box.setWindowTitle(title);
        box.setLabelText(prompt);
        // A prompt may quote a stored name: never read it as markup.
        for (QLabel* label : box.findChildren<QLabel*>())
            label->setTextFormat(Qt::PlainText);
        box.setTextValue(defaultText);
        box.setOkButtonText(QStringLiteral("OK"));
        box.setCancelButtonText(QStringLiteral("Annuler"));
        if (box.exec() != QDialog::Accepted)
            return std::nullopt;
        return box.textValue();
    }

    QString openFile(const FileRequest& request) override
    {
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), request.title, request.folder,
                                            request.filter);
    }
};

} // namespace

std::unique_ptr<Service> makeQtService()
{
    return std::make_unique<QtService>();
}

} // namespace dialogs
