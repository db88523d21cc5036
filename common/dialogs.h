#pragma once

#include <QString>

#include <memory>
#include <optional>

// Every message box, input box and file or folder dialog of both programs
// goes through this service, so that tests can answer them from a script.
namespace dialogs {

enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct FileRequest {
    QString title;
    QString folder;
    QString filter; // Qt filter text, such as "Fichiers csv (*.csv)"
};

class Service {
public:
    virtual ~Service() = default;
    virtual Answer message(const QString& text, const QString& title, Icon icon, Buttons buttons) = 0;
    // nullopt on Cancel.
    virtual std::optional<QString> input(const QString& prompt, const QString& title,
                                         const QString& defaultText) = 0;
    // "" on Cancel.
    virtual QString openFile(const FileRequest& request) = 0;
};

// The program's name, the title of a message box that has none of its own.
void setProgramName(const QString& name);
QString programName();

Service& service();
// Replaces the service (tests install their scripted one); returns the old one.
std::unique_ptr<Service> install(std::unique_ptr<Service> replacement);

// Line breaks written LF CR, CR LF or LF become one "\n".
QString normalizeLineBreaks(const QString& text);

// The calls the forms use. An empty title means the program's name.
Answer message(const QString& text, Icon icon = Icon::None, Buttons buttons = Buttons::Ok,
               const QString& title = {});
std::optional<QString> input(const QString& prompt, const QString& title = {},
                             const QString& defaultText = {});
QString openFile(const FileRequest& request);

} // namespace dialogs
