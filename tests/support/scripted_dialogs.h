#pragma once

#include "common/dialogs.h"

#include <QStringList>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

// Answers the program's dialogs from a script, in order, and records every
// prompt. A prompt that the script does not expect, or an answer left unused
// at the end of the test, fails the test.
class ScriptedDialogs {
public:
    enum class Kind { Message, Input, OpenFile };
    struct Prompt {
        Kind kind;
        QString text; // message or prompt text, or the dialog title
        QString title;
        dialogs::Icon icon = dialogs::Icon::None;
        dialogs::Buttons buttons = dialogs::Buttons::Ok;
    };

    ScriptedDialogs();  // installs itself
    ~ScriptedDialogs(); // restores the previous service

    // The next message must contain textPart; it is answered with answer.
    ScriptedDialogs& message(const QString& textPart, dialogs::Answer answer = dialogs::Answer::Ok);
    // The next input box must contain promptPart; nullopt answers Cancel.
    ScriptedDialogs& input(const QString& promptPart, std::optional<QString> answer);
    // The next file dialog returns path ("" for Cancel).
    ScriptedDialogs& openFile(const QString& path);

    const std::vector<Prompt>& prompts() const { return prompts_; }
    QStringList messageTexts() const;
    const Prompt& lastPrompt() const;
    bool allAnswered() const { return script_.empty(); }

private:
    struct Step {
        Kind kind;
        QString match;
        dialogs::Answer answer = dialogs::Answer::Ok;
        std::optional<QString> text;
    };
    class Proxy;
    std::optional<Step> take(const Prompt& prompt);

    std::deque<Step> script_;
    std::vector<Prompt> prompts_;
    std::unique_ptr<dialogs::Service> previous_;
};
