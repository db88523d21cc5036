#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace {

const char* kindName(ScriptedDialogs::Kind kind)
{
    switch (kind) {
    case ScriptedDialogs::Kind::Message: return "message box";
    case ScriptedDialogs::Kind::Input: return "input box";
    case ScriptedDialogs::Kind::OpenFile: return "file dialog";
    }
    return "dialog";
}

} // namespace

class ScriptedDialogs::Proxy final : public dialogs::Service {
public:
    explicit Proxy(ScriptedDialogs& owner) : owner_(owner) {}

    dialogs::Answer message(const QString& text, const QString& title, dialogs::Icon icon,
                            dialogs::Buttons buttons) override
    {
        const auto step = owner_.take({Kind::Message, text, title, icon, buttons});
        if (step)
            return step->answer;
        return buttons == dialogs::Buttons::YesNo ? dialogs::Answer::No
               : buttons == dialogs::Buttons::Ok  ? dialogs::Answer::Ok
                                                  : dialogs::Answer::Cancel;
    }

    std::optional<QString> input(const QString& prompt, const QString& title, const QString&) override
    {
        const auto step = owner_.take({Kind::Input, prompt, title});
        return step ? step->text : std::nullopt;
    }

    QString openFile(const dialogs::FileRequest& request) override
    {
        const auto step = owner_.take({Kind::OpenFile, request.title, request.title});
        return step && step->text ? *step->text : QString();
    }

private:
    ScriptedDialogs& owner_;
};

ScriptedDialogs::ScriptedDialogs()
{
    previous_ = dialogs::install(std::make_unique<Proxy>(*this));
}

ScriptedDialogs::~ScriptedDialogs()
{
    for (const Step& step : script_)
        ADD_FAILURE() << "expected " << kindName(step.kind) << " never came: "
                      << step.match.toStdString();
    dialogs::install(std::move(previous_));
}

ScriptedDialogs& ScriptedDialogs::message(const QString& textPart, dialogs::Answer answer)
{
    script_.push_back({Kind::Message, textPart, answer, std::nullopt});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::input(const QString& promptPart, std::optional<QString> answer)
{
    script_.push_back({Kind::Input, promptPart, dialogs::Answer::Ok, std::move(answer)});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::openFile(const QString& path)
{
    script_.push_back({Kind::OpenFile, {}, dialogs::Answer::Ok, path});
    return *this;
}

QStringList ScriptedDialogs::messageTexts() const
{
    QStringList texts;
    for (const Prompt& prompt : prompts_) {
        if (prompt.kind == Kind::Message)
            texts << prompt.text;
    }
    return texts;
}

const ScriptedDialogs::Prompt& ScriptedDialogs::lastPrompt() const
{
    static const Prompt none{Kind::Message, {}, {}};
    return prompts_.empty() ? none : prompts_.back();
}

std::optional<ScriptedDialogs::Step> ScriptedDialogs::take(const Prompt& prompt)
{
    prompts_.push_back(prompt);
    if (script_.empty()) {
        ADD_FAILURE() << "unexpected " << kindName(prompt.kind) << ": " << prompt.text.toStdString();
        return std::nullopt;
    }
    Step step = script_.front();
    if (step.kind != prompt.kind || !prompt.text.contains(step.match)) {
        ADD_FAILURE() << "expected " << kindName(step.kind) << " containing \"" << step.match.toStdString()
                      << "\", got " << kindName(prompt.kind) << ": " << prompt.text.toStdString();
        script_.pop_front();
        return std::nullopt;
    }
    script_.pop_front();
    return step;
}
